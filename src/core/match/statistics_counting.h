#pragma once
// "Get the guff" on a log of any kind: the one call that fills the player
// table the way the log's kind and the user's choice call for. A player's
// console log counted Classic runs the classic phrase scans over the
// rendered document, byte for byte as always; everything else is counted by
// the Accurate rules from the log file itself (the window passes the archive
// copy it opened the log through).

#include "core/log/log_document.h"
#include "core/match/log_kind.h"
#include "core/stats/counting_scope.h"
#include "core/stats/player_table.h"
#include "core/stats/statistics_pass.h"

#include <optional>
#include <string>

namespace quorvath {

class Progress;

// What the user chose (Preferences > Counting, or the report tool's options).
struct CountingChoice {
    CountingMode preferred = CountingMode::Classic; // server logs are always Accurate
    bool includeWarmup = false;
};

// Fills `players` and sets `scope` to how it was counted. `doc` is the loaded
// log, `path` its file. Returns the message naming the file when an Accurate
// pass cannot read it (the table is then empty). `scanStarted` is told each
// classic scan as it starts; an Accurate pass has none.
std::optional<std::string> countStatistics(const LogDocument& doc, const std::string& path,
                                           LogKind kind, const CountingChoice& choice,
                                           PlayerTable& players, CountingScope& scope,
                                           Progress& progress, const ScanStarted& scanStarted = {});

} // namespace quorvath
