// quorvath-report's log commands, run as a program.

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace {

using quorvath::test::readFile;
using quorvath::test::TempDir;
using quorvath::test::writeFile;

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

RunResult runTool(const TempDir& dir, const std::string& args) {
    const auto out = dir.file("stdout"), err = dir.file("stderr");
    const std::string command = std::string("\"") + QUORVATH_REPORT_TOOL + "\" " + args + " >\"" +
                                out.string() + "\" 2>\"" + err.string() + "\"";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
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
    EXPECT_EQ(runs.out, "0\t1\t49344\tbu\n"          // the banner's first CR
                        "1\t4\t14737632\tbu\n"       // LF, then CR LF and a space after LFs
                        "5\t144\t49344\tbu\n"
                        "149\t2\t14737632\t-\n"
                        "151\t3\t8421631\t-\n"       // Red
                        "154\t8\t14737632\t-\n"
                        "162\t4\t16744576\t-\n"      // Blue
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

} // namespace
