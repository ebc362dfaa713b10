#pragma once
// LogDocument: the loaded log as the view holds it. Text is bytes (one byte is
// one Windows-1252 character, so positions are byte offsets); every character
// has one attribute: a palette index for its colour and the bold, italic and
// underline flags, kept as runs (AttributeRuns). One selection (caret +
// length), which the view shows and Find moves.
//
// The loader's sweeps build the text and the runs straight in the buffers
// (textBuffer(), attributeRuns()) and call textChanged() after.
//
// Not thread-safe: one thread edits; readers must not run during an edit.

#include "core/log/attribute_runs.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

using Colour = std::uint32_t; // 0x00BBGGRR, red in the low byte

struct CharStyle {
    Colour colour = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const CharStyle&, const CharStyle&) = default;
};

// Attribute byte layout.
namespace attr {
inline constexpr std::uint8_t ColourMask = 0x1F; // palette index, up to 32 colours
inline constexpr std::uint8_t Bold = 0x20;
inline constexpr std::uint8_t Italic = 0x40;
inline constexpr std::uint8_t Underline = 0x80;
} // namespace attr

class LogDocument {
public:
    LogDocument();

    // --- whole text -------------------------------------------------------
    const std::string& text() const { return text_; }
    int length() const { return static_cast<int>(text_.size()); }
    // Replaces the whole text; every character gets the default style
    // (colour 0, no flags). Clears the selection.
    void setText(std::string text);

    // --- per-character style ----------------------------------------------
    std::uint8_t attributeAt(int pos) const { return attrs_.at(static_cast<std::size_t>(pos)); }
    std::uint8_t attributeAt(int pos, AttributeRuns::Hint& hint) const {
        return attrs_.at(static_cast<std::size_t>(pos), hint);
    }
    // The palette index for a colour, added to the palette when new.
    // Throws std::length_error past 32 distinct colours.
    std::uint8_t paletteIndex(Colour colour);
    Colour paletteColour(std::uint8_t index) const { return palette_[index & attr::ColourMask]; }
    std::uint8_t attributeFor(const CharStyle& style);

    // --- selection ----------------------------------------------------------
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    // Moves the caret (clamped to 0..length) and clears the selection.
    void setSelStart(int pos);
    // Selects that many characters from the caret (clamped to the text end).
    void setSelLength(int length);
    void select(int start, int length) {
        setSelStart(start);
        setSelLength(length);
    }
    std::string selectedText() const;

    // --- search -------------------------------------------------------------
    // The first occurrence of `what` at or after `start` (a negative start
    // counts as 0), letters compared without case (foldCase); -1 when there is
    // none or `what` is empty.
    int findPosition(std::string_view what, int start) const;
    // The same, and a hit becomes the selection (a miss leaves it alone).
    int find(std::string_view what, int start);

    // --- fast access for sweeps ----------------------------------------------
    std::string& textBuffer() { return text_; }
    AttributeRuns& attributeRuns() { return attrs_; }
    const AttributeRuns& attributeRuns() const { return attrs_; }
    const std::vector<Colour>& palette() const { return palette_; }
    // Call after editing the buffers directly (the runs must cover the text):
    // keeps the selection within the text.
    void textChanged();

private:
    std::string text_;
    AttributeRuns attrs_;
    std::vector<Colour> palette_;
    int selStart_ = 0;
    int selLength_ = 0;
};

} // namespace quorvath
