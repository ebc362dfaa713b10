// The statistics pass: phrase table, "All Players", and the fast scanner held
// to the literal one on random logs.
#include "core/common/progress.h"
#include "core/stats/event_scanner.h"
#include "core/stats/literal_findkill.h"
#include "core/stats/phrase_sweep.h"
#include "core/stats/statistics_pass.h"
#include "core/stats/stats_test_support.h"
#include "support/editable_document.h"

#include <gtest/gtest.h>

#include <random>

namespace quorvath {
namespace {

using test::setLines;

TEST(StatisticsPass, ReportsEachScanAndEndsWithAllPlayers) {
    LogDocument doc;
    setLines(doc, {"{r:Mullins} was shot by {b:Joe}'s M4", "Vex renamed to Joe",
                   "Joe has taken the Red Flag!", "Mullins was shot by Joe's AK74",
                   "Vex called a vote."});
    PlayerTable table;
    table[0].aliases.add(7, "kept");
    table.findOrAdd("stale");
    Progress progress;
    std::vector<int> numbers;
    std::vector<std::string> captions;
    runStatisticsPass(doc, table, progress, [&](int n) {
        numbers.push_back(n);
        captions.push_back(progress.status());
    });
    ASSERT_EQ(numbers.size(), 30u);
    EXPECT_EQ(numbers.front(), 1);
    EXPECT_EQ(numbers.back(), 30);
    EXPECT_EQ(captions[0], "Finding Assualt Rifle/Pistol Kills...");
    // The two ban rows keep the caption of the kick row.
    for (int n : {26, 27, 28})
        EXPECT_EQ(captions[static_cast<std::size_t>(n)], "Finding kicked/Banned players...");
    EXPECT_EQ(captions[29], "Finding Aliases...");
    EXPECT_EQ(progress.position(), doc.length());

    // Kill phrases first, one-player events next, renames last.
    ASSERT_EQ(table.upper(), 3);
    EXPECT_EQ(table[1].name, "Mullins");
    EXPECT_EQ(table[2].name, "Joe");
    EXPECT_EQ(table[3].name, "Vex");
    EXPECT_EQ(table[0].name, "All Players");
    EXPECT_EQ(table[0][totalKills], 2);
    EXPECT_EQ(table[0][totalDeaths], 2);
    EXPECT_EQ(table[0][flagsTaken], 1);
    EXPECT_EQ(table[0][votesCalled], 1);
    EXPECT_EQ(table[0].aliases.count(), 1); // slot 0's other fields are left alone
    EXPECT_EQ(table[3].aliases.count(), 1);
}

TEST(StatisticsPass, EmptyLogLeavesOnlyAllPlayers) {
    LogDocument doc;
    PlayerTable table;
    Progress progress;
    runStatisticsPass(doc, table, progress);
    EXPECT_EQ(table.upper(), 0);
    EXPECT_EQ(table[0].name, "All Players");
    EXPECT_EQ(table[0].stat, PlayerRecord().stat);
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

// --- the fast scanner against the literal one --------------------------------------

class RandomLog {
public:
    explicit RandomLog(unsigned seed) : rng_(seed) {}

    void fill(LogDocument& doc, int lines) {
        segments_.clear();
        for (int i = 0; i < lines; ++i)
            line();
        std::string text;
        for (const auto& s : segments_)
            text += s.first;
        doc.setText(text);
        test::EditableDocument edit(doc);
        int at = 0;
        for (const auto& s : segments_) {
            edit.select(at, static_cast<int>(s.first.size()));
            edit.setSelectionColour(s.second);
            at += static_cast<int>(s.first.size());
        }
        doc.setSelStart(0);
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    template <std::size_t N> const char* any(const char* const (&items)[N]) {
        return items[pick(N)];
    }
    void put(std::string s, Colour c = test::kGrey) { segments_.emplace_back(std::move(s), c); }
    Colour nameColour() {
        const Colour colours[] = {test::kRed, test::kBlue, test::kGrey, test::kRed, test::kChat, 0};
        return colours[pick(6)];
    }
    std::string name() {
        static const char* const names[] = {"Joe", "joe",    "Jo", "Mojo",      "Vex",
                                            "",    "nobody", "e",  "Ann Marie", "X's",
                                            "re",  "A",      "B",  "C",         "Joe "};
        return any(names);
    }

    void line() {
        static const char* const phrases[] = {"was shot by",
                                              "was pumped full of lead by",
                                              "was detonated by",
                                              "was sniped by",
                                              "was pistol whipped by",
                                              "was bludgeoned by",
                                              "was sliced by",
                                              "was stabbed by",
                                              "renamed to",
                                              "WAS SHOT BY",
                                              "Was Sliced By",
                                              "RENAMED TO"};
        static const char* const onePlayer[] = {
            "fell to his death.",
            "blew himself up.",
            "was in the wrong place.",
            "killed himself.",
            "has taken the Red Flag!",
            "has captured the Blue Flag!",
            "has dropped the Red Flag!",
            "has dropped the Blue Flag!",
            "has taken the briefcase!",
            "has dropped the briefcase!",
            "has escaped with the briefcase!",
            "called a vote.",
            "has planted the bomb!",
            "has defused the bomb!",
            "has dropped the bomb!",
            "has taken the bomb!",
            "You were kicked off of the server!",
            "You have been banned from this server!",
            "You have been temporarily banned from this server!",
            "HAS PLANTED THE BOMB!"};
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
            if (pick(6))
                put(" ");
            put(any(phrases));
            if (pick(6))
                put(" ");
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
            put(any(onePlayer));
            if (pick(4) == 0)
                put(std::string(" ") + any(onePlayer));
            break;
        case 4: // a drop line
            put(name() + " has dropped the " + any(drops) + (pick(2) ? "ag!" : ""));
            break;
        case 5: put(any(roundEnds)); break;
        default: // token soup
            for (int i = pick(6); i > 0; --i) {
                const std::string bits[] = {name(), any(phrases), any(onePlayer), "'",
                                            " ",    any(weapons), "'s "};
                put(bits[pick(7)], nameColour());
            }
        }
        put(any(breaks), pick(4) ? test::kGrey : nameColour());
    }

    std::mt19937 rng_;
    std::vector<std::pair<std::string, Colour>> segments_;
};

void expectSameTables(const PlayerTable& fast, const test::LiteralTable& literal) {
    ASSERT_EQ(fast.upper(), literal.upper());
    for (int i = 0; i <= fast.upper(); ++i) {
        const PlayerRecord& a = fast[i];
        const PlayerRecord& b = literal.players[static_cast<std::size_t>(i)];
        SCOPED_TRACE("player " + std::to_string(i) + " '" + b.name + "'");
        ASSERT_EQ(a.name, b.name);
        EXPECT_EQ(a.stat, b.stat);
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

TEST(StatisticsPassDifferential, SameTableAsTheLiteralScans) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        LogDocument doc;
        RandomLog(seed).fill(doc, 5 + static_cast<int>(seed % 60));
        PlayerTable fast;
        Progress progress;
        runStatisticsPass(doc, fast, progress);
        test::LiteralTable literal;
        test::literalStatisticsPass(doc, literal);
        expectSameTables(fast, literal);
        if (HasFailure())
            break;
    }
}

TEST(StatisticsPassDifferential, SingleFindkillWithOddPhrasesAndInvolvedValues) {
    const std::pair<const char*, int> calls[] = {{"was shot by", 1},
                                                 {"called a vote.", 2},
                                                 {"has planted the bomb!", 1},
                                                 {"was sliced by", 3},
                                                 {"s", 2},
                                                 {"'s", 2},
                                                 {"e\r\nx", 2}};
    for (unsigned seed = 1; seed <= 60; ++seed) {
        LogDocument doc;
        RandomLog(seed * 31).fill(doc, 30);
        for (const auto& [phrase, involved] : calls) {
            SCOPED_TRACE(std::string(phrase) + " seed " + std::to_string(seed));
            PlayerTable fast;
            findkill(doc, phrase, involved, fast);
            test::LiteralTable literal;
            test::literalFindkill(doc, phrase, involved, literal);
            expectSameTables(fast, literal);
        }
        if (HasFailure())
            break;
    }
}

} // namespace
} // namespace quorvath
