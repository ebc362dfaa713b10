// Real `quorvath-report history import` processes on one history: one killed
// part way (SIGKILL, as a crash or a power cut would stop it) leaves every
// stored match whole and the next import completes it exactly; two importing
// one growing log at once store each of its matches once.

#include "core/history/postgres/pg_session.h"
#include "core/history/record_coding.h"
#include "core/history/sqlite/sqlite_history.h"
#include "history_test_support.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <latch>
#include <map>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace quorvath;
using namespace quorvath::test;

// Everything a match stores but its place and date, by fingerprint; `count`
// the matches read (more than the map holds when one is stored twice).
std::map<std::string, std::string> storedMatches(HistoryStore& store, int* count = nullptr) {
    std::map<std::string, std::string> matches;
    int read = 0;
    const HistoryError error = store.readMatches({}, [&](const MatchRecord& match) {
        std::string content = match.server + '\n' + match.map + '\n' + match.gameType + '\n' +
                              encodeKills(match.kills) + encodeRenames(match.renames) +
                              encodeScope(match.scope) + (match.ended ? "ended" : "");
        for (const MatchPlayer& player : match.players)
            content += '\n' + player.name + '\n' + encodeCounters(player.counters) + player.guid;
        matches.emplace(match.fingerprint, std::move(content));
        ++read;
    });
    EXPECT_FALSE(error) << *error;
    if (count)
        *count = read;
    return matches;
}

// The whole history's sheets, from the kept totals, the same.
void expectSameWholeHistory(HistoryStore& store, HistoryStore& other) {
    Counted a, b;
    std::vector<NameActivity> activity;
    ASSERT_FALSE(countSelection(store, {}, a.players, a.scope, activity));
    ASSERT_FALSE(countSelection(other, {}, b.players, b.scope, activity));
    expectSameCounts(a, b);
}

int storedMatchCount(const std::string& history) {
    if (onPostgres()) {
        pg::Error error;
        pg::Session db(history, error);
        std::optional<pg::Result> count;
        if (!error)
            error = db.query("SELECT count(*) FROM matches", {}, count);
        return error ? 0 : static_cast<int>(count->int64(0, 0)); // not migrated yet: 0
    }
    try {
        SQLite::Database probe(history, SQLite::OPEN_READONLY, 1000);
        return probe.execAndGet("SELECT count(*) FROM matches").getInt();
    } catch (const SQLite::Exception&) { // not created, or not migrated yet
        return 0;
    }
}

// Starts `quorvath-report history import --db HISTORY LOG...`, its output
// thrown away.
pid_t startImport(const std::string& history, const std::vector<std::string>& logs) {
    std::vector<std::string> args = {QUORVATH_REPORT_TOOL, "history", "import", "--db", history};
    args.insert(args.end(), logs.begin(), logs.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

int exitStatus(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Imports the logs and kills the import once it has stored a batch; false
// when it finished first.
bool importKilledPartWay(const std::string& history, const std::vector<std::string>& logs) {
    const pid_t child = startImport(history, logs);
    int status = 0;
    while (storedMatchCount(history) == 0 && waitpid(child, &status, WNOHANG) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

TEST(HistoryProcesses, AnImportKilledPartWayLosesAtMostItsBatchAndTheNextCompletesIt) {
    TempDir dir;
    std::vector<std::string> logs;
    for (int seed = 1; seed <= 6; ++seed) {
        logs.push_back(dir.file("server" + std::to_string(seed) + ".log").string());
        const std::string command = std::string("\"") + QUORVATH_GEN_LOG_TOOL +
                                    "\" --size-mb 4 --seed " + std::to_string(seed) + " --out \"" +
                                    logs.back() + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    auto clean = openHistory(dir.file("clean.sqlite").string());
    for (const std::string& log : logs) {
        LogImport result;
        ASSERT_FALSE(importLog(*clean, log, result));
    }
    ASSERT_FALSE(clean->refreshTotals());
    const auto cleanMatches = storedMatches(*clean);

    std::string killed;
    bool interrupted = false;
    for (int attempt = 0; attempt < 5 && !interrupted; ++attempt) { // a busy machine may finish
        killed = dir.file("killed" + std::to_string(attempt) + ".sqlite").string();
        interrupted = importKilledPartWay(historyAt(killed), logs);
    }
    ASSERT_TRUE(interrupted);
    if (!onPostgres()) {
        SQLite::Database check(killed, SQLite::OPEN_READONLY);
        EXPECT_EQ(check.execAndGet("PRAGMA integrity_check").getString(), "ok");
    }
    auto store = openHistory(killed);
    const auto partMatches = storedMatches(*store);
    EXPECT_GT(partMatches.size(), 0u);
    EXPECT_LT(partMatches.size(), cleanMatches.size());
    for (const auto& [fingerprint, content] : partMatches) {
        const auto whole = cleanMatches.find(fingerprint);
        ASSERT_NE(whole, cleanMatches.end());
        EXPECT_EQ(content, whole->second);
    }

    EXPECT_EQ(exitStatus(startImport(historyAt(killed), logs)), 0);
    EXPECT_EQ(storedMatches(*store), cleanMatches);
    expectSameCounts(countHistory(*store), countHistory(*clean));
    expectSameWholeHistory(*store, *clean);
}

TEST(HistoryProcesses, TwoImportersOfOneGrowingLogStoreEachMatchOnce) {
    TempDir dir;
    generateMatch("ctf", dir.file("m").string(), 7, 12);
    const std::string whole = readFile(dir.file("m-games.log").string());
    const std::string log = dir.file("games.log").string();
    const std::string shared = historyAt(dir.file("shared.sqlite").string());
    for (int step = 1; step <= 6; ++step) { // cut anywhere, at last whole
        writeFile(log, whole.substr(0, whole.size() * static_cast<std::size_t>(step) / 6));
        const pid_t first = startImport(shared, {log}), second = startImport(shared, {log});
        EXPECT_EQ(exitStatus(first), 0);
        EXPECT_EQ(exitStatus(second), 0);
    }
    auto clean = openHistory(dir.file("clean.sqlite").string());
    LogImport result;
    ASSERT_FALSE(importLog(*clean, log, result));
    auto store = openHistory(dir.file("shared.sqlite").string());
    int stored = 0;
    EXPECT_EQ(storedMatches(*store, &stored), storedMatches(*clean));
    EXPECT_EQ(stored, result.matches);
    expectSameCounts(countHistory(*store), countLog(log));
    expectSameWholeHistory(*store, *clean);
}

// Two programs opening one new history at the same moment each switch it to
// WAL; the one that finds the other holding the lock waits, never gives up.
TEST(HistoryProcesses, TwoOpenersOfOneNewHistoryAtOnceBothUseIt) {
    if (onPostgres())
        GTEST_SKIP() << "SQLite's own locking";
    TempDir dir;
    for (int round = 0; round < 200; ++round) {
        const std::string path = dir.file("new" + std::to_string(round) + ".sqlite").string();
        std::latch start(2);
        std::array<HistoryError, 2> errors;
        const auto open = [&](HistoryError& error) {
            std::unique_ptr<HistoryStore> store;
            start.arrive_and_wait();
            error = openSqliteHistory(path, store);
        };
        {
            const std::jthread other([&] { open(errors[1]); });
            open(errors[0]);
        }
        for (const HistoryError& error : errors)
            ASSERT_FALSE(error) << "round " << round << ": " << *error;
    }
}

} // namespace
