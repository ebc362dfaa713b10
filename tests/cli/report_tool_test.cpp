// quorvath-report run as a program: its command line, and how a refused log
// reaches the user. Its outputs are held to tests/golden (report_golden_test).

#include "cli/report_tool_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using quorvath::test::runReportTool;
using quorvath::test::TempDir;
using quorvath::test::ToolRun;
using quorvath::test::writeFile;

TEST(ReportTool, WrongCommandLinesExitTwoWithTheReason) {
    const struct {
        const char* args;
        const char* reason;
    } cases[] = {
        {"", "no log file given"},
        {"--players", "no log file given"},
        {"a.log b.log", "only one log may be given (b.log)"},
        {"a.log --players --sheets", "only one command may be given (--sheets)"},
        {"a.log --sheet", "--sheet needs a value"},
        {"a.log --ranking", "--ranking needs a value"},
        {"a.log --top", "--top needs a value"},
        {"a.log --nick", "--nick needs a value"},
        {"a.log --rendered --bogus", "unknown option --bogus"},
        {"a.log -x", "unknown option -x"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const ToolRun r = runReportTool(dir, c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, std::string("quorvath-report: ") + c.reason + "; see --help\n");
    }
    // Help wins over everything else on the line, and reads no log.
    const ToolRun help = runReportTool(dir, "missing.log --players --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: quorvath-report LOG", 0), 0u);
    // A lone "-" is a file name, not an option.
    EXPECT_EQ(runReportTool(dir, "- --players").status, 1);
}

TEST(ReportTool, ARefusedLogIsNamedOnStandardErrorWithStatusOne) {
    TempDir dir;
    const std::string missing = dir.file("missing.log").string();
    const ToolRun r = runReportTool(dir, "\"" + missing + "\" --sheets");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "quorvath-report: The file \"" + missing + "\" does not exist.\n");
}

TEST(ReportTool, ALogInAReadOnlyFolderPrintsAndNothingIsWritten) {
    // The report tool makes no archive copy, so a folder it cannot write to is no obstacle.
    TempDir dir;
    const fs::path folder = dir.file("readonly");
    fs::create_directory(folder);
    const std::string log = (folder / "server.log").string();
    writeFile(log, "msec\r\nhello\r\n");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    const ToolRun r = runReportTool(dir, "\"" + log + "\" --rendered", true);
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(149), "\r\nhello\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

} // namespace
