#pragma once
// The Accurate statistics pass: the raw log, line by line, through the
// MatchEventReader into match events, booked by MatchTally into the player table.
// It reads the log as the file holds it, colour codes and all, because names
// and teams are read from the colour structure; the loaded document holds only
// the rendered text, so the window's pass reads the file again (the archive
// copy of the opened log), a piece at a time, and no second copy of the log
// is ever held.
//
// Call on any one thread; it reads no shared state (the events are tallied
// on a second thread of its own, which ends before it returns).

#include "core/match/game_table.h"
#include "core/match/log_kind.h"
#include "core/stats/counting_scope.h"
#include "core/stats/player_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

class Progress;

inline constexpr std::string_view AccurateCountingStatus = "Counting the match events...";

struct AccurateOptions {
    bool includeWarmup = false;       // count the kills and deaths of a server's warm-up
    const GameTable* table = nullptr; // nullptr: the stock game
};

// The scope of an Accurate count of a log of `kind`: the counters it cannot
// record (objectives in a server log, head shots in a log that marks none,
// bots and warm-up in a console log).
CountingScope accurateScope(LogKind kind, const GameTable& table, bool headshotsMarked);

// Counts `bytes` (a whole log of `kind`, as its file holds it) into `players`
// and returns the scope: Accurate, and the counters a log of this kind could
// not record (objectives in a server log, head shots in a log that marks
// none, bots and warm-up in a console log).
CountingScope countAccurately(std::string_view bytes, LogKind kind, const AccurateOptions& options,
                              PlayerTable& players, Progress& progress);

// The same on the log file at `path`, read a piece at a time. Returns the
// message naming the file when it cannot be read; `players` is then emptied
// to slot 0. Either pass ends early, the table unfilled, when a stop is
// requested on `progress` (looked at between pieces).
std::optional<std::string> countAccuratelyFromFile(const std::string& path, LogKind kind,
                                                   const AccurateOptions& options,
                                                   PlayerTable& players, CountingScope& scope,
                                                   Progress& progress);

} // namespace quorvath
