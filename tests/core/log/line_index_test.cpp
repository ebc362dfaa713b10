// The line index the log view draws from.

#include "core/log/line_index.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

TEST(LineIndexTest, LinesLeaveOutTheirLineBreak) {
    const std::string text = "ab\r\n\r\ncde\nf\rg";
    LineIndex index;
    index.build(text);
    ASSERT_EQ(index.lineCount(), 4);
    EXPECT_EQ(index.lineEnd(0), 2);   // "ab"
    EXPECT_EQ(index.lineStart(1), 4); // ""
    EXPECT_EQ(index.lineEnd(1), 4);
    EXPECT_EQ(index.lineEnd(2), 9);  // "cde", a bare LF
    EXPECT_EQ(index.lineEnd(3), 13); // "f\rg": a lone CR is no line break
    EXPECT_EQ(index.longestLine(), 3);
    EXPECT_EQ(index.lineOf(0), 0);
    EXPECT_EQ(index.lineOf(3), 0); // the LF belongs to its line
    EXPECT_EQ(index.lineOf(4), 1);
    EXPECT_EQ(index.lineOf(13), 3);
}

TEST(LineIndexTest, EmptyTextAndTrailingBreak) {
    LineIndex index;
    index.build("");
    EXPECT_EQ(index.lineCount(), 1);
    EXPECT_EQ(index.lineEnd(0), 0);
    index.build("x\r\n");
    EXPECT_EQ(index.lineCount(), 2);
    EXPECT_EQ(index.lineEnd(1), 3);
}

} // namespace
} // namespace quorvath
