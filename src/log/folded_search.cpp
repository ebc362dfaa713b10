#include "log/folded_search.h"

#include "log/log_document.h"

#include <cstring>

namespace quorvath {

namespace {

bool hasCasePartner(unsigned char c) {
    for (int other = 0; other < 256; ++other)
        if (other != c && foldCase(static_cast<unsigned char>(other)) == foldCase(c))
            return true;
    return false;
}

} // namespace

FoldedNeedle::FoldedNeedle(std::string_view needle) : needle_(needle) {
    for (char& c : needle_)
        c = static_cast<char>(foldCase(static_cast<unsigned char>(c)));
    if (needle_.empty())
        return;
    const auto first = static_cast<unsigned char>(needle_[0]);
    if (first >= 'a' && first <= 'z')
        anchor_ = Anchor::AsciiLetter;
    else if (hasCasePartner(first))
        anchor_ = Anchor::Table;
}

std::size_t FoldedNeedle::nextAnchor(const unsigned char* text, std::size_t from,
                                     std::size_t end) const {
    const auto first = static_cast<unsigned char>(needle_[0]);
    if (anchor_ == Anchor::Exact) {
        const void* hit = std::memchr(text + from, first, end - from);
        return hit ? static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - text)
                   : std::string::npos;
    }
    std::size_t i = from;
    if (anchor_ == Anchor::AsciiLetter) {
        // Only the two cases of an ASCII letter give it with bit 5 set; the
        // block test vectorises, so most of the text is skipped 64 at a time.
        while (i + 64 <= end) {
            unsigned char any = 0;
            for (std::size_t j = 0; j < 64; ++j)
                any |= static_cast<unsigned char>((text[i + j] | 0x20) == first);
            if (any)
                break;
            i += 64;
        }
    }
    for (; i < end; ++i)
        if (foldCase(text[i]) == first)
            return i;
    return std::string::npos;
}

std::size_t FoldedNeedle::find(std::string_view text, std::size_t from) const {
    const std::size_t m = needle_.size();
    if (m == 0 || text.size() < m)
        return std::string::npos;
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t lastStart = text.size() - m;
    for (std::size_t i = from; i <= lastStart; ++i) {
        i = nextAnchor(data, i, lastStart + 1);
        if (i == std::string::npos)
            return i;
        std::size_t k = 1;
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
    const char* data = text.data();
    const std::size_t lastStart = text.size() - 2;
    while (from <= lastStart) {
        const void* hit = std::memchr(data + from, '^', lastStart + 1 - from);
        if (!hit)
            return std::string::npos;
        const auto p = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (data[p + 1] == code)
            return p;
        from = p + 1;
    }
    return std::string::npos;
}

} // namespace quorvath
