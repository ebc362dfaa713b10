#include "stats/player_table.h"

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
    t[0].victims = {1, 2};
    t.findOrAdd("Joe");
    t.cutToSlotZero();
    EXPECT_EQ(t.upper(), 0);
    EXPECT_EQ(t[0].aliases.count(), 1);
    EXPECT_EQ(t[0].victims.size(), 2u);
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

TEST(PlayerRecordTest, GrowToKeepsContentsAndNeverShrinks) {
    std::vector<std::int32_t> v{1, 2};
    growTo(v, 4);
    EXPECT_EQ(v, (std::vector<std::int32_t>{1, 2, 0, 0, 0}));
    growTo(v, 1);
    EXPECT_EQ(v.size(), 5u);
}

} // namespace
} // namespace quorvath
