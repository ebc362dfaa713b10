// The rankings and top lists at their edges; their texts on real logs are held
// to tests/golden by the report tool's golden test.
#include "core/rank/ranking.h"
#include "core/rank/ranking_text.h"
#include "core/rank/top_lists.h"
#include "rank_fixtures.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using test::fileAlias;
using test::makeTable;

// The pane text of `category` dropped on `pane`; "-" for no lists.
std::string paneAfter(const PlayerTable& t, const std::string& category, bool linked,
                      Pane pane = Pane::Left, int shown = 0, const CountingScope& scope = {}) {
    const auto lists = rankCategory(category, t, {linked, shown, pane}, scope);
    return lists ? rankingPaneText(*lists) : "-";
}

std::string leftPaneAfter(const PlayerTable& t, const std::string& category, bool linked) {
    return paneAfter(t, category, linked);
}

TEST(Ranking, TiesKeepEntryOrderZerosAreSkippedButKeepTheirNumbers) {
    PlayerTable t = makeTable({"a", "b", "c", "d", "e"});
    const int kills[] = {7, 7, 0, 9, -2};
    for (int i = 1; i <= 5; ++i)
        t[i][teamKills] = kills[i - 1];
    EXPECT_EQ(leftPaneAfter(t, "Team Killing", false),
              "Rankings for Team Killing\r\n\r\n"
              "1: \t9\td\r\n"
              "2: \t7\ta\r\n"
              "3: \t7\tb\r\n"
              "5: \t-2\te\r\n"
              "\r\n\r\n"
              "Rankings for Victims (lest we forget)\r\n\r\n");
    const auto lists = rankCategory("Team Killing", t, {});
    ASSERT_TRUE(lists);
    EXPECT_EQ((*lists)[0].counter, teamKills);
    EXPECT_EQ((*lists)[1].counter, teamKilledDeaths);
    EXPECT_EQ((*lists)[0].entries[0].player, 4);
    EXPECT_EQ(leftPaneAfter(t, "no such category", false), "-");
}

TEST(Ranking, KeysThatAreNotWholeNumbersRankAndWriteInTheSameOrder) {
    const PlayerTable t = makeTable({"a", "b", "c", "d"});
    RankedList ratios;
    ratios.title = "Ratio";
    ratios.wholeNumbers = false;
    ratios.entries = rankedEntries({{1, 0.25}, {2, 1.5}, {3, 0.25}, {4, 0.0}}, t);
    EXPECT_EQ(rankingPaneText({ratios}), "Rankings for Ratio\r\n\r\n"
                                         "1: \t1.5\tb\r\n"
                                         "2: \t0.25\ta\r\n"
                                         "3: \t0.25\tc\r\n");
}

TEST(Ranking, ACounterTheLogCouldNotRecordSaysSo) {
    PlayerTable t = makeTable({"a"});
    t[1][headshotKills] = 3;
    CountingScope scope;
    scope.setUnrecorded(headshotKills);
    EXPECT_EQ(paneAfter(t, "Headshots (OSP)", false, Pane::Right, 0, scope),
              "Rankings for Headshots (OSP)\r\n\r\nnot in this log\r\n");
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
    EXPECT_EQ(paneAfter(t, kCategoryTopKillers, false, Pane::Left, 1), "-");
    EXPECT_EQ(paneAfter(t, kCategoryTopKillers, false, Pane::Right, 9), "-");
    EXPECT_EQ(paneAfter(t, kCategoryTopKillers, false, Pane::Right, 1),
              "Top Victims\r\n\r\n"
              "1:\t1\tb\r\n"
              "2:\t-2\ta\r\n"
              "3:\t-1000\tc\r\n"
              "\r\nTop Killers\r\n\r\n\r\n");
}

// A page's lists are their first entries: the same entries, places and
// order as the whole lists, ties, left-out players and aliases included.
TEST(TopLists, TheFirstEntriesAreThoseOfTheWholeLists) {
    PlayerTable t = makeTable({"me", "a", "b", "c", "d", "e", "f", "g"});
    fileAlias(t, 2, 6);
    const int counts[] = {0, 3, 5, 3, 7, 5, 3, 1};
    for (int i = 2; i <= 8; ++i) {
        t[1].victims.add(i, counts[i - 1]);
        t[1].killers.add(i, counts[9 - i]);
    }
    std::vector<bool> leftOut(9);
    leftOut[5] = true;
    for (const bool linked : {false, true})
        for (const CountingMode mode : {CountingMode::Classic, CountingMode::Accurate})
            for (const std::vector<bool>* out :
                 {static_cast<std::vector<bool>*>(nullptr), &leftOut}) {
                const std::vector<RankedList> whole = topLists(1, t, linked, mode, out);
                for (std::size_t most = 0; most <= 8; ++most) {
                    const std::vector<RankedList> first = topLists(1, t, linked, mode, out, most);
                    for (std::size_t l = 0; l < 2; ++l) {
                        const auto& all = whole[l].entries;
                        ASSERT_EQ(first[l].entries.size(), std::min(most, all.size()));
                        for (std::size_t e = 0; e < first[l].entries.size(); ++e) {
                            const RankedEntry& a = first[l].entries[e];
                            EXPECT_EQ(
                                std::tie(a.place, a.player, a.name, a.value),
                                std::tie(all[e].place, all[e].player, all[e].name, all[e].value))
                                << linked << static_cast<int>(mode) << most << l << e;
                        }
                    }
                }
            }
}

} // namespace
} // namespace quorvath
