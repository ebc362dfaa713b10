#include "core/history/history_queries.h"

#include <algorithm>
#include <ctime>
#include <unordered_map>
#include <unordered_set>

namespace quorvath {

std::string dateText(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm utc{};
    ::gmtime_r(&time, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &utc);
    return text;
}

std::size_t PlaceTally::add(const MatchRecord& match) {
    const std::string& place = kind_ == PlaceKind::Map ? match.map : match.server;
    const auto [at, added] = row_.try_emplace(place, places_.size());
    if (added) {
        places_.push_back({place, 0, 0, 0, match.playedAt, match.playedAt});
        names_.emplace_back();
    }
    PlaceSummary& summary = places_[at->second];
    ++summary.matches;
    summary.firstPlayed = std::min(summary.firstPlayed, match.playedAt);
    summary.lastPlayed = std::max(summary.lastPlayed, match.playedAt);
    for (const MatchPlayer& player : match.players) {
        summary.kills += player.counters[totalKills];
        if (names_[at->second].insert(player.name).second)
            ++summary.players;
    }
    return at->second;
}

void PlaceTally::goOn(std::vector<PlaceSummary> places,
                      std::vector<std::unordered_set<std::string>> names) {
    places_ = std::move(places);
    names_ = std::move(names);
    names_.resize(places_.size());
    row_.clear();
    for (std::size_t i = 0; i < places_.size(); ++i)
        row_.emplace(places_[i].place, i);
}

HistoryError summarizePlaces(HistoryStore& store, const HistorySelection& selection, PlaceKind kind,
                             std::vector<PlaceSummary>& places) {
    PlaceTally tally(kind);
    HistoryError error =
        store.readMatches(selection, [&](const MatchRecord& match) { tally.add(match); });
    places = tally.takePlaces();
    return error;
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
