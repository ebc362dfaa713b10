#include "core/log/attribute_runs.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvath {

namespace {

#if defined(__SSE2__)
// For the sixteen characters from `at`, 0xFF where the attribute is the one before.
__m128i sameAsBefore(const std::uint8_t* at) {
    return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)),
                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1)));
}
#endif

// How many of the characters from 1 to `count` have another attribute than the one before.
std::size_t countChanges(const std::uint8_t* attributes, std::size_t count) {
    std::size_t i = 1;
    std::size_t changes = 0;
#if defined(__SSE2__)
    const __m128i one = _mm_set1_epi8(1);
    __m128i sums = _mm_setzero_si128(); // two 64-bit sums of the changes
    for (; i + 16 <= count; i += 16)
        sums = _mm_add_epi64(sums, _mm_sad_epu8(_mm_andnot_si128(sameAsBefore(attributes + i), one),
                                                _mm_setzero_si128()));
    changes = static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
              static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
#endif
    for (; i < count; ++i)
        changes += attributes[i] != attributes[i - 1] ? 1 : 0;
    return changes;
}

// Writes where each character from 1 to `count` whose attribute differs from
// the one before starts a run (plus `offset`) and its attribute, with room
// for as many as there are (`startsEnd`). Sixteen are compared at a time, as
// runs are a dozen characters and more; the first two changes of sixteen are
// written without a branch to mispredict, a missing one written over next.
void writeChanges(const std::uint8_t* attributes, std::size_t count, std::size_t offset,
                  std::uint32_t* start, std::uint8_t* attribute, const std::uint32_t* startsEnd) {
    const auto write = [&](std::size_t at) {
        *start++ = static_cast<std::uint32_t>(offset + at);
        *attribute++ = attributes[at];
    };
    std::size_t i = 1;
#if defined(__SSE2__)
    for (; i + 16 <= count; i += 16) {
        auto differ =
            ~static_cast<unsigned>(_mm_movemask_epi8(sameAsBefore(attributes + i))) & 0xFFFFu;
        if (startsEnd - start >= 2) {
            for (int k = 0; k < 2; ++k, differ &= differ - 1) {
                const std::size_t at =
                    i + static_cast<std::size_t>(std::countr_zero(differ | 0x8000u));
                const std::size_t found = differ != 0 ? 1 : 0;
                *start = static_cast<std::uint32_t>(offset + at);
                *attribute = attributes[at];
                start += found;
                attribute += found;
            }
        }
        for (; differ != 0; differ &= differ - 1)
            write(i + static_cast<std::size_t>(std::countr_zero(differ)));
    }
#endif
    for (; i < count; ++i)
        if (attributes[i] != attributes[i - 1])
            write(i);
}

// Replaces [i, j) of `runs` with `with` from its element `skip` on, in place
// when there is room: a change near the start of a part's runs must not copy
// all of them into new memory.
template <typename T>
void splice(std::vector<T>& runs, std::size_t i, std::size_t j, const std::vector<T>& with,
            std::size_t skip) {
    const auto at = [](auto& v, std::size_t k) {
        return v.begin() + static_cast<std::ptrdiff_t>(k);
    };
    const std::size_t size = runs.size() - (j - i) + (with.size() - skip);
    if (size > runs.capacity()) {
        std::vector<T> out;
        out.reserve(size);
        out.insert(out.end(), runs.begin(), at(runs, i));
        out.insert(out.end(), at(with, skip), with.end());
        out.insert(out.end(), at(runs, j), runs.end());
        runs = std::move(out);
        return;
    }
    runs.erase(at(runs, i), at(runs, j));
    runs.insert(at(runs, i), at(with, skip), with.end());
}

// The run of `starts` holding `pos`.
std::size_t runAt(const std::vector<std::uint32_t>& starts, std::size_t pos) {
    const auto after = std::upper_bound(starts.begin(), starts.end(), pos);
    return after == starts.begin() ? 0 : static_cast<std::size_t>(after - starts.begin()) - 1;
}

} // namespace

std::size_t AttributeRuns::blockAt(std::size_t pos) const {
    const auto after = std::upper_bound(
        blocks_.begin(), blocks_.end(), pos,
        [](std::size_t p, const Block& block) { return p < block.starts.front(); });
    return after == blocks_.begin() ? 0 : static_cast<std::size_t>(after - blocks_.begin()) - 1;
}

std::size_t AttributeRuns::blockEnd(std::size_t b, std::size_t textLength) const {
    return b + 1 < blocks_.size() ? blocks_[b + 1].starts.front() : textLength;
}

std::uint8_t AttributeRuns::at(std::size_t pos) const {
    if (blocks_.empty())
        return 0;
    const Block& block = blocks_[blockAt(pos)];
    return block.attributes[runAt(block.starts, pos)];
}

