// Randomised differential tests: the sweeps against the rules as worded
// (literal_render), on many small texts full of the significant characters.

#include "literal_render.h"

#include "core/common/progress.h"
#include "core/log/colour_renderer.h"
#include "core/log/log_colours.h"
#include "core/log/log_loader.h"
#include "core/log/round_separator.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace quorvath {
namespace {

const std::vector<std::string> Tokens = {
    "^",
    "^",
    "^",
    "1",
    "2",
    "3",
    "4",
    "5",
    "7",
    "a",
    "Z",
    "[",
    "]",
    " ",
    "*",
    "\r",
    "\n",
    "\r\n",
    "\r\n",
    "^^",
    "\xC9",
    "HeaDShoT",
    "heads",
    "msec",
    "MSEC",
    "mse",
    "c",
    "*ghost* ",
    "*GHOST* ",
    "*ghost*",
    "Current search path:",
    "current SEARCH path:",
    "----- CL_Shutdown -----",
    "^1[ ^3HeaDShoT ^1]",
    "^1[ ^3headshot ^1]",
    "[ ^3HeaDShoT ^1]",
    "^1",
    "^2",
    "^4",
    "^5",
    "^7",
    "^7",
    "^1[ ",
};

std::string randomText(std::mt19937& rng, int maxTokens) {
    std::uniform_int_distribution<int> count(0, maxTokens);
    std::uniform_int_distribution<std::size_t> pick(0, Tokens.size() - 1);
    std::string text;
    for (int n = count(rng); n > 0; --n)
        text += Tokens[pick(rng)];
    return text;
}

// The same random styling on two documents, through the editing operations.
void styleAlike(LogDocument& a, LogDocument& b, std::mt19937& rng) {
    static const Colour Colours[] = {colours::DefaultGrey, colours::RoundBanner, colours::Chat,
                                     0x123456};
    std::uniform_int_distribution<int> steps(0, 4);
    for (int n = steps(rng); n > 0; --n) {
        const int start = std::uniform_int_distribution<int>(0, a.length())(rng);
        const int length = std::uniform_int_distribution<int>(0, a.length() - start)(rng);
        const Colour colour = Colours[rng() % 4];
        const bool bold = rng() % 2, italic = rng() % 2, underline = rng() % 2;
        for (LogDocument* doc : {&a, &b}) {
            doc->select(start, length);
            doc->setSelectionColour(colour);
            doc->setSelectionBold(bold);
            doc->setSelectionItalic(italic);
            doc->setSelectionUnderline(underline);
        }
    }
}

::testing::AssertionResult sameDocument(const LogDocument& sweep, const LogDocument& literal) {
    if (sweep.text() != literal.text())
        return ::testing::AssertionFailure()
               << "text differs:\n sweep:   " << ::testing::PrintToString(sweep.text())
               << "\n literal: " << ::testing::PrintToString(literal.text());
    for (int i = 0; i < sweep.length(); ++i) {
        const CharStyle s = sweep.styleAt(i), l = literal.styleAt(i);
        if (!(s == l))
            return ::testing::AssertionFailure()
                   << "style differs at " << i << " in " << ::testing::PrintToString(sweep.text())
                   << ": sweep " << std::hex << s.colour << (s.bold ? " b" : "")
                   << (s.underline ? " u" : "") << (s.italic ? " i" : "") << ", literal "
                   << l.colour << (l.bold ? " b" : "") << (l.underline ? " u" : "")
                   << (l.italic ? " i" : "");
    }
    return ::testing::AssertionSuccess();
}

struct PassPair {
    const char* name;
    std::function<void(LogDocument&, Progress&)> sweep;
    std::function<void(LogDocument&)> literal;
};

const std::vector<PassPair> Passes = {
    {"line feeds", recolourLineFeeds, literal::recolourLineFeeds},
    {"chat", processChatCodes, literal::processChatCodes},
    {"OSP", processOspCodes, literal::processOspCodes},
    {"red", processRedTeamCodes, literal::processRedTeamCodes},
    {"blue", processBlueTeamCodes, literal::processBlueTeamCodes},
    {"PunkBuster", processPunkBusterCodes, literal::processPunkBusterCodes},
    {"other codes", removeOtherCodes, literal::removeOtherCodes},
    {"ghosts", greyGhosts, literal::greyGhosts},
};

TEST(RenderDifferential, EachPassAgreesOnStyledRandomText) {
    std::mt19937 rng(20260101);
    Progress progress;
    for (int round = 0; round < 3000; ++round) {
        const std::string text = randomText(rng, 40);
        for (const PassPair& pass : Passes) {
            LogDocument sweep, literal;
            sweep.setText(text);
            literal.setText(text);
            styleAlike(sweep, literal, rng);
            pass.sweep(sweep, progress);
            pass.literal(literal);
            ASSERT_TRUE(sameDocument(sweep, literal)) << pass.name << " pass, round " << round;
        }
    }
}

TEST(RenderDifferential, SeparationAgreesOnRandomText) {
    std::mt19937 rng(7);
    Progress progress;
    for (int round = 0; round < 3000; ++round) {
        const std::string text = randomText(rng, 60);
        LogDocument sweep, literal;
        sweep.setText(text);
        literal.setText(text);
        separateRounds(sweep, progress);
        literal::separateRounds(literal);
        ASSERT_TRUE(sameDocument(sweep, literal)) << "round " << round;
    }
}

// Whole loads of `rounds` random texts of up to `maxTokens` tokens.
void checkWholeLoads(unsigned seed, int rounds, int maxTokens) {
    std::mt19937 rng(seed);
    Progress progress;
    for (int round = 0; round < rounds; ++round) {
        const std::string text = randomText(rng, maxTokens);
        LogDocument sweep, literal;
        loadLogText(text, sweep, progress);
        literal::loadLogText(literal, text);
        ASSERT_TRUE(sameDocument(sweep, literal)) << "round " << round;
        ASSERT_EQ(sweep.selStart(), 0);
        ASSERT_EQ(sweep.selLength(), 0);
    }
}

TEST(RenderDifferential, WholeLoadAgreesOnRandomText) { checkWholeLoads(99, 3000, 80); }

TEST(RenderDifferential, LongerTextsWithManyBlocks) { checkWholeLoads(3, 200, 1500); }

} // namespace
} // namespace quorvath
