#include "core/log/log_document.h"

#include "core/log/large_buffer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace quorvath {

namespace {

constexpr std::array<unsigned char, 256> makeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (std::size_t c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c);
    for (std::size_t c = 'A'; c <= 'Z'; ++c)
        table[c] = static_cast<unsigned char>(c + 32);
    for (std::size_t c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) // the multiplication sign has no small form
            table[c] = static_cast<unsigned char>(c + 32);
    table[0x8A] = 0x9A; // S with caron
    table[0x8C] = 0x9C; // OE
    table[0x8E] = 0x9E; // Z with caron
    table[0x9F] = 0xFF; // Y with diaeresis
    return table;
}

constexpr std::array<unsigned char, 256> foldTable = makeFoldTable();

void foldInto(std::string_view from, char* to) {
    for (std::size_t i = 0; i < from.size(); ++i)
        to[i] = static_cast<char>(foldTable[static_cast<unsigned char>(from[i])]);
}

} // namespace

unsigned char foldCase(unsigned char c) { return foldTable[c]; }

LogDocument::LogDocument() : palette_{0} {}

void LogDocument::setText(std::string text) {
    text_ = std::move(text);
    std::vector<std::uint8_t>().swap(attrs_);
    reserveLarge(attrs_, text_.size());
    attrs_.assign(text_.size(), 0); // palette index 0 is colour 0
    selStart_ = 0;
    selLength_ = 0;
    pendingAttr_.reset();
    textChanged();
}

// --- per-character style ----------------------------------------------------

CharStyle LogDocument::styleAt(int pos) const {
    const std::uint8_t a = attributeAt(pos);
    return CharStyle{paletteColour(a), (a & attr::Bold) != 0, (a & attr::Italic) != 0,
                     (a & attr::Underline) != 0};
}

Colour LogDocument::colourAt(int pos) const { return paletteColour(attributeAt(pos)); }

std::uint8_t LogDocument::paletteIndex(Colour colour) {
    for (std::size_t i = 0; i < palette_.size(); ++i)
        if (palette_[i] == colour)
            return static_cast<std::uint8_t>(i);
    if (palette_.size() > attr::ColourMask)
        throw std::length_error("a log document holds at most 32 colours");
    palette_.push_back(colour);
    return static_cast<std::uint8_t>(palette_.size() - 1);
}

std::uint8_t LogDocument::attributeFor(const CharStyle& style) {
    std::uint8_t a = paletteIndex(style.colour);
    if (style.bold)
        a |= attr::Bold;
    if (style.italic)
        a |= attr::Italic;
    if (style.underline)
        a |= attr::Underline;
    return a;
}

// --- selection ----------------------------------------------------------------

void LogDocument::setSelStart(int pos) {
    selStart_ = std::clamp(pos, 0, length());
    selLength_ = 0;
    pendingAttr_.reset();
}

void LogDocument::setSelLength(int length) {
    selLength_ = std::clamp(length, 0, this->length() - selStart_);
    pendingAttr_.reset();
}

std::string LogDocument::selectedText() const {
    return text_.substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
}

// The style the next insertion at the selection would take when none was set.
static std::uint8_t baseAttribute(const std::vector<std::uint8_t>& attrs, int selStart,
                                  int selLength) {
    if (attrs.empty())
        return 0;
    if (selLength > 0)
        return attrs[static_cast<std::size_t>(selStart)];
    if (selStart > 0)
        return attrs[static_cast<std::size_t>(selStart - 1)];
    return attrs[0];
}

void LogDocument::replaceSelection(std::string_view replacement) {
    const std::uint8_t a =
        pendingAttr_ ? *pendingAttr_ : baseAttribute(attrs_, selStart_, selLength_);
    const auto start = static_cast<std::size_t>(selStart_);
    const auto count = static_cast<std::size_t>(selLength_);
    text_.replace(start, count, replacement);
    attrs_.erase(attrs_.begin() + static_cast<std::ptrdiff_t>(start),
                 attrs_.begin() + static_cast<std::ptrdiff_t>(start + count));
    attrs_.insert(attrs_.begin() + static_cast<std::ptrdiff_t>(start), replacement.size(), a);
    if (foldedValid_) {
        // Kept in step rather than rebuilt: rules that find after every
        // replacement would otherwise fold the whole text each time.
        folded_.replace(start, count, replacement.size(), '\0');
        foldInto(replacement, folded_.data() + start);
    }
    linesValid_ = false;
    selStart_ = static_cast<int>(start + replacement.size());
    selLength_ = 0;
    pendingAttr_.reset();
}

Colour LogDocument::selectionColour() const {
    if (selLength_ == 0 && pendingAttr_)
        return paletteColour(*pendingAttr_);
    if (text_.empty())
        return paletteColour(0);
    return colourAt(std::min(selStart_, length() - 1));
}

