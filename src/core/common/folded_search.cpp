#include "core/common/folded_search.h"

#include "core/common/text_case.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvath {

namespace {

using ByteFilter = FoldedNeedle::ByteFilter;
constexpr std::size_t npos = std::string_view::npos;

// For each byte, the cheapest test that lets through every byte folding as it does.
constexpr std::array<ByteFilter, 256> makeFilters() {
    std::array<ByteFilter, 256> filters{};
    for (int byte = 0; byte < 256; ++byte) {
        const unsigned char folded = foldCase(static_cast<unsigned char>(byte));
        int partners = 0; // other bytes with the same fold
        bool onlyBit5Differs = true;
        for (int other = 0; other < 256; ++other) {
            if (other == folded || foldCase(static_cast<unsigned char>(other)) != folded)
                continue;
            ++partners;
            onlyBit5Differs = onlyBit5Differs && (other ^ folded) == 0x20;
        }
        if (partners == 0)
            filters[static_cast<std::size_t>(byte)] = {0, folded};
        else if (partners == 1 && onlyBit5Differs) // A-Z and most accented letters
            filters[static_cast<std::size_t>(byte)] = {0x20,
                                                       static_cast<std::uint8_t>(folded | 0x20)};
        else
            filters[static_cast<std::size_t>(byte)] = {0xFF, 0xFF}; // the full comparison decides
    }
    return filters;
}

constexpr std::array<ByteFilter, 256> kFilters = makeFilters();

const unsigned char* bytesOf(std::string_view text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

#if defined(__SSE2__)
// First i in [from, lastStart] whose byte passes `a` and whose byte at i + k
// passes `b`, 16 positions at a time: the processor tests them together and
// names the first that passes both, so a hit costs no byte-by-byte search.
std::size_t findPair(const unsigned char* text, std::size_t from, std::size_t lastStart,
                     ByteFilter a, std::size_t k, ByteFilter b) {
    const __m128i maskA = _mm_set1_epi8(static_cast<char>(a.mask));
    const __m128i valueA = _mm_set1_epi8(static_cast<char>(a.value));
    const __m128i maskB = _mm_set1_epi8(static_cast<char>(b.mask));
    const __m128i valueB = _mm_set1_epi8(static_cast<char>(b.value));
    const auto passes = [](const unsigned char* at, __m128i mask, __m128i value) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        return _mm_cmpeq_epi8(_mm_or_si128(bytes, mask), value);
    };
    const auto both = [&](std::size_t at) {
        return _mm_and_si128(passes(text + at, maskA, valueA),
                             passes(text + at + k, maskB, valueB));
    };
    std::size_t i = from;
    // 64 positions a step while nothing passes: one branch where sixteen took four.
    for (; i + 63 <= lastStart; i += 64)
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(both(i), both(i + 16)),
                                           _mm_or_si128(both(i + 32), both(i + 48)))) != 0)
            break;
    for (; i + 15 <= lastStart; i += 16) {
        const auto passing = static_cast<unsigned>(_mm_movemask_epi8(both(i)));
        if (passing != 0)
            return i + static_cast<std::size_t>(std::countr_zero(passing));
    }
    for (; i <= lastStart; ++i)
        if (((text[i] | a.mask) == a.value) && ((text[i + k] | b.mask) == b.value))
            return i;
    return npos;
}
#else
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
    return npos;
}
#endif

} // namespace

FoldedNeedle::FoldedNeedle(std::string_view needle) : needle_(needle) {
    if (needle_.empty())
        return;
    first_ = kFilters[static_cast<unsigned char>(needle_.front())];
    last_ = kFilters[static_cast<unsigned char>(needle_.back())];
}

std::size_t FoldedNeedle::matchedLength(const unsigned char* at) const {
    const unsigned char* needle = bytesOf(needle_);
    std::size_t k = 0;
    while (k < needle_.size() && foldCase(at[k]) == foldCase(needle[k]))
        ++k;
    return k;
}

std::size_t FoldedNeedle::find(std::string_view text, std::size_t from) const {
    std::size_t compared = 0;
    return find(text, from, compared);
}

std::size_t FoldedNeedle::find(std::string_view text, std::size_t from,
                               std::size_t& compared) const {
    const std::size_t m = needle_.size();
    if (m == 0 || text.size() < m)
        return npos;
    const unsigned char* data = bytesOf(text);
    const std::size_t lastStart = text.size() - m;
    const std::size_t before = compared;
    for (std::size_t i = from; i <= lastStart; ++i) {
        i = findPair(data, i, lastStart, first_, m - 1, last_);
        if (i == npos)
            return npos;
        const std::size_t k = matchedLength(data + i);
        if (k == m)
            return i;
        // The comparisons stay within a fixed multiple of the text passed over,
        // or the search goes on in a way that never reads a byte twice.
        compared += k + 1;
        if (compared - before > 2 * (i - from) + 4 * m)
            return findWithPrefixTable(text, i + 1, compared);
    }
    return npos;
}

// Knuth-Morris-Pratt on folded bytes.
std::size_t FoldedNeedle::findWithPrefixTable(std::string_view text, std::size_t from,
                                              std::size_t& compared) const {
    const unsigned char* needle = bytesOf(needle_);
    const std::size_t m = needle_.size();
    const auto at = [needle](std::size_t k) { return foldCase(needle[k]); };
    // border[i]: the longest proper prefix of needle[0..i] that also ends it.
    std::vector<std::size_t> border(m, 0);
    for (std::size_t i = 1, k = 0; i < m; ++i) {
        while (k > 0 && at(i) != at(k))
            k = border[k - 1];
        if (at(i) == at(k))
            ++k;
        border[i] = k;
    }
    const unsigned char* data = bytesOf(text);
    for (std::size_t i = from, k = 0; i < text.size(); ++i) {
        const unsigned char c = foldCase(data[i]);
        ++compared;
        while (k > 0 && c != at(k)) {
            k = border[k - 1];
            ++compared;
        }
        if (c == at(k) && ++k == m)
            return i + 1 - m;
    }
    return npos;
}

} // namespace quorvath
