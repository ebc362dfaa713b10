#pragma once
// HistoryTotals: matches read back from the history, added up in the order
// played into the player table the Accurate counting fills: players in order
// of first appearance, counters summed (a bot stays one bot), kills per
// opponent, renames linked as aliases in their order, then "All Players".
// For the matches of one log it gives what counting the log gives; the
// people's links (people.h) go on top of the renames, and what each name did
// across the matches is kept for the people and the rankings' minimum.

#include "core/common/progress.h"
#include "core/history/history_store.h"
#include "core/history/people.h"
#include "core/stats/event_booking.h"
#include "core/stats/player_table.h"

#include <utility>
#include <vector>

namespace quorvath {

class HistoryTotals {
public:
    // Starts the table over at slot 0.
    explicit HistoryTotals(PlayerTable& players, std::vector<PeopleDecision> decisions = {});

    void add(const MatchRecord& match);
    // Links the renames, sums "All Players" and returns the scope: a counter
    // is "not in this log" only when no match added could record it.
    CountingScope finish();

    // After finish(), by slot (slot 0 unused): each name's matches, dates and GUIDs.
    std::vector<NameActivity> takeActivity() { return std::move(activity_); }

private:
    void noteActivity(int slot, const std::string& guid, std::int64_t playedAt);

    PlayerTable& players_;
    KillPairs kills_;
    std::vector<std::pair<int, int>> renames_; // by player
    CountingScope scope_;
    bool anyMatch_ = false;
    std::vector<int> slots_;                  // the current match's seats
    std::vector<std::vector<int>> renamedIn_; // per match with renames: the names in them
    std::vector<PeopleDecision> decisions_;
    std::vector<NameActivity> activity_;
};

// The selected matches of `store` added up into `players` with the people's
// links and decisions; `activity` as HistoryTotals keeps it. With
// `progress`, its position counts the matches read, and once it is asked to
// stop the rest are passed over: the table is then not to be shown.
HistoryError countSelection(HistoryStore& store, const HistorySelection& selection,
                            PlayerTable& players, CountingScope& scope,
                            std::vector<NameActivity>& activity, Progress* progress = nullptr);

} // namespace quorvath
