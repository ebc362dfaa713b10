// The statistics pass: phrase table, "All Players", and the fast scanner held
// to the literal one on random logs.
#include "core/common/progress.h"
#include "core/stats/event_booking.h"
#include "core/stats/event_scanner.h"
#include "core/stats/literal_event_scan.h"
#include "core/stats/phrase_sweep.h"
#include "core/stats/statistics_pass.h"
#include "core/stats/stats_test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace quorvath {
namespace {

// The table itself is held to the literal pass below; this is what the
// statistics window shows while the pass runs, and what the pass leaves alone.
TEST(StatisticsPass, ReportsEachScanWithItsCaptionAndKeepsSlotZerosOtherFields) {
    LogDocument doc;
    test::setMarkup(doc, "{r:Mullins} was shot by {b:Joe}'s M4\r\nVex renamed to Joe\r\n");
    PlayerTable table;
    table[0].aliases.add(7, "kept");
    Progress progress;
    std::vector<std::string> captions(1);
    runStatisticsPass(doc, table, progress, [&](int number) {
        EXPECT_EQ(number, static_cast<int>(captions.size()));
        captions.push_back(progress.status());
    });
    ASSERT_EQ(captions.size(), 31u);
    EXPECT_EQ(captions[1], "Finding Assault Rifle/Pistol Kills...");
    for (int n : {27, 28, 29}) // the two ban scans keep the caption of the kick scan
        EXPECT_EQ(captions[static_cast<std::size_t>(n)], "Finding kicked/Banned players...");
    EXPECT_EQ(captions[30], "Finding Aliases...");
    EXPECT_EQ(progress.position(), doc.length());
    EXPECT_EQ(table[0].name, "All Players");
    EXPECT_EQ(table[0].aliases.count(), 1);
}

TEST(StatisticsPass, AStopRequestEndsItBeforeTheNextScan) {
    LogDocument doc;
    test::setMarkup(doc, "{r:Mullins} was shot by {b:Joe}'s M4\r\n");
    PlayerTable table;
    Progress progress;
    std::vector<int> numbers;
    runStatisticsPass(doc, table, progress, [&](int n) {
        numbers.push_back(n);
        if (n == 2)
            progress.requestStop();
    });
    EXPECT_EQ(numbers, (std::vector<int>{1, 2}));
    EXPECT_NE(table[0].name, "All Players"); // never summed
}

TEST(PhraseSweepTest, ThreadedSweepFindsWhatFindFinds) {
    // Longer than two sweep parts, with phrases across the cut and in all cases.
    std::mt19937 rng(7);
    const std::vector<std::string> phrases = {"was shot by", "has defused", "has defused the bomb!",
                                              "ab",          "bab",         ""};
    const char* pieces[] = {"was shot by", "WAS SHOT BY", "has defused the bomb!", "b", "a", "x",
                            "\r\n",        "HAS DEFUSED"};
    std::string text;
    while (text.size() < (3u << 20))
        text += pieces[rng() % std::size(pieces)];
    LogDocument doc;
    doc.setText(text);
    const auto hits = PhraseSweep(phrases).run(text, 2);
    for (std::size_t p = 0; p < phrases.size(); ++p) {
        std::vector<int> expected;
        for (int at = doc.findPosition(phrases[p], 0); at >= 0;
             at = doc.findPosition(phrases[p], at + 1))
            expected.push_back(at);
        EXPECT_EQ(hits[p], expected) << phrases[p];
    }
}

// Its table's entries are 16 bits: a set of phrases too large for them is
// refused, never swept with entries cut short.
TEST(PhraseSweepTest, RefusesPhrasesTooManyForItsTable) {
    std::vector<std::string> phrases;
    for (int i = 0; i < 300; ++i)
        phrases.push_back(std::to_string(i) + "abcdefghijklmnopqrstuvwxyz");
    EXPECT_THROW(PhraseSweep{phrases}, std::length_error);
}

// Pairs first with small indexes (the square), then past 1024 players (the
// table), then small again: every count as adding kill by kill gives it.
TEST(KillPairsTest, CountsAsAddingEachKillWould) {
    std::mt19937 rng(5);
    PlayerTable counted;
    for (int i = 0; i < 1500; ++i)
        counted.findOrAdd("p" + std::to_string(i));
    PlayerTable expected = counted;
    counted[3].victims.add(9, 4); // counts already there are added to
    expected[3].victims.add(9, 4);
    KillPairs pairs;
    for (int kill = 0; kill < 30000; ++kill) {
        const int highest = kill < 10000 ? 40 : kill < 20000 ? 1500 : 60;
        const int killer = static_cast<int>(rng() % static_cast<unsigned>(highest + 1));
        const int victim = static_cast<int>(rng() % static_cast<unsigned>(highest + 1));
        pairs.add(killer, victim);
        expected[killer].victims.add(victim, 1);
        expected[victim].killers.add(killer, 1);
    }
    pairs.bookInto(counted);
    for (int i = 0; i <= counted.playerCount(); ++i) {
        ASSERT_EQ(counted[i].victims, expected[i].victims) << i;
        ASSERT_EQ(counted[i].killers, expected[i].killers) << i;
    }
}

// Names of every length up to well past sixteen characters, each differing
// from another in one character only, anywhere: each keeps a number of its
// own, and asking again gives that number.
// Far more kills than booking hands over at a time: each pair is counted once.
TEST(StatisticsPass, EveryKillOfALongLogIsInItsPairsCount) {
    constexpr int kKills = 100000;
    std::string text;
    for (int i = 0; i < kKills; ++i)
        text +=
            "V" + std::to_string(i % 7) + " was shot by K" + std::to_string(i % 11) + "'s M4\r\n";
    LogDocument doc;
    test::setMarkup(doc, text);
    PlayerTable table;
    Progress progress;
    runStatisticsPass(doc, table, progress, {});
    for (int k = 0; k < 11; ++k)
        for (int v = 0; v < 7; ++v) {
            int expected = 0;
            for (int i = 0; i < kKills; ++i)
                expected += i % 11 == k && i % 7 == v;
            const int killer = table.findByName("K" + std::to_string(k));
            const int victim = table.findByName("V" + std::to_string(v));
            EXPECT_EQ(table[killer].victims.at(victim), expected) << k << " " << v;
            EXPECT_EQ(table[victim].killers.at(killer), expected) << k << " " << v;
        }
    EXPECT_EQ(table[0][totalKills], kKills);
}

TEST(NamePoolTest, TellsApartNamesThatDifferInOneCharacter) {
    std::vector<std::string> names;
    for (std::size_t length = 0; length <= 40; ++length) {
        names.emplace_back(length, 'x');
        for (std::size_t at = 0; at < length; ++at) {
            names.emplace_back(length, 'x');
            names.back()[at] = 'X';
        }
    }
    NamePool pool;
    for (const std::string& name : names)
        pool.intern(name);
    ASSERT_EQ(pool.size(), static_cast<int>(names.size()));
    for (std::size_t k = names.size(); k-- > 0;) {
        EXPECT_EQ(pool.intern(names[k]), static_cast<int>(k)) << names[k];
        EXPECT_EQ(pool.name(static_cast<int>(k)), names[k]);
    }
    EXPECT_EQ(pool.size(), static_cast<int>(names.size()));
}

// --- the fast scanner against the literal one --------------------------------------

// Random lines of every kind the scans meet, names coloured at random, every
// event phrase in its own spelling and in a few of other letter case.
class RandomLog {
public:
    explicit RandomLog(unsigned seed) : rng_(seed) {
        for (const StatisticsScan& scan : kStatisticsScans)
            (scan.kind == EventKind::TwoPlayer ? twoPlayer_ : onePlayer_).emplace_back(scan.phrase);
        for (const char* odd : {"WAS SHOT BY", "Was Sliced By", "RENAMED TO"})
            twoPlayer_.emplace_back(odd);
        onePlayer_.emplace_back("HAS PLANTED THE BOMB!");
    }

