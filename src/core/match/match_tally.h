#pragma once
// MatchTally: the Accurate booking. It takes the match events of any kind of
// log and counts them per player, then fills the same player table the
// classic pass fills, so sheets, rankings, top lists and aliases work on it
// unchanged. How it counts:
// - a kill counts for the killer and the victim under the weapon's row (its
//   alternate attack's row for pistol whip, bayonet, bludgeon and M203), in
//   the totals, as a head shot when marked, in both players' top lists, and
//   as a carrier kill when the victim carried a flag, the briefcase or the
//   bomb; a team kill counts only as a team kill (and as the victim's death);
// - a death without a killing player is a suicide under its cause;
// - objectives count for the player the line names; a destroyed target for
//   the player who planted the bomb;
// - renames link the new name to the old one's master, as the classic rules
//   link them;
// - during a server's warm-up, kills and deaths are left out unless asked for;
//   the kills made there are counted apart either way.
//
// Names come resolved (a console log's cut names by CutNames).
// One thread.

#include "core/common/string_hash.h"
#include "core/match/game_table.h"
#include "core/match/match_event.h"
#include "core/stats/event_booking.h"
#include "core/stats/player_table.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvath {

class MatchTally final : public MatchEventSink {
public:
    MatchTally(const GameTable& table, bool includeWarmup);

    void onEvent(const MatchEvent& event) override;

    // Cuts `players` to slot 0 and fills it: the players in order of first
    // appearance, their counters, their per-opponent kills, their aliases,
    // then "All Players".
    void fillTable(PlayerTable& players);

private:
    struct Person {
        std::string name;
        std::array<std::int32_t, kLastCounter + 1> counters{};
    };

    int person(const NamedPlayer& named);
    std::int32_t& count(int who, Counter c) {
        return people_[static_cast<std::size_t>(who)].counters[static_cast<std::size_t>(c)];
    }
    void bookKill(const MatchEvent& event);
    void bookObjective(const MatchEvent& event);
    Carried carriedBy(int victim) const;
    void dropEverything();

    const GameTable& table_;
    bool includeWarmup_;
    bool warmup_ = false;
    std::vector<Person> people_;
    StringMap<int> byName_;
    // Kills per (killer, victim), by person.
    KillPairs kills_;
    std::vector<std::pair<int, int>> renames_; // old, new
    std::array<int, 5> carrier_{};             // by Carried; -1 for none
    int planter_ = -1;
};

} // namespace quorvath
