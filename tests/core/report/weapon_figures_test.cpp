// The figures behind both weapons charts (the web report's and the statistics
// window's): which weapons a player has, how long their bars are, and the
// table of text that stands for the chart.
#include "core/report/weapon_figures.h"

#include "core/stats/player_table.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

TEST(WeaponFigures, ListsTheWeaponsUsedInSheetOrderLeavingOutWhatTheLogCannotRecord) {
    PlayerTable t;
    PlayerRecord& p = t[0];
    p[knifeKills] = 2;
    p[m4Deaths] = 5;
    p[m203Kills] = 1;
    p[mp5Kills] = 0; // a weapon never used has no row
    CountingScope scope;
    const std::vector<WeaponFigures> all{
        {"M4/M203", 0, 5}, {"M203 Grenade", 1, 0}, {"Knife", 2, 0}};
    EXPECT_EQ(weaponFigures(p, scope), all);
    EXPECT_EQ(weaponFiguresText(all), "Weapon\tKills\tDeaths\r\nM4/M203\t0\t5\r\n"
                                      "M203 Grenade\t1\t0\r\nKnife\t2\t0\r\n");
    scope.setUnrecorded(m203Kills);
    scope.setUnrecorded(m4Deaths);
    EXPECT_EQ(weaponFigures(p, scope), (std::vector<WeaponFigures>{{"Knife", 2, 0}}));
    EXPECT_EQ(weaponFiguresText({}), "Weapon\tKills\tDeaths\r\n");
}

TEST(WeaponFigures, BarsAreScaledToTheLargestFigure) {
    EXPECT_EQ(weaponFiguresPeak({}), 1);
    EXPECT_EQ(weaponFiguresPeak({{"M4/M203", 3, 7}, {"Knife", 9, 0}}), 9);
    EXPECT_EQ(weaponFiguresPeak({{"Knife", -4, 0}}), 1); // never a division by nothing
    struct Case {
        std::int32_t value, peak;
        int full, length;
    };
    for (const Case c :
         {Case{9, 9, 230, 230}, Case{3, 9, 230, 76}, Case{0, 9, 230, 0}, Case{-2, 9, 230, 0},
          Case{1, 0, 50, 50}, Case{2'000'000'000, 2'000'000'000, 1000, 1000}})
        EXPECT_EQ(barLength(c.value, c.peak, c.full), c.length) << c.value << " of " << c.peak;
}

} // namespace
} // namespace quorvath
