#pragma once
// LogDocument: the loaded log as the view holds it. Text is bytes (one byte is
// one Windows-1252 character, so positions are byte offsets); every character
// carries one attribute byte: a palette index for its colour and the bold,
// italic and underline flags. One selection (caret + length).
//
// The editing operations below are the ones the windows and the rendering
// rules are written in. The renderer's fast sweeps work on the buffers
// directly (textBuffer(), attributeBuffer()) and call textChanged() after.
//
// Not thread-safe: one thread edits; readers must not run during an edit.

#include <cstdint>
#include <optional>
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
    CharStyle styleAt(int pos) const;
    Colour colourAt(int pos) const;
    std::uint8_t attributeAt(int pos) const { return attrs_[static_cast<std::size_t>(pos)]; }
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
    // Puts `replacement` in place of the selection (empty deletes it). The
    // inserted characters take the style set on the selection just before;
    // with none set, the style of the first replaced character (at a bare
    // caret: of the character before it). Afterwards nothing is selected and
    // the caret stands after the insertion.
    void replaceSelection(std::string_view replacement);

    // Colour of the first selected character (of the character at a bare caret).
    Colour selectionColour() const;
    void setSelectionColour(Colour colour);
    void setSelectionBold(bool on);
    void setSelectionItalic(bool on);
    void setSelectionUnderline(bool on);

    // --- search -------------------------------------------------------------
    // First occurrence of `what` at or after `start` that lies wholly before
    // `end` (when given), letters compared without case (Windows-1252 letters).
    // A hit becomes the selection. Returns its position or -1; an empty `what`
    // finds nothing. With no start, searches the whole text when nothing is
    // selected, else within the selection.
    int find(std::string_view what, std::optional<int> start = std::nullopt,
             std::optional<int> end = std::nullopt);
    // The same search without touching the selection.
    int findPosition(std::string_view what, int start, int end = -1) const;

    // --- caret movement and lines ------------------------------------------
    // Moves the caret forward to just before the nearest `c` at or after it
    // (for LF: to just before the CR of a CR LF), or to the end of the text.
    void moveCaretForwardTo(char c);
    // Moves the caret backward to just after the nearest `c` before it, or to 0.
    void moveCaretBackwardTo(char c);
    // 0-based line of a position; the CR LF ending a line belongs to it.
    int lineOf(int pos) const;

    // --- fast access for sweeps ----------------------------------------------
    std::string& textBuffer() { return text_; }
    std::vector<std::uint8_t>& attributeBuffer() { return attrs_; }
    const std::vector<std::uint8_t>& attributes() const { return attrs_; }
    const std::vector<Colour>& palette() const { return palette_; }
    // Call after editing the buffers directly (sizes must agree).
    void textChanged();

    // The text with every letter folded to one case; rebuilt lazily after edits.
    const std::string& foldedText() const;

private:
    std::string text_;
    std::vector<std::uint8_t> attrs_;
    std::vector<Colour> palette_;
    int selStart_ = 0;
    int selLength_ = 0;
    // Style set on the current selection just before a replacement.
    std::optional<std::uint8_t> pendingAttr_;
    mutable std::string folded_;
    mutable bool foldedValid_ = false;
    mutable std::vector<int> lineStarts_;
    mutable bool linesValid_ = false;
};

// Windows-1252 case folding: A-Z, 0xC0-0xDE but 0xD7 with 0xE0-0xFE but 0xF7,
// and 0x8A/0x9A, 0x8C/0x9C, 0x8E/0x9E, 0x9F/0xFF all fold to the small form.
unsigned char foldCase(unsigned char c);

} // namespace quorvath
