#pragma once
// The attribute runs of a stretch of text as the colour passes rewrite it,
// left to right: the runs of the characters kept are copied along with them
// and colours are set on runs, so a pass costs the runs it meets instead of a
// byte per character (a log has a few runs a line).

#include "core/log/attribute_runs.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace quorvath {

using Runs = AttributeRuns::Runs;
// Stretches [from, to) of a text, ascending and apart.
using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

// Reads the runs of a text, at positions that never go back.
class RunReader {
public:
    explicit RunReader(const Runs& runs) : runs_(runs) {}
    std::uint8_t attributeAt(std::size_t pos) { return runs_.attributes[runAt(pos)]; }
    // Appends the runs of [from, to) to `out`, moved to begin at `at`.
    // Inline for the common case of one run: the walk copies between carets.
    void copy(std::size_t from, std::size_t to, std::size_t at, Runs& out) {
        if (from >= to)
            return;
        const std::size_t r = runAt(from);
        if (to <= nextStart_) {
            out.append(at, runs_.attributes[r]);
        } else {
            run_ = copyRuns(runs_, r, from, to, at, out);
            settle();
        }
    }

private:
    std::size_t runAt(std::size_t pos) {
        if (pos >= nextStart_) { // mostly the position lies in the run read last
            while (run_ + 1 < runs_.size() && runs_.starts[run_ + 1] <= pos)
                ++run_;
            settle();
        }
        return run_;
    }
    void settle() { nextStart_ = run_ + 1 < runs_.size() ? runs_.starts[run_ + 1] : SIZE_MAX; }
    // Appends the runs of [from, to), run r holding `from`; returns the last
    // run read. (Static: a reader whose address is never taken stays in
    // registers in the walk.)
    static std::size_t copyRuns(const Runs& runs, std::size_t r, std::size_t from, std::size_t to,
                                std::size_t at, Runs& out);

    const Runs& runs_;
    std::size_t run_ = 0;       // holds the last position read
    std::size_t nextStart_ = 0; // where the run after it starts
};

// Sets the colour of [from, end), keeping each character's flags, where `end`
// is the end of the text the runs hold so far.
void colourTail(Runs& runs, std::size_t from, std::size_t end, std::uint8_t colour);
// Sets the colour of each of `ranges` in runs of a text ending at `end`,
// keeping the flags; `spare` is room to write them in, swapped with `runs`.
void colourRanges(Runs& runs, const Ranges& ranges, std::uint8_t colour, std::size_t end,
                  Runs& spare);

} // namespace quorvath
