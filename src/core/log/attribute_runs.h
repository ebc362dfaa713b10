#pragma once
// The attributes of a text as runs: a run starts at a position and holds
// until the next one starts, the first at 0. A log's colours change only
// where its codes were, so it needs a few runs a line (5 bytes each) instead
// of a byte per character. Look-ups are a binary search over the starts.
//
// The runs are kept in blocks, one per part of a log rendered in parts, so
// that joining the parts moves their runs instead of copying them, and a
// change to the runs needs room for one block at a time.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvath {

class AttributeRuns {
public:
    // Runs a block may keep unused rather than be copied for.
    static constexpr std::size_t kSpareRuns = 64;

    // Runs one after the other: starts ascending, neighbours' attributes differ.
    struct Runs {
        std::vector<std::uint32_t> starts;
        std::vector<std::uint8_t> attributes;

        std::size_t size() const { return starts.size(); }
        // Adds a run at `start`, at or after the last one's start, as
        // AttributeRuns::append does. Inline: the passes call it for every
        // stretch they keep, and mostly it finds the last run alike.
        void append(std::size_t start, std::uint8_t attribute) {
            if (!starts.empty() && attributes.back() == attribute)
                return;
            appendOther(start, attribute);
        }
        void clear() {
            starts.clear();
            attributes.clear();
        }
        // Appends runs [first, last) of `from`.
        void appendWhole(const Runs& from, std::size_t first, std::size_t last);
        // Appends the runs of `from` from run `r` until `to`, the attributes of
        // [at, to) changed by `change`, in a text ending at `end`. Returns the
        // first run of `from` not yet copied.
        template <typename Change>
        std::size_t appendChanged(const Runs& from, std::size_t r, std::size_t at, std::size_t to,
                                  std::size_t end, const Change& change) {
            const auto next = std::lower_bound(from.starts.begin() + static_cast<std::ptrdiff_t>(r),
                                               from.starts.end(), at);
            const auto first = static_cast<std::size_t>(next - from.starts.begin());
            appendWhole(from, r, first);
            r = first;
            std::uint8_t current =
                from.attributes[r < from.size() && from.starts[r] == at ? r : r - 1];
            append(at, change(current));
            for (; r < from.size() && from.starts[r] < to; ++r) {
                current = from.attributes[r];
                append(from.starts[r], change(current));
            }
            if (to < end)
                append(to, current);
            return r;
        }

    private:
        void appendOther(std::size_t start, std::uint8_t attribute);
    };

    AttributeRuns() = default;
    // The runs as one block.
    explicit AttributeRuns(Runs runs);

    // Where the last look-up landed, for a reader whose positions mostly go
    // forward a little (the statistics' colour probes, line after line).
    struct Hint {
        std::size_t block = 0;
        std::size_t run = 0;
    };

    // The attribute at `pos`; 0 when there are no runs.
    std::uint8_t at(std::size_t pos) const;
    // The same, looking a few runs on from `hint` before it searches.
    std::uint8_t at(std::size_t pos, Hint& hint) const;
    // Calls visit(start, attribute) for each run, in order.
    template <typename Visit> void forEachRun(const Visit& visit) const {
        for (const Block& block : blocks_)
            for (std::size_t r = 0; r < block.starts.size(); ++r)
                visit(std::size_t{block.starts[r]}, block.attributes[r]);
    }

    // Adds a run at `start`, at or after the last one's start: nothing when
    // the last one has its attribute, a replacement when it starts there.
    void append(std::size_t start, std::uint8_t attribute);
    // Adds the attributes of characters offset, offset + 1, ..., one byte each.
    void appendBytes(const std::uint8_t* attributes, std::size_t count, std::size_t offset);
    // Sets the attributes of [from, to) within a text of `textLength` to
    // those of `runs` (the first starting at `from`), in place where the
    // block has room.
    void assign(std::size_t from, std::size_t to, const Runs& runs, std::size_t textLength);
    // Appends the runs of [from, to) to `out`, the first starting at `from`,
    // each start moved by `offset`.
    void copyRuns(std::size_t from, std::size_t to, std::size_t offset, Runs& out) const;
    // Moves in another text's runs, that text starting at `offset` (after
    // every run held). `other` is left empty.
    void join(AttributeRuns&& other, std::size_t offset);
    // Writes the attributes of [from, to) to `out`, one byte each.
    void expand(std::size_t from, std::size_t to, std::uint8_t* out) const;
    // Adds `flags` to [hit, hit + length) for each hit, ascending and apart,
    // within a text of `textLength`: one pass over the runs for all of them.
    void addFlags(const std::vector<int>& hits, std::size_t length, std::uint8_t flags,
                  std::size_t textLength);

    void clear() { blocks_.clear(); }
    void shrinkToFit();

private:
    using Block = Runs;
    // The block holding `pos` (the last one for a position past the text).
    std::size_t blockAt(std::size_t pos) const;
    // Where the runs of block `b` end: where the next one begins, else `textLength`.
    std::size_t blockEnd(std::size_t b, std::size_t textLength) const;

    std::vector<Block> blocks_; // none empty
};

} // namespace quorvath
