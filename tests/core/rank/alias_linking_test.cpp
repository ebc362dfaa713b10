#include "core/rank/alias_linking.h"
#include "rank_fixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

// Any player can be an alias, the first and the last in the table too, with
// his per-opponent counts. Unlinking gives every figure back.
TEST(AliasLinking, EveryPlayerInTheTableCanBeFolded) {
    const struct {
        std::initializer_list<std::string> names;
        std::vector<std::pair<int, int>> aliases; // master, alias
        std::vector<std::string> linkedNames;
        std::vector<int> linkedKills;        // totalKills of players 1..n, linked
        std::vector<int> linkedVictimsOfOne; // player 1's victims 1..n, linked
    } cases[] = {
        {{"A", "B"}, {{2, 1}}, {"A", "B (A)"}, {1, 11}, {0, 1}},
        {{"A", "B", "C"}, {{1, 3}}, {"A (C)", "B", "C"}, {101, 10, 100}, {100, 1, 0}},
        {{"A", "B", "C"}, {{2, 1}, {2, 3}}, {"A", "B (A) (C)", "C"}, {1, 111, 100}, {0, 1, 0}},
    };
    for (const auto& c : cases) {
        PlayerTable t = makeTable(c.names);
        const int n = t.playerCount();
        // Player i kills player i % n + 1, 10^(i-1) times.
        for (int i = 1, times = 1; i <= n; ++i, times *= 10)
            test::bookKill(t, i, i % n + 1, times);
        const PlayerTable before = t;
        for (const auto& [master, alias] : c.aliases)
            fileAlias(t, master, alias);
        linkAliases(t);
        for (int i = 1; i <= n; ++i) {
            const auto at = static_cast<std::size_t>(i - 1);
            EXPECT_EQ(t[i].name, c.linkedNames[at]);
            EXPECT_EQ(t[i][totalKills], c.linkedKills[at]) << t[i].name;
            EXPECT_EQ(t[1].victims.at(i), c.linkedVictimsOfOne[at]) << t[i].name;
        }
        unlinkAliases(t);
        for (int i = 1; i <= n; ++i) {
            EXPECT_EQ(t[i].name, before[i].name);
            EXPECT_EQ(t[i].counters, before[i].counters) << t[i].name;
            EXPECT_EQ(t[i].victims, before[i].victims) << t[i].name;
            EXPECT_EQ(t[i].killers, before[i].killers) << t[i].name;
        }
    }
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
    EXPECT_TRUE(promoteAlias(t, "\t(B)")); // the first alias: the last one moves along too
    EXPECT_EQ(aliasListLines(t), (std::vector<std::string>{"B", "\t(A)", "\t(C)"}));
    EXPECT_EQ(std::vector({t[1].master, t[2].master, t[3].master}), std::vector({2, 0, 2}));
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
