#include "core/log/folded_search.h"

#include "core/log/log_document.h"

#include <algorithm>

namespace quorvath {

namespace {

using ByteFilter = FoldedNeedle::ByteFilter;

ByteFilter filterFor(unsigned char folded) {
    int partners = 0;
    bool sameButBit5 = true;
    for (int other = 0; other < 256; ++other) {
        if (other == folded || foldCase(static_cast<unsigned char>(other)) != folded)
            continue;
        ++partners;
        sameButBit5 = sameButBit5 && (other ^ folded) == 0x20;
    }
    if (partners == 0)
        return {0, folded};
    if (partners == 1 && sameButBit5) // A-Z and most accented letters
        return {0x20, static_cast<std::uint8_t>(folded | 0x20)};
    return {0xFF, 0xFF}; // anything: the full comparison decides
}

// First i in [from, lastStart] whose byte passes `a` and whose byte at i + k
// passes `b`. The block test vectorises, so most of a text is skipped 64
// positions at a time; two bytes apart from each other make hits rare.
std::size_t findPair(const unsigned char* text, std::size_t from, std::size_t lastStart,
                     ByteFilter a, std::size_t k, ByteFilter b) {
    std::size_t i = from;
    while (i <= lastStart) {
        if (lastStart - i >= 64) {
            unsigned char any = 0;
            for (std::size_t j = 0; j < 64; ++j)
                any |= static_cast<unsigned char>(((text[i + j] | a.mask) == a.value) &
                                                  ((text[i + j + k] | b.mask) == b.value));
            if (!any) {
                i += 64;
                continue;
            }
        }
        const std::size_t end = std::min(lastStart + 1, i + 64);
        for (; i < end; ++i)
            if (((text[i] | a.mask) == a.value) && ((text[i + k] | b.mask) == b.value))
                return i;
    }
    return std::string::npos;
}

} // namespace

FoldedNeedle::FoldedNeedle(std::string_view needle) : needle_(needle) {
    for (char& c : needle_)
        c = static_cast<char>(foldCase(static_cast<unsigned char>(c)));
    if (needle_.empty())
        return;
    first_ = filterFor(static_cast<unsigned char>(needle_.front()));
    last_ = filterFor(static_cast<unsigned char>(needle_.back()));
}

std::size_t FoldedNeedle::find(std::string_view text, std::size_t from) const {
    const std::size_t m = needle_.size();
    if (m == 0 || text.size() < m)
        return std::string::npos;
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t lastStart = text.size() - m;
    for (std::size_t i = from; i <= lastStart; ++i) {
        i = findPair(data, i, lastStart, first_, m - 1, last_);
        if (i == std::string::npos)
            return i;
        std::size_t k = 0;
        while (k < m && foldCase(data[i + k]) == static_cast<unsigned char>(needle_[k]))
            ++k;
        if (k == m)
            return i;
    }
    return std::string::npos;
}

std::size_t findCode(std::string_view text, std::size_t from, char code) {
    if (text.size() < 2)
        return std::string::npos;
    return findPair(reinterpret_cast<const unsigned char*>(text.data()), from, text.size() - 2,
                    {0, '^'}, 1, {0, static_cast<std::uint8_t>(code)});
}

} // namespace quorvath
