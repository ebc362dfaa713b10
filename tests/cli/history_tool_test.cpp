// quorvath-report history: the matches of a log, imported, print byte for
// byte what the log counted Accurate prints, for every command and format
// (rankings with --bots);
// a history it cannot use is named with its problem.

#include "cli/report_tool_run.h"
#include "support/history_backend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using quorvath::test::historyAt;
using quorvath::test::readFile;
using quorvath::test::runReportTool;
using quorvath::test::TempDir;

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

TEST(HistoryTool, ImportedMatchesPrintWhatTheirLogCountedAccuratePrints) {
    TempDir dir;
    const std::string prefix = dir.file("m").string();
    const std::string generate = std::string("\"") + QUORVATH_GEN_LOG_TOOL +
                                 "\" --match inf --seed 4 --maps 5 --out " + quoted(prefix);
    ASSERT_EQ(std::system(generate.c_str()), 0);
    const std::string commands[] = {
        "",
        "--players",
        "--sheets",
        "--sheets --linked",
        "--counts",
        "--ranking Kills",
        "--ranking \"Overall Score\" --format csv",
        "--players --format json",
        "--sheets --format csv --encoding utf-8",
    };
    for (const char* kind : {"console", "games", "server"}) {
        SCOPED_TRACE(kind);
        const std::string log = prefix + "-" + kind + ".log";
        const std::string db =
            "--db " + quoted(historyAt(dir.file(std::string(kind) + ".sqlite").string()));
        const auto import = runReportTool(dir, "history import " + db + " " + quoted(log));
        ASSERT_EQ(import.status, 0) << import.err;
        EXPECT_EQ(import.out.rfind(log + ": ", 0), 0u) << import.out;
        const std::string someone =
            runReportTool(dir, quoted(log) + " --counting accurate --players --encoding cp1252")
                .out.substr(13); // after "All Players\r\n"
        const std::string player = someone.substr(0, someone.find('\r'));
        std::vector<std::string> all(std::begin(commands), std::end(commands));
        all.push_back("--sheet \"" + player + "\"");
        all.push_back("--top \"" + player + "\" --nick \"" + player + "\"");
        for (const std::string& command : all) {
            SCOPED_TRACE(command);
            const std::string args = command + " --encoding cp1252";
            const auto fromLog = runReportTool(dir, quoted(log) + " --counting accurate " + args);
            // Rankings and top lists leave the bots out unless asked for.
            const bool ranks = command.empty() || command.find("--ranking") != std::string::npos ||
                               command.find("--top") != std::string::npos;
            const auto fromHistory =
                runReportTool(dir, "history " + db + " " + args + (ranks ? " --bots" : ""));
            EXPECT_EQ(fromHistory.status, 0) << fromHistory.err;
            EXPECT_EQ(fromHistory.out, fromLog.out);
        }
        // Game types listed with commas select the matches of any of them (a
        // player's console log does not say its matches' game type).
        const auto sheets = [&](const std::string& types) {
            return runReportTool(dir, "history " + db + types + " --sheets --encoding cp1252").out;
        };
        const bool typed = std::string(kind) != "console";
        EXPECT_EQ(sheets(" --gametype ctf,inf") == sheets(""), typed);
        EXPECT_NE(sheets(" --gametype ctf,dm"), sheets(""));
        const auto again = runReportTool(dir, "history import " + db + " " + quoted(log));
        EXPECT_EQ(again.out, log + ": unchanged since the last import\n");
        // A copy is a log of its own, all of whose matches are in already;
        // its import still writes the site asked for.
        const std::string copy = dir.file(std::string(kind) + "-copy.log").string();
        const std::string site = dir.file(std::string(kind) + "-site").string();
        quorvath::test::writeFile(copy, readFile(log));
        const auto copied = runReportTool(dir, "history import " + db + " --html " + quoted(site) +
                                                   " " + quoted(copy));
        EXPECT_EQ(
            copied.out.rfind(copy + ": 0" + import.out.substr(import.out.find(" new of ")), 0), 0u)
            << copied.out;
        EXPECT_TRUE(std::filesystem::exists(site + "/index.html"));
    }
}

