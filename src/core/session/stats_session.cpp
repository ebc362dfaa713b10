#include "core/session/stats_session.h"

#include "core/report/player_sheet.h"

namespace quorvath {

SessionChanges& SessionChanges::operator|=(const SessionChanges& o) {
    txtStats |= o.txtStats;
    txtComp |= o.txtComp;
    playerlist |= o.playerlist;
    checkMark |= o.checkMark;
    return *this;
}

SessionChanges paneChanged(Pane pane) {
    SessionChanges changes;
    (pane == Pane::Stats ? changes.txtStats : changes.txtComp) = true;
    return changes;
}

SessionChanges StatsSession::resetForNewTable() {
    SessionChanges changes;
    changes.checkMark = linked_;
    linked_ = false;
    return changes;
}

SessionChanges StatsSession::passFinished() {
    statsdone = 1;
    return resetForNewTable();
}

SessionChanges StatsSession::handOver(const std::string& nickName) {
    nick = nickName;
    SessionChanges changes = PopulatePlayerList();
    // Index 0 is never examined: an exact name match among the players, else "All Players".
    changes |= Updatestats(players_.findByName(nick));
    compplayer_ = -1; // the right pane keeps its text
    scratch_.createtempplayerarrays(players_.upper());
    panesEnabled_ = true;
    return changes;
}

SessionChanges StatsSession::PopulatePlayerList() {
    playerlist_.clear();
    playerlist_.emplace_back(kAllPlayers);
    // Linked, an alias is listed under its master only.
    const std::vector<bool> alias = aliasMembers(players_);
    for (int i = 1; i <= players_.upper(); ++i)
        if (!linked_ || !alias[static_cast<std::size_t>(i)])
            playerlist_.push_back(players_[i].name);
    SessionChanges changes;
    changes.playerlist = true;
    return changes;
}

SessionChanges StatsSession::showSheet(Pane pane, int weare) {
    if (weare < 0 || weare > players_.upper())
        return {};
    (pane == Pane::Stats ? sheetplayer_ : compplayer_) = weare;
    panes_.text(pane) = playerSheet(players_[weare]);
    return paneChanged(pane);
}

SessionChanges StatsSession::dropOnPane(Pane pane, const std::string& sourceTag, int selectedIndex,
                                        const std::string& selectedText) {
    SessionChanges changes;
    if (sourceTag == kTagPlayerlist && selectedIndex >= 0) {
        // Linked, list positions no longer match table indexes: resolve by text.
        const int index = linked_ ? players_.findplayerindex(selectedText) : selectedIndex;
        changes |= pane == Pane::Stats ? Updatestats(index) : UpdateComp(index);
    }
    if (sourceTag == kTagRankList) {
        droptarget_ = pane == Pane::Stats ? kDropTargetStats : kDropTargetComp;
        const RankingContext ctx{linked_, sheetplayer_, droptarget_};
        if (const auto written = dorankings(selectedText, players_, ctx, scratch_, panes_))
            changes |= paneChanged(*written);
    }
    return changes;
}

SessionChanges StatsSession::redrawShownSheets() {
    SessionChanges changes;
    if (sheetplayer_ > 0)
        changes |= Updatestats(sheetplayer_);
    if (compplayer_ > 0)
        changes |= UpdateComp(compplayer_);
    return changes;
}

SessionChanges StatsSession::toggleLinkAliases() {
    if (linked_)
        unlinkAliases(players_);
    else
        linkAliases(players_);
    linked_ = !linked_;
    SessionChanges changes = redrawShownSheets();
    changes.checkMark = true;
    changes |= PopulatePlayerList();
    return changes;
}

SessionChanges StatsSession::selectKeyAliases(const std::function<void()>& showSelection) {
    SessionChanges changes;
    const bool wasLinked = linked_;
    if (wasLinked)
        changes |= toggleLinkAliases();
    if (showSelection)
        showSelection();
    if (wasLinked)
        changes |= toggleLinkAliases();
    changes |= PopulatePlayerList();
    return changes;
}

std::vector<std::string> StatsSession::aliasClick(const std::string& line) {
    Aliaslist_Click(players_, line);
    return aliasListLines();
}

} // namespace quorvath
