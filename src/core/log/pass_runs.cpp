#include "core/log/pass_runs.h"

#include "core/log/log_document.h"

#include <algorithm>

namespace quorvath {

namespace {

std::uint8_t coloured(std::uint8_t attribute, std::uint8_t colour) {
    return static_cast<std::uint8_t>((attribute & ~attr::ColourMask) | colour);
}

} // namespace

std::size_t RunReader::copyRuns(const Runs& runs, std::size_t r, std::size_t from, std::size_t to,
                                std::size_t at, Runs& out) {
    out.append(at, runs.attributes[r]);
    for (++r; r < runs.size() && runs.starts[r] < to; ++r)
        out.append(runs.starts[r] - from + at, runs.attributes[r]);
    return r - 1;
}

void colourTail(Runs& runs, std::size_t from, std::size_t end, std::uint8_t colour) {
    if (from >= end)
        return;
    if (runs.starts.back() < from) { // the last run holds [from, end): it is split
        const std::uint8_t a = coloured(runs.attributes.back(), colour);
        if (a != runs.attributes.back()) {
            runs.starts.push_back(static_cast<std::uint32_t>(from));
            runs.attributes.push_back(a);
        }
        return;
    }
    std::size_t first = runs.size(); // the first run after `from`
    while (first > 0 && runs.starts[first - 1] > from)
        --first;
    if (first == 0)
        return; // nothing written at `from`
    if (runs.starts[first - 1] == from) {
        --first;
    } else { // split at `from`
        runs.starts.insert(runs.starts.begin() + static_cast<std::ptrdiff_t>(first),
                           static_cast<std::uint32_t>(from));
        runs.attributes.insert(runs.attributes.begin() + static_cast<std::ptrdiff_t>(first),
                               runs.attributes[first - 1]);
    }
    // Recoloured, neighbours may be alike: they become one run.
    std::size_t kept = first;
    for (std::size_t r = first; r < runs.size(); ++r) {
        const std::uint8_t a = coloured(runs.attributes[r], colour);
        if (kept > 0 && runs.attributes[kept - 1] == a)
            continue;
        runs.starts[kept] = runs.starts[r];
        runs.attributes[kept++] = a;
    }
    runs.starts.resize(kept);
    runs.attributes.resize(kept);
}

void colourRanges(Runs& runs, const Ranges& ranges, std::uint8_t colour, std::size_t end,
                  Runs& spare) {
    if (ranges.empty())
        return;
    spare.clear();
    const auto recoloured = [colour](std::uint8_t a) { return coloured(a, colour); };
    std::size_t r = 0; // the next run to copy
    for (const auto& [from, to] : ranges)
        if (from < to)
            r = spare.appendChanged(runs, r, from, to, end, recoloured);
    spare.appendWhole(runs, r, runs.size());
    std::swap(runs, spare);
}

} // namespace quorvath
