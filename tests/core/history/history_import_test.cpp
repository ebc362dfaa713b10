// Imports into a real history and counts back: the matches of a log
// add up to the Accurate counting of the whole log, whatever the kind of log,
// the game type and the batches; importing again, a copy, a grown log, a
// rotated log and an interrupted import neither lose nor double a match.

#include "history_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace quorvath;
using quorvath::test::Counted;
using quorvath::test::countHistory;
using quorvath::test::countLog;
using quorvath::test::expectSameCounts;
using quorvath::test::generateMatch;
using quorvath::test::openHistory;
using quorvath::test::readFile;
using quorvath::test::TempDir;
using quorvath::test::writeFile;

constexpr const char* kKinds[] = {"console", "games", "server"};

LogImport imported(HistoryStore& store, const std::string& path, int batchMatches = 64,
                   std::int64_t date = 0) {
    LogImport result;
    const HistoryError error = importLog(store, path, result, {batchMatches, date});
    EXPECT_FALSE(error) << *error;
    return result;
}

TEST(HistoryImport, EveryKindOfLogOfEveryGameTypeAddsUpToItsAccurateCounting) {
    TempDir dir;
    for (const char* type : {"ctf", "inf", "dem", "elim", "dm"}) {
        const std::string prefix = dir.file(type).string();
        generateMatch(type, prefix);
        for (const char* kind : kKinds) {
            SCOPED_TRACE(std::string(type) + " " + kind);
            const std::string log = prefix + "-" + kind + ".log";
            auto store = openHistory(dir.file(std::string(type) + kind + ".sqlite").string());
            const LogImport first = imported(*store, log, 3); // several batches
            EXPECT_GE(first.matches, 8);
            EXPECT_EQ(first.added, first.matches);
            const Counted counted = countHistory(*store);
            EXPECT_EQ(counted.matches, first.matches);
            expectSameCounts(counted, countLog(log));

            EXPECT_TRUE(imported(*store, log).unchanged);
            const std::string copy = dir.file("copy.log").string();
            std::filesystem::copy_file(log, copy,
                                       std::filesystem::copy_options::overwrite_existing);
            const LogImport again = imported(*store, copy);
            EXPECT_EQ(again.added, 0);
            EXPECT_EQ(again.matches, first.matches);
            expectSameCounts(countHistory(*store), countLog(log));
        }
    }
}

// A server's games.log and its dedicated console log record the same
// matches: whichever comes first is kept (only the console records kicks and
// bans), the other stores nothing. A player's console log names neither
// server nor map: its matches are its own.
TEST(HistoryImport, TheSameMatchFromAGamesLogAndAServerConsoleIsStoredOnce) {
    TempDir dir;
    bool gamesFirst = true;
    for (const char* type : {"ctf", "inf", "dem", "elim", "dm"}) {
        SCOPED_TRACE(type);
        const std::string prefix = dir.file(type).string();
        generateMatch(type, prefix);
        const std::string games = prefix + "-games.log", server = prefix + "-server.log";
        auto store = openHistory(dir.file(std::string(type) + ".sqlite").string());
        const std::string kept = gamesFirst ? games : server;
        const LogImport first = imported(*store, kept);
        EXPECT_EQ(first.added, first.matches);
        EXPECT_EQ(imported(*store, gamesFirst ? server : games).added, 0);
        expectSameCounts(countHistory(*store), countLog(kept));
        const LogImport console = imported(*store, prefix + "-console.log");
        EXPECT_EQ(console.added, console.matches);
        gamesFirst = !gamesFirst;
    }
}

// A log read while its server still wrote it: cut mid-line, then whole.
TEST(HistoryImport, AGrownLogAddsItsNewMatchesAndCompletesTheUnfinishedOne) {
    TempDir dir;
    const std::string prefix = dir.file("m").string();
    generateMatch("ctf", prefix);
    for (const char* kind : kKinds) {
        SCOPED_TRACE(kind);
        const std::string whole = readFile(prefix + "-" + kind + ".log");
        const std::string log = dir.file("growing.log").string();
        auto store = openHistory(dir.file(std::string(kind) + ".sqlite").string());
        // Cut anywhere, and inside a line that begins a map.
        const std::size_t mapLine = whole.find("InitGame", whole.size() / 2);
        for (const std::size_t cut : {whole.size() / 5, whole.size() / 3 + 7, whole.size() / 2 + 3,
                                      std::min(mapLine, whole.size()) + 20, whole.size()}) {
            writeFile(log, whole.substr(0, cut));
            EXPECT_FALSE(imported(*store, log).unchanged);
        }
        const Counted counted = countHistory(*store);
        expectSameCounts(counted, countLog(log));
        EXPECT_EQ(counted.matches, imported(*store, prefix + "-" + kind + ".log").matches);
    }
}

TEST(HistoryImport, ALogRotatedUnderItsNameIsANewLog) {
    TempDir dir;
    const std::string first = dir.file("a").string(), second = dir.file("b").string();
    generateMatch("ctf", first, 1, 4);
    generateMatch("ctf", second, 2, 5);
    const std::string log = dir.file("games.log").string();
    auto store = openHistory(dir.file("h.sqlite").string());
    std::filesystem::copy_file(first + "-games.log", log);
    const int before = imported(*store, log).added;
    writeFile(log, readFile(second + "-games.log")); // other bytes where the first log ended
    const LogImport rotated = imported(*store, log);
    EXPECT_EQ(rotated.added, rotated.matches);
    EXPECT_EQ(countHistory(*store).matches, before + rotated.matches);
}

