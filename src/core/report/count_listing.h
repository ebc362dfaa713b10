#pragma once
// The counts of a player table as plain lines for scripts (quorvath-report
// --counts) and for comparing with what really happened in a match (gen-log's
// truth files have the same form):
//   # not in this log: COUNTER COUNTER ...   (only when there are such)
//   NAME TAB COUNTER TAB VALUE                every counter other than 0
//   NAME TAB alias TAB ALIAS                   each alias, in the group's order
// Players in table order; COUNTER is the counter's name (e.g. m4Kills).

#include "core/stats/counting_scope.h"
#include "core/stats/player_table.h"

#include <string>
#include <string_view>

namespace quorvath {

std::string countListing(const PlayerTable& players, const CountingScope& scope);

// The name of counter `c` ("m4Kills"); empty for a number no counter has.
std::string_view counterName(Counter c);

} // namespace quorvath
