#include "core/log/log_document.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quorvath {
namespace {

TEST(LogDocumentFold, FoldsWindows1252LettersOnly) {
    // The signs D7 and F7, sharp s DF and the small letters stay as they are.
    const std::pair<int, int> folds[] = {{'A', 'a'},   {'Z', 'z'},   {'a', 'a'},   {'^', '^'},
                                         {'@', '@'},   {0xC0, 0xE0}, {0xDE, 0xFE}, {0xD7, 0xD7},
                                         {0xF7, 0xF7}, {0xDF, 0xDF}, {0x8A, 0x9A}, {0x8C, 0x9C},
                                         {0x8E, 0x9E}, {0x9F, 0xFF}, {0x9A, 0x9A}};
    for (auto [in, out] : folds)
        EXPECT_EQ(foldCase(static_cast<unsigned char>(in)), out) << in;
}

TEST(LogDocumentFind, IgnoresCaseInsideWordsAndSelectsTheHit) {
    LogDocument doc;
    doc.setText("xxMSECyy \xC9t\xC9 msec");
    EXPECT_EQ(doc.find("msec", 0), 2);
    EXPECT_EQ(doc.selStart(), 2);
    EXPECT_EQ(doc.selLength(), 4);
    EXPECT_EQ(doc.find("msec", 3), 13);
    EXPECT_EQ(doc.find("\xE9T\xE9", 0), 9);
    EXPECT_EQ(doc.find("nothing", 0), -1);
    EXPECT_EQ(doc.selStart(), 9); // a miss leaves the selection alone
    EXPECT_EQ(doc.find("", 0), -1);
}

TEST(LogDocumentFind, EndBoundsTheWholeHitAndNoStartUsesTheSelection) {
    LogDocument doc;
    doc.setText("^1ab^1cd");
    EXPECT_EQ(doc.find("^1", 1, 5), -1); // the second ^1 ends at 6, past 5
    EXPECT_EQ(doc.find("^1", 1, 6), 4);
    doc.setSelStart(0);
    EXPECT_EQ(doc.find("^1"), 0); // nothing selected: whole text
    doc.select(1, 4);
    EXPECT_EQ(doc.find("^1"), -1); // within "1ab^" only
    doc.select(1, 7);
    EXPECT_EQ(doc.find("^1"), 4);
    EXPECT_EQ(doc.findPosition("^1", 5), -1);
    EXPECT_EQ(doc.findPosition("^1", -3), 0);
    EXPECT_EQ(doc.findPosition("^1", 99), -1);
}

TEST(LogDocumentFind, SeesEditsMadeThroughReplaceAndBuffers) {
    LogDocument doc;
    doc.setText("aaa msec");
    EXPECT_EQ(doc.find("msec", 0), 4);
    doc.replaceSelection("MSEX");
    EXPECT_EQ(doc.find("msec", 0), -1);
    EXPECT_EQ(doc.find("msex", 0), 4);
    doc.textBuffer() = "msec";
    doc.attributeBuffer().assign(4, 0);
    doc.textChanged();
    EXPECT_EQ(doc.find("MSEC", 0), 0);
}

TEST(LogDocumentReplace, InsertedTextTakesTheStyleSetJustBefore) {
    LogDocument doc;
    doc.setText("hello world");
    doc.select(0, 5);
    doc.setSelectionColour(0x00C0C0);
    doc.setSelectionBold(true);
    doc.setSelectionUnderline(true);
    doc.replaceSelection("NEW");
    EXPECT_EQ(doc.text(), "NEW world");
    EXPECT_EQ(doc.selStart(), 3);
    EXPECT_EQ(doc.selLength(), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(doc.styleAt(i), (CharStyle{0x00C0C0, true, false, true}));
    EXPECT_EQ(doc.styleAt(3), CharStyle{});
}

TEST(LogDocumentReplace, WithoutStyleSetTakesFirstReplacedOrPrecedingCharacter) {
    LogDocument doc;
    doc.setText("abcdef");
    doc.select(2, 2);
    doc.setSelectionColour(0xFF);
    doc.setSelStart(0); // moving the caret forgets the pending style
    doc.select(2, 3);
    doc.replaceSelection("XY"); // first replaced character was red
    EXPECT_EQ(doc.text(), "abXYf");
    EXPECT_EQ(doc.colourAt(2), 0xFFu);
    EXPECT_EQ(doc.colourAt(3), 0xFFu);
    doc.setSelStart(4); // bare caret after red Y
    doc.replaceSelection("Z");
    EXPECT_EQ(doc.text(), "abXYZf");
    EXPECT_EQ(doc.colourAt(4), 0xFFu);
    doc.setSelStart(0);
    doc.replaceSelection("0"); // at 0: the character at the caret
    EXPECT_EQ(doc.colourAt(0), 0u);
}

TEST(LogDocumentReplace, BareCaretStyleAppliesToTheNextInsertionOnly) {
    LogDocument doc;
    doc.setText("ab");
    doc.setSelStart(1);
    doc.setSelectionBold(true);
    doc.setSelectionColour(0x123456);
    EXPECT_EQ(doc.selectionColour(), 0x123456u);
    EXPECT_FALSE(doc.styleAt(0).bold); // no character changed
    doc.replaceSelection("x");
    EXPECT_EQ(doc.styleAt(1), (CharStyle{0x123456, true, false, false}));
    doc.replaceSelection("y");
    EXPECT_EQ(doc.styleAt(2), (CharStyle{0x123456, true, false, false})); // follows the x
    doc.select(0, 4);
    doc.replaceSelection("");
    EXPECT_EQ(doc.text(), "");
    doc.replaceSelection("q");
    EXPECT_EQ(doc.colourAt(0), 0u);
}

TEST(LogDocumentStyle, SelectionColourAndPaletteLimit) {
    LogDocument doc;
    doc.setText("abc");
    doc.select(1, 1);
    doc.setSelectionColour(0xE0E0E0);
    doc.setSelectionItalic(true);
    EXPECT_EQ(doc.selectionColour(), 0xE0E0E0u);
    EXPECT_EQ(doc.styleAt(1), (CharStyle{0xE0E0E0, false, true, false}));
    EXPECT_EQ(doc.styleAt(0), CharStyle{});
    for (Colour c = 1; c < 31; ++c)
        doc.paletteIndex(0x10000 + c);
    EXPECT_EQ(doc.palette().size(), 32u);
    EXPECT_EQ(doc.paletteIndex(0xE0E0E0), 1);
    EXPECT_THROW(doc.paletteIndex(0xABCDEF), std::length_error);
}

TEST(LogDocumentCaret, ForwardToLfStopsBeforeTheCrOfCrLf) {
    LogDocument doc;
    doc.setText("ab\r\ncd\ne\rf");
    const struct {
        int from;
        bool forward;
        int to;
    } moves[] = {
        {0, true, 2},   {3, true, 3},  // between CR and LF: never moves backward
        {4, true, 6},   {7, true, 10}, // a bare LF; none: the end
        {10, false, 7}, {7, false, 7}, {2, false, 0},
    };
    for (const auto& m : moves) {
        doc.setSelStart(m.from);
        m.forward ? doc.moveCaretForwardTo('\n') : doc.moveCaretBackwardTo('\n');
        EXPECT_EQ(doc.selStart(), m.to) << m.from << (m.forward ? " forward" : " backward");
    }
}

TEST(LogDocumentLines, CrLfBelongsToTheLineItEnds) {
    LogDocument doc;
    doc.setText("ab\r\ncd\r\n");
    EXPECT_EQ(
        std::vector({doc.lineOf(0), doc.lineOf(2), doc.lineOf(3), doc.lineOf(4), doc.lineOf(8)}),
        std::vector({0, 0, 0, 1, 2}));
    doc.select(0, 4);
    doc.replaceSelection("");
    EXPECT_EQ(doc.lineOf(2), 0); // index rebuilt after the edit
    EXPECT_EQ(doc.lineOf(4), 1);
}

} // namespace
} // namespace quorvath
