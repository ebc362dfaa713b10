// The worded edge cases of loading and rendering, each checked on both the
// sweeps and the literal reference.

#include "literal_render.h"

#include "core/common/progress.h"
#include "core/log/log_colours.h"
#include "core/log/log_loader.h"
#include "core/log/round_separator.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

const std::string Banner = "\r\n\r\n" + std::string(65, ' ') + "NEW  ROUND" + std::string(70, ' ');
// A minimal first block, so that what follows is kept.
const std::string Start = "Loading msec";

struct Rendered {
    LogDocument sweep;
    LogDocument literal;
};

// Loads `text` both ways and checks they agree.
void load(Rendered& r, const std::string& text) {
    Progress progress;
    loadLogText(text, r.sweep, progress);
    literal::loadLogText(r.literal, text);
    ASSERT_EQ(r.sweep.text(), r.literal.text());
    for (int i = 0; i < r.sweep.length(); ++i)
        ASSERT_EQ(r.sweep.styleAt(i), r.literal.styleAt(i)) << "at " << i;
}

// The text after the first banner.
std::string body(const LogDocument& doc) { return doc.text().substr(Banner.size()); }

Colour colourOf(const LogDocument& doc, const std::string& what) {
    const auto at = doc.text().find(what, Banner.size());
    EXPECT_NE(at, std::string::npos) << what;
    Colour c = doc.colourAt(static_cast<int>(at));
    for (std::size_t i = at; i < at + what.size(); ++i)
        EXPECT_EQ(doc.colourAt(static_cast<int>(i)), c) << what << " is not one colour";
    return c;
}

TEST(RoundSeparation, BannersReplaceBlocksAndTheFirstStretch) {
    Rendered r;
    load(r, "junk before\r\nmore msec 12\r\nkill one\r\nCurrent search path: x\r\n"
            "loading MSEC more\r\nkill two\r\n");
    EXPECT_EQ(r.sweep.text(), Banner + " 12\r\nkill one\r\n" + Banner + " more\r\nkill two\r\n");
    EXPECT_EQ(Banner.size(), 149u);
    for (std::size_t i = 0; i < Banner.size(); ++i) {
        const CharStyle s = r.sweep.styleAt(static_cast<int>(i));
        EXPECT_TRUE(s.bold && s.underline && !s.italic) << i;
        // The line feeds and the character after each were greyed again.
        const bool afterLf = i > 0 && Banner[i - 1] == '\n';
        EXPECT_EQ(s.colour,
                  Banner[i] == '\n' || afterLf ? colours::DefaultGrey : colours::RoundBanner)
            << i;
    }
    EXPECT_EQ(r.sweep.styleAt(static_cast<int>(Banner.size()) + 1),
              (CharStyle{colours::DefaultGrey, false, false, false}));
}

TEST(RoundSeparation, WithoutMsecTheLogEndsUpEmpty) {
    Rendered r;
    load(r, "Current search path: x\r\nno end here\r\n");
    EXPECT_EQ(r.sweep.text(), "");
    load(r, "");
    EXPECT_EQ(r.sweep.text(), "");
}

TEST(RoundSeparation, TailTrim) {
    Rendered r;
    // An unfinished block goes with everything after it; the shutdown line is
    // then not looked for.
    load(r, Start + " a\r\nCurrent search path: b\r\n----- CL_Shutdown -----\r\nc");
    EXPECT_EQ(body(r.sweep), " a\r\n");
    load(r, Start + " a\r\n----- CL_Shutdown -----\r\nafter\r\n");
    EXPECT_EQ(body(r.sweep), " a\r\n");
    load(r, Start + " a\r\n----- cl_shutdown -----");
    EXPECT_EQ(body(r.sweep), " a\r\n");
    load(r, Start + " a\r\nno shutdown\r\n");
    EXPECT_EQ(body(r.sweep), " a\r\nno shutdown\r\n");
    // A shutdown between rounds cuts there: the later rounds go too.
    load(r, Start + " a\r\n----- CL_Shutdown -----\r\nCurrent search path:\r\nmsec b\r\n");
    EXPECT_EQ(body(r.sweep), " a\r\n");
    // A shutdown line inside a loading block goes with the block.
    load(r, Start + " a\r\nCurrent search path:\r\n----- CL_Shutdown -----\r\nmsec b\r\n");
    EXPECT_EQ(body(r.sweep), " a\r\n" + Banner + " b\r\n");
}

TEST(ColourRendering, TeamNamesLoseTheirCodesAndKeepTheirColours) {
    Rendered r;
    load(r, Start + "\r\n^1Player^7 was shot by ^4Other^7's M4\r\n");
    EXPECT_EQ(body(r.sweep), "\r\nPlayer was shot by Other's M4\r\n");
    EXPECT_EQ(colourOf(r.sweep, "Player"), colours::RedTeam);
    EXPECT_EQ(colourOf(r.sweep, "Other"), colours::BlueTeam);
    EXPECT_EQ(colourOf(r.sweep, " was shot by "), colours::DefaultGrey);
    EXPECT_EQ(colourOf(r.sweep, "'s M4"), colours::DefaultGrey);
}

