// The history's ratings on generated histories. With hidden skills (gen-log
// --match --skill: the same players under every seed, the skilled killing
// more), a history of logs with more and fewer players, so that some play
// every match and some a few, must rate players in the order of their skill
// better than the kills ranking orders them; both rank correlations go to
// the test's output. And who counts: a match without a team result, a
// warm-up and bots are rated as docs/history.md says.

#include "core/history/database/open_history.h"
#include "core/history/history_import.h"
#include "core/history/history_totals.h"
#include "core/history/match_results.h"
#include "core/skill/history_ratings.h"
#include "support/history_backend.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numeric>
#include <sstream>

namespace {

using namespace quorvath;
using quorvath::test::readFile;
using quorvath::test::TempDir;

std::unique_ptr<HistoryStore> historyOf(const TempDir& dir, const std::vector<std::string>& logs) {
    std::unique_ptr<HistoryStore> store;
    const HistoryError error =
        openHistory(quorvath::test::historyAt(dir.file("h.sqlite").string()), store);
    EXPECT_FALSE(error) << *error;
    for (const std::string& log : logs) {
        LogImport result;
        const HistoryError failed = importLog(*store, log, result);
        EXPECT_FALSE(failed) << *failed;
    }
    return store;
}

std::string generated(const TempDir& dir, const std::string& type, int seed, int players,
                      const std::string& more = "") {
    const std::string prefix = dir.file(type + std::to_string(seed)).string();
    const std::string command = std::string("\"") + QUORVATH_GEN_LOG_TOOL + "\" --match " + type +
                                " --seed " + std::to_string(seed) + " --players " +
                                std::to_string(players) + more + " --out \"" + prefix + "\"";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return prefix;
}

// Ranks from 1 (the lowest value), equal values sharing their mean rank.
std::vector<double> ranksOf(const std::vector<double>& values) {
    std::vector<std::size_t> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](auto a, auto b) { return values[a] < values[b]; });
    std::vector<double> ranks(values.size());
    for (std::size_t i = 0; i < order.size();) {
        std::size_t j = i;
        while (j < order.size() && values[order[j]] == values[order[i]])
            ++j;
        for (std::size_t k = i; k < j; ++k)
            ranks[order[k]] = (static_cast<double>(i + j) + 1.0) / 2.0;
        i = j;
    }
    return ranks;
}

// Spearman's rank correlation: Pearson's of the ranks.
double spearman(const std::vector<double>& a, const std::vector<double>& b) {
    const std::vector<double> x = ranksOf(a), y = ranksOf(b);
    const double n = static_cast<double>(x.size());
    const double mx = std::accumulate(x.begin(), x.end(), 0.0) / n;
    const double my = std::accumulate(y.begin(), y.end(), 0.0) / n;
    double sxy = 0, sxx = 0, syy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxy += (x[i] - mx) * (y[i] - my);
        sxx += (x[i] - mx) * (x[i] - mx);
        syy += (y[i] - my) * (y[i] - my);
    }
    return sxy / std::sqrt(sxx * syy);
}

TEST(HistoryRatings, SpearmansCorrelationOfKnownOrders) {
    EXPECT_DOUBLE_EQ(spearman({1, 2, 3, 4}, {10, 20, 30, 40}), 1.0);
    EXPECT_DOUBLE_EQ(spearman({1, 2, 3, 4}, {4, 3, 2, 1}), -1.0);
    EXPECT_NEAR(spearman({1, 2, 3, 4, 5}, {2, 1, 4, 3, 5}), 0.8, 1e-12);
}

