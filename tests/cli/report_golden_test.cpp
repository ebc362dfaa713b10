// quorvath-report's outputs, byte for byte, on three logs: samples/demo.log and
// tests/golden/gen-seed7.log (a committed `gen-log --size-mb 0.2 --seed 7
// --players 40 --aliases 3`), console logs counted Classic, and the server
// game log tests/golden/match-ctf-games.log (a committed `gen-log --match ctf
// --seed 7 --players 15 --events 150`), counted Accurate; the committed logs
// stay as committed when gen-log changes.
// Each row runs unlinked and with --linked; the expected bytes live in
// tests/golden/LOG/ROW.out and ROW.linked.out (one file where --linked cannot
// change the output).
//
// After a deliberate change of an output, regenerate the files and review the
// diff before committing:
//   QUORVATH_UPDATE_GOLDEN=1 ctest --test-dir build/test -R ReportGolden

#include "cli/report_tool_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using quorvath::test::readFile;
using quorvath::test::sourcePath;
using quorvath::test::TempDir;

struct GoldenLog {
    const char* name;   // the folder under tests/golden
    const char* path;   // from the project root
    const char* header; // what standard error says after the path; nullptr: nothing
};

struct GoldenRow {
    const char* log; // nullptr: every log
    const char* name;
    const char* args;
    bool linkedDiffers = true;
    const char* unknown = nullptr; // what the warning on standard error says after "no "
};

constexpr GoldenLog kLogs[] = {
    {"demo", "samples/demo.log", nullptr},
    {"gen-seed7", "tests/golden/gen-seed7.log", nullptr},
    {"match-ctf", "tests/golden/match-ctf-games.log", ": server game log, Accurate counting\n"},
};

constexpr GoldenRow kRows[] = {
    {nullptr, "summary", "--nick Quorvath"},
    {nullptr, "summary-nick-case", "--nick quorvath", true,
     "player is named \"quorvath\""}, // "All Players"
    {nullptr, "rendered", "--rendered", false},
    {nullptr, "runs", "--runs", false},
    {nullptr, "players", "--players"},
    {nullptr, "sheets", "--sheets"},
    {nullptr, "sheet-quorvath", "--sheet Quorvath"},
    {nullptr, "sheet-unknown", "--sheet Nobody", true, "player is named \"Nobody\""},
    {nullptr, "ranking-kills", "--ranking Kills"},
    {nullptr, "ranking-kills-case", "--ranking kills", true, "category is named \"kills\""},
    {nullptr, "ranking-overall", "--ranking 'Overall Score (Kills + Team Points - TK)'"},
    {nullptr, "ranking-top-killers", "--ranking 'Top Killers/Victims (Drag 2 right pane)'"},
    {nullptr, "ranking-team-killing", "--ranking 'Team Killing'"},
    {nullptr, "ranking-headshots", "--ranking 'Headshots (OSP)'"},
    {nullptr, "ranking-briefcase", "--ranking 'The Briefcase'"},
    {nullptr, "ranking-flag", "--ranking 'The Flag'"},
    {nullptr, "ranking-bomb", "--ranking 'The Bomb'"},
    {nullptr, "ranking-kicks-bans", "--ranking Kicks/Bans"},
    {nullptr, "ranking-suicide", "--ranking Suicide"},
    {nullptr, "ranking-hand-to-hand", "--ranking 'Hand-to-Hand Combat'"},
    {nullptr, "ranking-m4", "--ranking M4/M203"},
    {nullptr, "top-quorvath", "--top Quorvath"},
    {nullptr, "top-unknown", "--top Nobody", true, "player is named \"Nobody\""},
    // The tables the same lists make (names stay Windows-1252 in CSV, UTF-8 in JSON).
    {nullptr, "ranking-bomb-csv", "--ranking 'The Bomb' --format csv"},
    {nullptr, "top-quorvath-json", "--top Quorvath --format json"},
    {"demo", "sheet-joe", "--sheet Joe"},
    {"demo", "top-tango", "--top Tango"},
    {"demo", "top-snipey", "--top Snipey"}, // an alias: no top lists while linked
    {"gen-seed7", "sheet-inrozu46", "--sheet Inrozu46"},
    {"gen-seed7", "top-inrozu46", "--top Inrozu46"},
    {"match-ctf", "top-sam", "--top Sam"}, // linked: a person's names add up
    {"match-ctf", "sheets-csv", "--sheets --format csv"},
};

// The offset of the first differing byte, for a readable failure.
std::size_t firstDifference(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return i;
}

TEST(ReportGolden, EveryOutputOnBothLogsUnlinkedAndLinked) {
    const bool update = std::getenv("QUORVATH_UPDATE_GOLDEN") != nullptr;
    TempDir dir;
    for (const GoldenLog& log : kLogs) {
        const fs::path folder = sourcePath(std::string("tests/golden/") + log.name);
        if (update)
            fs::create_directories(folder);
        for (const GoldenRow& row : kRows) {
            if (row.log != nullptr && std::string(row.log) != log.name)
                continue;
            for (const bool linked : {false, true}) {
                const std::string file =
                    std::string(row.name) + (linked && row.linkedDiffers ? ".linked" : "") + ".out";
                SCOPED_TRACE(std::string(log.name) + "/" + file);
                // The log's own bytes, whatever the locale of the test run.
                const std::string args = "'" + sourcePath(log.path).string() + "' " + row.args +
                                         (linked ? " --linked" : "") + " --encoding cp1252";
                const quorvath::test::ToolRun run = quorvath::test::runReportTool(dir, args);
                const std::string header =
                    log.header ? "quorvath-report: " + sourcePath(log.path).string() + log.header
                               : "";
                // Every mismatch is reported, not only the first: each output goes on.
                EXPECT_EQ(run.status, 0) << run.err;
                EXPECT_EQ(run.err, header + (row.unknown ? "quorvath-report: warning: no " +
                                                               std::string(row.unknown) + "\n"
                                                         : ""));
                if (update) {
                    if (run.status == 0)
                        quorvath::test::writeFile(folder / file, run.out);
                    continue;
                }
                if (!fs::exists(folder / file)) {
                    ADD_FAILURE() << "missing; see this file's header";
                    continue;
                }
                const std::string expected = readFile(folder / file);
                EXPECT_TRUE(run.out == expected)
                    << run.out.size() << " bytes against " << expected.size()
                    << ", first difference at byte " << firstDifference(run.out, expected);
            }
        }
    }
}

} // namespace