TEST(ColourRendering, ChatLinesDropTeamCodesAndTakeTheChatColour) {
    Rendered r;
    load(r, Start + "\r\n^2Someone: ^1hello ^4there\r\nnext\r\n");
    EXPECT_EQ(body(r.sweep), "\r\nSomeone: hello there\r\nnext\r\n");
    EXPECT_EQ(colourOf(r.sweep, "Someone: hello there"), colours::Chat);
    EXPECT_EQ(colourOf(r.sweep, "there\r"), colours::Chat); // the stretch ends at the LF
    EXPECT_EQ(colourOf(r.sweep, "\nnext"), colours::DefaultGrey);
    // Only the first chat code of a line opens a stretch; a "^1" freed by
    // the removal of a "^4" stays and opens a red name.
    load(r, Start + "\r\n^2a ^2b ^^41c^7 d\r\n");
    EXPECT_EQ(body(r.sweep), "\r\na b c d\r\n");
    EXPECT_EQ(colourOf(r.sweep, "a b "), colours::Chat);
    EXPECT_EQ(colourOf(r.sweep, "c"), colours::RedTeam);
}

TEST(ColourRendering, HeadshotTagAnyCaseBecomesTheExactTag) {
    Rendered r;
    load(r, Start + "\r\nA ^1[ ^3HeaDShoT ^1] B ^1[ ^3headshot ^1]\r\n");
    EXPECT_EQ(body(r.sweep), "\r\nA [HeaDShoT] B [HeaDShoT]\r\n");
}

TEST(ColourRendering, CodeRemovalCorners) {
    Rendered r;
    // (loadLogText takes the text as read: a file's bare LF would be CR LF.)
    load(r, Start + "\r\na^\nb^\rc^^1d^");
    EXPECT_EQ(body(r.sweep), "\r\na\nbc1d");
}

TEST(ColourRendering, GhostMarkerNeedsItsSpaceAnyCase) {
    Rendered r;
    load(r, Start + "\r\n^2*ghost* a\r\n^2*GHOST* b\r\n^2*ghost*c\r\n");
    EXPECT_EQ(colourOf(r.sweep, "*ghost* "), colours::DefaultGrey);
    EXPECT_EQ(colourOf(r.sweep, "*GHOST* "), colours::DefaultGrey);
    EXPECT_EQ(colourOf(r.sweep, "*ghost*c"), colours::Chat);
}

TEST(ColourRendering, PunkBusterLineIsColouredAfterItsCodeThroughTheLineFeed) {
    Rendered r;
    load(r, Start + "\r\n^5PB: x\r\ny\r\n");
    EXPECT_EQ(body(r.sweep), "\r\nPB: x\r\ny\r\n");
    EXPECT_EQ(colourOf(r.sweep, "PB: x\r\n"), colours::PunkBuster);
    EXPECT_EQ(colourOf(r.sweep, "y"), colours::DefaultGrey);
}

TEST(ColourRendering, StretchesWithoutAnEndStopTheirPass) {
    Rendered r;
    load(r, Start + "\r\n^1a^7 ^1open ^4b^7\r\n");
    EXPECT_EQ(body(r.sweep), "\r\na open b\r\n");
    EXPECT_EQ(colourOf(r.sweep, "a"), colours::RedTeam);
    EXPECT_EQ(colourOf(r.sweep, "open "), colours::RedTeam); // up to the next ^7
    load(r, Start + "\r\n^4b^7 ^1never closed\r\n");
    EXPECT_EQ(colourOf(r.sweep, "b"), colours::BlueTeam);
    EXPECT_EQ(colourOf(r.sweep, "never closed"), colours::DefaultGrey);
    load(r, Start + "\r\n^2chat ^1x^7\r\n^2last ^1y^7");
    EXPECT_EQ(body(r.sweep), "\r\nchat x\r\nlast y");
    EXPECT_EQ(colourOf(r.sweep, "chat x"), colours::Chat);
    EXPECT_EQ(colourOf(r.sweep, "last "), colours::DefaultGrey); // kept its ^1, then red
    EXPECT_EQ(colourOf(r.sweep, "y"), colours::RedTeam);
    load(r, Start + "\r\n^5pb\r\n^5last");
    EXPECT_EQ(colourOf(r.sweep, "pb\r\n"), colours::PunkBuster);
    EXPECT_EQ(colourOf(r.sweep, "last"), colours::DefaultGrey);
}

TEST(ColourRendering, TextWithoutCodesStaysAsItIsAllGrey) {
    Rendered r;
    const std::string rest = "\r\nplain line\r\n\xC9t\xE9\r\n";
    load(r, Start + rest);
    EXPECT_EQ(body(r.sweep), rest);
    for (int i = static_cast<int>(Banner.size()); i < r.sweep.length(); ++i)
        EXPECT_EQ(r.sweep.styleAt(i), (CharStyle{colours::DefaultGrey, false, false, false}));
}

TEST(LogLoader, ReportsStagesEndsReadyAndKeepsTheDocumentOnError) {
    test::TempDir dir;
    test::writeFile(dir.file("a.log"), Start + "\n^1x^7\n");
    LogDocument doc;
    Progress progress;
    ASSERT_EQ(loadLog(dir.file("a.log").string(), doc, progress), std::nullopt);
    EXPECT_EQ(body(doc), "\r\nx\r\n");
    EXPECT_EQ(progress.stage(), 10); // separation, eight passes, ready
    EXPECT_EQ(progress.status(), "Ready");
    EXPECT_EQ(doc.selStart(), 0);

    const auto error = loadLog(dir.file("none.log").string(), doc, progress);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("none.log"), std::string::npos);
    EXPECT_EQ(body(doc), "\r\nx\r\n");
}

} // namespace
} // namespace quorvath
