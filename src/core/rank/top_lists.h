#pragma once
// The "Top Victims" / "Top Killers" report of the player shown in the left pane.

#include "core/stats/player_table.h"

#include <string>

namespace quorvath {

// Writes both lists of `entry` (a ranking entry) into `out`, replacing it.
// The opponents are the players of the table; an alias opponent is shown
// under its master's name when `linked`.
void writeTopLists(const PlayerRecord& entry, const PlayerTable& players, bool linked,
                   std::string& out);

} // namespace quorvath
