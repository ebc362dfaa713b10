// Windows-1252 text and the file dialogs' filter strings.

#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

TEST(Windows1252Test, RoundTripAndTheHighTable) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(windows1252FromUtf8(utf8FromWindows1252(all)), all);
    EXPECT_EQ(utf8FromWindows1252("a plain stretch\xE9 and\x80!"),
              "a plain stretch\xC3\xA9 and\xE2\x82\xAC!");
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
