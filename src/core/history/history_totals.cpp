#include "core/history/history_totals.h"

#include "core/stats/rename_links.h"
#include "core/stats/statistics_pass.h"

#include <algorithm>

namespace quorvath {

HistoryTotals::HistoryTotals(PlayerTable& players) : players_(players) {
    players_.cutToSlotZero();
    scope_.mode = CountingMode::Accurate;
}

void HistoryTotals::add(const MatchRecord& match) {
    scope_.unrecorded =
        anyMatch_ ? (scope_.unrecorded & match.scope.unrecorded) : match.scope.unrecorded;
    anyMatch_ = true;
    slots_.clear();
    for (const MatchPlayer& player : match.players) {
        const int slot = players_.findOrAdd(player.name);
        slots_.push_back(slot);
        PlayerRecord& into = players_[slot];
        const std::int32_t wasBot = into[bots];
        for (std::size_t c = kFirstCounter; c <= kLastCounter; ++c)
            into.counters[c] += player.counters[c];
        into[bots] = std::max(wasBot, player.counters[bots]); // a bot in many matches is one bot
    }
    const auto slotOf = [this](std::int32_t seat) {
        return slots_[static_cast<std::size_t>(seat)];
    };
    for (const MatchKills& k : match.kills)
        kills_.add(slotOf(k.killer), slotOf(k.victim), static_cast<std::uint32_t>(k.count));
    for (const auto& [old, renamed] : match.renames)
        renames_.emplace_back(slotOf(old), slotOf(renamed));
}

CountingScope HistoryTotals::finish() {
    kills_.bookInto(players_);
    RenameLinks links(players_);
    for (const auto& [old, renamed] : renames_)
        links.link(links.masterOf(old), renamed);
    sumAllPlayers(players_);
    return scope_;
}

} // namespace quorvath
