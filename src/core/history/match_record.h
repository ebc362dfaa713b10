#pragma once
// What the history keeps of one map played (a match): where it came from,
// its settings and date, and its events as the Accurate counting books them,
// summed per player. Enough to rebuild every sheet, ranking and top list of
// any selection of matches, at a fraction of the log's size.

#include "core/match/game_table.h"
#include "core/stats/counting_scope.h"
#include "core/stats/player_record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvath {

// A player of one match, in order of first appearance in it.
struct MatchPlayer {
    std::string name;                                      // as the game shows it
    std::array<std::int32_t, kLastCounter + 1> counters{}; // as the Accurate tally counted
    std::string guid;                                      // a server log's, else ""
    Team team = Team::Unknown;         // the one he ended on; Free in a deathmatch
    std::optional<std::int32_t> score; // his final score where the log gives one
    std::int32_t presence = 1000;      // per mille of the match's events he was in the game for
    bool atEnd = true;                 // in the game when the match ended
};

// The teams' result of a match: their final scores (a server log's
// "red:3  blue:5"), else the rounds each won (a console log's round ends).
struct TeamResult {
    enum class From : std::uint8_t { Nothing, Scores, Rounds };
    From from = From::Nothing;
    std::int32_t red = 0;
    std::int32_t blue = 0;
};

// Kills of one player by another in one match; seats index `players`.
struct MatchKills {
    std::int32_t killer = 0;
    std::int32_t victim = 0;
    std::int32_t count = 0;
};

struct MatchRecord {
    std::string fingerprint; // a hash of the match's bytes: the same match from any file
    std::int64_t startByte = 0;
    std::int64_t endByte = 0; // one past its last byte
    bool ended = false;       // a later map began in the log; else it may still grow
    std::string server;       // the host name the log gives, else the log's file name
    std::string map;
    std::string gameType;
    std::int64_t playedAt = 0; // seconds since 1970 (UTC); see docs/history.md
    std::vector<MatchPlayer> players;
    std::vector<MatchKills> kills;
    std::vector<std::pair<std::int32_t, std::int32_t>> renames; // old seat, new seat, in order
    CountingScope scope;                                        // what its log could not record
    TeamResult result;
    bool warmup = false; // a server's warm-up: its kills count apart, and nobody won
};

// A log as the history last saw it: enough to tell at once that nothing
// changed, that it grew, or that it is another log under the old name.
struct LogState {
    std::int64_t id = 0; // the store's; 0 for a log not stored yet
    std::string path;
    std::int64_t size = 0;
    std::string headHash; // the first bytes' hash
    std::string tailHash; // the hash of the bytes before `size`
    // The id lastState gave when the import looked (0: none): a row of the
    // path stored since is another importer's of the same log.
    std::int64_t seenId = 0;
};

// Which matches a query counts; empty fields select everything.
struct HistorySelection {
    std::int64_t since = 0;             // playedAt >= since (0: no bound)
    std::int64_t until = 0;             // playedAt < until (0: no bound)
    std::string server;                 // exactly this server
    std::string map;                    // exactly this map
    std::vector<std::string> gameTypes; // any of these
    std::int64_t skip = 0;              // the first `skip` of them passed over

    bool whole() const {
        return since == 0 && until == 0 && server.empty() && map.empty() && gameTypes.empty() &&
               skip == 0;
    }
};

} // namespace quorvath
