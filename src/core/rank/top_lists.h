#pragma once
// The "Top Victims" / "Top Killers" report of the player shown in the left pane.

#include "core/rank/ranking.h"

namespace quorvath {

// Writes both lists of tempplayersA entry `p` into `txtComp`, replacing it.
// Opponents are players 1..playerupper; an alias opponent is shown under its
// master's name when `linked`.
void writeTopLists(const PlayerRecord& entry, int playerupper, const PlayerTable& players,
                   bool linked, std::string& txtComp);

} // namespace quorvath
