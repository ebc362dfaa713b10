#include "core/log/attribute_runs.h"

#include <algorithm>
#include <cstring>

namespace quorvath {

std::size_t AttributeRuns::runAt(std::size_t pos) const {
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), pos);
    return after == starts_.begin() ? 0 : static_cast<std::size_t>(after - starts_.begin()) - 1;
}

void AttributeRuns::append(std::size_t start, std::uint8_t attribute) {
    if (!starts_.empty()) {
        if (attributes_.back() == attribute)
            return;
        if (starts_.back() == start) {
            starts_.pop_back();
            attributes_.pop_back();
            if (!attributes_.empty() && attributes_.back() == attribute)
                return;
        }
    }
    starts_.push_back(static_cast<std::uint32_t>(start));
    attributes_.push_back(attribute);
}

void AttributeRuns::appendBytes(const std::uint8_t* attributes, std::size_t count,
                                std::size_t offset) {
    for (std::size_t i = 0; i < count;) {
        const std::uint8_t a = attributes[i];
        append(offset + i, a);
        // Runs are a dozen characters and more: skip them eight at a time.
        const std::uint64_t same = 0x0101010101010101u * a;
        std::size_t j = i + 1;
        for (std::uint64_t word; j + 8 <= count; j += 8) {
            std::memcpy(&word, attributes + j, 8);
            if (word != same)
                break;
        }
        while (j < count && attributes[j] == a)
            ++j;
        i = j;
    }
}

void AttributeRuns::appendRuns(const AttributeRuns& other, std::size_t offset) {
    for (std::size_t r = 0; r < other.runCount(); ++r)
        append(offset + other.starts_[r], other.attributes_[r]);
}

void AttributeRuns::expand(std::size_t from, std::size_t to, std::uint8_t* out) const {
    if (starts_.empty()) {
        std::memset(out, 0, to - from);
        return;
    }
    for (std::size_t r = runAt(from), pos = from; pos < to; ++r) {
        const std::size_t end =
            r + 1 < starts_.size() ? std::min<std::size_t>(starts_[r + 1], to) : to;
        std::memset(out + (pos - from), attributes_[r], end - pos);
        pos = end;
    }
}

void AttributeRuns::addFlags(const std::vector<int>& hits, std::size_t length, std::uint8_t flags,
                             std::size_t textLength) {
    if (starts_.empty())
        return;
    AttributeRuns out;
    out.reserve(starts_.size() + 2 * hits.size());
    std::size_t r = 0; // the next run to copy
    const auto copyBefore = [&](std::size_t pos) {
        for (; r < starts_.size() && starts_[r] < pos; ++r)
            out.append(starts_[r], attributes_[r]);
    };
    for (int hit : hits) {
        const auto from = static_cast<std::size_t>(hit);
        const std::size_t to = std::min(from + length, textLength);
        if (from >= to)
            continue;
        copyBefore(from);
        std::uint8_t current = attributes_[r < starts_.size() && starts_[r] == from ? r : r - 1];
        out.append(from, static_cast<std::uint8_t>(current | flags));
        for (; r < starts_.size() && starts_[r] < to; ++r) {
            current = attributes_[r];
            out.append(starts_[r], static_cast<std::uint8_t>(current | flags));
        }
        if (to < textLength)
            out.append(to, current);
    }
    copyBefore(textLength);
    *this = std::move(out);
}

void AttributeRuns::reserve(std::size_t runs) {
    starts_.reserve(runs);
    attributes_.reserve(runs);
}

void AttributeRuns::clear() {
    starts_.clear();
    attributes_.clear();
}

void AttributeRuns::shrinkToFit() {
    starts_.shrink_to_fit();
    attributes_.shrink_to_fit();
}

} // namespace quorvath
