#pragma once
// Skill ratings from the history: each selected match, in the order played,
// rated with the Plackett-Luce model (core/rating). A deathmatch ranks its
// players by final score; a team game its two teams by the team result, and
// is not rated where the log has none. A player counts in a match only when
// he was in the game at its end and for at least half of it; a warm-up
// counts for nobody. A rating is shown as mu - 3 sigma, provisional while
// sigma is above kProvisionalSigma. Sigma starts at 8.33 and falls slowly
// where many play (each of 25 in a deathmatch, or of 20 in a team game,
// learns little from one result): below 8 after about 30 deathmatches of 25
// players, or 12 team games of 10 a side.
//
//   std::vector<PlayerRating> ratings;
//   if (auto error = rateSelection(store, selection, {linked, bots}, ratings)) ...

#include "core/history/history_store.h"
#include "core/rating/plackett_luce.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorvath {

inline constexpr double kProvisionalSigma = 8.0;
inline constexpr std::int32_t kLeastPresence = 500; // per mille of a match

struct RatingOptions {
    bool linked = false; // a person's names rated as one, under his first name
    bool bots = false;   // bots rated too
};

// A player's rating after one of his rated matches.
struct RatingStep {
    std::int64_t playedAt = 0;
    std::string server;
    std::string map;
    Rating after;
};

struct PlayerRating {
    std::string name;                 // linked: the person's first name
    std::vector<std::string> aliases; // linked: his other names
    Rating rating;
    int matches = 0;               // rated matches
    std::vector<RatingStep> steps; // one per rated match, in the order played
    bool provisional() const { return rating.sigma > kProvisionalSigma; }
};

// Every player rated in at least one selected match, the best rating first
// (equal ratings in order of first appearance).
HistoryError rateSelection(HistoryStore& store, const HistorySelection& selection,
                           const RatingOptions& options, std::vector<PlayerRating>& ratings);

} // namespace quorvath
