// The statistics window's commands without widgets. What the panes then show
// on real logs is held to tests/golden through the report tool; these cases
// pin what the report tool never does: drops from the lists, the changes each
// call reports, the alias commands and the check mark.
#include "core/rank/rank_fixtures.h"
#include "core/rank/ranking_text.h"
#include "core/report/player_sheet.h"
#include "core/session/statistics_session.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

// "Main" renamed to "Alt"; "Other" plays along.
PlayerTable renameTable() {
    PlayerTable t = test::makeTable({"Main", "Other", "Alt"});
    test::fileAlias(t, 1, 3);
    test::bookKill(t, 1, 2, 2);
    test::bookKill(t, 3, 2, 1);
    test::bookKill(t, 2, 3, 1);
    return t;
}

TEST(StatisticsSession, PlayerDropsGoByPositionUnlinkedAndByTextLinked) {
    PlayerTable t = renameTable();
    StatisticsSession s(t);
    s.showSheet(Pane::Right, 2);
    auto c = s.handOver("Main");
    EXPECT_TRUE(c.playerList && c.leftPane && !c.rightPane);
    EXPECT_EQ(s.rightPlayer(), -1);
    EXPECT_EQ(s.paneText(Pane::Right), playerSheet(t[2])); // the right pane keeps its text

    c = s.dropOnPane(Pane::Right, DraggedList::Players, 3, "ignored");
    EXPECT_TRUE(c.rightPane && !c.leftPane);
    EXPECT_EQ(s.rightPlayer(), 3);
    for (const int stale : {-1, 9}) // no selection, or a list from before a new pass
        EXPECT_FALSE(s.dropOnPane(Pane::Left, DraggedList::Players, stale, "Other").any());
    EXPECT_EQ(s.leftPlayer(), 1);

    s.toggleLinkAliases();
    ASSERT_EQ(s.playerList(), (std::vector<std::string>{"All Players", "Main (Alt)", "Other"}));
    s.dropOnPane(Pane::Left, DraggedList::Players, 2, "Other");
    EXPECT_EQ(s.leftPlayer(), 2);
    s.dropOnPane(Pane::Left, DraggedList::Players, 1, "Main (Alt)");
    EXPECT_EQ(s.leftPlayer(), 1);
}

TEST(StatisticsSession, CategoryDropsWriteTheirPaneAndTopListsOnlyTheRightOne) {
    PlayerTable t = renameTable();
    StatisticsSession s(t);
    s.handOver("Main");
    const auto c = s.dropOnPane(Pane::Left, DraggedList::Categories, 0, "Kills");
    EXPECT_TRUE(c.leftPane && !c.rightPane);
    EXPECT_EQ(s.paneText(Pane::Left), "Rankings for Kills\r\n\r\n1: \t2\tMain\r\n2: \t1\tOther\r\n"
                                      "3: \t1\tAlt\r\n");
    EXPECT_EQ(s.leftPlayer(), 1); // a ranking does not change the shown player
    EXPECT_FALSE(s.dropOnPane(Pane::Left, DraggedList::Categories, -1, "").any());
    EXPECT_FALSE(s.dropOnPane(Pane::Left, DraggedList::Categories, 2, kCategoryTopKillers).any());
    EXPECT_TRUE(
        s.dropOnPane(Pane::Right, DraggedList::Categories, 2, kCategoryTopKillers).rightPane);
    EXPECT_EQ(s.paneText(Pane::Right), "Top Victims\r\n\r\n1:\t2\tOther\r\n\r\n"
                                       "Top Killers\r\n\r\n\r\n");
}

// What a pane shows, written afresh from the table as it stands.
std::string freshRankings(const PlayerTable& t, const std::string& category, bool linked,
                          Pane pane) {
    return rankingPaneText(*rankCategory(category, t, RankingContext{linked, 1, pane}));
}

TEST(StatisticsSession, LinkingCountsWhatBothPanesShowAgainUnderTheirCaptions) {
    PlayerTable t = renameTable();
    StatisticsSession s(t);
    s.handOver("Main");
    s.dropOnPane(Pane::Left, DraggedList::Categories, 0, "Kills");
    s.dropOnPane(Pane::Right, DraggedList::Categories, 2, kCategoryTopKillers);
    const PaneContent ranking{PaneContent::Kind::Ranking, 0, "Kills"};
    const PaneContent topLists{PaneContent::Kind::TopLists, 1, {}};
    for (const bool linked : {true, false}) {
        const auto c = s.toggleLinkAliases();
        EXPECT_TRUE(c.leftPane && c.rightPane && c.checkMark);
        EXPECT_EQ(s.paneContent(Pane::Left), ranking); // not the shown player's sheet
        EXPECT_EQ(s.paneText(Pane::Left), freshRankings(t, "Kills", linked, Pane::Left));
        EXPECT_EQ(s.paneContent(Pane::Right), topLists);
        EXPECT_EQ(s.paneText(Pane::Right),
                  freshRankings(t, kCategoryTopKillers, linked, Pane::Right));
    }
    EXPECT_NE(freshRankings(t, "Kills", true, Pane::Left),
              freshRankings(t, "Kills", false, Pane::Left)); // the figures did change

    s.showSheet(Pane::Left, 0);
    s.showSheet(Pane::Right, 3);
    s.toggleLinkAliases();
    EXPECT_EQ(s.paneContent(Pane::Right), (PaneContent{PaneContent::Kind::Sheet, 3, {}}));
    EXPECT_EQ(s.paneText(Pane::Right), playerSheet(t[3]));
    EXPECT_EQ(s.paneText(Pane::Left), playerSheet(t[0]));

    s.toggleLinkAliases();
    s.handOver("Alt");
    s.dropOnPane(Pane::Right, DraggedList::Categories, 2, kCategoryTopKillers);
    s.toggleLinkAliases(); // linked, an alias has no top lists of its own
    EXPECT_EQ(s.paneContent(Pane::Right), PaneContent{});
    EXPECT_EQ(s.paneText(Pane::Right), "");
}

