#include "core/rank/rank_fixtures.h"
#include "core/report/player_sheet.h"
#include "core/session/stats_session.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using test::bookKill;
using test::fileAlias;
using test::makeTable;

// "Main" renamed to "Alt"; "Other" plays along.
PlayerTable renameTable() {
    PlayerTable t = makeTable({"Main", "Other", "Alt"});
    fileAlias(t, 1, 3);
    bookKill(t, 1, 2, 2);
    bookKill(t, 3, 2, 1);
    bookKill(t, 2, 3, 1);
    for (int i = 1; i <= t.upper(); ++i)
        for (std::size_t k = kFirstCounter; k <= kLastCounter; ++k)
            t[0].stat[k] += t[i].stat[k];
    return t;
}

TEST(StatsSessionHandOver, ListSheetOfNickAndIndexes) {
    PlayerTable t = renameTable();
    StatsSession s(t);
    s.UpdateComp(2);
    const auto changes = s.handOver("Other");
    EXPECT_TRUE(changes.playerlist && changes.txtStats && !changes.txtComp);
    EXPECT_EQ(s.playerlist(), (std::vector<std::string>{"All Players", "Main", "Other", "Alt"}));
    EXPECT_EQ(s.TxtStats(), playerSheet(t[2]));
    EXPECT_EQ(s.sheetplayer(), 2);
    EXPECT_EQ(s.compplayer(), -1);
    EXPECT_EQ(s.TxtComp(), playerSheet(t[2])); // the right pane keeps its text
    EXPECT_EQ(s.scratch().tempplayersA.size(), 4u);
    EXPECT_TRUE(s.panesEnabled());
}

TEST(StatsSessionHandOver, NickMatchesExactlyElseAllPlayers) {
    PlayerTable t = renameTable();
    StatsSession s(t);
    for (const char* nick : {"other", "", "All Players", "Other "}) {
        s.handOver(nick);
        EXPECT_EQ(s.sheetplayer(), 0) << nick;
        EXPECT_EQ(s.TxtStats().rfind("Stats for : All Players\r\n", 0), 0u);
    }
}

TEST(StatsSessionDrops, PlayerListUnlinkedByPositionLinkedByText) {
    PlayerTable t = renameTable();
    StatsSession s(t);
    s.handOver("");
    auto c = s.dropOnPane(Pane::Comp, kTagPlayerlist, 3, "ignored");
    EXPECT_TRUE(c.txtComp && !c.txtStats);
    EXPECT_EQ(s.compplayer(), 3);
    EXPECT_EQ(s.TxtComp(), playerSheet(t[3]));
    s.dropOnPane(Pane::Stats, kTagPlayerlist, 0, "All Players");
    EXPECT_EQ(s.sheetplayer(), 0);

    s.toggleLinkAliases();
    ASSERT_EQ(s.playerlist(), (std::vector<std::string>{"All Players", "Main (Alt)", "Other"}));
    s.dropOnPane(Pane::Stats, kTagPlayerlist, 1, "Main (Alt)");
    EXPECT_EQ(s.sheetplayer(), 1);
    s.dropOnPane(Pane::Stats, kTagPlayerlist, 2, "Other");
    EXPECT_EQ(s.sheetplayer(), 2);
    s.dropOnPane(Pane::Stats, kTagPlayerlist, 0, "All Players");
    EXPECT_EQ(s.sheetplayer(), 0);
}

TEST(StatsSessionDrops, NoSelectionOrUnknownTagChangesNothing) {
    PlayerTable t = renameTable();
    StatsSession s(t);
    s.handOver("Main");
    const std::string left = s.TxtStats();
    EXPECT_FALSE(s.dropOnPane(Pane::Stats, kTagPlayerlist, -1, "").any());
    EXPECT_FALSE(s.dropOnPane(Pane::Stats, "playerlist", 2, "Other").any());
    EXPECT_FALSE(s.dropOnPane(Pane::Stats, "Other", 0, "Kills").any());
    EXPECT_FALSE(s.dropOnPane(Pane::Stats, kTagPlayerlist, 9, "x").any()); // stale list
    EXPECT_EQ(s.sheetplayer(), 1);
    EXPECT_EQ(s.TxtStats(), left);
    EXPECT_EQ(s.droptarget(), "");
    // A ranking drop without a selection names no category but sets the target.
    EXPECT_FALSE(s.dropOnPane(Pane::Comp, kTagRankList, -1, "").any());
    EXPECT_EQ(s.droptarget(), "Comp");
}

