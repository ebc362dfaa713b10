#include "core/history/history_totals.h"

#include "core/stats/statistics_pass.h"

#include <algorithm>

namespace quorvath {

HistoryTotals::HistoryTotals(PlayerTable& players, std::vector<PeopleDecision> decisions)
    : players_(players), decisions_(std::move(decisions)), activity_(1) {
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
        noteActivity(slot, player.guid, match.playedAt);
    }
    const auto slotOf = [this](std::int32_t seat) {
        return slots_[static_cast<std::size_t>(seat)];
    };
    for (const MatchKills& k : match.kills)
        kills_.add(slotOf(k.killer), slotOf(k.victim), static_cast<std::uint32_t>(k.count));
    for (const auto& [old, renamed] : match.renames)
        renames_.emplace_back(slotOf(old), slotOf(renamed));
    if (!match.renames.empty()) { // his names share this match: he played it once
        std::vector<int>& names = renamedIn_.emplace_back();
        for (const auto& [old, renamed] : match.renames)
            names.insert(names.end(), {slotOf(old), slotOf(renamed)});
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
    }
}

void HistoryTotals::noteActivity(int slot, const std::string& guid, std::int64_t playedAt) {
    if (activity_.size() <= static_cast<std::size_t>(slot))
        activity_.resize(static_cast<std::size_t>(slot) + 1);
    NameActivity& seen = activity_[static_cast<std::size_t>(slot)];
    seen.firstSeen = seen.matches == 0 ? playedAt : seen.firstSeen;
    seen.lastSeen = playedAt;
    ++seen.matches;
    if (!guid.empty() && std::find(seen.guids.begin(), seen.guids.end(), guid) == seen.guids.end())
        seen.guids.push_back(guid);
}

CountingScope HistoryTotals::finish() {
    kills_.bookInto(players_);
    activity_.resize(static_cast<std::size_t>(players_.playerCount()) + 1);
    linkPeople(players_, renames_, activity_, decisions_);
    for (const std::vector<int>& names : renamedIn_) {
        std::vector<int> people;
        for (int slot : names)
            people.push_back(players_[slot].master ? players_[slot].master : slot);
        std::sort(people.begin(), people.end());
        for (std::size_t i = 1; i < people.size(); ++i)
            activity_[static_cast<std::size_t>(people[i])].shared += people[i] == people[i - 1];
    }
    sumAllPlayers(players_);
    return scope_;
}

HistoryError countSelection(HistoryStore& store, const HistorySelection& selection,
                            PlayerTable& players, CountingScope& scope,
                            std::vector<NameActivity>& activity, Progress* progress) {
    std::vector<PeopleDecision> decisions;
    if (auto error = store.readDecisions(decisions))
        return error;
    HistoryTotals totals(players, std::move(decisions));
    std::int64_t read = 0;
    if (auto error = store.readMatches(selection, [&](const MatchRecord& m) {
            if (progress) {
                if (progress->stopRequested())
                    return; // the rest is passed over
                progress->setPosition(++read);
            }
            totals.add(m);
        }))
        return error;
    scope = totals.finish();
    activity = totals.takeActivity();
    return std::nullopt;
}

} // namespace quorvath
