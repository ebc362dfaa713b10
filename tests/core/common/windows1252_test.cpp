// Windows-1252 text and the file dialogs' filter strings.

#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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

TEST(Windows1252Test, EachCharacterOutsideTheCodePageIsOneQuestionMark) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xF0\x9F\x98\x80!", "?!"},           // four bytes, lead F0
        {"\xF4\x8F\xBF\xBF", "?"},             // the last code point
        {"\xE2\x82\xAC\xE4\xB8\xAD", "\x80?"}, // three bytes each
        {"\xE0\xA4\x85\xEF\xBF\xBD", "??"},    // the lowest and highest leads of three
        {"\xC2\xA0\xC5\x93", "\xA0\x9C"},      // two bytes each
        {"\xC2\x80\xC2\x9F", "??"},            // controls, where the code page has letters
        {"\x80x", "?x"},                       // a stray continuation byte
        {"x\xF0\x9F\x98", "x???"},             // cut: each byte alone
    };
    for (const auto& [utf8, expected] : cases)
        EXPECT_EQ(windows1252FromUtf8(utf8), expected) << utf8;
}

TEST(FileFilterTest, PairsSeparatedByBars) {
    const auto f = parseFileFilter("Log Files|*.log|Text Files|*.txt");
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].description, "Log Files");
    EXPECT_EQ(f[0].pattern, "*.log");
    EXPECT_EQ(f[1].description, "Text Files");
    EXPECT_EQ(f[1].pattern, "*.txt");
    EXPECT_EQ(parseFileFilter("Config Files|*.cfg").size(), 1u);
    // A description without its pattern is left out, never read past.
    const auto odd = parseFileFilter("Log Files|*.log|All Files");
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_EQ(odd[0].pattern, "*.log");
    EXPECT_TRUE(parseFileFilter("").empty());
}

} // namespace
} // namespace quorvath
