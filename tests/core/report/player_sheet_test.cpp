#include "core/report/player_sheet.h"
#include "core/stats/player_table.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

// Every counter k holds 1000 + k, so each cell names the counter it shows.
PlayerRecord numberedRecord() {
    PlayerRecord r;
    r.name = "Numbered";
    for (int k = kFirstCounter; k <= kLastCounter; ++k)
        r.stat[static_cast<std::size_t>(k)] = 1000 + k;
    return r;
}

TEST(PlayerSheet, EveryRowLabelTabsAndCounterExactly) {
    const std::string expected = "Stats for : Numbered\r\n"
                                 "\r\n"
                                 "Weapon\t\t\tKills\tDeaths\r\n"
                                 "M1911A1\t\t\t1048\t1047\r\n"
                                 "US SOCOM\t\t1055\t1054\r\n"
                                 "Silver Talon\t\t1063\t1062\r\n"
                                 "AK74\t\t\t1002\t1001\r\n"
                                 "M4\t\t\t1031\t1030\r\n"
                                 "MP5\t\t\t1039\t1038\r\n"
                                 "M60\t\t\t1035\t1034\r\n"
                                 "Sig 551\t\t\t1051\t1050\r\n"
                                 "USAS-12 Whoring\t\t1076\t1075\r\n"
                                 "MM1 Whoring\t\t1074\t1073\r\n"
                                 "RPG7 Whoring\t\t1013\t1012\r\n"
                                 "MSG90A1\t\t\t1041\t1040\r\n"
                                 "M3A1\t\t\t1029\t1028\r\n"
                                 "M590\t\t\t1033\t1032\r\n"
                                 "Micro-Uzi\t\t\t1067\t1066\r\n"
                                 "ANM14 Grenade\t\t1004\t1003\r\n"
                                 "SMOHG92 Grenade\t\t1053\t1052\r\n"
                                 "M15 Grenade\t\t1027\t1026\r\n"
                                 "M84 Grenade\t\t1037\t1036\r\n"
                                 "N00b Cannon\t\t1043\t1042\r\n"
                                 "M590 Bludgeon\t\t1007\t1006\r\n"
                                 "Pistol Whip\t\t1072\t1071\r\n"
                                 "AK Bayonet\t\t1057\t1056\r\n"
                                 "Knife Kills\t\t\t1024\t1023\r\n"
                                 "Headshot Kills(OSP): \t1045\t1044\r\n"
                                 "Team Kills\t\t1065\t1064\r\n"
                                 "Suicide (Grenade): \t\t\t1058\r\n"
                                 "Suicide (M203): \t\t\t1060\r\n"
                                 "Suicide (Fall): \t\t\t1059\r\n"
                                 "Suicide (In the wrong place): \t\t1061\r\n"
                                 "Total\t\t\t1022\t1014\r\n"
                                 "\r\n"
                                 "Took the briefcase: \t\t1011 Times\r\n"
                                 "Won round with briefcase: \t-1008 Times\r\n"
                                 "Escaped with the briefcase: \t1009 Times\r\n"
                                 "Captured the flag: \t\t1017 Times\r\n"
                                 "Planted the bomb: \t\t1049 Times\r\n"
                                 "Dropped the bomb: \t\t1008 Times\r\n"
                                 "Destroyed the target: \t1081 Times\r\n"
                                 "Defused the bomb: \t\t1015 Times\r\n"
                                 "Called votes: \t\t1068 Times\r\n"
                                 "Was kicked: \t\t1018 Times\r\n"
                                 "Was temporarily banned: \t1005 Times\r\n"
                                 "Was permanently banned: \t1046 Times\r\n";
    EXPECT_EQ(playerSheet(numberedRecord()), expected);
}

TEST(PlayerSheet, NegativeBriefcaseWinsAndNamesKeptAsStored) {
    PlayerRecord r;
    r.name = "^1odd name (alias)";
    r[briefcasesTaken] = 1;
    r[briefcasesDropped] = 1;
    r[briefcaseEscapes] = 2;
    const std::string sheet = playerSheet(r);
    EXPECT_EQ(sheet.rfind("Stats for : ^1odd name (alias)\r\n", 0), 0u);
    EXPECT_NE(sheet.find("\r\nWon round with briefcase: \t-2 Times\r\n"), std::string::npos);
    EXPECT_NE(sheet.find("\r\nEscaped with the briefcase: \t2 Times\r\n"), std::string::npos);
}

TEST(PlayerSheet, AllPlayersSlotAndExtremeValues) {
    PlayerTable table;
    table.setName(0, kAllPlayers);
    table[0][totalKills] = -2147483647 - 1;
    table[0][briefcasesTaken] = -2147483647 - 1;
    table[0][briefcasesDropped] = 1; // wraps rather than traps
    const std::string sheet = playerSheet(table[0]);
    EXPECT_EQ(sheet.rfind("Stats for : All Players\r\n", 0), 0u);
    EXPECT_NE(sheet.find("\r\nTotal\t\t\t-2147483648\t0\r\n"), std::string::npos);
    EXPECT_NE(sheet.find("\r\nWon round with briefcase: \t2147483647 Times\r\n"),
              std::string::npos);
}

} // namespace
} // namespace quorvath
