#include "core/rank/alias_linking.h"
#include "rank_fixtures.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using test::fileAlias;
using test::makeTable;

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

TEST(AliasList, AClickOnAnAliasLineMakesItTheMasterOfItsGroup) {
    PlayerTable t = makeTable({"A", "B", "C"});
    fileAlias(t, 1, 2);
    fileAlias(t, 1, 3);
    EXPECT_EQ(aliasListLines(t), (std::vector<std::string>{"A", "\t(B)", "\t(C)"}));
    for (const char* line : {"A", "", "\t(", "\t(Nobody)"}) // master, none, too short, unknown
        EXPECT_FALSE(promoteAlias(t, line)) << line;
    EXPECT_TRUE(promoteAlias(t, "\t(C)"));
    EXPECT_EQ(aliasListLines(t), (std::vector<std::string>{"C", "\t(B)", "\t(A)"}));
    EXPECT_EQ(std::vector({t[1].master, t[2].master, t[3].master}), std::vector({3, 3, 0}));
    EXPECT_EQ(t[3].aliases.key(2), "A");
}

TEST(AliasList, PromotingKeepsTheFirstEntryUnderADuplicateKey) {
    // B already holds an alias filed under the key "A": the old master's entry is refused.
    PlayerTable t = makeTable({"A", "B", "X"});
    fileAlias(t, 1, 2);
    t[2].aliases.add(3, "A");
    EXPECT_TRUE(promoteAlias(t, "\t(B)"));
    ASSERT_EQ(t[2].aliases.count(), 1);
    EXPECT_EQ(t[2].aliases.item(1), 3);
    EXPECT_EQ(t[1].master, 2);
    EXPECT_TRUE(t[1].aliases.empty());
}

} // namespace
} // namespace quorvath
