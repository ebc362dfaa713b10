// The pages of a table made by hand: what a page shows of a list longer than
// its hundred entries.

#include "core/rank/rank_fixtures.h"
#include "core/web/site_folder.h"
#include "core/web/site_pages.h"
#include "core/web/site_templates.h"
#include "core/web/svg_charts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace quorvath;
using quorvath::test::bookKill;
using quorvath::test::makeTable;
using quorvath::test::readFile;
using quorvath::test::TempDir;

// The index page of the one-log site of `t`.
std::string writtenIndex(const PlayerTable& t) {
    const CountingScope counting;
    TempDir dir;
    web::SiteFolder folder(dir.path().string());
    const web::LogSite site{t, counting, false, "", "demo.log", "", nullptr};
    EXPECT_TRUE(web::writeLogSite(site, web::SiteTemplates::builtIn(), folder));
    return readFile(dir.file("index.html"));
}

// His nemesis is the last of his 111 victims: the award counts those kills
// back all the same, though his page lists only the first hundred.
TEST(SitePages, TheOneSidedNemesisCountsKillsBackBeyondTheListedEntries) {
    PlayerTable t = makeTable({"me", "nemesis"});
    for (int i = 0; i < 110; ++i)
        t.findOrAdd("p" + std::to_string(i));
    for (int victim = 3; victim <= t.playerCount(); ++victim)
        bookKill(t, 1, victim, 5);
    bookKill(t, 1, 2, 1);
    bookKill(t, 2, 1, 9);
    const std::string index = writtenIndex(t);
    EXPECT_NE(index.find("(9) over <a href=\"player-1.html\">me</a>, who killed back 1</li>"),
              std::string::npos)
        << index;
}

// The index lists every player while they are 500 at most, else links to
// the pages that list them.
TEST(SitePages, TheIndexListsFiveHundredPlayersAndLinksMore) {
    for (const int players : {500, 501}) {
        PlayerTable t = makeTable({"p1"});
        for (int i = 2; i <= players; ++i)
            t.findOrAdd("p" + std::to_string(i));
        for (int victim = 2; victim <= players; ++victim)
            bookKill(t, 1, victim, 1);
        const std::string index = writtenIndex(t);
        const bool listed =
            index.find("All " + std::to_string(players) + " players") == std::string::npos;
        EXPECT_EQ(listed, players <= 500) << players;
        EXPECT_EQ(index.find("href=\"player-" + std::to_string(players) + ".html\"") !=
                      std::string::npos,
                  listed)
            << players;
    }
}

// A rating line too long for its chart is thinned, and still ends where the
// last rating is: the same place as a line of just its first and last.
TEST(SvgCharts, AThinnedLineEndsOnItsLastValue) {
    const auto lastPoint = [](const std::vector<double>& values) {
        const web::LineChart chart{values, [](double v) { return std::to_string(v); }, "a", "b"};
        const std::string svg = web::lineChartSvg(chart, "t");
        const std::size_t end = svg.find("\"/>", svg.find("points=\""));
        return svg.substr(svg.rfind(' ', end - 2) + 1, end - svg.rfind(' ', end - 2) - 1);
    };
    std::vector<double> long_(web::kLinePoints * 3 + 1, 0.0);
    long_.back() = 10;
    EXPECT_EQ(lastPoint(long_), lastPoint({0.0, 10.0}));
}

} // namespace
