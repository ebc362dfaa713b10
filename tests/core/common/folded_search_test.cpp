#include "core/common/folded_search.h"
#include "core/common/text_case.h"

#include <gtest/gtest.h>

#include <random>

namespace quorvath {
namespace {

TEST(FoldCase, FoldsWindows1252LettersOnly) {
    // The signs D7 and F7, sharp s DF and the small letters stay as they are.
    const std::pair<int, int> folds[] = {{'A', 'a'},   {'Z', 'z'},   {'a', 'a'},   {'^', '^'},
                                         {'@', '@'},   {0xC0, 0xE0}, {0xDE, 0xFE}, {0xD7, 0xD7},
                                         {0xF7, 0xF7}, {0xDF, 0xDF}, {0x8A, 0x9A}, {0x8C, 0x9C},
                                         {0x8E, 0x9E}, {0x9F, 0xFF}, {0x9A, 0x9A}};
    for (auto [in, out] : folds)
        EXPECT_EQ(foldCase(static_cast<unsigned char>(in)), out) << in;
    EXPECT_TRUE(equalFolded("Games.LOG", "games.log"));
    EXPECT_FALSE(equalFolded("games.log", "games.lo"));
}

// The plain way: fold both, then an exact search.
std::size_t foldedCopyFind(std::string text, std::string needle, std::size_t from) {
    for (std::string* s : {&text, &needle})
        for (char& c : *s)
            c = static_cast<char>(foldCase(static_cast<unsigned char>(c)));
    return needle.empty() ? std::string::npos : text.find(needle, from);
}

// Texts long enough to cross the 64-byte blocks; letters whose cases differ in
// more than bit 5; and small alphabets whose needles keep almost matching, so
// that the search hands over to its linear fallback.
TEST(FoldedNeedle, AgreesWithASearchOnAFoldedCopy) {
    const std::string alphabets[] = {"aAbB^1 \n\xC9\xE9\x8A\x9A\x9F\xFF\xD7\xF7", "aAb", "aA"};
    std::mt19937 rng(5);
    for (int round = 0; round < 6000; ++round) {
        const std::string& alphabet = alphabets[round % 3];
        const auto randomString = [&](std::size_t maxLength) {
            std::string s(std::uniform_int_distribution<std::size_t>(0, maxLength)(rng), ' ');
            for (char& c : s)
                c = alphabet[rng() % alphabet.size()];
            return s;
        };
        const std::string text = randomString(round % 3 == 0 ? 300 : 2000);
        const std::string needle = randomString(round % 3 == 0 ? 3 : 40);
        const std::size_t from = rng() % (text.size() + 2);
        ASSERT_EQ(FoldedNeedle(needle).find(text, from), foldedCopyFind(text, needle, from))
            << ::testing::PrintToString(needle) << " from " << from << " in "
            << ::testing::PrintToString(text);
    }
}

TEST(FoldedNeedle, RepeatedNearMissesStillFindTheHit) {
    // Every position starts a long near miss: without the fallback each one
    // would be compared half through.
    const std::string needle = std::string(500, 'a') + "b" + std::string(500, 'A');
    const std::string text = std::string(200000, 'a') + needle + "a";
    std::size_t compared = 0;
    EXPECT_EQ(FoldedNeedle(needle).find(text, 0, compared), 200000u);
    // Linear: a few comparisons per byte of text, where comparing each near
    // miss half through would cost about 500 per byte.
    EXPECT_LE(compared, 4 * text.size());
    EXPECT_EQ(FoldedNeedle(needle).find(text, 200001), std::string::npos);
    EXPECT_EQ(FoldedNeedle("").find(text), std::string::npos);
}

} // namespace
} // namespace quorvath
