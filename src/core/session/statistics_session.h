#pragma once
// The statistics window without its widgets: the state it keeps (the shown
// players, the "Link Aliases" check mark, the two pane texts, the player
// list) and what its commands do to that state and to the player table. The
// Qt window forwards its events here and redraws what each call reports as
// changed; the report tool drives the same calls.
//
// Not thread-safe: call from the thread that owns the window.

#include "core/rank/alias_linking.h"
#include "core/rank/ranking.h"
#include "core/stats/counting_scope.h"
#include "core/stats/player_table.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quorvath {

// The list a drag onto a pane started from.
enum class DraggedList { Players, Categories };

// What a call changed, so the window knows what to redraw.
struct SessionChanges {
    bool leftPane = false;
    bool rightPane = false;
    bool playerList = false; // player list entries
    bool checkMark = false;  // "Link Aliases" check mark

    SessionChanges& operator|=(const SessionChanges& o);
    bool any() const { return leftPane || rightPane || playerList || checkMark; }
};

SessionChanges paneChanged(Pane pane);

// What a pane shows, kept so that it can be counted again (after linking) and
// captioned truthfully.
struct PaneContent {
    enum class Kind { Nothing, Sheet, Ranking, TopLists, WeaponChart };
    Kind kind = Kind::Nothing;
    int player = 0;       // the player whose sheet, top lists or weapons chart is shown
    std::string category; // the ranking's category text

    bool operator==(const PaneContent&) const = default;
};

class StatisticsSession {
public:
    // The table stays owned by the caller (the statistics pass fills it).
    explicit StatisticsSession(PlayerTable& players) : players_(players) {}

    PlayerTable& players() { return players_; }
    const PlayerTable& players() const { return players_; }

    // The user's own player name, preselected at each hand-over.
    std::string nick;

    // The players whose sheets the panes show (a ranking shown over a sheet
    // leaves them as they are); the right one is -1 before any.
    int leftPlayer() const { return leftPlayer_; }
    int rightPlayer() const { return rightPlayer_; }
    bool linked() const { return linked_; }
    const std::string& paneText(Pane pane) const { return panes_.text(pane); }
    const PaneContent& paneContent(Pane pane) const {
        return pane == Pane::Left ? leftContent_ : rightContent_;
    }
    const std::vector<std::string>& playerList() const { return playerList_; }
    const std::vector<std::string>& categoryList() const { return rankingCategories(); }

    // A new pass rebuilt the table unlinked: clears the check mark and the
    // panes with it and marks the statistics as done. `counting` says how the
    // pass counted; the sheets, rankings and top lists shown from now on follow it.
    SessionChanges passFinished(const CountingScope& counting = {});
    const CountingScope& counting() const { return counting_; }
    // Whether a pass has filled the table for the loaded log.
    bool statisticsDone() const { return done_; }
    // Clears the check mark so that it matches a freshly built, unlinked table.
    SessionChanges resetForNewTable();
    // The table no longer holds the loaded log's statistics (a new log, a
    // stopped pass, another counting): clears the check mark too.
    SessionChanges discardStatistics();

    // The end of "Get the guff": refills the player list, shows the sheet of
    // the first player named exactly `nick` (else "All Players") on the left,
    // and forgets the right pane's player.
    SessionChanges handOver(const std::string& nick);

    // Refills the player list: "All Players", then the players (in linked mode
    // only those that are nobody's alias).
    SessionChanges refillPlayerList();

    // The sheet of `player` into `pane`; an index outside the table changes nothing.
    SessionChanges showSheet(Pane pane, int player);

    // The kills and deaths by weapon of `player` as a chart in `pane`: its
    // text is the chart's figures as a table (weaponFiguresText), which a
    // window draws as bars; an index outside the table changes nothing.
    SessionChanges showWeaponChart(Pane pane, int player);
    // The weapons chart of the player list's entry at `selectedIndex` (-1 for
    // none; `selectedText` its text), found as a drop of it finds its sheet.
    SessionChanges chartFromPlayerList(Pane pane, int selectedIndex,
                                       const std::string& selectedText);

    // An entry of `list` dropped on `pane`: `selectedIndex` is the list's
    // selected position (-1 for none), `selectedText` that entry's text.
    SessionChanges dropOnPane(Pane pane, DraggedList list, int selectedIndex,
                              const std::string& selectedText);

    // Who the rankings and top lists leave out from now on (the history's
    // bots and players short of its minimum), asked at every drawing; none
    // given: nobody.
    void leaveOut(LeftOutRule rule) { leftOutRule_ = std::move(rule); }
    const LeftOutRule& leftOutRule() const { return leftOutRule_; }
    std::vector<bool> leftOut(bool topLists) const {
        return leftOutRule_ ? leftOutRule_(players_, topLists) : std::vector<bool>();
    }

    // "Link Aliases": links or unlinks, toggles the check mark, counts what both
    // panes show again and refills the player list.
    SessionChanges toggleLinkAliases();

    // "Select Key Aliases": runs `showSelection` (the modal alias selection) on
    // the unlinked table, relinking afterwards when it was linked.
    SessionChanges selectKeyAliases(const std::function<void()>& showSelection);

    // The alias selection window's list, and a click on one of its lines
    // (which returns the list anew).
    std::vector<std::string> aliasListLines() const { return quorvath::aliasListLines(players_); }
    std::vector<std::string> clickAliasLine(const std::string& line);

private:
    // The table index of the player list's entry; -1 for no entry.
    int listedPlayer(int selectedIndex, const std::string& selectedText) const;
    SessionChanges writeRankingsInto(Pane pane, const std::string& category, int shownPlayer);
    SessionChanges redrawPanes();
    PaneContent& content(Pane pane) { return pane == Pane::Left ? leftContent_ : rightContent_; }

    PlayerTable& players_;
    int leftPlayer_ = 0;
    int rightPlayer_ = -1;
    bool linked_ = false;
    bool done_ = false;
    Panes panes_;
    PaneContent leftContent_;
    PaneContent rightContent_;
    std::vector<std::string> playerList_;
    CountingScope counting_;
    LeftOutRule leftOutRule_;
};

} // namespace quorvath
