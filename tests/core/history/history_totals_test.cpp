// The whole history's totals kept at import: a query of the whole history
// read from them gives what adding up every match gives, with the people's
// merges and splits, GUID links, bots and the rankings' minimum; an older log
// or a completed match drops them, refreshTotals adds them up again, and a
// history of an older version gets them when it is opened.

#include "history_test_support.h"

#include "core/history/record_coding.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>

namespace {

using namespace quorvath;
using namespace quorvath::test;

constexpr std::int64_t kJanuary = 1767225600; // 2026-01-01
constexpr std::int64_t kDay = 86400;

void import(HistoryStore& store, const std::string& path, std::int64_t date) {
    LogImport result;
    ImportOptions options;
    options.date = date;
    options.batchMatches = 3; // several batches a log
    const HistoryError error = importLog(store, path, result, options);
    ASSERT_FALSE(error) << *error;
}

struct Selected {
    Counted counted;
    std::vector<NameActivity> activity;
};

Selected counted(HistoryStore& store, const HistorySelection& selection) {
    Selected s;
    const HistoryError error =
        countSelection(store, selection, s.counted.players, s.counted.scope, s.activity);
    EXPECT_FALSE(error) << *error;
    return s;
}

// The whole history from its kept totals (or not, `kept`) and added up match
// by match (a selection of every match that is not the whole) are the same
// tables, people and rankings.
void expectKeptAsAddedUp(HistoryStore& store, bool kept, int line) {
    SCOPED_TRACE(line);
    KeptTotals totals;
    bool isKept = false;
    ASSERT_FALSE(store.readTotals(totals, isKept));
    EXPECT_EQ(isKept, kept);
    const Selected whole = counted(store, {});
    HistorySelection sinceTheStart;
    sinceTheStart.since = 1; // a selection, so the matches are added up
    const Selected everyMatch = counted(store, sinceTheStart);
    expectSameCounts(whole.counted, everyMatch.counted);
    ASSERT_EQ(whole.activity.size(), everyMatch.activity.size());
    for (std::size_t i = 1; i < whole.activity.size(); ++i) {
        const NameActivity &a = whole.activity[i], &b = everyMatch.activity[i];
        EXPECT_EQ(std::tie(a.firstSeen, a.lastSeen, a.matches, a.guids, a.shared),
                  std::tie(b.firstSeen, b.lastSeen, b.matches, b.guids, b.shared))
            << whole.counted.players[static_cast<int>(i)].name;
    }
    const RankingMinimum minimum{3, 2, false};
    EXPECT_EQ(leftOutOfRankings(whole.counted.players, whole.activity, minimum),
              leftOutOfRankings(everyMatch.counted.players, everyMatch.activity, minimum));
}

// Generated matches of every game type, each as a player's console log, a
// game log and a dedicated console log (the same matches: stored once).
struct Logs {
    TempDir dir;
    std::vector<std::string> paths;

