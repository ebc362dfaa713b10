#pragma once
// Small player tables built by hand for the ranking and alias tests.

#include "core/stats/player_table.h"

#include <initializer_list>
#include <string>

namespace quorvath::test {

// Slot 0 "All Players" and one player per name, in order.
inline PlayerTable makeTable(std::initializer_list<std::string> names) {
    PlayerTable t;
    t.setName(0, kAllPlayers);
    for (const auto& n : names)
        t.findOrAdd(n);
    return t;
}

// Books `times` kills of `victim` by `killer`, as the scanner does with M4.
inline void bookKill(PlayerTable& t, int killer, int victim, int times = 1) {
    t[killer].victims.add(victim, times);
    t[victim].killers.add(killer, times);
    t[killer][m4Kills] += times;
    t[killer][totalKills] += times;
    t[victim][m4Deaths] += times;
    t[victim][totalDeaths] += times;
}

// Files `alias` under `master`, as the rename linking does.
inline void fileAlias(PlayerTable& t, int master, int alias) {
    t[master].aliases.add(alias, t[alias].name);
    t[alias].master = master;
}

} // namespace quorvath::test