// --follow imports what is there, then what the log gains, until stopped.
TEST(HistoryTool, FollowingALogImportsItsMatchesAsTheyCome) {
    TempDir dir;
    const std::string prefix = dir.file("m").string();
    const std::string generate = std::string("\"") + QUORVATH_GEN_LOG_TOOL +
                                 "\" --match ctf --seed 8 --maps 4 --out " + quoted(prefix);
    ASSERT_EQ(std::system(generate.c_str()), 0);
    const std::string whole = readFile(prefix + "-games.log");
    const std::string log = dir.file("games.log").string();
    quorvath::test::writeFile(log, whole.substr(0, whole.size() / 2));
    const std::string db = "--db " + quoted(historyAt(dir.file("h.sqlite").string()));
    const std::string said = dir.file("said.txt").string();
    const std::string follow = "timeout -s INT 5 \"" + std::string(QUORVATH_REPORT_TOOL) +
                               "\" history import --follow " + db + " " + quoted(log) + " >" +
                               quoted(said) + " 2>&1 &";
    ASSERT_EQ(std::system(follow.c_str()), 0);
    ::sleep(1);
    std::ofstream(log, std::ios::app | std::ios::binary) << whole.substr(whole.size() / 2);
    ::sleep(5);
    const std::string args = "--counts --encoding cp1252";
    EXPECT_EQ(runReportTool(dir, "history " + db + " " + args).out,
              runReportTool(dir, quoted(log) + " --counting accurate " + args).out);
    // Each round that adds matches says so: the first half, then the rest.
    const std::string lines = readFile(said);
    const auto second = lines.find('\n') + 1;
    EXPECT_EQ(lines.rfind(log + ": ", 0), 0u) << lines;
    EXPECT_EQ(lines.find(log + ": ", second), second) << lines;
    EXPECT_EQ(lines.find('\n', second) + 1, lines.size()) << lines;
}

TEST(HistoryTool, AHistoryItCannotUseOrAWrongCommandLineIsSaid) {
    if (quorvath::test::onPostgres())
        GTEST_SKIP() << "the problems of an SQLite file";
    TempDir dir;
    const std::string db = dir.file("h.sqlite").string();
    const std::string log = std::string(QUORVATH_SOURCE_DIR) + "/samples/demo.log";
    const auto none = runReportTool(dir, "history --players --db " + quoted(db));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err,
              "quorvath-report: The history \"" + db + "\" does not exist: import logs first.\n");
    EXPECT_FALSE(std::filesystem::exists(db));
    ASSERT_EQ(runReportTool(dir, "history import --db " + quoted(db) + " " + quoted(log)).status,
              0);
    // As root the tool runs as nobody, to whom the history is read-only.
    const auto readOnly =
        runReportTool(dir, "history import --db " + quoted(db) + " " + quoted(log + ""), true);
    if (readOnly.status != 0) {
        EXPECT_EQ(readOnly.status, 1);
        EXPECT_NE(readOnly.err.find("\"" + db + "\""), std::string::npos) << readOnly.err;
    }
    const auto noLog = runReportTool(dir, "history import --db " + quoted(db) + " " +
                                              quoted(dir.file("missing.log").string()));
    EXPECT_EQ(noLog.status, 1);
    EXPECT_NE(noLog.err.find("missing.log"), std::string::npos);

    const std::string notALog = dir.file("notes.txt").string();
    quorvath::test::writeFile(notALog, "shopping list\n");
    const auto unknown =
        runReportTool(dir, "history import --db " + quoted(db) + " " + quoted(notALog));
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("no kind of log"), std::string::npos) << unknown.err;

    EXPECT_EQ(runReportTool(dir, "history --db " + quoted(db) + " --since 2026-13-01").status, 2);
    EXPECT_EQ(
        runReportTool(dir, "history import --date 1.1.26 --db " + quoted(db) + " " + quoted(log))
            .status,
        2);
    EXPECT_EQ(runReportTool(dir, "history --db " + quoted(db) + " --players --counts").status, 2);
    EXPECT_EQ(runReportTool(dir, "history --db " + quoted(db) + " --counts --format json").status,
              2);
    const auto help = runReportTool(dir, "history --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("modification"), std::string::npos);
}

} // namespace
