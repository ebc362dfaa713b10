#pragma once
// The properties a loaded log and its statistics keep whatever the file holds,
// and one run of the whole chain (bytes -> rendered log -> statistics pass ->
// sheets, rankings and top lists, unlinked and linked; then the same bytes
// read as every kind of log and counted Accurate) that checks them. Used by
// fuzz/fuzz_log.cpp and by the tests that replay its seeds and past findings.
// Each check returns "" when the property holds, else what broke.

#include "core/common/progress.h"
#include "core/log/log_document.h"
#include "core/log/log_loader.h"
#include "core/match/accurate_pass.h"
#include "core/match/log_opening.h"
#include "core/rank/alias_linking.h"
#include "core/rank/ranking.h"
#include "core/rank/ranking_text.h"
#include "core/rank/top_lists.h"
#include "core/report/player_sheet.h"
#include "core/session/statistics_session.h"
#include "core/stats/statistics_pass.h"
#include "fuzz/render_checks.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath::fuzz {

inline std::string checkCountersNotNegative(const PlayerTable& players) {
    for (int i = 0; i <= players.playerCount(); ++i) {
        const PlayerRecord& r = players[i];
        for (int c = kFirstCounter; c <= kLastCounter; ++c)
            if (r.counters[static_cast<std::size_t>(c)] < 0)
                return "counter " + std::to_string(c) + " of player " + std::to_string(i) +
                       " is negative";
        for (const auto* counts : {&r.victims, &r.killers})
            for (const auto& entry : *counts)
                if (entry.count < 0)
                    return "a victims/killers count of player " + std::to_string(i) +
                           " is negative";
    }
    return "";
}

inline std::string checkAllPlayersSum(const PlayerTable& players) {
    if (players[0].name != kAllPlayers)
        return "slot 0 is not \"All Players\"";
    for (int c = kFirstCounter; c <= kLastCounter; ++c) {
        std::int64_t sum = 0;
        for (int i = 1; i <= players.playerCount(); ++i)
            sum += players[i].counters[static_cast<std::size_t>(c)];
        if (sum != players[0].counters[static_cast<std::size_t>(c)])
            return "\"All Players\" counter " + std::to_string(c) + " is not the sum";
    }
    return "";
}

// No alias has aliases of its own (nor is out of the table): then linking and
// unlinking are exact inverses.
inline bool aliasesAreFlat(const PlayerTable& players) {
    for (int i = 1; i <= players.playerCount(); ++i)
        for (int a = 1; a <= players[i].aliases.count(); ++a) {
            const int j = players[i].aliases.item(a);
            if (j < 1 || j > players.playerCount() || !players[j].aliases.empty())
                return false;
        }
    return true;
}

inline std::string checkLinkUnlinkRestores(PlayerTable& players) {
    const std::vector<PlayerRecord> before = players.records();
    linkAliases(players);
    unlinkAliases(players);
    for (int i = 0; i <= players.playerCount(); ++i) {
        const PlayerRecord& was = before[static_cast<std::size_t>(i)];
        const PlayerRecord& is = players[i];
        const std::string who = "player " + std::to_string(i);
        if (is.name != was.name)
            return who + ": the name is not restored";
        if (is.counters != was.counters)
            return who + ": a counter is not restored";
        if (is.victims != was.victims || is.killers != was.killers)
            return who + ": a victims/killers entry is not restored";
    }
    return "";
}

// 47 lines; an Accurate sheet has five rows more.
inline std::string checkSheet(const std::string& sheet, CountingMode mode = CountingMode::Classic) {
    const std::size_t expected = mode == CountingMode::Accurate ? 52 : 47;
    std::size_t lines = 0;
    for (std::size_t p = sheet.find("\r\n"); p != std::string::npos; p = sheet.find("\r\n", p + 2))
        ++lines;
    return lines == expected && sheet.ends_with("\r\n") ? "" : "a sheet has the wrong lines";
}

// What the statistics window can show in one mode: every player's sheet in
// both panes, every ranking category dropped on both panes, the top lists
// through the window's path for the shown player and, for every player,
// straight from the table (the window's path for each would be cubic in
// players).
inline std::string exerciseOneMode(StatisticsSession& session) {
    PlayerTable& players = session.players();
    for (int i = 0; i <= players.playerCount(); ++i) {
        session.showSheet(Pane::Left, i);
        session.showSheet(Pane::Right, i);
        if (auto broke = checkSheet(session.paneText(Pane::Left), session.counting().mode);
            !broke.empty())
            return broke;
    }
    session.showSheet(Pane::Left, players.playerCount());
    const std::vector<std::string>& categories = session.categoryList();
    for (int c = 0; c < static_cast<int>(categories.size()); ++c)
        for (Pane pane : {Pane::Left, Pane::Right})
            session.dropOnPane(pane, DraggedList::Categories, c,
                               categories[static_cast<std::size_t>(c)]);

    for (int i = 1; i <= players.playerCount(); ++i)
        rankingPaneText(topLists(i, players, session.linked(), session.counting().mode));
    return "";
}

// A counted table and everything the statistics window shows of it.
inline std::string checkTableAndReports(PlayerTable& players, const CountingScope& scope) {
    if (auto broke = checkCountersNotNegative(players); !broke.empty())
        return broke;
    if (auto broke = checkAllPlayersSum(players); !broke.empty())
        return broke;
    const bool flat = aliasesAreFlat(players);
    if (flat)
        if (auto broke = checkLinkUnlinkRestores(players); !broke.empty())
            return broke;

    StatisticsSession session(players);
    session.passFinished(scope);
    session.handOver(players.playerCount() > 0 ? players[1].name : std::string());
    if (auto broke = exerciseOneMode(session); !broke.empty())
        return broke;
    session.toggleLinkAliases();
    if (auto broke = exerciseOneMode(session); !broke.empty())
        return broke;
    session.toggleLinkAliases();
    if (flat)
        if (auto broke = checkCountersNotNegative(players); !broke.empty())
            return "after unlinking: " + broke;

    // The alias selection: a click on each alias line (a few, each rebuilds the list).
    std::vector<std::string> lines = session.aliasListLines();
    for (std::size_t k = 0; k < lines.size() && k < 16; ++k)
        lines = session.clickAliasLine(lines[k]);
    return "";
}

// The whole chain on the bytes of a log file: as a console log counted
// Classic, then read as each kind (its view) and counted Accurate.
inline std::string checkLogBytes(std::string_view bytes) {
    LogDocument doc;
    Progress progress;
    loadLogBytes(std::string(bytes), doc, progress);
    if (auto broke = checkRendered(doc); !broke.empty())
        return broke;
    PlayerTable players;
    runStatisticsPass(doc, players, progress);
    if (auto broke = checkTableAndReports(players, {}); !broke.empty())
        return broke;

    detectLogKind(bytes);
    for (LogKind kind : {LogKind::PlayerConsole, LogKind::ServerGameLog, LogKind::ServerConsole}) {
        const std::string as = std::string(logKindName(kind)) + ": ";
        LogDocument view;
        LogKindDetection detection;
        loadLogOfKind(std::string(bytes), view, progress, detection, kind);
        if (auto broke = checkRendered(view); !broke.empty())
            return as + broke;
        PlayerTable counted;
        const CountingScope scope = countAccurately(bytes, kind, {}, counted, progress);
        if (auto broke = checkTableAndReports(counted, scope); !broke.empty())
            return as + broke;
    }
    return "";
}

} // namespace quorvath::fuzz
