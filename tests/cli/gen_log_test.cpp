// gen-log must give the same bytes for the same arguments: benchmarks and
// large-file tests rely on regenerating an identical log.

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

namespace {

std::string generate(const std::string& args) {
    const quorvath::test::TempDir dir;
    const auto out = dir.file("gen.log");
    const std::string command = std::string("\"") + QUORVATH_GEN_LOG_TOOL + "\" " + args +
                                " --out \"" + out.string() + "\"";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return quorvath::test::readFile(out);
}

TEST(GenLog, SameSeedGivesSameBytesAndAFullLogInEitherLineEnd) {
    const std::string first = generate("--size-mb 0.3 --seed 42");
    ASSERT_GE(first.size(), 300u * 1024u);
    EXPECT_EQ(first, generate("--size-mb 0.3 --seed 42"));
    EXPECT_NE(first, generate("--size-mb 0.3 --seed 43"));
    for (const char* piece : {"Current search path:\r\n", " msec\r\n", " was shot by "})
        EXPECT_NE(first.find(piece), std::string::npos) << piece;
    EXPECT_NE(first.find("----- CL_Shutdown -----\r\n", first.size() - 100), std::string::npos);

    // --lf: the same log with bare line feeds (the size target counts the
    // shorter line ends, so it may run a little longer).
    const std::string lf = generate("--size-mb 0.3 --seed 42 --lf");
    std::string stripped = first;
    stripped.erase(std::remove(stripped.begin(), stripped.end(), '\r'), stripped.end());
    EXPECT_EQ(lf.find('\r'), std::string::npos);
    EXPECT_EQ(lf.compare(0, stripped.size() - 200, stripped, 0, stripped.size() - 200), 0);
}

// Renames switch between each player's own few names, so a long log stays at a
// few hundred distinct names instead of gaining one per rename.
TEST(GenLog, RenamesDrawFromABoundedPoolOfNames) {
    const std::string log = generate("--size-mb 1 --seed 3 --players 20");
    std::set<std::string> renamedTo;
    const std::string phrase = " renamed to ";
    for (auto at = log.find(phrase); at != std::string::npos; at = log.find(phrase, at + 1)) {
        const auto from = at + phrase.size();
        renamedTo.insert(log.substr(from, log.find('\r', from) - from));
    }
    EXPECT_GT(renamedTo.size(), 10u);
    EXPECT_LE(renamedTo.size(), 20u * 3u); // own name and at most two alternates each
    EXPECT_EQ(generate("--size-mb 0.2 --seed 3 --players 20 --aliases 0").find(phrase),
              std::string::npos);
}

} // namespace