std::uint8_t AttributeRuns::at(std::size_t pos, Hint& hint) const {
    if (blocks_.empty())
        return 0;
    if (hint.block < blocks_.size() && blocks_[hint.block].starts[hint.run] <= pos &&
        pos < blockEnd(hint.block, SIZE_MAX)) {
        // Run by run for the first few (mostly the probe lands there), then
        // galloping on: a probe a few runs on costs a few steps, and the runs
        // it reads lie near the last ones read.
        const std::vector<std::uint32_t>& starts = blocks_[hint.block].starts;
        std::size_t below = hint.run; // starts[below] <= pos
        for (int step = 0; step < 4; ++step, ++below)
            if (below + 1 == starts.size() || starts[below + 1] > pos) {
                hint.run = below;
                return blocks_[hint.block].attributes[below];
            }
        std::size_t above = below + 1;
        for (std::size_t step = 1; above < starts.size() && starts[above] <= pos; step *= 2) {
            below = above;
            above = below + step;
        }
        const auto last =
            starts.begin() + static_cast<std::ptrdiff_t>(std::min(above, starts.size()));
        hint.run = static_cast<std::size_t>(
            std::upper_bound(starts.begin() + static_cast<std::ptrdiff_t>(below) + 1, last, pos) -
            starts.begin() - 1);
        return blocks_[hint.block].attributes[hint.run];
    }
    hint.block = blockAt(pos);
    const Block& block = blocks_[hint.block];
    hint.run = runAt(block.starts, pos);
    return block.attributes[hint.run];
}

void AttributeRuns::Runs::appendOther(std::size_t start, std::uint8_t attribute) {
    if (!starts.empty()) {
        if (starts.back() == start) {
            starts.pop_back();
            attributes.pop_back();
            if (!attributes.empty() && attributes.back() == attribute)
                return;
        }
    }
    starts.push_back(static_cast<std::uint32_t>(start));
    attributes.push_back(attribute);
}

// Neighbouring runs differ, so only the first copied may go on from the last
// run held: the rest go in whole.
void AttributeRuns::Runs::appendWhole(const Runs& from, std::size_t first, std::size_t last) {
    if (first >= last)
        return;
    append(from.starts[first], from.attributes[first]);
    const auto at = [](const auto& v, std::size_t k) {
        return v.begin() + static_cast<std::ptrdiff_t>(k);
    };
    starts.insert(starts.end(), at(from.starts, first + 1), at(from.starts, last));
    attributes.insert(attributes.end(), at(from.attributes, first + 1), at(from.attributes, last));
}

AttributeRuns::AttributeRuns(Runs runs) {
    if (runs.size() > 0)
        blocks_.push_back(std::move(runs));
}

void AttributeRuns::append(std::size_t start, std::uint8_t attribute) {
    if (blocks_.empty())
        blocks_.emplace_back();
    Block& last = blocks_.back();
    last.append(start, attribute);
    if (last.starts.size() == 1 && blocks_.size() > 1 &&
        blocks_[blocks_.size() - 2].attributes.back() == last.attributes.back())
        blocks_.pop_back(); // the run goes on from the block before
}

void AttributeRuns::appendBytes(const std::uint8_t* attributes, std::size_t count,
                                std::size_t offset) {
    if (count == 0)
        return;
    append(offset, attributes[0]); // may go on from the last run held
    // Counted first, so that the block takes its runs without growing.
    const std::size_t changes = countChanges(attributes, count);
    Block& block = blocks_.back();
    const std::size_t held = block.starts.size();
    // Room for the few runs the names coloured across a cut add, in place (assign).
    if (block.starts.capacity() < held + changes + kSpareRuns) {
        block.starts.reserve(held + changes + kSpareRuns);
        block.attributes.reserve(held + changes + kSpareRuns);
    }
    block.starts.resize(held + changes);
    block.attributes.resize(held + changes);
    // Written through pointers of their own: a byte written through the
    // vector would make the compiler load its pointers again each time.
    writeChanges(attributes, count, offset, block.starts.data() + held,
                 block.attributes.data() + held, block.starts.data() + block.starts.size());
}

