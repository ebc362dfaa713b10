#pragma once
// The Plackett-Luce skill rating of Weng and Lin (2011), as OpenSkill rates:
// each player's skill is a belief (mu, sigma) that every game's result moves.
// Lower rank is better; the players of one team share its rank; teams of
// equal rank drew.

#include <vector>

namespace quorvath {

struct Rating {
    double mu = 25.0;
    double sigma = 25.0 / 3.0;
    // What the rating shows: a skill the player has with high certainty.
    double ordinal() const { return mu - 3.0 * sigma; }
};

struct RatingModel {
    double beta = 25.0 / 6.0;    // the skill difference that wins four games in five
    double kappa = 0.0001;       // the least a game may leave of a sigma
    double tau = 25.0 / 300.0;   // how much skill may drift between games
    bool driftBeforeGame = true; // raise each sigma by tau before the game
};

// The ratings of one side of a game (a team, or a player alone).
using RatedTeam = std::vector<Rating>;

// The teams' ratings after one game in which team i came `ranks[i]`.
// `ranks` has one entry per team.
std::vector<RatedTeam> rateGame(std::vector<RatedTeam> teams, const std::vector<double>& ranks,
                                const RatingModel& model = {});

} // namespace quorvath
