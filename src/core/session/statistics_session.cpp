#include "core/session/statistics_session.h"

#include "core/rank/ranking_text.h"
#include "core/report/player_sheet.h"

namespace quorvath {

SessionChanges& SessionChanges::operator|=(const SessionChanges& o) {
    leftPane |= o.leftPane;
    rightPane |= o.rightPane;
    playerList |= o.playerList;
    checkMark |= o.checkMark;
    return *this;
}

SessionChanges paneChanged(Pane pane) {
    SessionChanges changes;
    (pane == Pane::Left ? changes.leftPane : changes.rightPane) = true;
    return changes;
}

SessionChanges StatisticsSession::resetForNewTable() {
    SessionChanges changes;
    changes.checkMark = linked_;
    linked_ = false;
    return changes;
}

SessionChanges StatisticsSession::passFinished(const CountingScope& counting) {
    statisticsDone = true;
    counting_ = counting;
    return resetForNewTable();
}

SessionChanges StatisticsSession::handOver(const std::string& nickName) {
    nick = nickName;
    SessionChanges changes = refillPlayerList();
    // Index 0 is never examined: an exact name match among the players, else "All Players".
    changes |= showSheet(Pane::Left, players_.findByName(nick));
    rightPlayer_ = -1; // the right pane keeps its text
    return changes;
}

SessionChanges StatisticsSession::refillPlayerList() {
    playerList_.clear();
    playerList_.emplace_back(kAllPlayers);
    // Linked, an alias is listed under its master only.
    const std::vector<bool> alias = aliasMembers(players_);
    for (int i = 1; i <= players_.playerCount(); ++i)
        if (!linked_ || !alias[static_cast<std::size_t>(i)])
            playerList_.push_back(players_[i].name);
    SessionChanges changes;
    changes.playerList = true;
    return changes;
}

SessionChanges StatisticsSession::showSheet(Pane pane, int player) {
    if (player < 0 || player > players_.playerCount())
        return {};
    (pane == Pane::Left ? leftPlayer_ : rightPlayer_) = player;
    panes_.text(pane) = playerSheet(players_[player], counting_);
    return paneChanged(pane);
}

SessionChanges StatisticsSession::dropOnPane(Pane pane, DraggedList list, int selectedIndex,
                                             const std::string& selectedText) {
    if (list == DraggedList::Players) {
        if (selectedIndex < 0)
            return {};
        // Linked, list positions no longer match table indexes: resolve by text.
        return showSheet(pane, linked_ ? players_.findPlayerIndex(selectedText) : selectedIndex);
    }
    const RankingContext context{linked_, leftPlayer_, pane};
    const auto lists = rankCategory(selectedText, players_, context, counting_);
    if (!lists)
        return {};
    panes_.text(pane) = rankingPaneText(*lists);
    return paneChanged(pane);
}

SessionChanges StatisticsSession::redrawShownSheets() {
    SessionChanges changes;
    if (leftPlayer_ > 0)
        changes |= showSheet(Pane::Left, leftPlayer_);
    if (rightPlayer_ > 0)
        changes |= showSheet(Pane::Right, rightPlayer_);
    return changes;
}

SessionChanges StatisticsSession::toggleLinkAliases() {
    if (linked_)
        unlinkAliases(players_);
    else
        linkAliases(players_);
    linked_ = !linked_;
    SessionChanges changes = redrawShownSheets();
    changes.checkMark = true;
    changes |= refillPlayerList();
    return changes;
}

SessionChanges StatisticsSession::selectKeyAliases(const std::function<void()>& showSelection) {
    SessionChanges changes;
    const bool wasLinked = linked_;
    if (wasLinked)
        changes |= toggleLinkAliases();
    if (showSelection)
        showSelection();
    if (wasLinked)
        changes |= toggleLinkAliases();
    changes |= refillPlayerList();
    return changes;
}

std::vector<std::string> StatisticsSession::clickAliasLine(const std::string& line) {
    promoteAlias(players_, line);
    return aliasListLines();
}

} // namespace quorvath
