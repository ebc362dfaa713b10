// The plain helpers under the windows: line index, Windows-1252, file filters.

#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
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

TEST(Windows1252Test, RoundTripAndTheHighTable) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(windows1252FromUtf8(utf8FromWindows1252(all)), all);
    EXPECT_EQ(unicodeFromWindows1252(0x80), u'\u20AC');
    EXPECT_EQ(unicodeFromWindows1252(0x9F), u'\u0178');
    EXPECT_EQ(unicodeFromWindows1252(0xE9), u'\u00E9');
    EXPECT_EQ(windows1252FromUtf8("\xC3\xA9\xE2\x82\xAC"), "\xE9\x80");
    EXPECT_EQ(windows1252FromUtf8("\xE4\xB8\xAD"), "?"); // not in the code page
    EXPECT_EQ(windows1252FromUtf8("a\xC3"), "a?");       // a cut sequence
}

TEST(FileFilterTest, PairsSeparatedByBars) {
    const auto f = parseFileFilter("Log Files|*.log|Text Files|*.txt");
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].description, "Log Files");
    EXPECT_EQ(f[0].pattern, "*.log");
    EXPECT_EQ(f[1].description, "Text Files");
    EXPECT_EQ(f[1].pattern, "*.txt");
    EXPECT_EQ(parseFileFilter("Config Files|*.cfg").size(), 1u);
}

} // namespace
} // namespace quorvath
