#pragma once
// Per-opponent kill counts of one player (`victims` or `killers`), indexed by
// player index. Only the counts other than 0 are stored, in ascending index
// order: a log with tens of thousands of names would otherwise need a table's
// worth of zeros per player. Reading an absent index gives 0, so the counts
// behave like an array of zeros that runs on without end.

#include <cstdint>
#include <vector>

namespace quorvath {

class OpponentCounts {
public:
    struct Entry {
        std::int32_t index;
        std::int32_t count; // never 0
        bool operator==(const Entry&) const = default;
    };

    OpponentCounts() = default;
    // The counts of `ascending` (indexes ascending, each once), its zeros left out.
    explicit OpponentCounts(std::vector<Entry> ascending);

    // The count at `index`, 0 when none is stored.
    std::int32_t at(int index) const;
    // Adds `delta`, wrapping in 32 bits; a count that comes to 0 is dropped.
    void add(int index, std::int32_t delta);
    // add(), at once when `index` is past every stored one (a list built in
    // ascending order).
    void append(int index, std::int32_t delta) {
        if (delta != 0 && (entries_.empty() || entries_.back().index < index))
            entries_.push_back(Entry{index, delta});
        else
            add(index, delta);
    }
    // Adds (sign +1) or subtracts (sign -1) the counts of `from` at indexes
    // first..last. `from` may be this object itself (each count doubles or
    // goes to 0), as when a player is his own alias.
    void fold(const OpponentCounts& from, int first, int last, int sign);
    // The counts at indexes first..last only.
    OpponentCounts range(int first, int last) const;

    void reserve(std::size_t counts) { entries_.reserve(counts); }
    bool empty() const { return entries_.empty(); }
    // The number of counts other than 0.
    std::size_t size() const { return entries_.size(); }
    std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries_.end(); }

    // Equal when every index reads the same count.
    bool operator==(const OpponentCounts&) const = default;

private:
    std::vector<Entry>::const_iterator lowerBound(int index) const; // first entry >= index
    std::vector<Entry>::const_iterator upperBound(int index) const; // first entry > index

    std::vector<Entry> entries_; // ascending index, counts other than 0
};

} // namespace quorvath
