// Find, Find Next and the nick highlighting on a document.

#include "core/common/progress.h"
#include "core/log/log_search.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

TEST(LogSearchTest, FindStartsAtOneAndFindNextStepsPastTheHit) {
    LogDocument doc;
    doc.setText("aaXaa");
    EXPECT_EQ(findFirst(doc, "aa"), 3);    // the hit at 0 is never found by Find
    EXPECT_EQ(findNext(doc, "aa", -1), 3); // -1 starts over: from 0 + 2
    EXPECT_EQ(findNext(doc, "aa", 3), -1);
    EXPECT_EQ(doc.selStart(), 5);      // a miss leaves the caret where it was put
    EXPECT_EQ(findFirst(doc, ""), -1); // an empty search box finds nothing
}

TEST(LogSearchTest, NickHitsContinueJustAfterEachHit) {
    LogDocument doc;
    doc.setText("aaaa Bobby BOB");
    Progress progress;
    EXPECT_EQ(findNickHits(doc, "aa", progress), (std::vector<int>{0, 2}));
    const auto hits = findNickHits(doc, "bob", progress);
    EXPECT_EQ(hits, (std::vector<int>{5, 11}));
    EXPECT_EQ(progress.position(), 14);
    EXPECT_TRUE(findNickHits(doc, "", progress).empty());

    doc.select(5, 3);
    doc.setSelectionColour(0x8080FF);
    doc.select(9, 2);
    highlightHits(doc, hits, 3);
    EXPECT_EQ(doc.styleAt(5), (CharStyle{0x8080FF, true, true, true}));
    EXPECT_FALSE(doc.styleAt(8).bold);
    EXPECT_TRUE(doc.styleAt(13).underline);
    EXPECT_EQ(doc.selStart(), 0);
    EXPECT_EQ(doc.selLength(), 0);
}

} // namespace
} // namespace quorvath
