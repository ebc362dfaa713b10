#pragma once
// HistoryTotals: matches read back from the history, added up in the order
// played into the player table the Accurate counting fills: players in order
// of first appearance, counters summed (a bot stays one bot), kills per
// opponent, renames linked as aliases in their order, then "All Players".
// For the matches of one log it gives what counting the log gives; the
// people's links (people.h) go on top of the renames, and what each name did
// across the matches is kept for the people and the rankings' minimum.
//
// What it has added up before finish() can be kept (KeptTotals) and gone on
// from: the store keeps the whole history so, a batch at a time.

#include "core/common/progress.h"
#include "core/history/history_store.h"
#include "core/history/kept_totals.h"
#include "core/history/people.h"
#include "core/stats/player_table.h"

#include <utility>
#include <vector>

namespace quorvath {

class HistoryTotals {
public:
    // Starts the table over at slot 0.
    explicit HistoryTotals(PlayerTable& players, std::vector<PeopleDecision> decisions = {});

    // Goes on from kept totals (on a table just started over); false for
    // totals no HistoryTotals kept (a name twice, a slot out of range).
    bool resume(KeptTotals kept);

    void add(const MatchRecord& match);
    // Links the renames, sums "All Players" and returns the scope: a counter
    // is "not in this log" only when no match added could record it.
    CountingScope finish();

    // After finish(), by slot (slot 0 unused): each name's matches, dates and GUIDs.
    std::vector<NameActivity> takeActivity() { return std::move(activity_); }

    // Before finish(), what to keep: the names whose totals changed since the
    // last call (ascending slots), each name's totals, the renames of the
    // matches added.
    std::vector<int> takeTouched();
    NameTotals nameTotals(int slot);
    const std::vector<SlotRenames>& renames() const { return renames_; }
    const CountingScope& scope() const { return scope_; }
    std::int64_t matches() const { return matches_; }

private:
    void noteActivity(int slot, const std::string& guid, std::int64_t playedAt);
    void touch(int slot);
    void compactKills(std::size_t killer);
    void bookKills();

    PlayerTable& players_;
    // Kills by killer: (victim, count) as matches gave them, summed and sorted
    // when a list doubles, so that a history of thousands of names needs
    // neither a square of them nor a table of pairs.
    std::vector<std::vector<OpponentCounts::Entry>> kills_;
    std::vector<std::size_t> compacted_; // each list's length when last summed
    std::vector<SlotRenames> renames_;   // each match's with renames
    CountingScope scope_;
    std::int64_t matches_ = 0;
    std::vector<int> slots_; // the current match's seats
    std::vector<PeopleDecision> decisions_;
    std::vector<NameActivity> activity_;
    std::vector<bool> touched_; // by slot
};

// The selected matches of `store` visited in the order played; with
// `progress`, its position counts the matches read, and once it is asked to
// stop the rest are passed over.
HistoryError readSelected(HistoryStore& store, const HistorySelection& selection,
                          Progress* progress, const HistoryStore::MatchVisitor& visit);

// The selected matches of `store` added up into `players` with the people's
// links and decisions; `activity` as HistoryTotals keeps it. The whole
// history comes from the totals the store keeps, when it keeps them. With
// `progress`, its position counts the matches read, and once it is asked to
// stop the rest are passed over: the table is then not to be shown.
HistoryError countSelection(HistoryStore& store, const HistorySelection& selection,
                            PlayerTable& players, CountingScope& scope,
                            std::vector<NameActivity>& activity, Progress* progress = nullptr);

} // namespace quorvath
