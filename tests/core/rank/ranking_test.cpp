#include "core/rank/ranking.h"
#include "rank_fixtures.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using test::makeTable;

RankScratch scratchWith(std::initializer_list<std::pair<std::string, int>> entries, Counter key) {
    RankScratch s;
    s.createtempplayerarrays(static_cast<int>(entries.size()));
    std::size_t i = 1;
    for (const auto& [name, value] : entries) {
        s.tempplayersA[i].name = name;
        s.tempplayersA[i][key] = value;
        ++i;
    }
    return s;
}

std::string rankFromStats(PlayerTable& t, const std::string& category, bool linked = false) {
    RankScratch s;
    Panes panes;
    dorankings(category, t, {linked, 0, kDropTargetStats}, s, panes);
    return panes.TxtStats;
}

TEST(RankCategories, TwentyNineTextsInListOrder) {
    const auto& texts = PopulateRankList();
    ASSERT_EQ(texts.size(), 29u);
    EXPECT_EQ(texts[0], "Kills");
    EXPECT_EQ(texts[1], "Overall Score (Kills + Team Points - TK)");
    EXPECT_EQ(texts[2], "Top Killers/Victims (Drag 2 right pane)");
    EXPECT_EQ(texts[12], "Hand-to-Hand Combat");
    EXPECT_EQ(texts[14], "M4/M203");
    EXPECT_EQ(texts[22], "MM-1");
    EXPECT_EQ(texts[28], "M84");
}

// The random tables of sort_differential_test cover the rest of the sort; this
// one pins the text of ties, skipped zeros and a negative after them.
TEST(SortByRank, TiesKeepIndexOrderZerosAreSkippedNegativesKeepTheirNumbers) {
    RankScratch s = scratchWith({{"a", 7}, {"b", 7}, {"c", 0}, {"d", 9}, {"e", -2}}, totalKills);
    std::string pane = "old text";
    sortbyrank(s, totalKills, "Kills", true, pane);
    EXPECT_EQ(pane, "Rankings for Kills\r\n\r\n"
                    "1: \t9\td\r\n"
                    "2: \t7\ta\r\n"
                    "3: \t7\tb\r\n"
                    "5: \t-2\te\r\n");
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(s.tempplayersA[static_cast<std::size_t>(i)][totalKills], -1000);
}

TEST(DoRankings, AppendedSubRankingsAndEmptyLists) {
    PlayerTable t = makeTable({"x", "y"});
    t[2][timesKicked] = 2;
    t[1][timesBanned] = 1;
    EXPECT_EQ(rankFromStats(t, "Kicks/Bans"), "Rankings for Was Kicked\r\n\r\n"
                                              "1: \t2\ty\r\n"
                                              "\r\n\r\n"
                                              "Rankings for Was Banned\r\n\r\n"
                                              "\r\n\r\n"
                                              "Rankings for Was Permanently Banned\r\n\r\n"
                                              "1: \t1\tx\r\n");
    EXPECT_EQ(rankFromStats(t, "MM-1"), "Rankings for MM-1\r\n\r\n");
    EXPECT_EQ(rankFromStats(t, "M84"), "Rankings for M84 Flash\r\n\r\n");
}

TEST(DoRankings, CategoryTextsMatchExactly) {
    PlayerTable t = makeTable({"x"});
    t[1][totalKills] = 1;
    RankScratch s;
    Panes panes{"left", "right"};
    EXPECT_FALSE(dorankings("kills", t, {false, 0, kDropTargetStats}, s, panes));
    EXPECT_FALSE(dorankings("Kills ", t, {false, 0, kDropTargetStats}, s, panes));
    EXPECT_FALSE(dorankings("", t, {false, 0, kDropTargetStats}, s, panes));
    EXPECT_EQ(panes.TxtStats, "left");
    EXPECT_EQ(panes.TxtComp, "right");
}

TEST(DoRankings, DropTargetOtherThanExactlyCompWritesTheLeftPane) {
    PlayerTable t = makeTable({"x"});
    t[1][totalKills] = 1;
    RankScratch s;
    Panes panes;
    EXPECT_EQ(dorankings("Kills", t, {false, 0, "comp"}, s, panes), Pane::Stats);
    EXPECT_EQ(panes.TxtStats, "Rankings for Kills\r\n\r\n1: \t1\tx\r\n");
    EXPECT_EQ(dorankings("Kills", t, {false, 0, kDropTargetComp}, s, panes), Pane::Comp);
    EXPECT_EQ(panes.TxtComp, panes.TxtStats);
}

