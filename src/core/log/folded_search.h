#pragma once
// Case-insensitive substring search straight on the text, for the sweeps: the
// document's find works on a folded copy, which would cost the renderer a
// third buffer the size of the log.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvath {

class FoldedNeedle {
public:
    explicit FoldedNeedle(std::string_view needle);
    std::size_t size() const { return needle_.size(); }
    // First hit at or after `from` lying wholly within `text`; npos if none.
    std::size_t find(std::string_view text, std::size_t from) const;

    // A cheap test a byte must pass to fold to a given letter: (byte | mask)
    // == value. It may let through bytes that do not fold to it, never the
    // other way round.
    struct ByteFilter {
        std::uint8_t mask;
        std::uint8_t value;
    };

private:
    std::string needle_; // folded
    ByteFilter first_{};
    ByteFilter last_{};
};

// First "^" followed by `code` (not a letter) at or after `from`; npos if none.
std::size_t findCode(std::string_view text, std::size_t from, char code);

} // namespace quorvath