TEST(HistoryRatings, TheRatingOrdersHiddenSkillBetterThanKills) {
    TempDir dir;
    std::vector<std::string> logs;
    std::map<std::string, double> skill; // by first name
    for (int seed = 1; seed <= 12; ++seed) {
        const std::string prefix =
            generated(dir, "dm", seed, 20 + seed * 5 % 21, " --skill --maps 4 --events 250");
        logs.push_back(prefix + "-games.log");
        std::istringstream truth(readFile(prefix + "-truth.txt"));
        for (std::string line; std::getline(truth, line);)
            if (const auto at = line.find("\tskill\t"); at != std::string::npos)
                skill[line.substr(0, at)] = std::stod(line.substr(at + 7));
    }
    const auto store = historyOf(dir, logs);
    std::vector<PlayerRating> ratings;
    ASSERT_FALSE(rateSelection(*store, {}, {true, false}, ratings));
    PlayerTable players;
    CountingScope scope;
    std::vector<NameActivity> activity;
    ASSERT_FALSE(countSelection(*store, {}, players, scope, activity));
    std::map<std::string, double> kills;
    for (const Person& person : peopleOf(players, activity))
        kills[person.names[0]] = static_cast<double>(person.kills);

    std::vector<double> hidden, rated, killed;
    for (const PlayerRating& r : ratings) {
        ASSERT_TRUE(skill.count(r.name)) << r.name;
        hidden.push_back(skill[r.name]);
        rated.push_back(r.rating.ordinal());
        killed.push_back(kills.at(r.name));
    }
    ASSERT_GE(ratings.size(), 36u); // of 40, all but the two bots and a few visitors
    const double byRating = spearman(rated, hidden), byKills = spearman(killed, hidden);
    std::printf("hidden skill, %zu players of %zu matches: Spearman %.3f by rating, %.3f by "
                "kills\n",
                ratings.size(), logs.size() * 4, byRating, byKills);
    EXPECT_GT(byRating, byKills);
    EXPECT_GT(byRating, 0.8);
}

// A console log of capture the flag gives no team result: nothing rated.
// Its server log does: each name is rated in exactly the matches it ended
// and was in for at least half of, warm-ups left out, bots only when asked.
TEST(HistoryRatings, OnlyMatchesWithAResultAndPlayersWhoStayedAreRated) {
    TempDir dir;
    const std::string prefix = generated(dir, "ctf", 4, 24, " --maps 6");
    std::vector<PlayerRating> ratings;
    ASSERT_FALSE(rateSelection(*historyOf(dir, {prefix + "-console.log"}), {}, {}, ratings));
    EXPECT_TRUE(ratings.empty());

    TempDir other;
    const auto store = historyOf(other, {prefix + "-games.log"});
    std::map<std::string, int> played, stayed; // matches after the warm-up
    int warmups = 0;
    ASSERT_FALSE(store->readMatches({}, [&](const MatchRecord& m) {
        warmups += m.warmup;
        for (const MatchPlayer& p : m.players)
            if (!m.warmup) {
                ++played[p.name];
                stayed[p.name] += p.atEnd && p.presence >= kLeastPresence;
            }
    }));
    EXPECT_EQ(warmups, 1);
    EXPECT_NE(played, stayed); // some came late or left early
    std::erase_if(stayed, [](const auto& s) { return s.second == 0; });
    for (const bool bots : {false, true}) {
        ASSERT_FALSE(rateSelection(*store, {}, {false, bots}, ratings));
        std::map<std::string, int> rated;
        for (const PlayerRating& r : ratings)
            rated[r.name] = r.matches;
        std::map<std::string, int> expected = stayed;
        if (!bots) {
            expected.erase("Viper");
            expected.erase("Tango");
        }
        EXPECT_EQ(rated, expected);
    }
    // The first match moves its winners up and its losers down.
    std::map<std::string, SeatResult::Kind> first; // of those it rates
    bool seen = false;
    ASSERT_FALSE(store->readMatches({}, [&](const MatchRecord& m) {
        for (std::size_t seat = 0; !seen && !m.warmup && seat < m.players.size(); ++seat)
            if (m.players[seat].atEnd && m.players[seat].presence >= kLeastPresence)
                first[m.players[seat].name] = seatResult(m, seat).kind;
        seen = seen || !m.warmup;
    }));
    ASSERT_GT(first.size(), 10u);
    for (const PlayerRating& r : ratings)
        if (const auto it = first.find(r.name); it != first.end()) {
            EXPECT_EQ(r.steps.at(0).after.mu > 25.0, it->second == SeatResult::Kind::Won) << r.name;
        }
}

} // namespace
