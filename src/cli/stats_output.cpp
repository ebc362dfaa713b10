#include "cli/stats_output.h"

#include "core/common/progress.h"
#include "core/report/player_sheet.h"
#include "core/stats/statistics_pass.h"

namespace quorvath::cli {

StatsReport::StatsReport(const LogDocument& doc, const std::string& nick, bool linked)
    : players_(std::make_unique<PlayerTable>()),
      session_(std::make_unique<StatsSession>(*players_)) {
    Progress progress;
    runStatisticsPass(doc, *players_, progress);
    session_->passFinished();
    session_->handOver(nick);
    if (linked)
        session_->toggleLinkAliases();
}

std::string StatsReport::playerList() const {
    std::string out;
    for (const std::string& entry : session_->playerlist())
        out += entry + "\r\n";
    return out;
}

std::string StatsReport::sheet(const std::string& name) const {
    return playerSheet((*players_)[players_->findplayerindex(name)]);
}

std::string StatsReport::allSheets() const {
    std::string out;
    for (int i = 0; i <= players_->upper(); ++i)
        out += playerSheet((*players_)[i]);
    return out;
}

std::string StatsReport::rankingInto(const std::string& category, int sheetplayer,
                                     const char* droptarget) const {
    RankScratch scratch;
    scratch.createtempplayerarrays(players_->upper());
    Panes panes;
    const RankingContext ctx{session_->linked(), sheetplayer, droptarget};
    const auto written = dorankings(category, *players_, ctx, scratch, panes);
    return written ? panes.text(*written) : std::string();
}

std::string StatsReport::ranking(const std::string& category) const {
    return rankingInto(category, session_->sheetplayer(), kDropTargetStats);
}

std::string StatsReport::topLists(const std::string& name) const {
    return rankingInto(kCategoryTopKillers, players_->findplayerindex(name), kDropTargetComp);
}

std::string StatsReport::summary() const {
    return session_->TxtStats() + "\r\n" + ranking(kCategoryOverallScore);
}

} // namespace quorvath::cli
