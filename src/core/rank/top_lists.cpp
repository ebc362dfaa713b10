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
                   const std::vector<bool>* leftOut, std::size_t most) {
    RankedList list;
    list.title = title;
    list.meaning = meaning;
    // deliberate: a zero count is never listed; only the stored counts are.
    OpponentCounts listed = counts.range(1, players.playerCount());
    if (merged)
        listed = mergedByPerson(listed, players);
    std::vector<OpponentCounts::Entry> order(listed.begin(), listed.end());
    if (leftOut)
        std::erase_if(order, [&](const OpponentCounts::Entry& e) {
            return (*leftOut)[static_cast<std::size_t>(listedAs(players, e.index, linked))];
        });
    // Equal counts in index order: a whole order, so only the entries kept
    // need sorting.
    const auto before = [](const auto& a, const auto& b) {
        return a.count != b.count ? a.count > b.count : a.index < b.index;
    };
    const std::size_t kept = std::min(most, order.size());
    if (kept < order.size())
        std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(kept),
                          order.end(), before);
    else
        std::sort(order.begin(), order.end(), before);
    list.entries.reserve(kept);
    for (std::size_t e = 0; e < kept; ++e) {
        const int shownAs = listedAs(players, order[e].index, linked);
        list.entries.push_back({static_cast<int>(e) + 1, shownAs, players[shownAs].name,
                                static_cast<double>(order[e].count)});
    }
    return list;
}

} // namespace

std::vector<RankedList> topLists(int player, const PlayerTable& players, bool linked,
                                 CountingMode counting, const std::vector<bool>* leftOut,
                                 std::size_t most) {
    const bool merged = linked && counting == CountingMode::Accurate;
    const PlayerRecord& shown = players[player];
    return {topList("Top Victims", RankedMeaning::Victims, shown.victims, players, linked, merged,
                    leftOut, most),
            topList("Top Killers", RankedMeaning::Killers, shown.killers, players, linked, merged,
                    leftOut, most)};
}

} // namespace quorvath
