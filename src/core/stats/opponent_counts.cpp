#include "core/stats/opponent_counts.h"

#include "core/common/wrapping_int32.h"

#include <algorithm>

namespace quorvath {
namespace {

std::int32_t withSign(std::int32_t v, int sign) {
    return sign > 0 ? v : wrapToInt32(-std::int64_t{v});
}

} // namespace

OpponentCounts::OpponentCounts(std::vector<Entry> ascending) : entries_(std::move(ascending)) {
    std::erase_if(entries_, [](const Entry& e) { return e.count == 0; });
}

std::vector<OpponentCounts::Entry>::const_iterator OpponentCounts::lowerBound(int index) const {
    return std::lower_bound(entries_.begin(), entries_.end(), index,
                            [](const Entry& e, int i) { return e.index < i; });
}

std::vector<OpponentCounts::Entry>::const_iterator OpponentCounts::upperBound(int index) const {
    return std::upper_bound(entries_.begin(), entries_.end(), index,
                            [](int i, const Entry& e) { return i < e.index; });
}

std::int32_t OpponentCounts::at(int index) const {
    const auto it = lowerBound(index);
    return it != entries_.end() && it->index == index ? it->count : 0;
}

void OpponentCounts::add(int index, std::int32_t delta) {
    if (delta == 0)
        return;
    const auto pos = entries_.begin() + (lowerBound(index) - entries_.cbegin());
    if (pos == entries_.end() || pos->index != index) {
        entries_.insert(pos, Entry{index, delta});
        return;
    }
    pos->count = wrapToInt32(std::int64_t{pos->count} + delta);
    if (pos->count == 0)
        entries_.erase(pos);
}

// One merge of the two sorted lists, so that folding a whole table of
// players stays linear in the number of stored counts.
void OpponentCounts::fold(const OpponentCounts& from, int first, int last, int sign) {
    if (first > last)
        return;
    auto src = from.lowerBound(first);
    const auto srcEnd = from.upperBound(last);
    if (src == srcEnd)
        return;
    std::vector<Entry> merged;
    merged.reserve(entries_.size() + static_cast<std::size_t>(srcEnd - src));
    auto own = entries_.cbegin();
    while (own != entries_.cend() || src != srcEnd) {
        if (src == srcEnd || (own != entries_.cend() && own->index < src->index)) {
            merged.push_back(*own++);
        } else if (own == entries_.cend() || src->index < own->index) {
            merged.push_back(Entry{src->index, withSign(src->count, sign)});
            ++src;
        } else {
            const std::int32_t sum =
                wrapToInt32(std::int64_t{own->count} + withSign(src->count, sign));
            if (sum != 0)
                merged.push_back(Entry{own->index, sum});
            ++own;
            ++src;
        }
    }
    entries_ = std::move(merged); // `from` may be *this: it is read to the end first
}

OpponentCounts OpponentCounts::range(int first, int last) const {
    OpponentCounts out;
    if (first <= last)
        out.entries_.assign(lowerBound(first), upperBound(last));
    return out;
}

} // namespace quorvath
