#include "rank/top_lists.h"

#include "rank/rank_order.h"
#include "report/player_sheet.h"

namespace quorvath {
namespace {

constexpr const char* kTopVictims = "Top Victims";
constexpr const char* kTopKillers = "Top Killers";

const std::string& displayName(const PlayerTable& players, int i, bool linked) {
    const int master = players[i].master;
    if (linked && master >= 1 && master <= players.upper())
        return players[master].name;
    return players[i].name;
}

std::int32_t countAt(const std::vector<std::int32_t>& counts, int i) {
    return i < static_cast<int>(counts.size()) ? counts[static_cast<std::size_t>(i)] : 0;
}

// One block: title, empty line, "k:" TAB count TAB name per opponent with a
// count other than 0, then the line break that ends the list.
void appendList(std::string& out, const char* title, const std::vector<std::int32_t>& counts,
                int playerupper, const PlayerTable& players, bool linked) {
    out += title;
    out += kCrLf;
    out += kCrLf;
    const auto order =
        descendingOrder(1, playerupper, [&](int i) { return countAt(counts, i); });
    int k = 0;
    for (int i : order) {
        const std::int32_t count = countAt(counts, i);
        if (count == 0)
            continue; // deliberate: a zero count is never listed
        out += std::to_string(++k);
        out += ":\t"; // no blank after the colon here, unlike the rankings
        out += std::to_string(count);
        out += '\t';
        out += displayName(players, i, linked);
        out += kCrLf;
    }
    out += kCrLf;
}

} // namespace

void writeTopLists(const PlayerRecord& entry, int playerupper, const PlayerTable& players,
                   bool linked, std::string& txtComp) {
    playerupper = std::min(playerupper, players.upper());
    txtComp.clear();
    appendList(txtComp, kTopVictims, entry.victims, playerupper, players, linked);
    appendList(txtComp, kTopKillers, entry.killers, playerupper, players, linked);
}

} // namespace quorvath
