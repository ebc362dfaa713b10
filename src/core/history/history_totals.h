#pragma once
// HistoryTotals: matches read back from the history, added up in the order
// played into the player table the Accurate counting fills: players in order
// of first appearance, counters summed (a bot stays one bot), kills per
// opponent, renames linked as aliases in their order, then "All Players".
// For the matches of one log it gives what counting the log gives.

#include "core/history/match_record.h"
#include "core/stats/event_booking.h"
#include "core/stats/player_table.h"

#include <utility>
#include <vector>

namespace quorvath {

class HistoryTotals {
public:
    // Starts the table over at slot 0.
    explicit HistoryTotals(PlayerTable& players);

    void add(const MatchRecord& match);
    // Links the renames, sums "All Players" and returns the scope: a counter
    // is "not in this log" only when no match added could record it.
    CountingScope finish();

private:
    PlayerTable& players_;
    KillPairs kills_;
    std::vector<std::pair<int, int>> renames_; // by player
    CountingScope scope_;
    bool anyMatch_ = false;
    std::vector<int> slots_; // the current match's seats
};

} // namespace quorvath
