#include "core/stats/rename_links.h"

#include <algorithm>

namespace quorvath {

namespace {

std::uint64_t holding(int holder, int alias) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(holder)) << 32) |
           static_cast<std::uint32_t>(alias);
}

} // namespace

RenameLinks::RenameLinks(PlayerTable& players) : players_(players) {
    for (int j = 1; j <= players_.playerCount(); ++j) {
        const AliasCollection& aliases = players_[j].aliases;
        for (int a = 1; a <= aliases.count(); ++a) {
            lowestHolder_.try_emplace(aliases.item(a), j); // j ascends: the first stays lowest
            held_.insert(holding(j, aliases.item(a)));
        }
    }
}

int RenameLinks::masterOf(int player) const {
    const auto it = lowestHolder_.find(player);
    return it == lowestHolder_.end() ? player : it->second;
}

void RenameLinks::link(int master, int newName) {
    if (newName == master || held_.count(holding(master, newName)))
        return;
    // A refused key (one already held) changes nothing, master included.
    if (!players_[master].aliases.add(newName, players_[newName].name))
        return;
    players_[newName].master = master;
    held_.insert(holding(master, newName));
    auto [it, added] = lowestHolder_.try_emplace(newName, master);
    if (!added)
        it->second = std::min(it->second, master);
}

} // namespace quorvath
