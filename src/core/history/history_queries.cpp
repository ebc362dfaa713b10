#include "core/history/history_queries.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace quorvath {

HistoryError summarizePlaces(HistoryStore& store, const HistorySelection& selection, PlaceKind kind,
                             std::vector<PlaceSummary>& places) {
    places.clear();
    std::unordered_map<std::string, std::size_t> row;
    std::vector<std::unordered_set<std::string>> names;
    return store.readMatches(selection, [&](const MatchRecord& match) {
        const std::string& place = kind == PlaceKind::Map ? match.map : match.server;
        const auto [at, added] = row.try_emplace(place, places.size());
        if (added) {
            places.push_back({place, 0, 0, 0, match.playedAt, match.playedAt});
            names.emplace_back();
        }
        PlaceSummary& summary = places[at->second];
        ++summary.matches;
        summary.firstPlayed = std::min(summary.firstPlayed, match.playedAt);
        summary.lastPlayed = std::max(summary.lastPlayed, match.playedAt);
        for (const MatchPlayer& player : match.players) {
            summary.kills += player.counters[totalKills];
            if (names[at->second].insert(player.name).second)
                ++summary.players;
        }
    });
}

HistoryError matchesPlayed(HistoryStore& store, const HistorySelection& selection,
                           const std::vector<std::string>& names,
                           std::vector<PlayedMatch>& played) {
    played.clear();
    const std::unordered_set<std::string> wanted(names.begin(), names.end());
    return store.readMatches(selection, [&](const MatchRecord& match) {
        PlayedMatch* row = nullptr;
        SeatResult result;
        for (std::size_t seat = 0; seat < match.players.size(); ++seat) {
            const MatchPlayer& player = match.players[seat];
            if (!wanted.count(player.name))
                continue;
            if (!row || player.atEnd) // his result under the name he ended on
                result = seatResult(match, seat);
            if (!row)
                row = &played.emplace_back(PlayedMatch{match.playedAt,
                                                       match.server,
                                                       match.map,
                                                       match.gameType,
                                                       player.name,
                                                       0,
                                                       0,
                                                       {}});
            row->kills += player.counters[totalKills];
            row->deaths += player.counters[totalDeaths];
        }
        if (row)
            row->result = result;
    });
}

} // namespace quorvath
