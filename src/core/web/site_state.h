#pragma once
// What the history's site keeps beside its pages (kStateName), so that a
// later write of the same selection reads only the matches stored since:
// each match read (its fingerprint and row), each player's and place's
// matches, the maps' and servers' tallies and the rater's state after the
// last match. It is stored after the manifest and removed before any page
// changes; one that does not read back whole is no state at all.

#include "core/history/history_queries.h"
#include "core/skill/history_ratings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvath::web {

// One selected match, as the lists of matches show it.
struct MatchRow {
    std::int64_t playedAt = 0;
    std::size_t server = 0; // index of its server's summary
    std::size_t map = 0;
    std::string gameType;
    int players = 0;
};

// A match as one player (a page's owner) played it.
struct PlayedRow {
    std::size_t match = 0;
    int name = 0; // the player whose name he played under (the first, when he renamed)
    std::int64_t kills = 0;
    std::int64_t deaths = 0;
};

// A map or a server: its matches and each page owner's kills there.
struct PlaceMatches {
    std::vector<std::size_t> matches;
    std::vector<std::int64_t> kills; // by player
};

// What the history's pages are made of besides the counted table, as the
// matches read so far add it up.
struct HistoryTally {
    std::vector<std::string> fingerprints; // of the matches, in the order played
    std::vector<MatchRow> matches;
    std::vector<std::vector<PlayedRow>> played; // by player: the matches on his page
    PlaceTally maps{PlaceKind::Map};
    PlaceTally servers{PlaceKind::Server};
    std::vector<PlaceMatches> mapMatches, serverMatches; // as maps and servers list them
};

struct SiteState {
    std::string identity; // what the pages are written for: templates, selection, options
    std::string names;    // what the table said of each name the matches held (a hash)
    HistoryTally tally;
    std::vector<PlayerRating> people; // TableRater::people(), steps without their places
};

inline constexpr const char* kStateName = ".quorvath-site";

// The state as a file's bytes (its parts by reference: a history's are tens
// of megabytes), and back: nothing for bytes that are damaged or of another
// program version. A state read back has its steps' dates and places filled
// in from its tally.
std::string encodeState(const std::string& identity, const std::string& names,
                        const HistoryTally& tally, const std::vector<PlayerRating>& people);
std::optional<SiteState> decodeState(std::string_view bytes);

} // namespace quorvath::web