    void fill(LogDocument& doc, int lines) {
        markup_.clear();
        for (int i = 0; i < lines; ++i)
            line();
        test::setMarkup(doc, markup_);
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    template <typename List> std::string any(const List& items) {
        return items[static_cast<std::size_t>(pick(static_cast<int>(std::size(items))))];
    }
    // Grey text as it is; other colours in the markup of test::setMarkup.
    void put(const std::string& s, char colour = 'g') {
        markup_ += colour == 'g' ? s : std::string("{") + colour + ':' + s + '}';
    }
    char nameColour() { return "rbgrc0"[pick(6)]; }
    std::string name() {
        static const char* const names[] = {"Joe", "joe",    "Jo", "Mojo",      "Vex",
                                            "",    "nobody", "e",  "Ann Marie", "X's",
                                            "re",  "A",      "B",  "C",         "Joe "};
        return any(names);
    }

    void line() {
        static const char* const weapons[] = {"M4", "AK74",  "M590",         "US SOCOM",
                                              "re", "Knife", "Silver Talon", "M1911A1",
                                              "m4", "",      "M203",         "Sig 551"};
        static const char* const roundEnds[] = {
            "Red team eliminated!", "Blue team has destroyed the target!",
            "Red team has defended the target!", "Vex has defused", "Round Draw!"};
        static const char* const drops[] = {"br", "Bl", "Re", "bo", "Xy", ""};
        static const char* const breaks[] = {"\r\n", "\r\n", "\r\n", "\r\n",
                                             "\r\n", "\n",   "\r",   ""};
        switch (pick(8)) {
        case 0:
        case 1:
        case 2: { // a two-player line
            put(name(), nameColour());
            put(pick(6) ? " " : "");
            put(any(twoPlayer_));
            put(pick(6) ? " " : "");
            put(name(), nameColour());
            if (pick(5))
                put(pick(6) ? "'s " : "'");
            put(any(weapons));
            if (pick(4) == 0)
                put(pick(3) ? " [HeaDShoT]" : " [headshot]");
            break;
        }
        case 3: // a one-player line
            put(name(), nameColour());
            put(pick(8) ? " " : "");
            put(any(onePlayer_));
            if (pick(4) == 0)
                put(" " + any(onePlayer_));
            break;
        case 4: // a drop line
            put(name() + " has dropped the " + any(drops) + (pick(2) ? "ag!" : ""));
            break;
        case 5: put(any(roundEnds)); break;
        default: // token soup
            for (int i = pick(6); i > 0; --i) {
                const std::string bits[] = {
                    name(), any(twoPlayer_), any(onePlayer_), "'", " ", any(weapons), "'s "};
                put(bits[pick(7)], nameColour());
            }
        }
        put(any(breaks), pick(4) ? 'g' : nameColour());
    }

    std::mt19937 rng_;
    std::vector<std::string> twoPlayer_;
    std::vector<std::string> onePlayer_;
    std::string markup_;
};

void expectSameTables(const PlayerTable& fast, const test::LiteralTable& literal) {
    ASSERT_EQ(fast.playerCount(), literal.playerCount());
    for (int i = 0; i <= fast.playerCount(); ++i) {
        const PlayerRecord& a = fast[i];
        const PlayerRecord& b = literal.players[static_cast<std::size_t>(i)];
        SCOPED_TRACE("player " + std::to_string(i) + " '" + b.name + "'");
        ASSERT_EQ(a.name, b.name);
        EXPECT_EQ(a.counters, b.counters);
        EXPECT_EQ(a.victims, b.victims);
        EXPECT_EQ(a.killers, b.killers);
        EXPECT_EQ(a.master, b.master);
        ASSERT_EQ(a.aliases.count(), b.aliases.count());
        for (int x = 1; x <= a.aliases.count(); ++x) {
            EXPECT_EQ(a.aliases.item(x), b.aliases.item(x));
            EXPECT_EQ(a.aliases.key(x), b.aliases.key(x));
        }
    }
}

// The text cut into one to five parts, swept and cut on one or two threads
// (several parts at a time on a thread): the cuts fall inside lines, names
// and phrases.
TEST(StatisticsPassDifferential, SameTableAsTheLiteralScansForAnyNumberOfThreads) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        LogDocument doc;
        RandomLog(seed).fill(doc, 5 + static_cast<int>(seed % 60));
        test::LiteralTable literal;
        test::literalStatisticsPass(doc, literal);
        for (int parts = 1; parts <= 5; ++parts) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", " + std::to_string(parts) + " parts");
            PlayerTable fast;
            Progress progress;
            runStatisticsPass(doc, fast, progress, {}, parts);
            expectSameTables(fast, literal);
        }
        if (HasFailure())
            break;
    }
}

TEST(StatisticsPassDifferential, OnePhraseBookedAsTheOtherKindOrOddPhrases) {
    const std::pair<const char*, EventKind> calls[] = {
        {"was shot by", EventKind::OnePlayer},
        {"called a vote.", EventKind::TwoPlayer},
        {"has planted the bomb!", EventKind::OnePlayer},
        {"s", EventKind::TwoPlayer},
        {"'s", EventKind::TwoPlayer},
        {"e\r\nx", EventKind::TwoPlayer}};
    for (unsigned seed = 1; seed <= 60; ++seed) {
        LogDocument doc;
        RandomLog(seed * 31).fill(doc, 30);
        for (const auto& [phrase, kind] : calls) {
            SCOPED_TRACE(std::string(phrase) + " seed " + std::to_string(seed));
            PlayerTable fast;
            test::bookOnePhrase(doc, phrase, kind, fast);
            test::LiteralTable literal;
            test::literalBookPhraseEvents(doc, phrase, kind, literal);
            expectSameTables(fast, literal);
        }
        if (HasFailure())
            break;
    }
}

} // namespace
} // namespace quorvath
