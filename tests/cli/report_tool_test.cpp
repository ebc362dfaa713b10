// quorvath-report's log commands, run as a program.

#include "cli/report_tool_run.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using quorvath::test::TempDir;
using quorvath::test::writeFile;

using RunResult = quorvath::test::ToolRun;

RunResult runTool(const TempDir& dir, const std::string& args) {
    return quorvath::test::runReportTool(dir, args);
}

const std::string Banner = "\r\n\r\n" + std::string(65, ' ') + "NEW  ROUND" + std::string(70, ' ');

TEST(ReportTool, RenderedAndRuns) {
    TempDir dir;
    const auto log = dir.file("game.log").string();
    writeFile(log, "boot msec\n^1Red^7 killed ^4Blue^7\n");
    const RunResult rendered = runTool(dir, "\"" + log + "\" --rendered");
    EXPECT_EQ(rendered.status, 0);
    EXPECT_EQ(rendered.out, Banner + "\r\nRed killed Blue\r\n");

    const RunResult runs = runTool(dir, "--runs \"" + log + "\"");
    EXPECT_EQ(runs.status, 0);
    EXPECT_EQ(runs.out, "0\t1\t49344\tbu\n"    // the banner's first CR
                        "1\t4\t14737632\tbu\n" // LF, then CR LF and a space after LFs
                        "5\t144\t49344\tbu\n"
                        "149\t2\t14737632\t-\n"
                        "151\t3\t8421631\t-\n" // Red
                        "154\t8\t14737632\t-\n"
                        "162\t4\t16744576\t-\n" // Blue
                        "166\t2\t14737632\t-\n");
}

TEST(ReportTool, ErrorsAndHelp) {
    TempDir dir;
    const auto missing = dir.file("missing.log").string();
    RunResult r = runTool(dir, "\"" + missing + "\" --rendered");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "quorvath-report: The file \"" + missing + "\" does not exist.\n");

    r = runTool(dir, "\"" + dir.path().string() + "\" --runs");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("is a folder"), std::string::npos);

    r = runTool(dir, "--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--rendered"), std::string::npos);

    r = runTool(dir, "a.log --rendered --bogus");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--bogus"), std::string::npos);
}

// Two red players against one blue; Ann renames to Annie mid-game.
const std::string StatsLog = "boot 1 msec\r\n"
                             "^1Ann^7 was shot by ^4Bob^7's M4\r\n"
                             "^4Bob^7 was shot by ^1Cid^7's AK74\r\n"
                             "Ann renamed to Annie\r\n"
                             "^1Annie^7 was shot by ^4Bob^7's M4\r\n"
                             "^4Bob^7 was sliced by ^1Annie^7\r\n";

TEST(ReportTool, StatisticsCommands) {
    TempDir dir;
    const auto log = "\"" + dir.file("stats.log").string() + "\"";
    writeFile(dir.file("stats.log"), StatsLog);

    EXPECT_EQ(runTool(dir, log + " --players").out,
              "All Players\r\nAnn\r\nBob\r\nCid\r\nAnnie\r\n");
    // Linked, the alias is folded into its master and leaves the list.
    EXPECT_EQ(runTool(dir, log + " --linked --players").out,
              "All Players\r\nAnn (Annie)\r\nBob\r\nCid\r\n");

    EXPECT_EQ(runTool(dir, log + " --ranking Kills").out,
              "Rankings for Kills\r\n\r\n1: \t2\tBob\r\n2: \t1\tCid\r\n3: \t1\tAnnie\r\n");
    EXPECT_EQ(runTool(dir, log + " --linked --ranking Kills").out,
              "Rankings for Kills\r\n\r\n1: \t2\tBob\r\n2: \t1\tAnn (Annie)\r\n3: \t1\tCid\r\n");
    const RunResult unknown = runTool(dir, log + " --ranking kills");
    EXPECT_EQ(unknown.status, 0);
    EXPECT_EQ(unknown.out, "");

    // Bob killed Ann and Annie; Cid and Annie killed him.
    EXPECT_EQ(runTool(dir, log + " --top Bob").out,
              "Top Victims\r\n\r\n1:\t1\tAnn\r\n2:\t1\tAnnie\r\n\r\n"
              "Top Killers\r\n\r\n1:\t1\tCid\r\n2:\t1\tAnnie\r\n\r\n");
    // "All Players" takes no part in the top lists.
    EXPECT_EQ(runTool(dir, log + " --top Nobody").out, "");
}

TEST(ReportTool, SheetsAndSummary) {
    TempDir dir;
    const auto log = "\"" + dir.file("stats.log").string() + "\"";
    writeFile(dir.file("stats.log"), StatsLog);

    const std::string bob = runTool(dir, log + " --sheet Bob").out;
    EXPECT_EQ(bob.rfind("Stats for : Bob\r\n\r\nWeapon\t\t\tKills\tDeaths\r\n", 0), 0u);
    EXPECT_NE(bob.find("\r\nM4\t\t\t2\t0\r\n"), std::string::npos);
    EXPECT_NE(bob.find("\r\nKnife Kills\t\t\t0\t1\r\n"), std::string::npos);
    EXPECT_EQ(runTool(dir, log + " --sheet nobody").out.rfind("Stats for : All Players\r\n", 0),
              0u);

    const std::string sheets = runTool(dir, log + " --sheets").out;
    std::size_t count = 0;
    for (std::size_t at = 0; (at = sheets.find("Stats for : ", at)) != std::string::npos; ++at)
        ++count;
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(sheets.rfind("Stats for : All Players\r\n", 0), 0u);

    // No command: the nick's sheet, a blank line, then the overall score.
    const std::string summary = runTool(dir, log + " --nick Cid").out;
    const std::string overall =
        runTool(dir, log + " --ranking \"Overall Score (Kills + Team Points - TK)\"").out;
    EXPECT_EQ(summary, runTool(dir, log + " --sheet Cid").out + "\r\n" + overall);
    EXPECT_EQ(overall.rfind("Rankings for Overall Score\r\n\r\n1: \t2\tBob\r\n", 0), 0u);
    // A nick in another letter case matches nobody: "All Players".
    EXPECT_EQ(runTool(dir, log + " --nick cid").out.rfind("Stats for : All Players\r\n", 0), 0u);
}

} // namespace
