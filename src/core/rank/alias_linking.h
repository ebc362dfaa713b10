#pragma once
// Alias linking: folding every master's aliases into the master ("Link
// Aliases"), undoing it, and the alias selection list in which a click makes
// an alias the master of its group.

#include "core/stats/player_table.h"

#include <string>
#include <vector>

namespace quorvath {

// Link: for each player in ascending order, saves its name in originalName
// (when it has aliases), appends " (" alias ")" per alias and adds each
// alias's counters and per-opponent counts to its own.
void linkAliases(PlayerTable& players);

// Unlink: restores the saved names and subtracts what linking added.
void unlinkAliases(PlayerTable& players);

// Entry i (1..n) tells whether player i is held in some player's aliases.
std::vector<bool> aliasMembers(const PlayerTable& players);

// The lines of the alias list: each player with aliases, then one line per
// alias made of TAB "(" name ")".
std::vector<std::string> aliasListLines(const PlayerTable& players);

// A click on `line` of the alias list: an alias line makes that alias the
// master of its group (the old master becomes its last alias); any other line
// changes nothing. Returns whether the table changed.
bool promoteAlias(PlayerTable& players, const std::string& line);

} // namespace quorvath
