// The pages of a table made by hand: what a page shows of a list longer than
// its hundred entries.

#include "core/rank/rank_fixtures.h"
#include "core/web/site_folder.h"
#include "core/web/site_pages.h"
#include "core/web/site_templates.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace quorvath;
using quorvath::test::bookKill;
using quorvath::test::makeTable;
using quorvath::test::readFile;
using quorvath::test::TempDir;

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
    const CountingScope counting;
    TempDir dir;
    web::SiteFolder folder(dir.path().string());
    const web::LogSite site{t, counting, false, "", "demo.log", "", nullptr};
    ASSERT_TRUE(web::writeLogSite(site, web::SiteTemplates::builtIn(), folder));
    const std::string index = readFile(dir.file("index.html"));
    EXPECT_NE(index.find("(9) over <a href=\"player-1.html\">me</a>, who killed back 1</li>"),
              std::string::npos)
        << index;
}

} // namespace
