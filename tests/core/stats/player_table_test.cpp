#include "core/stats/player_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace quorvath {
namespace {

// Looked up in hash maps, the answers must stay those of a linear search from
// index 1 while linking renames players (the statistics pass's own look-ups
// are held to a linear search by statistics_pass_test).
TEST(PlayerTableLookup, FindPlayerIndexMatchesNameOrOriginalName) {
    PlayerTable t;
    t.findOrAdd("A");
    t.findOrAdd("B");
    t.findOrAdd("C");
    t.setName(0, "B"); // slot 0 never takes part in look-ups
    EXPECT_EQ(t.findPlayerIndex("B"), 2);
    EXPECT_EQ(t.findPlayerIndex("nobody"), 0);
    // An empty name equals the empty originalName of the first player.
    EXPECT_EQ(t.findPlayerIndex(""), 1);
    // Folding renames B to A and keeps B's own name as originalName.
    t.setOriginalName(2, "B");
    t.setName(2, "A");
    t.setOriginalName(1, "A");
    EXPECT_EQ(t.findPlayerIndex("B"), 2);
    EXPECT_EQ(t.findPlayerIndex("A"), 1);
    EXPECT_EQ(t.findPlayerIndex(""), 3);
    EXPECT_EQ(t.findByName("A"), 1);
    // Undoing: the lowest index with the name wins again.
    t.setName(1, "Z");
    EXPECT_EQ(t.findByName("A"), 2);
    EXPECT_EQ(t.findOrAdd("A"), 2);
    t.setName(2, "B");
    t.setOriginalName(2, "");
    EXPECT_EQ(t.findOrAdd("A"), 4);
    EXPECT_EQ(t.findPlayerIndex("A"), 1); // originalName of 1 is still "A"
}

// The sparse counts read as an array of zeros that wraps in 32 bits: random
// adds, folds into another list and into itself, against plain arrays.
TEST(OpponentCountsTest, BehaveAsAWrappingArrayOfZeros) {
    std::mt19937 rng(5);
    const std::int32_t deltas[] = {1, -1, 2, INT32_MAX, INT32_MIN, 0};
    auto pick = [&](unsigned n) { return static_cast<int>(rng() % n); };
    for (int round = 0; round < 300; ++round) {
        OpponentCounts counts[2];
        std::uint32_t dense[2][8] = {};
        for (int step = 0; step < 12; ++step) {
            const int to = pick(2), from = pick(2), first = pick(8), last = pick(8);
            const int index = pick(8), sign = pick(2) ? 1 : -1;
            if (pick(2)) {
                const std::int32_t delta = deltas[pick(6)];
                counts[to].add(index, delta);
                dense[to][index] += static_cast<std::uint32_t>(delta);
            } else {
                counts[to].fold(counts[from], first, last, sign); // `from` may be `to` itself
                std::uint32_t was[8];
                std::copy(std::begin(dense[from]), std::end(dense[from]), was);
                for (int j = first; j <= last; ++j)
                    dense[to][j] += sign > 0 ? was[j] : 0u - was[j];
            }
            for (int j = 0; j < 8; ++j)
                ASSERT_EQ(counts[to].at(j), static_cast<std::int32_t>(dense[to][j]));
            const OpponentCounts part = counts[to].range(first, last);
            int previous = -1;
            std::size_t stored = 0;
            for (const OpponentCounts::Entry& entry : counts[to]) {
                ASSERT_GT(entry.index, previous);
                ASSERT_NE(entry.count, 0);
                previous = entry.index;
                stored += entry.index >= first && entry.index <= last ? 1 : 0;
            }
            ASSERT_EQ(part.size(), stored);
        }
    }
}

} // namespace
} // namespace quorvath