// Fails the chosen batch inside SQLite itself: its last match gets a
// fingerprint the schema refuses, after the batch's other rows went in.
class FailingBatch final : public quorvath::test::ForwardingStore {
public:
    FailingBatch(HistoryStore& store, int failing) : ForwardingStore(store), failing_(failing) {}
    HistoryError storeBatch(LogState& log, const std::vector<MatchRecord>& matches,
                            int& added) override {
        if (++batches_ != failing_)
            return ForwardingStore::storeBatch(log, matches, added);
        std::vector<MatchRecord> broken = matches;
        broken.back().fingerprint = "short";
        return ForwardingStore::storeBatch(log, broken, added);
    }

private:
    int failing_;
    int batches_ = 0;
};

TEST(HistoryImport, AFailedBatchLeavesTheHistoryAsBeforeItAndTheNextImportCompletesIt) {
    TempDir dir;
    const std::string prefix = dir.file("m").string();
    generateMatch("elim", prefix);
    const std::string log = prefix + "-server.log";
    const std::string path = dir.file("h.sqlite").string();
    {
        auto store = openHistory(path);
        FailingBatch failing(*store, 3);
        LogImport result;
        const HistoryError error = importLog(failing, log, result, {2});
        ASSERT_TRUE(error);
        EXPECT_NE(error->find(quorvath::test::nameInMessages(path)), std::string::npos) << *error;
        EXPECT_EQ(result.added, 4); // two batches of two
        EXPECT_EQ(countHistory(*store).matches, 4);
    }
    auto store = openHistory(path);
    const LogImport completed = imported(*store, log);
    EXPECT_EQ(completed.added, completed.matches - 4);
    expectSameCounts(countHistory(*store), countLog(log));
}

// Cancel in the window: the batches stored stay, the log is read again.
TEST(HistoryImport, AStoppedImportKeepsItsBatchesAndTheNextImportCompletesIt) {
    TempDir dir;
    const std::string prefix = dir.file("m").string();
    generateMatch("ctf", prefix);
    const std::string log = prefix + "-games.log";
    auto store = openHistory(dir.file("h.sqlite").string());
    std::vector<std::pair<int, int>> calls;
    ImportOptions options{3};
    options.afterBatch = [&](int handed, int matches) {
        calls.emplace_back(handed, matches);
        return calls.size() < 2;
    };
    LogImport stopped;
    ASSERT_FALSE(importLog(*store, log, stopped, options));
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.added, 6);
    EXPECT_EQ(calls,
              (std::vector<std::pair<int, int>>{{3, stopped.matches}, {6, stopped.matches}}));
    EXPECT_EQ(countHistory(*store).matches, 6);

    const LogImport completed = imported(*store, log);
    EXPECT_FALSE(completed.stopped);
    EXPECT_EQ(completed.added, completed.matches - 6);
    expectSameCounts(countHistory(*store), countLog(log));
}

TEST(HistoryImport, ASelectionCountsOnlyItsMatches) {
    TempDir dir;
    const std::string ctf = dir.file("ctf").string(), dm = dir.file("dm").string();
    generateMatch("ctf", ctf, 5, 4);
    generateMatch("dm", dm, 6, 4);
    auto store = openHistory(dir.file("h.sqlite").string());
    constexpr std::int64_t day = 24 * 60 * 60, january = 20454 * day; // 2026-01-01
    imported(*store, ctf + "-games.log", 64, january);
    imported(*store, dm + "-games.log", 64, january + 31 * day);
    imported(*store, dm + "-console.log");

    HistorySelection byType;
    byType.gameTypes = {"ctf", "elim"};
    expectSameCounts(countHistory(*store, byType), countLog(ctf + "-games.log"));
    HistorySelection byServer; // a console log names no server: its file name does
    byServer.server = "dm-console.log";
    expectSameCounts(countHistory(*store, byServer), countLog(dm + "-console.log"));

    HistorySelection inJanuary; // dated by hand
    inJanuary.since = january;
    inJanuary.until = january + 31 * day;
    expectSameCounts(countHistory(*store, inJanuary), countLog(ctf + "-games.log"));
    HistorySelection later;
    later.since = std::time(nullptr) + day;
    EXPECT_EQ(countHistory(*store, later).matches, 0);

    // For a reader that kept what it read: the fingerprints alone, and the matches past the first.
    HistorySelection fromFebruary;
    fromFebruary.since = january + 31 * day;
    std::vector<std::string> read, fingerprints;
    const auto reading = [&read](const MatchRecord& m) { read.push_back(m.fingerprint); };
    ASSERT_FALSE(store->readMatches(fromFebruary, reading));
    ASSERT_FALSE(store->readFingerprints(fromFebruary, fingerprints));
    ASSERT_GT(read.size(), 3u);
    EXPECT_EQ(fingerprints, read);
    const std::vector<std::string> past(read.begin() + 3, read.end());
    fromFebruary.skip = 3;
    read.clear();
    ASSERT_FALSE(store->readMatches(fromFebruary, reading));
    EXPECT_EQ(read, past);
    ASSERT_FALSE(store->readFingerprints(fromFebruary, fingerprints));
    EXPECT_EQ(fingerprints, past);
}

} // namespace