    Logs() {
        int seed = 1;
        for (const char* type : {"ctf", "inf", "dem", "elim", "dm"}) {
            const std::string prefix = dir.file(type).string();
            generateMatch(type, prefix, seed++, 4);
            for (const char* kind : {"console", "games", "server"})
                paths.push_back(prefix + "-" + kind + ".log");
        }
    }
};

TEST(HistoryTotals, KeptTotalsGiveWhatAddingUpEveryMatchGivesWhateverTheDecisions) {
    Logs logs;
    auto store = openHistory(logs.dir.file("h.sqlite").string());
    expectKeptAsAddedUp(*store, true, __LINE__); // an empty history's
    for (std::size_t i = 0; i < logs.paths.size(); ++i) {
        import(*store, logs.paths[i], kJanuary + static_cast<std::int64_t>(i) * kDay);
        expectKeptAsAddedUp(*store, true, __LINE__);
    }
    const PlayerTable& players = counted(*store, {}).counted.players;
    ASSERT_GT(players.playerCount(), 6);
    using Kind = PeopleDecision::Kind;
    for (PeopleDecision decision :
         {PeopleDecision{0, Kind::Merge, players[1].name, players[2].name, 0},
          PeopleDecision{0, Kind::Merge, players[3].name, players[6].name, 0},
          PeopleDecision{0, Kind::Split, players[2].name, "", 0},
          PeopleDecision{0, Kind::Merge, players[2].name, players[5].name, 0}}) {
        ASSERT_FALSE(store->addDecision(decision));
        expectKeptAsAddedUp(*store, true, __LINE__);
    }
}

TEST(HistoryTotals, AnOlderLogOrACompletedMatchDropsThemAndRefreshingAddsThemUpAgain) {
    Logs logs;
    auto store = openHistory(logs.dir.file("h.sqlite").string());
    for (std::size_t i = 1; i < logs.paths.size(); ++i)
        import(*store, logs.paths[i], kJanuary + static_cast<std::int64_t>(i) * kDay);
    import(*store, logs.paths[0], kJanuary); // played before all the others
    expectKeptAsAddedUp(*store, false, __LINE__);
    ASSERT_FALSE(store->refreshTotals());
    expectKeptAsAddedUp(*store, true, __LINE__);

    const std::string whole = readFile(logs.paths[0]);
    const std::string growing = logs.dir.file("growing.log").string();
    writeFile(growing, whole.substr(0, whole.size() / 2));
    import(*store, growing, kJanuary + 100 * kDay); // the last match unfinished
    expectKeptAsAddedUp(*store, true, __LINE__);
    writeFile(growing, whole);
    import(*store, growing, kJanuary + 100 * kDay); // completes it
    expectKeptAsAddedUp(*store, false, __LINE__);
    ASSERT_FALSE(store->refreshTotals());
    expectKeptAsAddedUp(*store, true, __LINE__);
}

// A history of version 2 (no totals) adds them up when opened.
TEST(HistoryTotals, AHistoryOfVersionTwoGainsTheTotalsOfItsMatches) {
    Logs logs;
    const std::string path = logs.dir.file("h.sqlite").string();
    {
        auto store = openHistory(path);
        for (std::size_t i = 0; i < logs.paths.size(); i += 2)
            import(*store, logs.paths[i], kJanuary + static_cast<std::int64_t>(i) * kDay);
    }
    runOnHistory(
        path,
        sqlDroppingResults() +
            "DROP TABLE totals; DROP TABLE totals_names; DROP TABLE totals_renames;" +
            (onPostgres() ? " UPDATE schema_version SET version = 2" : " PRAGMA user_version = 2"));
    expectKeptAsAddedUp(*openHistory(path), true, __LINE__);
}

// The whole history is counted from its kept totals alone, reading no match
// again, also when a history of the version before the results is opened:
// its figures stand when a match row is damaged, which a selection reading
// that match names.
TEST(HistoryTotals, TheWholeHistoryIsCountedWithoutReadingItsMatches) {
    if (onPostgres())
        GTEST_SKIP() << "an SQLite file damaged by hand";
    Logs logs;
    for (const std::string& older : {std::string(), sqlDroppingResults()}) {
        SCOPED_TRACE(older);
        const std::string path = logs.dir.file(older.empty() ? "h.sqlite" : "old.sqlite").string();
        auto store = openHistory(path);
        for (std::size_t i = 0; i < 3; ++i)
            import(*store, logs.paths[i], kJanuary + static_cast<std::int64_t>(i) * kDay);
        const Selected before = counted(*store, {});
        store.reset();
        runOnHistory(path, "UPDATE match_players SET counters = x'7F01' WHERE match_id = "
                           "(SELECT MIN(id) FROM matches);" +
                               older);
        store = openHistory(path);
        expectSameCounts(counted(*store, {}).counted, before.counted);
        HistorySelection sinceTheStart;
        sinceTheStart.since = 1;
        Selected selected;
        const HistoryError error = countSelection(*store, sinceTheStart, selected.counted.players,
                                                  selected.counted.scope, selected.activity);
        ASSERT_TRUE(error);
        EXPECT_NE(error->find(" is damaged"), std::string::npos) << *error;
    }
}

// Totals rows no import wrote are not trusted: the query adds up every match,
// and the next batch drops them for the import to add up again.
TEST(HistoryTotals, DamagedTotalsAreAddedUpAgain) {
    if (onPostgres())
        GTEST_SKIP() << "an SQLite file damaged by hand";
    Logs logs;
    const std::string path = logs.dir.file("h.sqlite").string();
    auto store = openHistory(path);
    import(*store, logs.paths[0], kJanuary);
    {
        SQLite::Database db(path, SQLite::OPEN_READWRITE);
        db.exec("UPDATE totals_names SET totals = x'ff' WHERE slot = 2");
    }
    store = openHistory(path); // holds no totals read before
    expectKeptAsAddedUp(*store, false, __LINE__);
    import(*store, logs.paths[3], kJanuary + kDay);
    ASSERT_FALSE(store->refreshTotals());
    expectKeptAsAddedUp(*store, true, __LINE__);
}

// A kept name's row cut anywhere, with a byte too many, or with a date too
// long to be a number is damaged: never read as the numbers it seems to hold.
TEST(HistoryTotals, ADamagedNameRowIsNeverReadAsNumbers) {
    NameTotals bob{"Bob", {}, {{1, 3}}, {kJanuary, kJanuary + kDay, 2, {"guid"}, 0}};
    bob.counters[kFirstCounter] = 2;
    const std::string row = encodeNameTotals(bob);
    NameTotals read;
    ASSERT_TRUE(decodeNameTotals(row, read));
    EXPECT_EQ(read.activity.lastSeen, kJanuary + kDay);
    std::vector<std::string> damaged{row + '\0'};
    for (std::size_t cut = 0; cut < row.size(); ++cut)
        damaged.push_back(row.substr(0, cut));
    // The dates are the two numbers before "\x02\x01\x04guid", five bytes each.
    const std::size_t dates = row.size() - 7 - 10;
    const std::string tooLong(10, '\xFF');
    damaged.push_back(row.substr(0, dates) + tooLong + row.substr(dates + 5));
    damaged.push_back(row.substr(0, dates + 5) + tooLong + row.substr(dates + 10));
    // Before them the one victim (number 1) and his count: a victim's number too
    // large to be one, though his count reads after it.
    ASSERT_EQ(row.substr(dates - 3, 3), "\x01\x01\x03");
    damaged.push_back(row.substr(0, dates - 2) + "\x80\x80\x80\x80\x10" + row.substr(dates - 1));
    // Victims' counts are other than 0 and ascend by victim.
    for (const std::vector<OpponentCounts::Entry>& victims :
         {std::vector<OpponentCounts::Entry>{{1, 0}}, {{2, 3}, {1, 4}}, {{2, 3}, {2, 4}}}) {
        NameTotals wrong = bob;
        wrong.victims = victims;
        damaged.push_back(encodeNameTotals(wrong));
    }
    for (const std::string& bytes : damaged)
        EXPECT_FALSE(decodeNameTotals(bytes, read)) << bytes.size() << " bytes";
}

} // namespace
