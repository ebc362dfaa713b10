// The rankings and top lists at their edges; their texts on real logs are held
// to tests/golden by the report tool's golden test.
#include "core/rank/ranking.h"
#include "core/rank/top_lists.h"
#include "rank_fixtures.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using test::fileAlias;
using test::makeTable;

std::string leftPaneAfter(const PlayerTable& t, const std::string& category, bool linked) {
    Panes panes;
    writeRankings(category, t, {linked, 0, Pane::Left}, panes);
    return panes.left;
}

TEST(Ranking, TiesKeepEntryOrderZerosAreSkippedButKeepTheirNumbers) {
    std::vector<PlayerRecord> entries(1);
    for (const auto& [name, kills] : std::initializer_list<std::pair<const char*, int>>{
             {"a", 7}, {"b", 7}, {"c", 0}, {"d", 9}, {"e", -2}}) {
        entries.emplace_back().name = name;
        entries.back()[totalKills] = kills;
    }
    std::string pane = "old text";
    writeRanking(entries, totalKills, "Kills", PaneWrite::Replace, pane);
    writeRanking(entries, totalDeaths, "Deaths", PaneWrite::Append, pane);
    EXPECT_EQ(pane, "Rankings for Kills\r\n\r\n"
                    "1: \t9\td\r\n"
                    "2: \t7\ta\r\n"
                    "3: \t7\tb\r\n"
                    "5: \t-2\te\r\n"
                    "\r\n\r\n"
                    "Rankings for Deaths\r\n\r\n");
}

TEST(Ranking, OverallScoreLinkedRunsOverBlankEntriesForTheAliasesLeftOut) {
    PlayerTable t = makeTable({"m", "alias1", "neg", "alias2", "b"});
    fileAlias(t, 1, 2);
    fileAlias(t, 1, 4);
    t[1][totalKills] = 2;
    t[2][totalKills] = 50; // an alias: left out while linked
    t[3][teamKills] = 1;   // 0 - 1
    t[5][flagCarrierKills] = 1;
    t[5][briefcaseCarrierKills] = 1;
    t[5][bombCarrierKills] = 1;
    t[5][targetsDestroyed] = 1;
    t[5][flagsCaptured] = 1;
    t[5][bombsDefused] = 1;
    t[5][briefcaseEscapes] = 1; // 3 * 5 + 4 * 10
    EXPECT_EQ(leftPaneAfter(t, kCategoryOverallScore, true),
              "Rankings for Overall Score\r\n\r\n"
              "1: \t55\tb\r\n"
              "2: \t2\tm\r\n"
              "5: \t-1\tneg\r\n" // m, neg, b, then two blank entries
              "\r\n\r\n"
              "Rankings for Kills\r\n\r\n"
              "1: \t2\tm\r\n");
}

TEST(Ranking, AMasterThatIsAlsoAnAliasStaysRankedWhileLinked) {
    PlayerTable t = makeTable({"a", "b", "c"});
    fileAlias(t, 1, 2);
    fileAlias(t, 2, 3); // b is an alias with aliases of its own
    for (int i = 1; i <= 3; ++i)
        t[i][votesCalled] = i;
    EXPECT_EQ(leftPaneAfter(t, "Voting", true), "Rankings for Voting\r\n\r\n"
                                                "1: \t2\tb\r\n"
                                                "2: \t1\ta\r\n");
}

TEST(TopLists, NegativeCountsFollowThePositiveOnesAndIndexZeroIsNoOpponent) {
    PlayerTable t = makeTable({"me", "a", "b", "c"});
    t[1].victims.add(2, -2);
    t[1].victims.add(3, 1);
    t[1].victims.add(4, -1000);
    t[1].victims.add(0, 9);
    Panes panes{"left", "right"};
    EXPECT_FALSE(writeRankings(kCategoryTopKillers, t, {false, 1, Pane::Left}, panes));
    EXPECT_FALSE(writeRankings(kCategoryTopKillers, t, {false, 9, Pane::Right}, panes));
    EXPECT_EQ(panes.left + panes.right, "leftright");
    EXPECT_EQ(writeRankings(kCategoryTopKillers, t, {false, 1, Pane::Right}, panes), Pane::Right);
    EXPECT_EQ(panes.right, "Top Victims\r\n\r\n"
                           "1:\t1\tb\r\n"
                           "2:\t-2\ta\r\n"
                           "3:\t-1000\tc\r\n"
                           "\r\nTop Killers\r\n\r\n\r\n");
}

} // namespace
} // namespace quorvath
