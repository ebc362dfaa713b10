#include "cli/stats_output.h"

#include "core/rank/ranking_text.h"
#include "core/report/count_listing.h"
#include "core/report/player_sheet.h"

namespace quorvath::cli {

StatsReport::StatsReport(std::unique_ptr<PlayerTable> players, const CountingScope& counting,
                         const std::string& nick, bool linked)
    : players_(std::move(players)), session_(std::make_unique<StatisticsSession>(*players_)) {
    session_->passFinished(counting);
    session_->handOver(nick);
    if (linked)
        session_->toggleLinkAliases();
}

std::string StatsReport::playerList() const {
    std::string out;
    for (const std::string& entry : session_->playerList())
        out += entry + "\r\n";
    return out;
}

std::string StatsReport::sheet(const std::string& name) const {
    return playerSheet((*players_)[players_->findPlayerIndex(name)], session_->counting());
}

std::string StatsReport::allSheets() const {
    std::string out;
    for (int i = 0; i <= players_->playerCount(); ++i)
        out += playerSheet((*players_)[i], session_->counting());
    return out;
}

std::optional<std::vector<RankedList>>
StatsReport::rankingLists(const std::string& category) const {
    const std::vector<bool> leftOut = session_->leftOut(false);
    const RankingContext context{session_->linked(), session_->leftPlayer(), Pane::Left,
                                 leftOut.empty() ? nullptr : &leftOut};
    return rankCategory(category, *players_, context, session_->counting());
}

std::optional<std::vector<RankedList>> StatsReport::topLists(const std::string& name) const {
    const std::vector<bool> leftOut = session_->leftOut(true);
    const RankingContext context{session_->linked(), players_->findPlayerIndex(name), Pane::Right,
                                 leftOut.empty() ? nullptr : &leftOut};
    return rankCategory(kCategoryTopKillers, *players_, context, session_->counting());
}

std::string StatsReport::summary() const {
    return session_->paneText(Pane::Left) + "\r\n" +
           rankingPaneText(*rankingLists(kCategoryOverallScore));
}

std::string StatsReport::counts() const { return countListing(*players_, session_->counting()); }

} // namespace quorvath::cli
