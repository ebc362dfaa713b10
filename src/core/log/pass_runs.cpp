#include "core/log/pass_runs.h"

#include "core/log/log_document.h"

#include <algorithm>

namespace quorvath {

namespace {

std::uint8_t coloured(std::uint8_t attribute, std::uint8_t colour) {
    return static_cast<std::uint8_t>((attribute & ~attr::ColourMask) | colour);
}

// Appends runs [first, last) of `from` to `out`; neighbouring runs differ, so
// only the first may go on from the last run held, the rest go in whole.
void copyWhole(const Runs& from, std::size_t first, std::size_t last, Runs& out) {
    if (first >= last)
        return;
    out.append(from.starts[first], from.attributes[first]);
    const auto at = [](const auto& v, std::size_t k) {
        return v.begin() + static_cast<std::ptrdiff_t>(k);
    };
    out.starts.insert(out.starts.end(), at(from.starts, first + 1), at(from.starts, last));
    out.attributes.insert(out.attributes.end(), at(from.attributes, first + 1),
                          at(from.attributes, last));
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
    const auto upTo = [&](std::size_t r,
                          std::size_t pos) { // the first run from r on starting at pos or after
        return static_cast<std::size_t>(
            std::lower_bound(runs.starts.begin() + static_cast<std::ptrdiff_t>(r),
                             runs.starts.end(), pos) -
            runs.starts.begin());
    };
    std::size_t r = 0; // the next run to copy
    for (const auto& [from, to] : ranges) {
        if (from >= to)
            continue;
        const std::size_t first = upTo(r, from);
        copyWhole(runs, r, first, spare);
        r = first;
        std::uint8_t current =
            runs.attributes[r < runs.size() && runs.starts[r] == from ? r : r - 1];
        spare.append(from, coloured(current, colour));
        for (; r < runs.size() && runs.starts[r] < to; ++r) {
            current = runs.attributes[r];
            spare.append(runs.starts[r], coloured(current, colour));
        }
        if (to < end)
            spare.append(to, current);
    }
    copyWhole(runs, r, runs.size(), spare);
    std::swap(runs, spare);
}

} // namespace quorvath
