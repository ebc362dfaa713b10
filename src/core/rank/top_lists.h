#pragma once
// The "Top Victims" / "Top Killers" report of the player shown in the left pane.

#include "core/stats/counting_scope.h"
#include "core/stats/player_table.h"

#include <string>

namespace quorvath {

// Writes both lists of `entry` (a ranking entry) into `out`, replacing it.
// The opponents are the players of the table; an alias opponent is shown
// under its master's name when `linked`. Counted Accurate, a linked list
// also adds up each person's names into one line, under the master's name,
// where the classic lists show him once per name with the counts split.
void writeTopLists(const PlayerRecord& entry, const PlayerTable& players, bool linked,
                   std::string& out, CountingMode counting = CountingMode::Classic);

} // namespace quorvath
