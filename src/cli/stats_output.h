#pragma once
// What quorvath-report prints of a log's statistics: the same texts and lists
// the statistics window shows, built by the same session logic.

#include "core/session/statistics_session.h"
#include "core/stats/player_table.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvath::cli {

// The statistics of one log as the window holds them after "Get the guff":
// the table counted as `counting` says, list filled, the sheet of `nick`
// shown; with `linked`, aliases folded ("Link Aliases") afterwards.
class StatsReport {
public:
    StatsReport(std::unique_ptr<PlayerTable> players, const CountingScope& counting,
                const std::string& nick, bool linked);

    // The player list, one entry per line, CR LF.
    std::string playerList() const;
    // The sheet of the player `name` resolves to (slot 0 when none).
    std::string sheet(const std::string& name) const;
    // The sheets of slots 0..n in index order.
    std::string allSheets() const;
    // What the left pane shows after `category` is dropped on it; nothing for
    // a text that is no category.
    std::optional<std::vector<RankedList>> rankingLists(const std::string& category) const;
    // What the right pane shows after the sheet of `name` is shown on the left
    // and the top lists are dropped on the right; nothing when he has none.
    std::optional<std::vector<RankedList>> topLists(const std::string& name) const;
    // The initial sheet, a blank line, then the overall-score ranking.
    std::string summary() const;
    // Every player's counters as plain lines (countListing).
    std::string counts() const;

    // From now on the rankings and the top lists leave out the players the
    // rule marks (the history's bots and players short of its minimum).
    void leaveOut(LeftOutRule rule) { session_->leaveOut(std::move(rule)); }

    const PlayerTable& players() const { return *players_; }
    const CountingScope& counting() const { return session_->counting(); }
    // The player list's entries, "All Players" first.
    const std::vector<std::string>& playerNames() const { return session_->playerList(); }
    // Whether `name` is a player's (and not answered by "All Players").
    bool knowsPlayer(const std::string& name) const { return players_->findPlayerIndex(name) != 0; }

private:
    std::unique_ptr<PlayerTable> players_;
    std::unique_ptr<StatisticsSession> session_;
};

} // namespace quorvath::cli
