#pragma once
// The statistics window without its widgets: the state it keeps (the shown
// players, the drop target, the "Link Aliases" check mark, the two pane texts,
// the player list) and what its commands do to that state and to the player
// table. The Qt window forwards its events here and redraws what each call
// reports as changed; the report tool drives the same calls.
//
// Not thread-safe: call from the thread that owns the window.

#include "core/rank/alias_linking.h"
#include "core/rank/ranking.h"
#include "core/stats/player_table.h"

#include <functional>
#include <string>
#include <vector>

namespace quorvath {

inline constexpr const char* kTagPlayerlist = "Playerlist";
inline constexpr const char* kTagRankList = "RankList";

// What a call changed, so the window knows what to redraw.
struct SessionChanges {
    bool txtStats = false;   // left pane text
    bool txtComp = false;    // right pane text
    bool playerlist = false; // player list entries
    bool checkMark = false;  // "Link Aliases" check mark

    SessionChanges& operator|=(const SessionChanges& o);
    bool any() const { return txtStats || txtComp || playerlist || checkMark; }
};

SessionChanges paneChanged(Pane pane);

class StatsSession {
public:
    // The table stays owned by the caller (the statistics pass fills it).
    explicit StatsSession(PlayerTable& players) : players_(players) {}

    PlayerTable& players() { return players_; }
    const PlayerTable& players() const { return players_; }

    // 1 once a pass has filled the table for the loaded log; 0 after a log was opened.
    int statsdone = 0;
    // The user's own player name, preselected at each hand-over.
    std::string nick;

    int sheetplayer() const { return sheetplayer_; }
    int compplayer() const { return compplayer_; }
    const std::string& droptarget() const { return droptarget_; }
    bool linked() const { return linked_; }
    bool panesEnabled() const { return panesEnabled_; }
    const Panes& panes() const { return panes_; }
    const std::string& TxtStats() const { return panes_.TxtStats; }
    const std::string& TxtComp() const { return panes_.TxtComp; }
    const std::vector<std::string>& playerlist() const { return playerlist_; }
    const std::vector<std::string>& rankList() const { return PopulateRankList(); }
    const RankScratch& scratch() const { return scratch_; }

    // A new pass rebuilt the table unlinked: clears the check mark with it and
    // marks the statistics as done.
    SessionChanges passFinished();
    // Clears the check mark so that it matches a freshly built, unlinked table.
    SessionChanges resetForNewTable();

    // The end of "Get the guff": refills the player list, writes the sheet of the
    // first player named exactly `nick` (else "All Players") into the left pane,
    // sets sheetplayer to it and compplayer to -1, sizes the ranking arrays and
    // enables the lists and panes.
    SessionChanges handOver(const std::string& nick);

    // Refills the player list: "All Players", then the players (in linked mode
    // only those that are nobody's alias).
    SessionChanges PopulatePlayerList();

    // Sheets into the left / right pane; an index outside the table changes nothing.
    SessionChanges Updatestats(int weare) { return showSheet(Pane::Stats, weare); }
    SessionChanges UpdateComp(int weare) { return showSheet(Pane::Comp, weare); }

    // A list entry dropped on a pane. `sourceTag` is the dragged list's Tag,
    // `selectedIndex` its selected position (-1 for none), `selectedText` that
    // entry's text ("" for none).
    SessionChanges dropOnPane(Pane pane, const std::string& sourceTag, int selectedIndex,
                              const std::string& selectedText);

    // "Link Aliases": links or unlinks, toggles the check mark, redraws the shown
    // sheets and refills the player list.
    SessionChanges toggleLinkAliases();

    // "Select Key Aliases": runs `showSelection` (the modal alias selection) on
    // the unlinked table, relinking afterwards when it was linked.
    SessionChanges selectKeyAliases(const std::function<void()>& showSelection);

    // The alias selection window's list and its click.
    std::vector<std::string> aliasListLines() const { return RefreshAliasList(players_); }
    std::vector<std::string> aliasClick(const std::string& line);

private:
    SessionChanges showSheet(Pane pane, int weare);
    SessionChanges redrawShownSheets();

    PlayerTable& players_;
    int sheetplayer_ = 0;
    int compplayer_ = -1;
    std::string droptarget_;
    bool linked_ = false;
    bool panesEnabled_ = false;
    Panes panes_;
    std::vector<std::string> playerlist_;
    RankScratch scratch_;
};

} // namespace quorvath
