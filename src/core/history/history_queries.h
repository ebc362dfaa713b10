#pragma once
// What the history tells besides sheets and rankings: a table per map or per
// server, and the list of matches a player played, each read in one pass
// over the selected matches.

#include "core/history/history_store.h"
#include "core/history/match_results.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quorvath {

// A date of the history as its tables write it: "YYYY-MM-DD HH:MM", UTC.
std::string dateText(std::int64_t seconds);

enum class PlaceKind { Map, Server };

// The selected matches of one map or one server.
struct PlaceSummary {
    std::string place;
    int matches = 0;
    int players = 0; // different names
    std::int64_t kills = 0;
    std::int64_t firstPlayed = 0;
    std::int64_t lastPlayed = 0;
};

// The summaries added up one match at a time.
class PlaceTally {
public:
    explicit PlaceTally(PlaceKind kind) : kind_(kind) {}
    // Adds `match` to its place's summary (a new one for a new place) and
    // returns that summary's index in places().
    std::size_t add(const MatchRecord& match);
    const std::vector<PlaceSummary>& places() const { return places_; }
    std::vector<PlaceSummary> takePlaces() { return std::move(places_); }
    // The different names seen at place i; a tally kept elsewhere goes on from
    // the summaries and the names it had.
    const std::unordered_set<std::string>& names(std::size_t i) const { return names_[i]; }
    void goOn(std::vector<PlaceSummary> places, std::vector<std::unordered_set<std::string>> names);

private:
    PlaceKind kind_;
    std::vector<PlaceSummary> places_;
    std::unordered_map<std::string, std::size_t> row_;
    std::vector<std::unordered_set<std::string>> names_; // by place
};

// One summary per map or server, in order of first played.
HistoryError summarizePlaces(HistoryStore& store, const HistorySelection& selection, PlaceKind kind,
                             std::vector<PlaceSummary>& places);

// A match as one player played it.
struct PlayedMatch {
    std::int64_t playedAt = 0;
    std::string server;
    std::string map;
    std::string gameType;
    std::string name; // the name he played under (the first, when he renamed)
    std::int64_t kills = 0;
    std::int64_t deaths = 0;
    SeatResult result; // his own, or under the name he ended on
};

// The selected matches in which any of `names` played, in the order played,
// with what those names did in each and how it ended for him.
HistoryError matchesPlayed(HistoryStore& store, const HistorySelection& selection,
                           const std::vector<std::string>& names, std::vector<PlayedMatch>& played);

} // namespace quorvath
