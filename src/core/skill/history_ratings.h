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

#include "core/common/progress.h"
#include "core/history/history_store.h"
#include "core/history/history_totals.h"
#include "core/rating/plackett_luce.h"
#include "core/stats/player_table.h"

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
    std::int64_t match = 0; // the match's number among those a TableRater was handed
};

struct PlayerRating {
    std::string name;                 // linked: the person's first name
    std::vector<std::string> aliases; // linked: his other names
    Rating rating;
    int matches = 0;               // rated matches
    std::vector<RatingStep> steps; // one per rated match, in the order played
    bool provisional() const { return rating.sigma > kProvisionalSigma; }
};

// A rating's figures as every list of them shows them: two decimals ("12.34").
std::string ratingFigure(double value);
// What marks a provisional rating in every list.
inline constexpr const char* kProvisionalMark = "provisional";

struct KeptMatch;

// Rates matches one at a time, in the order played, against a table that
// knows every name of them already (the selection counted, linked or not),
// so that a reader that does more with each match (the history's site)
// reads them once. Its state (each person's rating and steps) can be taken
// and gone on from with more matches. One thread at a time.
class TableRater {
public:
    TableRater(const PlayerTable& players, const RatingOptions& options);
    ~TableRater();
    TableRater(const TableRater&) = delete;
    TableRater& operator=(const TableRater&) = delete;

    // Rates `match`, the `number`-th handed over (each step keeps it).
    void add(const MatchRecord& match, std::int64_t number);
    void add(const KeptMatch& match);
    // Every player rated in at least one match, the best rating first (equal
    // ratings in the table's order), named and with his aliases when linked.
    // The ratings are moved out: take the state before.
    std::vector<PlayerRating> finish();

    // The state: by the slot a person is rated under, his rating so far
    // (unnamed); going on replaces it (a slot the table lacks is dropped).
    const std::vector<PlayerRating>& people() const { return byPerson_; }
    void goOn(std::vector<PlayerRating> people);
    // The slot a name's slot is rated under, and whether that person is a
    // bot: a state goes on only where these stayed.
    int personOf(int slot) const { return personOf_[static_cast<std::size_t>(slot)]; }
    bool isBot(int person) const { return bot_[static_cast<std::size_t>(person)]; }

private:
    const PlayerTable& players_;
    RatingOptions options_;
    std::vector<int> personOf_; // by slot
    std::vector<bool> bot_;     // by person's slot
    std::vector<PlayerRating> byPerson_;
};

// Every player rated in at least one selected match, as TableRater gives
// them. With `progress`, its position counts the matches read, and once it is
// asked to stop the rest are passed over: the ratings are then not to be shown.
HistoryError rateSelection(HistoryStore& store, const HistorySelection& selection,
                           const RatingOptions& options, std::vector<PlayerRating>& ratings,
                           Progress* progress = nullptr);

} // namespace quorvath
