// The rating against the published values of the OpenSkill test suites.
#include "core/rating/plackett_luce.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

namespace quorvath {
namespace {

struct Case {
    std::string name;
    std::vector<RatedTeam> teams;
    std::vector<double> ranks;
    bool drift = true;
    std::vector<Rating> expected; // player by player, team by team; {} skips a player
};

std::vector<RatedTeam> solo(std::vector<Rating> players) {
    std::vector<RatedTeam> teams;
    for (const Rating& r : players)
        teams.push_back({r});
    return teams;
}

std::vector<RatedTeam> defaults(int players) {
    return solo(std::vector<Rating>(std::size_t(players)));
}

std::vector<double> places(int teams) {
    std::vector<double> ranks;
    for (int i = 1; i <= teams; ++i)
        ranks.push_back(i);
    return ranks;
}

const Rating kSkip{0.0, 0.0};

std::vector<Rating> twentyPlayers() {
    std::vector<Rating> expected(20, kSkip);
    expected.front() = {26.583428330800125, 8.33216637912522};
    expected.back() = {20.670174137721776, 8.266756161489173};
    return expected;
}

const std::vector<Case> kCases = {
    {"one against one",
     defaults(2),
     {1, 2},
     true,
     {{27.635389493140497, 8.06590141354368}, {22.364610506859503, 8.06590141354368}}},
    {"three-player free-for-all",
     defaults(3),
     {1, 2, 3},
     true,
     {{27.869048680749426, 8.205243377397993},
      {25.717262170187357, 8.058224222802378},
      {21.413689149063217, 8.058224222802378}}},
    {"two teams of two",
     {{Rating{}, Rating{}}, {Rating{}, Rating{}}},
     {1, 2},
     true,
     {{26.964294621803063, 8.177962604389991},
      {26.964294621803063, 8.177962604389991},
      {23.035705378196937, 8.177962604389991},
      {23.035705378196937, 8.177962604389991}}},
    {"four players out of order",
     defaults(4),
     {2, 1, 4, 3},
     true,
     {{26.55291815138952, 8.17961798837266},
      {27.795252672501135, 8.263571791259416},
      {20.962412806387245, 8.084127880168786},
      {24.689416369722096, 8.084127880168786}}},
    {"a draw", defaults(2), {1, 1}, true, {{25, 8.06590141354368}, {25, 8.06590141354368}}},
    {"a four-way tie",
     defaults(4),
     {1, 1, 1, 1},
     true,
     std::vector<Rating>(4, Rating{25, 8.263571791259416})},
    {"ties between rated players",
     solo({{10, 8}, {5, 10}, {0, 12}}),
     {1, 2, 2},
     true,
     {{11.942996666741225, 7.926888197620324},
      {2.9381178546315034, 9.653804487570165},
      {-1.4024317012198733, 11.323641575516767}}},
    {"twenty-player free-for-all", defaults(20), places(20), true, twentyPlayers()},
    {"one against one, no drift",
     defaults(2),
     {1, 2},
     false,
     {{27.63523138347365, 8.065506316323548}, kSkip}},
    {"three-player free-for-all, no drift",
     defaults(3),
     {1, 2, 3},
     false,
     {{27.868876552746237, 8.204837030780652},
      {25.717219138186557, 8.057829747583874},
      {21.413904309067206, 8.057829747583874}}},
};

TEST(PlackettLuce, GivesThePublishedRatingsToANinthDecimal) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        RatingModel model;
        model.driftBeforeGame = c.drift;
        const std::vector<RatedTeam> rated = rateGame(c.teams, c.ranks, model);
        std::size_t k = 0;
        for (const RatedTeam& team : rated)
            for (const Rating& r : team) {
                const Rating& want = c.expected[k++];
                if (want.sigma == 0.0)
                    continue;
                EXPECT_NEAR(r.mu, want.mu, 1e-9) << "player " << k;
                EXPECT_NEAR(r.sigma, want.sigma, 1e-9) << "player " << k;
            }
        EXPECT_EQ(k, c.expected.size());
    }
}

TEST(PlackettLuce, ShowsTheSkillHeldWithCertainty) {
    const std::vector<RatedTeam> rated = rateGame(defaults(2), {1, 2});
    EXPECT_NEAR(rated[0][0].ordinal(), 3.437685252509457, 1e-9);
    EXPECT_NEAR(rated[1][0].ordinal(), -1.8330937337715376, 1e-9);
}

TEST(PlackettLuce, BigTeamsOfStrongPlayersStayFinite) {
    const RatedTeam strong(128, Rating{100.0, 1.0});
    const RatedTeam weak(128, Rating{-20.0, 1.0});
    const std::vector<RatedTeam> rated = rateGame({strong, weak}, {2, 1});
    EXPECT_LT(rated[0][0].mu, 100.0);
    EXPECT_GT(rated[1][0].mu, -20.0);
    EXPECT_TRUE(std::isfinite(rated[0][0].sigma));
}

} // namespace
} // namespace quorvath
