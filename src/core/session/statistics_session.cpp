#include "core/session/statistics_session.h"

#include "core/rank/ranking_text.h"
#include "core/report/player_sheet.h"
#include "core/report/weapon_figures.h"

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

SessionChanges StatisticsSession::discardStatistics() {
    done_ = false;
    return resetForNewTable();
}

SessionChanges StatisticsSession::passFinished(const CountingScope& counting) {
    done_ = true;
    counting_ = counting;
    // What the panes showed was counted from the table before.
    SessionChanges changes = resetForNewTable();
    for (const Pane pane : {Pane::Left, Pane::Right}) {
        if (content(pane) != PaneContent{}) // a pane's text comes only with its content
            changes |= paneChanged(pane);
        content(pane) = {};
        panes_.text(pane).clear();
    }
    return changes;
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
    content(pane) = {PaneContent::Kind::Sheet, player, {}};
    return paneChanged(pane);
}

SessionChanges StatisticsSession::showWeaponChart(Pane pane, int player) {
    if (player < 0 || player > players_.playerCount())
        return {};
    panes_.text(pane) = weaponFiguresText(weaponFigures(players_[player], counting_));
    content(pane) = {PaneContent::Kind::WeaponChart, player, {}};
    return paneChanged(pane);
}

SessionChanges StatisticsSession::dropOnPane(Pane pane, DraggedList list, int selectedIndex,
                                             const std::string& selectedText) {
    if (list == DraggedList::Players)
        return showSheet(pane, listedPlayer(selectedIndex, selectedText));
    return writeRankingsInto(pane, selectedText, leftPlayer_);
}

SessionChanges StatisticsSession::chartFromPlayerList(Pane pane, int selectedIndex,
                                                      const std::string& selectedText) {
    return showWeaponChart(pane, listedPlayer(selectedIndex, selectedText));
}

int StatisticsSession::listedPlayer(int selectedIndex, const std::string& selectedText) const {
    if (selectedIndex < 0)
        return -1;
    // Linked, list positions no longer match table indexes: resolve by text.
    return linked_ ? players_.findPlayerIndex(selectedText) : selectedIndex;
}

SessionChanges StatisticsSession::writeRankingsInto(Pane pane, const std::string& category,
                                                    int shownPlayer) {
    const std::vector<bool> left = leftOut(category == kCategoryTopKillers);
    const RankingContext context{linked_, shownPlayer, pane, left.empty() ? nullptr : &left};
    const auto lists = rankCategory(category, players_, context, counting_);
    if (!lists)
        return {};
    panes_.text(pane) = rankingPaneText(*lists);
    content(pane) = category == kCategoryTopKillers
                        ? PaneContent{PaneContent::Kind::TopLists, shownPlayer, {}}
                        : PaneContent{PaneContent::Kind::Ranking, 0, category};
    return paneChanged(pane);
}

SessionChanges StatisticsSession::redrawPanes() {
    SessionChanges changes;
    for (const Pane pane : {Pane::Left, Pane::Right}) {
        const PaneContent shown = content(pane);
        switch (shown.kind) {
        case PaneContent::Kind::Nothing: break;
        case PaneContent::Kind::Sheet: changes |= showSheet(pane, shown.player); break;
        case PaneContent::Kind::WeaponChart: changes |= showWeaponChart(pane, shown.player); break;
        case PaneContent::Kind::Ranking:
            changes |= writeRankingsInto(pane, shown.category, leftPlayer_);
            break;
        case PaneContent::Kind::TopLists:
            changes |= paneChanged(pane);
            if (!writeRankingsInto(pane, kCategoryTopKillers, shown.player).any()) {
                // Linked, an alias has no top lists of its own: nothing stale stays.
                content(pane) = {};
                panes_.text(pane).clear();
            }
            break;
        }
    }
    return changes;
}

SessionChanges StatisticsSession::toggleLinkAliases() {
    if (linked_)
        unlinkAliases(players_);
    else
        linkAliases(players_);
    linked_ = !linked_;
    SessionChanges changes = redrawPanes();
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
