// Randomised differential tests: the sweeps against the literal reference
// (literal_render), on many small texts full of the significant characters.

#include "literal_render.h"

#include "core/common/progress.h"
#include "core/log/colour_renderer.h"
#include "core/log/log_colours.h"
#include "core/log/log_loader.h"
#include "core/log/round_separator.h"
#include "support/editable_document.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace quorvath {
namespace {

// The pieces random texts are made of, split at '|'.
std::vector<std::string> tokens() {
    const std::string all = "^|^|^|1|2|3|4|5|7|a|Z|[|]| |*|\r|\n|\r\n|\r\n|^^|\xC9|HeaDShoT|heads|"
                            "msec|MSEC|mse|c|*ghost* |*GHOST* |*ghost*|Current search path:|"
                            "current SEARCH path:|----- CL_Shutdown -----|^1[ ^3HeaDShoT ^1]|"
                            "^1[ ^3headshot ^1]|[ ^3HeaDShoT ^1]|^1|^2|^4|^5|^7|^7|^1[ ";
    std::vector<std::string> out;
    for (std::size_t from = 0, bar; from <= all.size(); from = bar + 1) {
        bar = std::min(all.find('|', from), all.size());
        out.push_back(all.substr(from, bar - from));
    }
    return out;
}

std::string randomText(std::mt19937& rng, int maxTokens) {
    static const std::vector<std::string> pieces = tokens();
    std::string text;
    for (int n = std::uniform_int_distribution<int>(0, maxTokens)(rng); n > 0; --n)
        text += pieces[rng() % pieces.size()];
    return text;
}

// The same random styling on two documents, through the editing operations.
void styleAlike(LogDocument& a, LogDocument& b, std::mt19937& rng) {
    static const Colour palette[] = {colours::DefaultGrey, colours::RoundBanner, colours::Chat,
                                     0x123456};
    for (int n = static_cast<int>(rng() % 5); n > 0; --n) {
        const int start = std::uniform_int_distribution<int>(0, a.length())(rng);
        const int length = std::uniform_int_distribution<int>(0, a.length() - start)(rng);
        const Colour colour = palette[rng() % 4];
        const auto flags = static_cast<unsigned>(rng());
        for (LogDocument* doc : {&a, &b}) {
            test::EditableDocument edit(*doc);
            edit.select(start, length);
            edit.setSelectionColour(colour);
            for (std::uint8_t flag : {attr::Bold, attr::Italic, attr::Underline})
                edit.setSelectionFlag(flag, (flags & flag) != 0);
        }
    }
}

// Each character as its colour and flags, after the text.
std::pair<std::string, std::vector<std::uint64_t>> rendered(const LogDocument& doc) {
    std::vector<std::uint64_t> styles;
    for (std::uint8_t a : test::attributeBytes(doc))
        styles.push_back(std::uint64_t{doc.paletteColour(a)} << 8 |
                         (a & (0xFFu ^ attr::ColourMask)));
    return {doc.text(), styles};
}

using Pass = void (*)(LogDocument&, Progress&);
using LiteralPass = void (*)(LogDocument&);
const std::tuple<const char*, Pass, LiteralPass> passes[] = {
    {"line feeds", recolourLineFeeds, literal::recolourLineFeeds},
    {"chat", processChatCodes, literal::processChatCodes},
    {"OSP", processOspCodes, literal::processOspCodes},
    {"red", processRedTeamCodes, literal::processRedTeamCodes},
    {"blue", processBlueTeamCodes, literal::processBlueTeamCodes},
    {"red, blue, PunkBuster and other codes", processCodes,
     [](LogDocument& doc) {
         literal::processRedTeamCodes(doc);
         literal::processBlueTeamCodes(doc);
         literal::processPunkBusterCodes(doc);
         literal::removeOtherCodes(doc);
     }},
    {"PunkBuster", processPunkBusterCodes, literal::processPunkBusterCodes},
    {"other codes", removeOtherCodes, literal::removeOtherCodes},
    {"ghosts", greyGhosts, literal::greyGhosts},
};

TEST(RenderDifferential, EachPassAgreesOnStyledRandomText) {
    std::mt19937 rng(20260101);
    Progress progress;
    for (int round = 0; round < 3000; ++round) {
        const std::string text = randomText(rng, 40);
        for (const auto& [name, pass, literalPass] : passes) {
            LogDocument sweep, literal;
            sweep.setText(text);
            literal.setText(text);
            styleAlike(sweep, literal, rng);
            pass(sweep, progress);
            literalPass(literal);
            ASSERT_EQ(rendered(sweep), rendered(literal)) << name << " pass, round " << round;
        }
    }
}

// Whole loads of `rounds` random texts of up to `maxTokens` tokens; the
// render also cut into two, three and five parts on threads of their own (the
// cuts fall after line breaks, often inside a team's name, which may cross
// several parts), with the same stages.
void checkWholeLoads(unsigned seed, int rounds, int maxTokens) {
    std::mt19937 rng(seed);
    Progress progress;
    for (int round = 0; round < rounds; ++round) {
        const std::string text = randomText(rng, maxTokens);
        LogDocument sweep, literal;
        loadLogText(text, sweep, progress);
        literal::loadLogText(literal, text);
        ASSERT_EQ(rendered(sweep), rendered(literal)) << "round " << round;
        ASSERT_EQ(sweep.selStart(), 0);
        ASSERT_EQ(sweep.selLength(), 0);
        int wholeStages = 0; // the status line shows the same stages, cut or not
        for (int parts : {1, 2, 3, 5}) {
            LogDocument parted;
            parted.setText(text);
            separateRounds(parted, progress);
            const int before = progress.stage();
            renderColourCodes(parted, progress, parts);
            ASSERT_EQ(rendered(parted), rendered(literal)) << "round " << round << ", " << parts;
            if (parts == 1)
                wholeStages = progress.stage() - before;
            ASSERT_EQ(progress.stage() - before, wholeStages) << "round " << round << ", " << parts;
        }
    }
}

TEST(RenderDifferential, WholeLoadAgreesOnRandomText) { checkWholeLoads(99, 3000, 80); }

TEST(RenderDifferential, LongerTextsWithManyBlocks) { checkWholeLoads(3, 200, 1500); }

void expectSeparatedAsTheLiteralRules(const std::string& text) {
    Progress progress;
    LogDocument sweep, literal;
    sweep.setText(text);
    literal.setText(text);
    separateRounds(sweep, progress);
    literal::separateRounds(literal);
    literal::recolourLineFeeds(literal); // the sweep's separation has done this pass
    ASSERT_EQ(rendered(sweep), rendered(literal));
}

// Texts of a megabyte and more are separated with the shutdown line searched
// on a second thread: a few blocks and shutdown lines among many ordinary
// lines, also inside blocks and right before a block's end, and a block of
// more shutdown lines than that search lists.
TEST(RenderDifferential, LargeTextsSeparateAsTheLiteralRules) {
    const std::string specials[] = {"Current search path:", "msec", "MSEC",
                                    "----- CL_Shutdown -----", "----- CL_Shutdown -----msec"};
    std::mt19937 rng(5);
    std::string shutdowns; // more than the search lists: the kept one comes after them
    for (int n = 0; n < 70000; ++n)
        shutdowns += "----- CL_Shutdown -----\r\n";
    const std::string blockOfShutdowns =
        "a msec\r\nCurrent search path:\r\n" + shutdowns + "msec\r\nkept\r\n" + shutdowns;
    for (int round = 0; round < 7; ++round) {
        std::string text = round == 6 ? blockOfShutdowns : "";
        while (text.size() < (std::size_t{5} << 18)) {
            text += rng() % 4000 == 0 ? specials[rng() % std::size(specials)] : "";
            text += rng() % 2 ? "A was shot by ^1B^7's M4\r\n" : "msg: hello\n";
        }
        SCOPED_TRACE("round " + std::to_string(round));
        expectSeparatedAsTheLiteralRules(text);
    }
}

// Many blocks a little longer than their banners in a large text: its
// halves are written in place on two threads, the second half's first
// characters made aside.
TEST(RenderDifferential, ManyBlocksInALargeTextSeparateAsTheLiteralRules) {
    std::mt19937 rng(9);
    std::string block = "Current search path:\r\n";
    for (int line = 0; line < 8; ++line)
        block += "C:\\base/mp/sof2mp_maps.pk3\r\n";
    block += "Com_TouchMemory: 17 msec\r\n";
    std::string text;
    while (text.size() < (std::size_t{9} << 17)) {
        text += rng() % 80 == 0 ? block : "";
        text += rng() % 2 ? "A was shot by ^1B^7's M4\r\n" : "msg: hello\n";
    }
    expectSeparatedAsTheLiteralRules(text);
}

} // namespace
} // namespace quorvath
