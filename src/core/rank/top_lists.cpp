#include "core/rank/top_lists.h"

#include "core/common/line_end.h"

#include <algorithm>

namespace quorvath {
namespace {

constexpr const char* kTopVictims = "Top Victims";
constexpr const char* kTopKillers = "Top Killers";

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

// One block: title, empty line, "k:" TAB count TAB name per opponent with a
// count other than 0 (negative ones too), then the line break that ends the list.
void appendList(std::string& out, const char* title, const OpponentCounts& counts,
                const PlayerTable& players, bool linked, bool merged) {
    out += title;
    out += kCrLf;
    out += kCrLf;
    // deliberate: a zero count is never listed; only the stored counts are.
    OpponentCounts listed = counts.range(1, players.playerCount());
    if (merged)
        listed = mergedByPerson(listed, players);
    std::vector<OpponentCounts::Entry> order(listed.begin(), listed.end());
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.count > b.count; });
    int k = 0;
    for (const auto& [i, count] : order) {
        out += std::to_string(++k);
        out += ":\t"; // no blank after the colon here, unlike the rankings
        out += std::to_string(count);
        out += '\t';
        out += players[listedAs(players, i, linked)].name;
        out += kCrLf;
    }
    out += kCrLf;
}

} // namespace

void writeTopLists(const PlayerRecord& entry, const PlayerTable& players, bool linked,
                   std::string& out, CountingMode counting) {
    const bool merged = linked && counting == CountingMode::Accurate;
    out.clear();
    appendList(out, kTopVictims, entry.victims, players, linked, merged);
    appendList(out, kTopKillers, entry.killers, players, linked, merged);
}

} // namespace quorvath
