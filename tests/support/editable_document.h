#pragma once
// EditableDocument: a LogDocument edited the slow way, one find, selection,
// style change and replacement at a time, as a rich-text box would. The
// literal references (tests/core/log/literal_render, tests/core/stats/
// literal_event_scan) are written in these steps and the program's sweeps are
// held to them; tests also paint colours with it.
//
// The behaviour (docs/behaviour.md, "Log document"): inserted text takes the
// style set on the selection just before, else that of the first replaced
// character (at a bare caret: of the one before it); caret moves up to LF stop
// before the CR of a CR LF; find with no start searches the selection.

#include "core/log/line_index.h"
#include "core/log/log_document.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath::test {

class EditableDocument {
public:
    explicit EditableDocument(LogDocument& doc) : doc_(doc) {}

    LogDocument& document() { return doc_; }
    const std::string& text() const { return doc_.text(); }
    int length() const { return doc_.length(); }

    // The selection; every change forgets a style set at a bare caret.
    int selStart() const { return doc_.selStart(); }
    int selLength() const { return doc_.selLength(); }
    void setSelStart(int pos) {
        doc_.setSelStart(pos);
        pending_.reset();
    }
    void setSelLength(int length) {
        doc_.setSelLength(length);
        pending_.reset();
    }
    void select(int start, int length) {
        doc_.select(start, length);
        pending_.reset();
    }
    std::string selectedText() const { return doc_.selectedText(); }

    // Puts `replacement` in place of the selection; afterwards the caret
    // stands after it and nothing is selected.
    void replaceSelection(std::string_view replacement);
    // Colour of the first selected character; at a bare caret the colour set
    // there for the next insertion, else of the character at the caret.
    Colour selectionColour() const;
    void setSelectionColour(Colour colour);
    // Sets or clears attr::Bold, attr::Italic or attr::Underline.
    void setSelectionFlag(std::uint8_t flag, bool on);

    // The first hit at or after `start` lying wholly before `end` (a negative
    // end: the text end), selected. With no start: within the selection when
    // there is one, else the whole text.
    int find(std::string_view what, std::optional<int> start = std::nullopt,
             std::optional<int> end = std::nullopt);
    void moveCaretForwardTo(char c);
    void moveCaretBackwardTo(char c);
    // 0-based line of a position; the CR LF ending a line belongs to it.
    int lineOf(int pos);

private:
    template <typename Change> void changeSelectionStyle(Change change);
    std::uint8_t insertionAttribute() const;

    LogDocument& doc_;
    std::optional<std::uint8_t> pending_; // style set at a bare caret or just before a replace
    LineIndex lines_;
    bool linesValid_ = false;
};

// Every character's attribute, a byte each.
std::vector<std::uint8_t> attributeBytes(const LogDocument& doc);
// The style of one character.
CharStyle styleAt(const LogDocument& doc, int pos);
inline Colour colourAt(const LogDocument& doc, int pos) { return styleAt(doc, pos).colour; }

} // namespace quorvath::test
