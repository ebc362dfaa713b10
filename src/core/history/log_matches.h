#pragma once
// A log cut into its matches for the history: each map played, from the line
// where it begins to the line where the next begins, counted by the Accurate
// tally on its own. Counted so and added up again in order (HistoryTotals),
// the matches of a log give what the Accurate counting of the whole log gives.
//
//   auto matches = readLogMatches(bytes, kind, stockGameTable(), "server.log");

#include "core/history/match_record.h"
#include "core/match/game_table.h"
#include "core/match/log_kind.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

// The matches of `bytes`, a whole log of `kind` as its file holds it, in log
// order; `fileName` names the server when the log does not. The last match is
// not ended: the log may grow. Stretches in which nobody appears are left out.
// Dates are left for the import to set.
std::vector<MatchRecord> readLogMatches(std::string_view bytes, LogKind kind,
                                        const GameTable& table, const std::string& fileName);

// The fingerprint of `bytes`: 16 bytes of a 128-bit hash.
std::string fingerprintOf(std::string_view bytes);

} // namespace quorvath
