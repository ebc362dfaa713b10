#include "core/rank/ranking.h"
#include "rank_fixtures.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using test::bookKill;
using test::makeTable;

std::optional<Pane> dropTop(PlayerTable& t, int sheetplayer, const std::string& droptarget,
                            Panes& panes, bool linked = false) {
    RankScratch s;
    return dorankings(kCategoryTopKillers, t, {linked, sheetplayer, droptarget}, s, panes);
}

TEST(TopLists, DescendingCountsTiesByIndexNoBlankAfterColon) {
    PlayerTable t = makeTable({"me", "a", "b", "c"});
    bookKill(t, 1, 2, 2);
    bookKill(t, 1, 3, 5);
    bookKill(t, 1, 4, 2);
    bookKill(t, 4, 1, 1);
    Panes panes{"left", "right"};
    EXPECT_EQ(dropTop(t, 1, kDropTargetComp, panes), Pane::Comp);
    EXPECT_EQ(panes.TxtComp, "Top Victims\r\n\r\n"
                             "1:\t5\tb\r\n"
                             "2:\t2\ta\r\n"
                             "3:\t2\tc\r\n"
                             "\r\n"
                             "Top Killers\r\n\r\n"
                             "1:\t1\tc\r\n"
                             "\r\n");
    EXPECT_EQ(panes.TxtStats, "left");
}

TEST(TopLists, NegativeCountsAreListedAfterThePositiveOnes) {
    PlayerTable t = makeTable({"me", "a", "b", "c"});
    t[1].victims.add(2, -2);
    t[1].victims.add(3, 1);
    t[1].victims.add(4, -1000);
    t[1].victims.add(0, 9); // index 0 is never an opponent
    Panes panes;
    dropTop(t, 1, kDropTargetComp, panes);
    EXPECT_EQ(panes.TxtComp, "Top Victims\r\n\r\n"
                             "1:\t1\tb\r\n"
                             "2:\t-2\ta\r\n"
                             "3:\t-1000\tc\r\n"
                             "\r\nTop Killers\r\n\r\n\r\n");
}

TEST(TopLists, NothingWrittenOnTheLeftPaneOrForAllPlayersOrAnUnknownName) {
    PlayerTable t = makeTable({"me", "a"});
    bookKill(t, 1, 2);
    Panes panes{"left", "right"};
    EXPECT_FALSE(dropTop(t, 1, kDropTargetStats, panes));
    EXPECT_FALSE(dropTop(t, 0, kDropTargetComp, panes));
    EXPECT_FALSE(dropTop(t, 7, kDropTargetComp, panes));
    EXPECT_EQ(panes.TxtStats, "left");
    EXPECT_EQ(panes.TxtComp, "right");
    // Any drop target other than exactly "Stats" reaches the right pane.
    EXPECT_EQ(dropTop(t, 1, "stats", panes), Pane::Comp);
}

TEST(TopLists, PlayerWithoutVictimsGetsEmptyBlocks) {
    PlayerTable t = makeTable({"me", "a"});
    bookKill(t, 2, 1, 3);
    Panes panes;
    dropTop(t, 1, kDropTargetComp, panes);
    EXPECT_EQ(panes.TxtComp, "Top Victims\r\n\r\n\r\n"
                             "Top Killers\r\n\r\n1:\t3\ta\r\n\r\n");
    PlayerTable lonely = makeTable({"me"});
    dropTop(lonely, 1, kDropTargetComp, panes);
    EXPECT_EQ(panes.TxtComp, "Top Victims\r\n\r\n\r\nTop Killers\r\n\r\n\r\n");
}

TEST(TopLists, LinkedAliasShownUnderMasterWhoMayBeListedTwice) {
    PlayerTable t = makeTable({"me", "Main", "Alt"});
    test::fileAlias(t, 2, 3);
    bookKill(t, 1, 2, 1);
    bookKill(t, 1, 3, 4);
    Panes panes;
    dropTop(t, 1, kDropTargetComp, panes, true);
    EXPECT_EQ(panes.TxtComp, "Top Victims\r\n\r\n"
                             "1:\t4\tMain\r\n"
                             "2:\t1\tMain\r\n"
                             "\r\nTop Killers\r\n\r\n\r\n");
    dropTop(t, 1, kDropTargetComp, panes, false);
    EXPECT_EQ(panes.TxtComp, "Top Victims\r\n\r\n"
                             "1:\t4\tAlt\r\n"
                             "2:\t1\tMain\r\n"
                             "\r\nTop Killers\r\n\r\n\r\n");
}

TEST(TopLists, AliasShownOnTheLeftIsNotRankedWhileLinked) {
    PlayerTable t = makeTable({"Main", "Alt", "x"});
    test::fileAlias(t, 1, 2);
    bookKill(t, 2, 3);
    Panes panes{"", "right"};
    EXPECT_FALSE(dropTop(t, 2, kDropTargetComp, panes, true));
    EXPECT_EQ(panes.TxtComp, "right");
}

} // namespace
} // namespace quorvath