TEST(DoRankings, OverallScoreFormulaThenKills) {
    PlayerTable t = makeTable({"tk", "obj", "idle"});
    t[1][totalKills] = 3;
    t[1][flagCarrierKills] = 1;
    t[1][flagsCaptured] = 1;
    t[1][teamKills] = 2; // 3 + 5 + 10 - 2 = 16
    t[2][briefcaseCarrierKills] = 1;
    t[2][bombCarrierKills] = 1;
    t[2][targetsDestroyed] = 1;
    t[2][bombsDefused] = 1;
    t[2][briefcaseEscapes] = 1; // 5 + 5 + 30 = 40
    t[3][teamKills] = 1;        // -1, after the skipped zeros
    EXPECT_EQ(rankFromStats(t, kCategoryOverallScore), "Rankings for Overall Score\r\n\r\n"
                                                       "1: \t40\tobj\r\n"
                                                       "2: \t16\ttk\r\n"
                                                       "3: \t-1\tidle\r\n"
                                                       "\r\n\r\n"
                                                       "Rankings for Kills\r\n\r\n"
                                                       "1: \t3\ttk\r\n");
}

TEST(DoRankings, LinkedLeavesAliasesOutAndScoresBlankEntriesAsZero) {
    // Masters are ranked under their names; with linked aliases the overall score
    // runs over the full player count, the extra entries blank, so a negative
    // score is numbered after them.
    PlayerTable t = makeTable({"m", "alias1", "neg", "alias2"});
    test::fileAlias(t, 1, 2);
    test::fileAlias(t, 1, 4);
    t[1][totalKills] = 2;
    t[2][totalKills] = 50;
    t[3][teamKills] = 1;
    EXPECT_EQ(rankFromStats(t, "Kills", true), "Rankings for Kills\r\n\r\n1: \t2\tm\r\n");
    EXPECT_EQ(rankFromStats(t, kCategoryOverallScore, true),
              "Rankings for Overall Score\r\n\r\n"
              "1: \t2\tm\r\n"
              "4: \t-1\tneg\r\n" // m, neg, then two blank entries
              "\r\n\r\n"
              "Rankings for Kills\r\n\r\n"
              "1: \t2\tm\r\n");
    EXPECT_EQ(rankFromStats(t, kCategoryOverallScore, false), "Rankings for Overall Score\r\n\r\n"
                                                              "1: \t50\talias1\r\n"
                                                              "2: \t2\tm\r\n"
                                                              "4: \t-1\tneg\r\n"
                                                              "\r\n\r\n"
                                                              "Rankings for Kills\r\n\r\n"
                                                              "1: \t50\talias1\r\n"
                                                              "2: \t2\tm\r\n");
}

TEST(DoRankings, MasterThatIsAlsoAnAliasStaysRanked) {
    PlayerTable t = makeTable({"a", "b", "c"});
    test::fileAlias(t, 1, 2);
    test::fileAlias(t, 2, 3); // b is an alias with aliases of its own
    for (int i = 1; i <= 3; ++i)
        t[i][votesCalled] = i;
    EXPECT_EQ(rankFromStats(t, "Voting", true), "Rankings for Voting\r\n\r\n"
                                                "1: \t2\tb\r\n"
                                                "2: \t1\ta\r\n");
}

TEST(DoRankings, CollectingLeavesThePlayersCountsAlone) {
    PlayerTable t = makeTable({"a", "b", "c"});
    test::fileAlias(t, 1, 3);
    test::bookKill(t, 1, 2, 2);
    test::bookKill(t, 3, 1);
    t[0].victims.add(2, 1); // slot 0 never takes part
    const PlayerTable before = t;
    rankFromStats(t, "Kills", true);
    rankFromStats(t, "Kills", false);
    for (int i = 0; i <= t.upper(); ++i) {
        EXPECT_EQ(t[i].victims, before[i].victims);
        EXPECT_EQ(t[i].killers, before[i].killers);
    }
}

} // namespace
} // namespace quorvath