template <typename Change>
static void applyToSelection(std::vector<std::uint8_t>& attrs, int selStart, int selLength,
                             std::optional<std::uint8_t>& pending, Change change) {
    for (int i = selStart; i < selStart + selLength; ++i)
        attrs[static_cast<std::size_t>(i)] = change(attrs[static_cast<std::size_t>(i)]);
    pending = change(pending ? *pending : baseAttribute(attrs, selStart, selLength));
}

void LogDocument::setSelectionColour(Colour colour) {
    const std::uint8_t index = paletteIndex(colour);
    applyToSelection(attrs_, selStart_, selLength_, pendingAttr_, [index](std::uint8_t a) {
        return static_cast<std::uint8_t>((a & ~attr::ColourMask) | index);
    });
}

static auto flagChange(std::uint8_t flag, bool on) {
    return [flag, on](std::uint8_t a) {
        return static_cast<std::uint8_t>(on ? (a | flag) : (a & ~flag));
    };
}

void LogDocument::setSelectionBold(bool on) {
    applyToSelection(attrs_, selStart_, selLength_, pendingAttr_, flagChange(attr::Bold, on));
}

void LogDocument::setSelectionItalic(bool on) {
    applyToSelection(attrs_, selStart_, selLength_, pendingAttr_, flagChange(attr::Italic, on));
}

void LogDocument::setSelectionUnderline(bool on) {
    applyToSelection(attrs_, selStart_, selLength_, pendingAttr_, flagChange(attr::Underline, on));
}

// --- search -------------------------------------------------------------------

int LogDocument::find(std::string_view what, std::optional<int> start, std::optional<int> end) {
    int from = 0;
    int to = end.value_or(-1);
    if (start) {
        from = *start;
    } else if (selLength_ > 0) {
        from = selStart_;
        if (to < 0)
            to = selStart_ + selLength_;
    }
    const int hit = findPosition(what, from, to);
    if (hit >= 0) {
        selStart_ = hit;
        selLength_ = static_cast<int>(what.size());
        pendingAttr_.reset();
    }
    return hit;
}

int LogDocument::findPosition(std::string_view what, int start, int end) const {
    if (what.empty())
        return -1;
    const int stop = (end < 0 || end > length()) ? length() : end;
    start = std::max(start, 0);
    if (start >= stop || static_cast<std::size_t>(stop - start) < what.size())
        return -1;
    std::string needle(what.size(), '\0');
    foldInto(what, needle.data());
    const std::string_view hay(foldedText().data() + start, static_cast<std::size_t>(stop - start));
    const std::size_t hit = hay.find(needle);
    return hit == std::string_view::npos ? -1 : start + static_cast<int>(hit);
}

const std::string& LogDocument::foldedText() const {
    if (!foldedValid_) {
        reserveLarge(folded_, text_.size());
        folded_.resize(text_.size());
        foldInto(text_, folded_.data());
        foldedValid_ = true;
    }
    return folded_;
}

// --- caret movement and lines ------------------------------------------------

void LogDocument::moveCaretForwardTo(char c) {
    const std::size_t hit = text_.find(c, static_cast<std::size_t>(selStart_));
    int pos = hit == std::string::npos ? length() : static_cast<int>(hit);
    // A line break is one unit: up to LF means up to the CR in front of it.
    if (c == '\n' && hit != std::string::npos && pos > selStart_ &&
        text_[static_cast<std::size_t>(pos - 1)] == '\r')
        --pos;
    setSelStart(pos);
}

void LogDocument::moveCaretBackwardTo(char c) {
    if (selStart_ == 0) {
        setSelStart(0);
        return;
    }
    const std::size_t hit = text_.rfind(c, static_cast<std::size_t>(selStart_ - 1));
    setSelStart(hit == std::string::npos ? 0 : static_cast<int>(hit) + 1);
}

int LogDocument::lineOf(int pos) const {
    if (!linesValid_) {
        lineStarts_.assign(1, 0);
        for (std::size_t i = text_.find('\n'); i != std::string::npos; i = text_.find('\n', i + 1))
            lineStarts_.push_back(static_cast<int>(i + 1));
        linesValid_ = true;
    }
    const auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), std::max(pos, 0));
    return static_cast<int>(it - lineStarts_.begin()) - 1;
}

void LogDocument::textChanged() {
    foldedValid_ = false;
    linesValid_ = false;
    selStart_ = std::min(selStart_, length());
    selLength_ = std::min(selLength_, length() - selStart_);
    // Free the folded copy: it is rebuilt on the next search.
    std::string().swap(folded_);
}

} // namespace quorvath