void AttributeRuns::assign(std::size_t from, std::size_t to, const Runs& runs,
                           std::size_t textLength) {
    if (from >= to)
        return;
    if (blocks_.empty())
        append(0, 0);  // no runs: every character's attribute is 0
    Runs fresh = runs; // the new runs of [from, to), and the one going on at `to`
    if (to < textLength)
        fresh.append(to, at(to));
    // Runs starting within [from, to] go; the first block keeps its runs
    // before `from`, the later ones lose their runs up to `to`.
    const std::size_t b = blockAt(from);
    Block& block = blocks_[b];
    const auto first = std::lower_bound(block.starts.begin(), block.starts.end(), from);
    const auto i = static_cast<std::size_t>(first - block.starts.begin());
    const auto j = static_cast<std::size_t>(std::upper_bound(first, block.starts.end(), to) -
                                            block.starts.begin());
    for (std::size_t later = b + 1;
         later < blocks_.size() && blocks_[later].starts.front() <= to;) {
        Block& next = blocks_[later];
        const auto gone = std::upper_bound(next.starts.begin(), next.starts.end(), to);
        next.attributes.erase(next.attributes.begin(),
                              next.attributes.begin() + (gone - next.starts.begin()));
        next.starts.erase(next.starts.begin(), gone);
        if (next.starts.empty())
            blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(later));
        else
            ++later;
    }
    // The first new run goes on from the run before it when they are alike.
    const bool before = i > 0 || b > 0;
    const std::uint8_t previous = i > 0   ? block.attributes[i - 1]
                                  : b > 0 ? blocks_[b - 1].attributes.back()
                                          : 0;
    const std::size_t skip = before && previous == fresh.attributes.front() ? 1 : 0;
    splice(block.starts, i, j, fresh.starts, skip);
    splice(block.attributes, i, j, fresh.attributes, skip);
    if (block.starts.empty())
        blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
}

void AttributeRuns::copyRuns(std::size_t from, std::size_t to, std::size_t offset,
                             Runs& out) const {
    if (from >= to)
        return;
    if (blocks_.empty()) {
        out.append(from + offset, 0);
        return;
    }
    std::size_t pos = from;
    for (std::size_t b = blockAt(from); b < blocks_.size() && pos < to; ++b) {
        const Block& block = blocks_[b];
        for (std::size_t r = runAt(block.starts, pos); r < block.size() && pos < to; ++r) {
            out.append(std::max<std::size_t>(block.starts[r], from) + offset, block.attributes[r]);
            pos = r + 1 < block.size() ? block.starts[r + 1] : blockEnd(b, to);
        }
    }
}

void AttributeRuns::join(AttributeRuns&& other, std::size_t offset) {
    for (Block& block : other.blocks_) {
        for (std::uint32_t& start : block.starts)
            start += static_cast<std::uint32_t>(offset);
        if (!blocks_.empty() && blocks_.back().attributes.back() == block.attributes.front()) {
            block.starts.erase(block.starts.begin()); // the run goes on from the block before
            block.attributes.erase(block.attributes.begin());
            if (block.starts.empty())
                continue;
        }
        blocks_.push_back(std::move(block));
    }
    other.blocks_.clear();
}

void AttributeRuns::expand(std::size_t from, std::size_t to, std::uint8_t* out) const {
    if (from >= to)
        return; // `out` may be null then
    if (blocks_.empty()) {
        std::memset(out, 0, to - from);
        return;
    }
    std::size_t pos = from;
    for (std::size_t b = blockAt(from); pos < to; ++b) {
        const Block& block = blocks_[b];
        for (std::size_t r = runAt(block.starts, pos); r < block.starts.size() && pos < to; ++r) {
            const std::size_t next =
                r + 1 < block.starts.size() ? block.starts[r + 1] : blockEnd(b, to);
            const std::size_t end = std::min(next, to);
            std::memset(out + (pos - from), block.attributes[r], end - pos);
            pos = end;
        }
    }
}

void AttributeRuns::addFlags(const std::vector<int>& hits, std::size_t length, std::uint8_t flags,
                             std::size_t textLength) {
    const auto flagged = [flags](std::uint8_t a) { return static_cast<std::uint8_t>(a | flags); };
    auto hit = hits.begin();
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        const std::size_t begin = blocks_[b].starts.front();
        const std::size_t end = blockEnd(b, textLength);
        if (hit == hits.end() || static_cast<std::size_t>(*hit) >= end)
            continue; // no hit here: the block stays as it is
        const Block& block = blocks_[b];
        Block out;
        out.starts.reserve(block.starts.size() + 16);
        out.attributes.reserve(block.starts.size() + 16);
        std::size_t r = 0; // the next run to copy
        for (; hit != hits.end() && static_cast<std::size_t>(*hit) < end; ++hit) {
            const std::size_t from = std::max<std::size_t>(static_cast<std::size_t>(*hit), begin);
            const std::size_t to = std::min(static_cast<std::size_t>(*hit) + length, end);
            if (from >= to)
                continue;
            r = out.appendChanged(block, r, from, to, end, flagged);
            if (static_cast<std::size_t>(*hit) + length > end)
                break; // the hit goes on in the next block
        }
        out.appendWhole(block, r, block.size());
        out.starts.shrink_to_fit();
        out.attributes.shrink_to_fit();
        blocks_[b] = std::move(out);
    }
}

void AttributeRuns::shrinkToFit() {
    for (Block& block : blocks_) {
        if (block.starts.capacity() - block.starts.size() <= kSpareRuns)
            continue; // not worth a copy of the block
        block.starts.shrink_to_fit();
        block.attributes.shrink_to_fit();
    }
}

} // namespace quorvath
