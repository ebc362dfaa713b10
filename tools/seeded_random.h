#pragma once
// The generators' randomness: mt19937 words mapped to a range by
// multiplication, so that one seed gives the same log on every platform.

#include <cstddef>
#include <cstdint>
#include <random>

namespace genlog {

class SeededRandom {
public:
    explicit SeededRandom(std::uint32_t seed) : rng_(seed) {}
    void reseed(std::uint32_t seed) { rng_.seed(seed); }

    // A number in [0, n).
    int below(int n) { return static_cast<int>((std::uint64_t{rng_()} * std::uint32_t(n)) >> 32); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T, std::size_t N> const T& pick(const T (&table)[N]) { return table[below(N)]; }
    // A row of a table drawn by its `weight`.
    template <class T, std::size_t N> const T& weighted(const T (&table)[N]) {
        int total = 0;
        for (const T& row : table)
            total += row.weight;
        int r = below(total);
        for (const T& row : table) {
            if (r < row.weight)
                return row;
            r -= row.weight;
        }
        return table[0];
    }

private:
    std::mt19937 rng_;
};

} // namespace genlog