TEST(StatsSessionDrops, RankingsSetDropTargetAndTopListsNeedTheRightPane) {
    PlayerTable t = renameTable();
    StatsSession s(t);
    s.handOver("Main");
    auto c = s.dropOnPane(Pane::Stats, kTagRankList, 0, "Kills");
    EXPECT_TRUE(c.txtStats && !c.txtComp);
    EXPECT_EQ(s.droptarget(), "Stats");
    EXPECT_EQ(s.TxtStats(), "Rankings for Kills\r\n\r\n1: \t2\tMain\r\n2: \t1\tOther\r\n"
                            "3: \t1\tAlt\r\n");
    EXPECT_EQ(s.sheetplayer(), 1); // a ranking does not change the shown player

    EXPECT_FALSE(s.dropOnPane(Pane::Stats, kTagRankList, 2, kCategoryTopKillers).any());
    c = s.dropOnPane(Pane::Comp, kTagRankList, 2, kCategoryTopKillers);
    EXPECT_TRUE(c.txtComp);
    EXPECT_EQ(s.droptarget(), "Comp");
    EXPECT_EQ(s.TxtComp(), "Top Victims\r\n\r\n1:\t2\tOther\r\n\r\n"
                           "Top Killers\r\n\r\n\r\n");
}

TEST(StatsSessionAliases, ToggleRedrawsShownSheetsAndList) {
    PlayerTable t = renameTable();
    StatsSession s(t);
    s.handOver("Main");
    s.UpdateComp(2);
    auto c = s.toggleLinkAliases();
    EXPECT_TRUE(c.checkMark && c.playerlist && c.txtStats && c.txtComp);
    EXPECT_TRUE(s.linked());
    EXPECT_EQ(s.TxtStats().rfind("Stats for : Main (Alt)\r\n", 0), 0u);
    EXPECT_NE(s.TxtStats().find("\r\nM4\t\t\t3\t1\r\n"), std::string::npos);
    EXPECT_EQ(s.dropOnPane(Pane::Stats, kTagRankList, 0, "Kills").txtStats, true);
    EXPECT_EQ(s.TxtStats(), "Rankings for Kills\r\n\r\n1: \t3\tMain (Alt)\r\n2: \t1\tOther\r\n");

    c = s.toggleLinkAliases();
    EXPECT_FALSE(s.linked());
    EXPECT_TRUE(c.txtStats); // sheetplayer 1 redrawn, although a ranking was shown
    EXPECT_EQ(s.TxtStats(), playerSheet(renameTable()[1]));
    EXPECT_EQ(s.playerlist().size(), 4u);
}

TEST(StatsSessionAliases, AllPlayersShownOnTheLeftIsNotRedrawn) {
    PlayerTable t = renameTable();
    StatsSession s(t);
    s.handOver("");
    const auto c = s.toggleLinkAliases();
    EXPECT_FALSE(c.txtStats || c.txtComp);
}

TEST(StatsSessionAliases, SelectKeyAliasesWhileLinkedWorksUnlinkedThenRelinks) {
    PlayerTable t = renameTable();
    StatsSession s(t);
    s.handOver("Alt");
    s.toggleLinkAliases();
    std::vector<std::string> seen;
    s.selectKeyAliases([&] {
        EXPECT_FALSE(s.linked());
        seen = s.aliasListLines();
        EXPECT_EQ(s.aliasClick("Main"), seen); // a master line only refreshes
        seen = s.aliasClick("\t(Alt)");
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"Alt", "\t(Main)"}));
    EXPECT_TRUE(s.linked());
    EXPECT_EQ(t[3].name, "Alt (Main)");
    EXPECT_EQ(t[3][m4Kills], 3);
    EXPECT_EQ(t[1].name, "Main");
    EXPECT_EQ(s.playerlist(), (std::vector<std::string>{"All Players", "Other", "Alt (Main)"}));
    EXPECT_EQ(s.TxtStats().rfind("Stats for : Alt (Main)\r\n", 0), 0u);

    s.toggleLinkAliases(); // and back to the plain table
    EXPECT_EQ(t[3].name, "Alt");
    EXPECT_EQ(t[3][m4Kills], 1);
}

TEST(StatsSessionAliases, SelectKeyAliasesUnlinkedLeavesTheMarkOff) {
    PlayerTable t = renameTable();
    StatsSession s(t);
    s.handOver("");
    bool shown = false;
    const auto c = s.selectKeyAliases([&] { shown = true; });
    EXPECT_TRUE(shown);
    EXPECT_FALSE(s.linked());
    EXPECT_TRUE(c.playerlist && !c.checkMark);
}

TEST(StatsSessionLifecycle, NewPassClearsTheCheckMark) {
    PlayerTable t = renameTable();
    StatsSession s(t);
    s.handOver("");
    s.toggleLinkAliases();
    t = renameTable(); // a new pass rebuilds the table unlinked
    const auto c = s.passFinished();
    EXPECT_TRUE(c.checkMark);
    EXPECT_FALSE(s.linked());
    EXPECT_EQ(s.statsdone, 1);
    s.handOver("Main");
    s.toggleLinkAliases(); // links, rather than unlinking figures never added
    EXPECT_EQ(t[1].name, "Main (Alt)");
    EXPECT_TRUE(s.resetForNewTable().checkMark);
}

} // namespace
} // namespace quorvath