TEST(StatisticsSession, AWeaponChartIsCountedAgainWhenLinkingChanges) {
    PlayerTable t = renameTable();
    StatisticsSession s(t);
    s.handOver("Main");
    EXPECT_FALSE(s.showWeaponChart(Pane::Right, 4).any());
    EXPECT_TRUE(s.showWeaponChart(Pane::Right, 3).rightPane); // the last player's too
    EXPECT_TRUE(s.showWeaponChart(Pane::Right, 1).rightPane);
    EXPECT_EQ(s.paneContent(Pane::Right), (PaneContent{PaneContent::Kind::WeaponChart, 1, {}}));
    EXPECT_EQ(s.paneText(Pane::Right), "Weapon\tKills\tDeaths\r\nM4/M203\t2\t0\r\n");
    EXPECT_TRUE(s.toggleLinkAliases().rightPane); // Alt's kill and death are Main's now
    EXPECT_EQ(s.paneText(Pane::Right), "Weapon\tKills\tDeaths\r\nM4/M203\t3\t1\r\n");
    EXPECT_EQ(s.leftPlayer(), 1); // a chart is no sheet: the shown player stays

    EXPECT_FALSE(s.chartFromPlayerList(Pane::Left, -1, "").any()); // nothing selected
    s.chartFromPlayerList(Pane::Left, 2, "Other"); // linked, the list's entries go by name
    EXPECT_EQ(s.paneContent(Pane::Left), (PaneContent{PaneContent::Kind::WeaponChart, 2, {}}));
    s.toggleLinkAliases();
    s.chartFromPlayerList(Pane::Left, 3, "ignored"); // unlinked, by position
    EXPECT_EQ(s.paneContent(Pane::Left).player, 3);
}

TEST(StatisticsSession, ANewPassClearsBothPanes) {
    PlayerTable t = renameTable();
    StatisticsSession s(t);
    s.handOver("Main");
    s.showSheet(Pane::Right, 2);
    const auto c = s.passFinished();
    EXPECT_TRUE(c.leftPane && c.rightPane);
    for (const Pane pane : {Pane::Left, Pane::Right}) {
        EXPECT_EQ(s.paneContent(pane), PaneContent{});
        EXPECT_EQ(s.paneText(pane), "");
    }
}

TEST(StatisticsSession, SelectKeyAliasesWorksOnTheUnlinkedTableThenRelinks) {
    PlayerTable t = renameTable();
    StatisticsSession s(t);
    s.handOver("Alt");
    s.toggleLinkAliases();
    std::vector<std::string> seen;
    s.selectKeyAliases([&] {
        EXPECT_FALSE(s.linked());
        EXPECT_EQ(s.clickAliasLine("Main"), s.aliasListLines()); // a master line only refreshes
        seen = s.clickAliasLine("\t(Alt)");
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"Alt", "\t(Main)"}));
    EXPECT_TRUE(s.linked());
    EXPECT_EQ(s.playerList(), (std::vector<std::string>{"All Players", "Other", "Alt (Main)"}));
    EXPECT_EQ(s.paneText(Pane::Left).rfind("Stats for : Alt (Main)\r\n", 0), 0u);

    bool shown = false;
    s.toggleLinkAliases();
    const auto c = s.selectKeyAliases([&] { shown = true; });
    EXPECT_TRUE(shown && c.playerList && !c.checkMark && !s.linked());
}

TEST(StatisticsSession, ANewPassClearsTheCheckMarkWithoutUnlinking) {
    PlayerTable t = renameTable();
    StatisticsSession s(t);
    s.handOver("");
    s.toggleLinkAliases();
    t = renameTable(); // a new pass rebuilds the table unlinked
    EXPECT_TRUE(s.passFinished().checkMark);
    EXPECT_FALSE(s.linked());
    EXPECT_TRUE(s.statisticsDone());
    s.toggleLinkAliases(); // links, rather than unlinking figures never added
    EXPECT_EQ(t[1].name, "Main (Alt)");
    EXPECT_TRUE(s.discardStatistics().checkMark);
    EXPECT_FALSE(s.statisticsDone());
}

} // namespace
} // namespace quorvath
