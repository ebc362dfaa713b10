#include "core/rank/top_lists.h"

#include <algorithm>

namespace quorvath {
namespace {

// The player an opponent is listed as: linked, an alias goes under his master.
int listedAs(const PlayerTable& players, int i, bool linked) {
    const int master = players[i].master;
    return linked && master >= 1 && master <= players.playerCount() ? master : i;
}

// Each person's counts added up under the player he is listed as.
OpponentCounts mergedByPerson(const OpponentCounts& counts, const PlayerTable& players) {
    OpponentCounts merged;
    for (const auto& [i, count] : counts)
        merged.add(listedAs(players, i, true), count);
    return merged;
}

RankedList topList(const char* title, RankedMeaning meaning, const OpponentCounts& counts,
                   const PlayerTable& players, bool linked, bool merged,
                   const std::vector<bool>* leftOut) {
    RankedList list;
    list.title = title;
    list.meaning = meaning;
    // deliberate: a zero count is never listed; only the stored counts are.
    OpponentCounts listed = counts.range(1, players.playerCount());
    if (merged)
        listed = mergedByPerson(listed, players);
    // Equal counts in index order: a whole order, so sort needs no merge buffer.
    std::vector<OpponentCounts::Entry> order(listed.begin(), listed.end());
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        return a.count != b.count ? a.count > b.count : a.index < b.index;
    });
    for (const auto& [i, count] : order) {
        const int shownAs = listedAs(players, i, linked);
        if (leftOut && (*leftOut)[static_cast<std::size_t>(shownAs)])
            continue;
        list.entries.push_back({static_cast<int>(list.entries.size()) + 1, shownAs,
                                players[shownAs].name, static_cast<double>(count)});
    }
    return list;
}

} // namespace

std::vector<RankedList> topLists(int player, const PlayerTable& players, bool linked,
                                 CountingMode counting, const std::vector<bool>* leftOut) {
    const bool merged = linked && counting == CountingMode::Accurate;
    const PlayerRecord& shown = players[player];
    return {topList("Top Victims", RankedMeaning::Victims, shown.victims, players, linked, merged,
                    leftOut),
            topList("Top Killers", RankedMeaning::Killers, shown.killers, players, linked, merged,
                    leftOut)};
}

} // namespace quorvath
