// The player sheet, byte for byte, held to tests/golden/player-sheets.out:
// first a record whose every counter k holds 1000 + k, so that each cell
// names the counter it shows, then a record at the ends of the 32-bit range,
// then the first counted Accurate from a log that could not record some
// counters (the briefcase ones hide "Won round with briefcase" too).
// After a deliberate change of the sheet, regenerate and review the diff:
//   QUORVATH_UPDATE_GOLDEN=1 ctest --test-dir build/test -R PlayerSheet

#include "core/report/player_sheet.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quorvath {
namespace {

TEST(PlayerSheet, NumberedAndExtremeRecordsMatchTheGoldenSheets) {
    PlayerRecord numbered;
    numbered.name = "Numbered";
    for (int k = kFirstCounter; k <= kLastCounter; ++k)
        numbered.counters[static_cast<std::size_t>(k)] = 1000 + k;
    PlayerRecord extreme; // the briefcase wins (taken - dropped - escaped) wrap
    extreme.name = "^1odd name (alias)";
    extreme[totalKills] = INT32_MIN;
    extreme[totalDeaths] = INT32_MAX;
    extreme[briefcasesTaken] = INT32_MIN;
    extreme[briefcasesDropped] = 1;

    CountingScope accurate;
    accurate.mode = CountingMode::Accurate;
    for (Counter c : {headshotDeaths, briefcasesTaken, flagsCaptured, bots})
        accurate.setUnrecorded(c);

    const std::string sheets =
        playerSheet(numbered) + playerSheet(extreme) + playerSheet(numbered, accurate);
    const auto golden = test::sourcePath("tests/golden/player-sheets.out");
    if (std::getenv("QUORVATH_UPDATE_GOLDEN"))
        test::writeFile(golden, sheets);
    EXPECT_EQ(sheets, test::readFile(golden));
}

} // namespace
} // namespace quorvath
