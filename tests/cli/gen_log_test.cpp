// gen-log must give the same bytes for the same arguments: benchmarks and
// large-file tests rely on regenerating an identical log.

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace {

using quorvath::test::readFile;
using quorvath::test::TempDir;

std::string generate(const TempDir& dir, const std::string& name, const std::string& args) {
    const auto out = dir.file(name);
    const std::string command = std::string("\"") + QUORVATH_GEN_LOG_TOOL + "\" " + args +
                                " --out \"" + out.string() + "\"";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return readFile(out);
}

TEST(GenLog, SameSeedGivesSameBytesAndAFullLog) {
    TempDir dir;
    const std::string first = generate(dir, "a.log", "--size-mb 0.3 --seed 42");
    const std::string second = generate(dir, "b.log", "--size-mb 0.3 --seed 42");
    ASSERT_GE(first.size(), 300u * 1024u);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, generate(dir, "c.log", "--size-mb 0.3 --seed 43"));

    EXPECT_NE(first.find("Current search path:\r\n"), std::string::npos);
    EXPECT_NE(first.find(" msec\r\n"), std::string::npos);
    EXPECT_NE(first.find(" was shot by "), std::string::npos);
    const std::string tail = "----- CL_Shutdown -----\r\n";
    EXPECT_NE(first.find(tail, first.size() - 100), std::string::npos);
}

// Renames switch between each player's own few names, so a long log stays at a
// few hundred distinct names instead of gaining one per rename.
TEST(GenLog, RenamesDrawFromABoundedPoolOfNames) {
    TempDir dir;
    const std::string log = generate(dir, "r.log", "--size-mb 1 --seed 3 --players 20");
    std::set<std::string> renamedTo;
    const std::string phrase = " renamed to ";
    for (auto at = log.find(phrase); at != std::string::npos; at = log.find(phrase, at + 1)) {
        const auto from = at + phrase.size();
        renamedTo.insert(log.substr(from, log.find('\r', from) - from));
    }
    EXPECT_GT(renamedTo.size(), 10u);
    EXPECT_LE(renamedTo.size(), 20u * 3u); // own name and at most two alternates each

    const std::string fixed =
        generate(dir, "f.log", "--size-mb 0.2 --seed 3 --players 20 --aliases 0");
    EXPECT_EQ(fixed.find(phrase), std::string::npos);
}

TEST(GenLog, LfWritesBareLineFeedsOfTheSameLog) {
    TempDir dir;
    const std::string crlf = generate(dir, "crlf.log", "--size-mb 0.1 --seed 5 --players 20");
    const std::string lf = generate(dir, "lf.log", "--size-mb 0.1 --seed 5 --players 20 --lf");
    EXPECT_EQ(lf.find('\r'), std::string::npos);
    std::string stripped;
    for (char c : crlf)
        if (c != '\r')
            stripped += c;
    // The size target counts the shorter line ends, so the LF log may run a little longer.
    EXPECT_EQ(lf.compare(0, stripped.size() - 200, stripped, 0, stripped.size() - 200), 0);
}

} // namespace
