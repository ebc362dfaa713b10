#include "core/stats/player_table.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

TEST(PlayerTableLookup, FindOrAddKeepsFirstAppearanceAndCase) {
    PlayerTable t;
    EXPECT_EQ(t.findOrAdd("Joe"), 1);
    EXPECT_EQ(t.findOrAdd("joe"), 2); // letter case makes another player
    EXPECT_EQ(t.findOrAdd("Joe"), 1);
    EXPECT_EQ(t.findOrAdd(""), 3);
    EXPECT_EQ(t.upper(), 3);
    EXPECT_EQ(t.findByName("JOE"), 0);
    t.setName(0, "Joe"); // slot 0 is never examined
    EXPECT_EQ(t.findOrAdd("Joe"), 1);
}

TEST(PlayerTableLookup, FindplayerindexMatchesNameOrOrigname) {
    PlayerTable t;
    t.findOrAdd("A");
    t.findOrAdd("B");
    t.findOrAdd("C");
    EXPECT_EQ(t.findplayerindex("B"), 2);
    EXPECT_EQ(t.findplayerindex("nobody"), 0);
    // An empty name equals the empty origname of the first player.
    EXPECT_EQ(t.findplayerindex(""), 1);
    // Folding renames B to A and keeps B's own name as origname.
    t.setOrigname(2, "B");
    t.setName(2, "A");
    t.setOrigname(1, "A");
    EXPECT_EQ(t.findplayerindex("B"), 2);
    EXPECT_EQ(t.findplayerindex("A"), 1);
    EXPECT_EQ(t.findplayerindex(""), 3);
    EXPECT_EQ(t.findByName("A"), 1);
    // Undoing: the lowest index with the name wins again.
    t.setName(1, "Z");
    EXPECT_EQ(t.findByName("A"), 2);
    EXPECT_EQ(t.findOrAdd("A"), 2);
    t.setName(2, "B");
    t.setOrigname(2, "");
    EXPECT_EQ(t.findOrAdd("A"), 4);
    EXPECT_EQ(t.findplayerindex("A"), 1); // origname of 1 is still "A"
}

TEST(PlayerTableLifecycle, CutKeepsSlotZeroResetEmptiesIt) {
    PlayerTable t;
    t.setName(0, kAllPlayers);
    t[0].aliases.add(3, "X");
    t[0].victims.add(1, 2);
    t.findOrAdd("Joe");
    t.cutToSlotZero();
    EXPECT_EQ(t.upper(), 0);
    EXPECT_EQ(t[0].aliases.count(), 1);
    EXPECT_EQ(t[0].victims.at(1), 2);
    EXPECT_EQ(t.findByName("Joe"), 0);
    EXPECT_EQ(t.findOrAdd("Joe"), 1);
    t.reset();
    EXPECT_EQ(t.upper(), 0);
    EXPECT_TRUE(t[0].aliases.empty());
    EXPECT_EQ(t[0].name, "");
}

TEST(AliasCollectionTest, RefusesADuplicateKeyAndKeepsTheFirst) {
    AliasCollection a;
    EXPECT_TRUE(a.add(4, "Joe"));
    EXPECT_TRUE(a.add(5, "joe")); // keys compare exactly
    EXPECT_FALSE(a.add(6, "Joe"));
    ASSERT_EQ(a.count(), 2);
    EXPECT_EQ(a.item(1), 4);
    EXPECT_TRUE(a.containsItem(5));
    EXPECT_FALSE(a.containsItem(6));
    a.removeAt(1);
    EXPECT_EQ(a.item(1), 5);
    EXPECT_TRUE(a.add(6, "Joe"));
}

std::vector<OpponentCounts::Entry> entries(const OpponentCounts& c) { return {c.begin(), c.end()}; }

TEST(OpponentCountsTest, ReadsZeroWhenAbsentKeepsAscendingOrderAndDropsZeros) {
    OpponentCounts c;
    EXPECT_EQ(c.at(0), 0);
    EXPECT_EQ(c.at(20000), 0);
    c.add(9, 2);
    c.add(3, 1);
    c.add(0, 4);
    c.add(9, -1);
    c.add(5, 0); // nothing stored
    EXPECT_EQ(entries(c), (std::vector<OpponentCounts::Entry>{{0, 4}, {3, 1}, {9, 1}}));
    c.add(3, -1);
    c.add(0, -5);
    EXPECT_EQ(entries(c), (std::vector<OpponentCounts::Entry>{{0, -1}, {9, 1}}));
    OpponentCounts same;
    same.add(9, 1);
    same.add(0, -1);
    EXPECT_EQ(c, same); // equal by content, whatever the history
}

TEST(OpponentCountsTest, WrapsIn32Bits) {
    OpponentCounts c;
    c.add(1, INT32_MAX);
    c.add(1, 1);
    EXPECT_EQ(c.at(1), INT32_MIN);
    OpponentCounts d;
    d.fold(c, 1, 1, -1); // 0 - INT32_MIN wraps to itself
    EXPECT_EQ(d.at(1), INT32_MIN);
    d.fold(c, 1, 1, +1);
    EXPECT_TRUE(d.empty());
}

TEST(OpponentCountsTest, FoldTouchesOnlyItsRangeAndUndoesExactly) {
    OpponentCounts to, from;
    to.add(2, 5);
    to.add(4, 1);
    from.add(0, 7);
    from.add(2, -5);
    from.add(3, 2);
    from.add(6, 9);
    const OpponentCounts before = to;
    to.fold(from, 1, 5, +1);
    EXPECT_EQ(entries(to), (std::vector<OpponentCounts::Entry>{{3, 2}, {4, 1}}));
    to.fold(from, 1, 5, -1);
    EXPECT_EQ(to, before);
    EXPECT_EQ(entries(from.range(1, 5)), (std::vector<OpponentCounts::Entry>{{2, -5}, {3, 2}}));
    EXPECT_TRUE(from.range(4, 3).empty());
}

TEST(OpponentCountsTest, FoldIntoItselfDoublesOrClears) {
    OpponentCounts c;
    c.add(0, 3);
    c.add(1, 2);
    c.add(4, -3);
    c.fold(c, 1, 4, +1);
    EXPECT_EQ(entries(c), (std::vector<OpponentCounts::Entry>{{0, 3}, {1, 4}, {4, -6}}));
    c.fold(c, 1, 4, -1);
    EXPECT_EQ(entries(c), (std::vector<OpponentCounts::Entry>{{0, 3}}));
}

} // namespace
} // namespace quorvath
