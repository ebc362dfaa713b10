#include "support/editable_document.h"

#include "core/common/folded_search.h"

#include <algorithm>

namespace quorvath::test {

std::vector<std::uint8_t> attributeBytes(const LogDocument& doc) {
    std::vector<std::uint8_t> bytes(doc.text().size());
    doc.attributeRuns().expand(0, bytes.size(), bytes.data());
    return bytes;
}

namespace {
void setAttributeBytes(LogDocument& doc, const std::vector<std::uint8_t>& bytes) {
    doc.attributeRuns().clear();
    doc.attributeRuns().appendBytes(bytes.data(), bytes.size(), 0);
}
} // namespace

CharStyle styleAt(const LogDocument& doc, int pos) {
    const std::uint8_t a = doc.attributeAt(pos);
    return CharStyle{doc.paletteColour(a), (a & attr::Bold) != 0, (a & attr::Italic) != 0,
                     (a & attr::Underline) != 0};
}

// The style the next insertion takes when none was set.
std::uint8_t EditableDocument::insertionAttribute() const {
    if (length() == 0)
        return 0;
    const int start = selStart();
    if (selLength() > 0)
        return doc_.attributeAt(start);
    return doc_.attributeAt(start > 0 ? start - 1 : 0);
}

void EditableDocument::replaceSelection(std::string_view replacement) {
    const std::uint8_t a = pending_ ? *pending_ : insertionAttribute();
    const auto start = static_cast<std::size_t>(selStart());
    const auto count = static_cast<std::size_t>(selLength());
    std::vector<std::uint8_t> attrs = attributeBytes(doc_);
    doc_.textBuffer().replace(start, count, replacement);
    attrs.erase(attrs.begin() + static_cast<std::ptrdiff_t>(start),
                attrs.begin() + static_cast<std::ptrdiff_t>(start + count));
    attrs.insert(attrs.begin() + static_cast<std::ptrdiff_t>(start), replacement.size(), a);
    setAttributeBytes(doc_, attrs);
    doc_.textChanged();
    linesValid_ = false;
    setSelStart(static_cast<int>(start + replacement.size()));
}

Colour EditableDocument::selectionColour() const {
    if (selLength() == 0 && pending_)
        return doc_.paletteColour(*pending_);
    if (length() == 0)
        return doc_.paletteColour(0);
    return colourAt(doc_, std::min(selStart(), length() - 1));
}

// The selected characters change, and so does the style of the next insertion.
template <typename Change> void EditableDocument::changeSelectionStyle(Change change) {
    if (selLength() > 0) { // only the selection's runs change: a style per line stays linear
        const auto from = static_cast<std::size_t>(selStart());
        const std::size_t to = from + static_cast<std::size_t>(selLength());
        std::vector<std::uint8_t> attrs(to - from);
        doc_.attributeRuns().expand(from, to, attrs.data());
        AttributeRuns::Runs changed;
        for (std::size_t i = 0; i < attrs.size(); ++i)
            changed.append(from + i, change(attrs[i]));
        doc_.attributeRuns().assign(from, to, changed, doc_.text().size());
    }
    pending_ = change(pending_ ? *pending_ : insertionAttribute());
}

void EditableDocument::setSelectionColour(Colour colour) {
    const std::uint8_t index = doc_.paletteIndex(colour);
    changeSelectionStyle([index](std::uint8_t a) {
        return static_cast<std::uint8_t>((a & ~attr::ColourMask) | index);
    });
}

void EditableDocument::setSelectionFlag(std::uint8_t flag, bool on) {
    changeSelectionStyle([flag, on](std::uint8_t a) {
        return static_cast<std::uint8_t>(on ? (a | flag) : (a & ~flag));
    });
}

int EditableDocument::find(std::string_view what, std::optional<int> start,
                           std::optional<int> end) {
    int from = start.value_or(0);
    int to = end.value_or(-1);
    if (!start && selLength() > 0) {
        from = selStart();
        if (to < 0)
            to = selStart() + selLength();
    }
    const std::string_view within =
        std::string_view(text()).substr(0, static_cast<std::size_t>(to < 0 ? length() : to));
    const std::size_t hit =
        FoldedNeedle(what).find(within, static_cast<std::size_t>(std::max(from, 0)));
    if (hit == std::string_view::npos)
        return -1;
    select(static_cast<int>(hit), static_cast<int>(what.size()));
    return static_cast<int>(hit);
}

void EditableDocument::moveCaretForwardTo(char c) {
    const std::size_t hit = text().find(c, static_cast<std::size_t>(selStart()));
    int pos = hit == std::string::npos ? length() : static_cast<int>(hit);
    // A line break is one unit: up to LF means up to the CR in front of it.
    if (c == '\n' && hit != std::string::npos && pos > selStart() &&
        text()[static_cast<std::size_t>(pos - 1)] == '\r')
        --pos;
    setSelStart(pos);
}

void EditableDocument::moveCaretBackwardTo(char c) {
    const std::size_t hit = selStart() == 0
                                ? std::string::npos
                                : text().rfind(c, static_cast<std::size_t>(selStart() - 1));
    setSelStart(hit == std::string::npos ? 0 : static_cast<int>(hit) + 1);
}

int EditableDocument::lineOf(int pos) {
    if (!linesValid_) {
        lines_.build(text());
        linesValid_ = true;
    }
    return lines_.lineOf(std::max(pos, 0));
}

} // namespace quorvath::test
