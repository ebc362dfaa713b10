// The fuzz targets' properties as tests: every seed and every input the fuzzer
// ever broke the program with goes through the whole chain again, and each
// check is shown to catch what it is there for.

#include "fuzz/log_checks.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvath {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> filesUnder(const std::string& folder) {
    std::vector<fs::path> files;
    const fs::path root = test::sourcePath(folder);
    if (fs::is_directory(root))
        for (const auto& entry : fs::directory_iterator(root))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    return files;
}

TEST(FuzzLogReplay, SeedsAndPastFindingsKeepEveryProperty) {
    const auto seeds = filesUnder("fuzz/seeds/log");
    ASSERT_GE(seeds.size(), 5u);
    for (const auto& folder : {"fuzz/seeds/log", "fuzz/regressions/log"})
        for (const fs::path& file : filesUnder(folder))
            EXPECT_EQ(fuzz::checkLogBytes(test::readFile(file)), "") << file;
}

// A table after a pass over `log` (LF line ends as a Linux server writes them).
PlayerTable tableOf(const std::string& log) {
    LogDocument doc;
    Progress progress;
    loadLogBytes(log, doc, progress);
    PlayerTable players;
    runStatisticsPass(doc, players, progress);
    return players;
}

TEST(FuzzLogChecks, LinkThenUnlinkRestoresAFlatTable) {
    PlayerTable players = tableOf("x msec\n"
                                  "^1Ann^7 was shot by ^4Bob^7's M4\n"
                                  "Bob renamed to Bobby\n"
                                  "Ann renamed to Anna\n"
                                  "^4Bobby^7 was sniped by ^1Anna^7's MSG90A1\n"
                                  "^1Anna^7 was sliced by ^4Bob^7\n");
    ASSERT_TRUE(fuzz::aliasesAreFlat(players));
    ASSERT_GE(players.playerCount(), 4);
    EXPECT_EQ(fuzz::checkCountersNotNegative(players), "");
    EXPECT_EQ(fuzz::checkAllPlayersSum(players), "");
    EXPECT_EQ(fuzz::checkLinkUnlinkRestores(players), "");
    EXPECT_EQ(players[players.findByName("Bob")].name, "Bob");
}

TEST(FuzzLogChecks, EachCheckCatchesItsBreak) {
    PlayerTable players = tableOf("x msec\n^1Ann^7 was shot by ^4Bob^7's M4\n");
    players[1][ak74Kills] = -1;
    EXPECT_NE(fuzz::checkCountersNotNegative(players), "");
    EXPECT_NE(fuzz::checkAllPlayersSum(players), "");

    LogDocument doc;
    doc.setText("a^b");
    EXPECT_NE(fuzz::checkRendered(doc), "");
    EXPECT_NE(fuzz::checkSheet("one line\r\n"), "");
}

} // namespace
} // namespace quorvath
