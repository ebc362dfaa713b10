#include "core/rank/alias_linking.h"
#include "rank_fixtures.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using test::bookKill;
using test::fileAlias;
using test::makeTable;

// A with the aliases B and C; D and E without aliases.
PlayerTable groupTable() {
    PlayerTable t = makeTable({"A", "B", "C", "D", "E"});
    fileAlias(t, 1, 2);
    fileAlias(t, 1, 3);
    bookKill(t, 1, 4, 2);
    bookKill(t, 2, 4, 1);
    bookKill(t, 3, 5, 3);
    bookKill(t, 4, 2, 1);
    t[2][votesCalled] = 4;
    t[3][flagsCaptured] = 1;
    return t;
}

TEST(AliasLinking, LinkFoldsNamesCountersAndOpponentCounts) {
    PlayerTable t = groupTable();
    linkAliases(t);
    EXPECT_EQ(t[1].name, "A (B) (C)");
    EXPECT_EQ(t[1].origname, "A");
    EXPECT_EQ(t[1][m4Kills], 6);
    EXPECT_EQ(t[1][votesCalled], 4);
    EXPECT_EQ(t[1][flagsCaptured], 1);
    EXPECT_EQ(t[1][m4Deaths], 1);
    EXPECT_EQ(test::dense(t[1].victims, 5), (std::vector<std::int32_t>{0, 0, 0, 0, 3, 3}));
    EXPECT_EQ(test::dense(t[1].killers, 5), (std::vector<std::int32_t>{0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(t[2].name, "B"); // aliases keep their own names and figures
    EXPECT_EQ(t[2][m4Kills], 1);
    EXPECT_EQ(t[4].origname, ""); // no aliases: untouched
    EXPECT_EQ(t.findplayerindex("A"), 1);
    EXPECT_EQ(t.findplayerindex("A (B) (C)"), 1);
}

TEST(AliasLinking, LinkThenUnlinkRestoresEverything) {
    PlayerTable t = groupTable();
    const PlayerTable original = groupTable();
    for (int round = 1; round <= 2; ++round) { // a second round must change nothing either
        linkAliases(t);
        unlinkAliases(t);
        for (int i = 0; i <= t.upper(); ++i) {
            SCOPED_TRACE(std::to_string(round) + " " + original[i].name);
            EXPECT_EQ(t[i].name, original[i].name);
            EXPECT_EQ(t[i].stat, original[i].stat);
            EXPECT_EQ(t[i].victims, original[i].victims);
            EXPECT_EQ(t[i].killers, original[i].killers);
        }
    }
    EXPECT_EQ(t[1].origname, "A"); // unlinking leaves the saved name
    EXPECT_EQ(t.findplayerindex("A (B) (C)"), 0);
}

TEST(AliasLinking, AscendingWalkFoldsAnAliasThatIsItselfAMaster) {
    PlayerTable t = makeTable({"A", "B", "C"});
    fileAlias(t, 2, 3); // B has C
    fileAlias(t, 1, 2); // A has B
    t[1][totalKills] = 1;
    t[2][totalKills] = 10;
    t[3][totalKills] = 100;
    linkAliases(t);
    // A is walked first, so it takes B's own figures and B's plain name.
    EXPECT_EQ(t[1].name, "A (B)");
    EXPECT_EQ(t[1][totalKills], 11);
    EXPECT_EQ(t[2].name, "B (C)");
    EXPECT_EQ(t[2][totalKills], 110);
    unlinkAliases(t);
    EXPECT_EQ(t[1][totalKills], -99); // B carried C's figures when subtracted
    EXPECT_EQ(t[2][totalKills], 10);
}

TEST(AliasList, LinesWithTabAndParentheses) {
    PlayerTable t = groupTable();
    EXPECT_EQ(RefreshAliasList(t), (std::vector<std::string>{"A", "\t(B)", "\t(C)"}));
    EXPECT_TRUE(RefreshAliasList(makeTable({"x", "y"})).empty());
}

TEST(AliasListClick, ClickingCMakesItTheMasterOfBAndA) {
    PlayerTable t = groupTable();
    EXPECT_TRUE(Aliaslist_Click(t, "\t(C)"));
    EXPECT_EQ(t[3].master, 0);
    ASSERT_EQ(t[3].aliases.count(), 2);
    EXPECT_EQ(t[3].aliases.item(1), 2);
    EXPECT_EQ(t[3].aliases.key(1), "B");
    EXPECT_EQ(t[3].aliases.item(2), 1);
    EXPECT_EQ(t[3].aliases.key(2), "A");
    EXPECT_EQ(t[1].master, 3);
    EXPECT_EQ(t[2].master, 3);
    EXPECT_TRUE(t[1].aliases.empty());
    EXPECT_EQ(RefreshAliasList(t), (std::vector<std::string>{"C", "\t(B)", "\t(A)"}));
}

TEST(AliasListClick, OnlyAliasAndNonAliasLines) {
    PlayerTable t = makeTable({"A", "B"});
    fileAlias(t, 1, 2);
    EXPECT_FALSE(Aliaslist_Click(t, "A"));   // a master line changes nothing
    EXPECT_FALSE(Aliaslist_Click(t, ""));    // no selection
    EXPECT_FALSE(Aliaslist_Click(t, "\t(")); // too short to name anybody
    EXPECT_FALSE(Aliaslist_Click(t, "\t(Nobody)"));
    EXPECT_EQ(t[1].aliases.count(), 1);
    EXPECT_TRUE(Aliaslist_Click(t, "\t(B)"));
    EXPECT_EQ(RefreshAliasList(t), (std::vector<std::string>{"B", "\t(A)"}));
    EXPECT_EQ(t[1].master, 2);
}

TEST(AliasListClick, DuplicateKeyKeepsTheFirstEntry) {
    // B already holds an alias filed under the key "A"; promoting B refuses the
    // old master's entry under that key and keeps the first.
    PlayerTable t = makeTable({"A", "B", "X"});
    fileAlias(t, 1, 2);
    t[2].aliases.add(3, "A");
    EXPECT_TRUE(Aliaslist_Click(t, "\t(B)"));
    ASSERT_EQ(t[2].aliases.count(), 1);
    EXPECT_EQ(t[2].aliases.item(1), 3);
    EXPECT_EQ(t[1].master, 2);
    EXPECT_TRUE(t[1].aliases.empty());
}

} // namespace
} // namespace quorvath
