#pragma once
// Case-insensitive substring search straight on the text, for the sweeps: the
// document's find works on a folded copy, which would cost the renderer a
// third buffer the size of the log.

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvath {

class FoldedNeedle {
public:
    explicit FoldedNeedle(std::string_view needle);
    std::size_t size() const { return needle_.size(); }
    // First hit at or after `from` lying wholly within `text`; npos if none.
    std::size_t find(std::string_view text, std::size_t from) const;

private:
    std::size_t nextAnchor(const unsigned char* text, std::size_t from, std::size_t end) const;

    enum class Anchor { Exact, AsciiLetter, Table };
    std::string needle_; // folded
    Anchor anchor_ = Anchor::Exact;
};

// First "^" followed by `code` at or after `from`; npos if none.
std::size_t findCode(std::string_view text, std::size_t from, char code);

} // namespace quorvath
