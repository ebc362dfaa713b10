#pragma once
// The program's one case-insensitive search: the first occurrence of a needle
// in a text, letters compared as foldCase folds them, straight on the text
// (no folded copy of a log is ever made).
//
// Fast on ordinary text: a cheap test on the needle's first and last byte
// skips most of the text 16 or 64 positions at a time. Linear in the worst case too:
// a needle that keeps almost matching (a player name repeated over and over)
// hands the rest of the text to a Knuth-Morris-Pratt scan.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvath {

class FoldedNeedle {
public:
    // Views `needle`: it must stay alive while the FoldedNeedle is used.
    explicit FoldedNeedle(std::string_view needle);

    std::size_t size() const { return needle_.size(); }
    // The first hit at or after `from` lying wholly within `text`; npos when
    // there is none. An empty needle occurs nowhere.
    std::size_t find(std::string_view text, std::size_t from = 0) const;
    // The same, adding to `compared` every byte compared with the needle: the
    // work that stays linear in the text however the needle nearly matches.
    std::size_t find(std::string_view text, std::size_t from, std::size_t& compared) const;

    // A test a byte must pass to fold to a given byte: (byte | mask) == value.
    // It may let through bytes that do not fold to it, never the other way round.
    struct ByteFilter {
        std::uint8_t mask;
        std::uint8_t value;
    };

private:
    std::size_t matchedLength(const unsigned char* at) const;
    std::size_t findWithPrefixTable(std::string_view text, std::size_t from,
                                    std::size_t& compared) const;

    std::string_view needle_;
    ByteFilter first_{};
    ByteFilter last_{};
};

} // namespace quorvath
