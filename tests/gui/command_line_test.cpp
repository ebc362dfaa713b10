// The program's command line on the terminal: an option it does not know is a
// usage error, not a log that does not exist.

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace quorvath {
namespace {

struct Answer {
    int status;
    std::string out;
    std::string err;
};

Answer runProgram(const test::TempDir& dir, const std::string& args) {
    const auto out = dir.file("stdout"), err = dir.file("stderr");
    const std::string command = std::string("\"") + QUORVATH_PROGRAM + "\" " + args + " >\"" +
                                out.string() + "\" 2>\"" + err.string() + "\"";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::readFile(out), test::readFile(err)};
}

TEST(CommandLine, AnUnknownOptionIsAUsageErrorWithTheUsageLine) {
    test::TempDir dir;
    for (const char* option : {"--bogus", "-x", "--screenshot shot.png --bogus"}) {
        SCOPED_TRACE(option);
        const Answer answer = runProgram(dir, option);
        EXPECT_EQ(answer.status, 2);
        EXPECT_EQ(answer.out, "");
        const std::string unknown = std::string(option).substr(std::string(option).rfind(' ') + 1);
        EXPECT_EQ(answer.err,
                  "quorvath: unknown option " + unknown + "; see --help\nUsage: quorvath [LOG]\n");
    }
    const Answer help = runProgram(dir, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: quorvath [LOG]\n", 0), 0u);
}

} // namespace
} // namespace quorvath
