#include "core/log/folded_search.h"
#include "core/log/log_document.h"

#include <gtest/gtest.h>

#include <random>

namespace quorvath {
namespace {

// The sweeps' search against the document's find, over texts long enough to
// cross the 64-byte blocks and letters whose cases differ in more than bit 5.
TEST(FoldedSearch, AgreesWithTheDocumentsFind) {
    const std::string alphabet = "aAbB^1 \n\xC9\xE9\x8A\x9A\x9F\xFF\xD7\xF7";
    std::mt19937 rng(5);
    const auto randomString = [&](std::size_t maxLength) {
        std::string s(std::uniform_int_distribution<std::size_t>(0, maxLength)(rng), ' ');
        for (char& c : s)
            c = alphabet[rng() % alphabet.size()];
        return s;
    };
    LogDocument doc;
    for (int round = 0; round < 4000; ++round) {
        doc.setText(randomString(300));
        const std::string needle = randomString(3);
        const FoldedNeedle folded(needle);
        const int from = std::uniform_int_distribution<int>(0, doc.length())(rng);
        const std::size_t hit = folded.find(doc.text(), static_cast<std::size_t>(from));
        ASSERT_EQ(hit == std::string::npos ? -1 : static_cast<int>(hit),
                  doc.findPosition(needle, from))
            << ::testing::PrintToString(needle) << " from " << from;
    }
}

TEST(FoldedSearch, FindCodeNeedsTheCaretRightBeforeTheCode) {
    const std::string text = std::string(100, 'x') + "1^ ^1" + std::string(70, '^') + "^1";
    EXPECT_EQ(findCode(text, 0, '1'), 103u);
    EXPECT_EQ(findCode(text, 104, '1'), 175u);
    EXPECT_EQ(findCode(text, 176, '1'), std::string::npos);
    EXPECT_EQ(findCode("^", 0, '1'), std::string::npos);
}

} // namespace
} // namespace quorvath
