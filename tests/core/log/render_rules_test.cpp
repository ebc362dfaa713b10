// The edge cases of loading and rendering, each checked on both the sweeps
// and the literal reference.

#include "literal_render.h"

#include "core/common/progress.h"
#include "core/log/log_colours.h"
#include "core/log/log_loader.h"
#include "support/editable_document.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using test::styleAt;

const std::string Banner = "\r\n\r\n" + std::string(65, ' ') + "NEW  ROUND" + std::string(70, ' ');
// A minimal first block, so that what follows is kept.
const std::string Start = "Loading msec";
constexpr Colour Grey = colours::DefaultGrey, Red = colours::RedTeam, Blue = colours::BlueTeam,
                 Chat = colours::Chat, PunkBuster = colours::PunkBuster;

// Loads `text` both ways and checks they agree.
LogDocument load(const std::string& text) {
    LogDocument sweep, literal;
    Progress progress;
    loadLogText(text, sweep, progress);
    literal::loadLogText(literal, text);
    EXPECT_EQ(sweep.text(), literal.text());
    for (int i = 0; i < sweep.length() && sweep.text() == literal.text(); ++i)
        EXPECT_EQ(styleAt(sweep, i), styleAt(literal, i)) << "at " << i;
    return sweep;
}

// A log that starts with Start (a minimal first block) renders to Banner and
// what follows; `colours` are stretches of that, each in one colour.
struct Case {
    std::string afterStart, afterBanner;
    std::vector<std::pair<std::string, Colour>> colours = {};
};

TEST(ColourRendering, SeparationAndColourPasses) {
    const Case cases[] = {
        {" 12\r\nk1\r\nCurrent search path: x\r\nloading MSEC more\r\nk2\r\n",
         " 12\r\nk1\r\n" + Banner + " more\r\nk2\r\n"},
        // An unfinished block goes with all after it; no shutdown line is then looked for.
        {" a\r\nCurrent search path: b\r\n----- CL_Shutdown -----\r\nc", " a\r\n"},
        {" a\r\n----- CL_Shutdown -----\r\nafter\r\n", " a\r\n"},
        {" a\r\n----- cl_shutdown -----", " a\r\n"},
        {" a\r\nno shutdown\r\n", " a\r\nno shutdown\r\n"},
        // A shutdown between rounds cuts there, later rounds too; one in a block goes with it.
        {" a\r\n----- CL_Shutdown -----\r\nCurrent search path:\r\nmsec b\r\n", " a\r\n"},
        {" a\r\nCurrent search path:\r\n----- CL_Shutdown -----\r\nmsec b\r\n",
         " a\r\n" + Banner + " b\r\n"},
        {"\r\n^1Player^7 was shot by ^4Other^7's M4\r\n",
         "\r\nPlayer was shot by Other's M4\r\n",
         {{"Player", Red}, {"Other", Blue}, {" was shot by ", Grey}, {"'s M4", Grey}}},
        {"\r\n^2Someone: ^1hello ^4there\r\nnext\r\n",
         "\r\nSomeone: hello there\r\nnext\r\n",
         {{"Someone: hello there\r", Chat}, {"\nnext", Grey}}},
        // Only the first chat code opens a stretch; a "^1" freed by removing a "^4" stays.
        {"\r\n^2a ^2b ^^41c^7 d\r\n", "\r\na b c d\r\n", {{"a b ", Chat}, {"c", Red}}},
        {"\r\nA ^1[ ^3HeaDShoT ^1] B ^1[ ^3headshot ^1]\r\n", "\r\nA [HeaDShoT] B [HeaDShoT]\r\n"},
        // (loadLogText takes the text as read: a file's bare LF would be CR LF.)
        {"\r\na^\nb^\rc^^1d^", "\r\na\nbc1d"},
        {"\r\n^2*ghost* a\r\n^2*GHOST* b\r\n^2*ghost*c\r\n",
         "\r\n*ghost* a\r\n*GHOST* b\r\n*ghost*c\r\n",
         {{"*ghost* ", Grey}, {"*GHOST* ", Grey}, {"*ghost*c", Chat}}},
        {"\r\n^5PB: x\r\ny\r\n", "\r\nPB: x\r\ny\r\n", {{"PB: x\r\n", PunkBuster}, {"y", Grey}}},
        // Stretches without an end stop their pass.
        {"\r\n^1a^7 ^1open ^4b^7\r\n", "\r\na open b\r\n", {{"a", Red}, {"open ", Red}}},
        {"\r\n^4b^7 ^1never closed\r\n",
         "\r\nb never closed\r\n",
         {{"b", Blue}, {"never closed", Grey}}},
        {"\r\n^2chat ^1x^7\r\n^2last ^1y^7",
         "\r\nchat x\r\nlast y",
         {{"chat x", Chat}, {"last ", Grey}, {"y", Red}}},
        {"\r\n^5pb\r\n^5last", "\r\npb\r\nlast", {{"pb\r\n", PunkBuster}, {"last", Grey}}},
        {"\r\nplain\r\n\xC9t\xE9\r\n",
         "\r\nplain\r\n\xC9t\xE9\r\n",
         {{"\r\nplain\r\n\xC9t\xE9\r\n", Grey}}},
    };
    for (const Case& c : cases) {
        const LogDocument doc = load(Start + c.afterStart);
        ASSERT_EQ(doc.text(), Banner + c.afterBanner) << c.afterStart;
        for (const auto& [stretch, colour] : c.colours) {
            const auto at = doc.text().find(stretch, Banner.size());
            ASSERT_NE(at, std::string::npos) << stretch;
            for (std::size_t i = at; i < at + stretch.size(); ++i)
                EXPECT_EQ(test::colourAt(doc, static_cast<int>(i)), colour) << stretch;
        }
    }
    // Without "msec" everything goes, whatever comes before it.
    for (const char* log : {"", "junk\r\nCurrent search path: x\r\nno end here\r\n"})
        EXPECT_EQ(load(log).text(), "");
    EXPECT_EQ(load("junk\r\nmore msec x").text(), Banner + " x");
}

TEST(ColourRendering, BannersAreBoldUnderlinedAndTheirLineFeedsGrey) {
    const LogDocument doc = load(Start + " x\r\n");
    for (std::size_t i = 0; i < Banner.size(); ++i) {
        const bool greyed = Banner[i] == '\n' || (i > 0 && Banner[i - 1] == '\n');
        EXPECT_EQ(styleAt(doc, static_cast<int>(i)),
                  (CharStyle{greyed ? Grey : colours::RoundBanner, true, false, true}))
            << i;
    }
    EXPECT_EQ(styleAt(doc, static_cast<int>(Banner.size())),
              (CharStyle{Grey, false, false, false}));
}

TEST(LogLoader, ReportsStagesEndsReadyAndKeepsTheDocumentOnError) {
    test::TempDir dir;
    test::writeFile(dir.file("a.log"), Start + "\n^1x^7\n");
    LogDocument doc;
    Progress progress;
    ASSERT_EQ(loadLog(dir.file("a.log").string(), doc, progress), std::nullopt);
    EXPECT_EQ(doc.text(), Banner + "\r\nx\r\n");
    EXPECT_EQ(progress.stage(), 10); // separation, eight passes, ready
    EXPECT_EQ(progress.status(), "Ready");
    EXPECT_EQ(doc.selStart(), 0);
    ASSERT_TRUE(loadLog(dir.file("none.log").string(), doc, progress));
    EXPECT_EQ(doc.text(), Banner + "\r\nx\r\n");
}

} // namespace
} // namespace quorvath
