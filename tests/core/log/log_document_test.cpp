// The document's selection and find, and Find, Find Next and Highlight Nick on it.

#include "core/common/progress.h"
#include "core/log/log_document.h"
#include "core/log/log_search.h"
#include "support/editable_document.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quorvath {
namespace {

TEST(LogDocument, FindIgnoresCaseInsideWordsAndSelectsTheHit) {
    LogDocument doc;
    doc.setText("xxMSECyy \xC9t\xC9 msec");
    EXPECT_EQ(doc.find("msec", 0), 2);
    EXPECT_EQ(doc.selectedText(), "MSEC");
    EXPECT_EQ(doc.find("msec", 3), 13);
    EXPECT_EQ(doc.find("\xE9T\xE9", -4), 9);
    EXPECT_EQ(doc.find("nothing", 0), -1);
    EXPECT_EQ(doc.selStart(), 9); // a miss leaves the selection alone
    EXPECT_EQ(doc.selLength(), 3);
    EXPECT_EQ(doc.find("", 0), -1);
    EXPECT_EQ(doc.findPosition("msec", 99), -1);
    doc.select(15, 9);
    EXPECT_EQ(doc.selLength(), 2); // kept within the text
}

TEST(LogDocument, PaletteHoldsThirtyTwoColours) {
    LogDocument doc;
    for (Colour c = 1; c < 32; ++c)
        doc.paletteIndex(0x10000 + c);
    EXPECT_EQ(doc.palette().size(), 32u);
    EXPECT_EQ(doc.paletteIndex(0x10001), 1);
    EXPECT_EQ(doc.attributeFor({0x10002, true, false, true}), 2 | attr::Bold | attr::Underline);
    EXPECT_THROW(doc.paletteIndex(0xABCDEF), std::length_error);
}

TEST(LogSearch, FindStartsAtOneAndFindNextStepsPastTheHit) {
    LogDocument doc;
    doc.setText("aaXaa");
    EXPECT_EQ(findFirst(doc, "aa"), 3);    // the hit at 0 is never found by Find
    EXPECT_EQ(findNext(doc, "aa", -1), 3); // -1 starts over: from 0 + 2
    EXPECT_EQ(findNext(doc, "aa", 3), -1);
    EXPECT_EQ(doc.selStart(), 5);      // a miss leaves the caret where it was put
    EXPECT_EQ(findFirst(doc, ""), -1); // an empty search box finds nothing
}

TEST(LogSearch, NickHitsContinueJustAfterEachHitAndKeepTheColours) {
    LogDocument doc;
    doc.setText("aaaa Bobby BOB");
    Progress progress;
    EXPECT_EQ(findNickHits(doc, "aa", progress), (std::vector<int>{0, 2}));
    const auto hits = findNickHits(doc, "bob", progress);
    EXPECT_EQ(hits, (std::vector<int>{5, 11}));
    EXPECT_EQ(progress.position(), 14);
    EXPECT_TRUE(findNickHits(doc, "", progress).empty());

    test::EditableDocument edit(doc);
    edit.select(5, 3);
    edit.setSelectionColour(0x8080FF);
    doc.select(9, 2);
    highlightHits(doc, hits, 3);
    EXPECT_EQ(test::styleAt(doc, 5), (CharStyle{0x8080FF, true, true, true}));
    EXPECT_FALSE(test::styleAt(doc, 8).bold);
    EXPECT_TRUE(test::styleAt(doc, 13).underline);
    EXPECT_EQ(doc.selStart(), 0);
    EXPECT_EQ(doc.selLength(), 0);
}

} // namespace
} // namespace quorvath
