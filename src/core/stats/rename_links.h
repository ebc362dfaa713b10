#pragma once
// RenameLinks: files each rename's new name as an alias of the player its old
// name is filed under: the lowest player holding the old name as an alias,
// else the old name itself. A name never becomes its own alias and each
// (holder, alias) pair is linked once. Both counting modes link renames so.

#include "core/stats/player_table.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace quorvath {

class RenameLinks {
public:
    // Indexes the aliases the table holds already, so that linking needs no
    // scan of the table.
    explicit RenameLinks(PlayerTable& players);

    int masterOf(int player) const;
    void link(int master, int newName);

private:
    PlayerTable& players_;
    std::unordered_map<int, int> lowestHolder_; // each alias's lowest holder
    std::unordered_set<std::uint64_t> held_;    // every (holder, alias) pair
};

} // namespace quorvath
