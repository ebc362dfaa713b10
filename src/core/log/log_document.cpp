#include "core/log/log_document.h"

#include "core/common/folded_search.h"

#include <algorithm>
#include <stdexcept>

namespace quorvath {

LogDocument::LogDocument() : palette_{0} {}

void LogDocument::setText(std::string text) {
    text_ = std::move(text);
    attrs_.clear();
    attrs_.shrinkToFit();
    if (!text_.empty())
        attrs_.append(0, 0); // palette index 0 is colour 0
    selStart_ = 0;
    selLength_ = 0;
}

// --- per-character style ----------------------------------------------------

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
}

void LogDocument::setSelLength(int length) {
    selLength_ = std::clamp(length, 0, this->length() - selStart_);
}

std::string LogDocument::selectedText() const {
    return text_.substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
}

// --- search -------------------------------------------------------------------

int LogDocument::findPosition(std::string_view what, int start) const {
    const std::size_t hit =
        FoldedNeedle(what).find(text_, static_cast<std::size_t>(std::max(start, 0)));
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int LogDocument::find(std::string_view what, int start) {
    const int hit = findPosition(what, start);
    if (hit >= 0) {
        selStart_ = hit;
        selLength_ = static_cast<int>(what.size());
    }
    return hit;
}

void LogDocument::textChanged() {
    selStart_ = std::min(selStart_, length());
    selLength_ = std::min(selLength_, length() - selStart_);
}

} // namespace quorvath
