#include "core/history/history_totals.h"

#include "core/stats/event_booking.h"
#include "core/stats/statistics_pass.h"

#include <algorithm>
#include <optional>

namespace quorvath {

HistoryTotals::HistoryTotals(PlayerTable& players, std::vector<PeopleDecision> decisions)
    : players_(players), decisions_(std::move(decisions)), activity_(1) {
    players_.cutToSlotZero();
    scope_.mode = CountingMode::Accurate;
}

bool HistoryTotals::resume(KeptTotals kept) {
    const auto count = static_cast<std::int32_t>(kept.names.size());
    const auto known = [count](std::int32_t slot) { return slot >= 1 && slot <= count; };
    kills_.resize(kept.names.size() + 1);
    compacted_.resize(kept.names.size() + 1);
    activity_.resize(kept.names.size() + 1);
    for (std::size_t i = 0; i < kept.names.size(); ++i) {
        NameTotals& name = kept.names[i];
        const int slot = players_.findOrAdd(name.name);
        if (static_cast<std::size_t>(slot) != i + 1)
            return false;
        for (const OpponentCounts::Entry& victim : name.victims)
            if (!known(victim.index))
                return false;
        players_[slot].counters = name.counters;
        compacted_[i + 1] = name.victims.size();
        kills_[i + 1] = std::move(name.victims);
        activity_[i + 1] = std::move(name.activity);
    }
    for (const SlotRenames& renames : kept.renames)
        for (const auto& [old, renamed] : renames)
            if (!known(old) || !known(renamed))
                return false;
    renames_ = std::move(kept.renames);
    scope_ = kept.scope;
    matches_ = kept.matches;
    return true;
}

void HistoryTotals::add(const MatchRecord& match) {
    scope_.unrecorded =
        matches_ > 0 ? (scope_.unrecorded & match.scope.unrecorded) : match.scope.unrecorded;
    ++matches_;
    slots_.clear();
    for (const MatchPlayer& player : match.players) {
        const int slot = players_.findOrAdd(player.name);
        slots_.push_back(slot);
        touch(slot);
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
    for (const MatchKills& k : match.kills) {
        const auto killer = static_cast<std::size_t>(slotOf(k.killer));
        if (killer >= kills_.size()) {
            kills_.resize(killer + 1);
            compacted_.resize(killer + 1);
        }
        kills_[killer].push_back({slotOf(k.victim), k.count});
        if (kills_[killer].size() >= 2 * compacted_[killer] + 256)
            compactKills(killer);
    }
    if (!match.renames.empty()) {
        SlotRenames& renames = renames_.emplace_back();
        for (const auto& [old, renamed] : match.renames)
            renames.emplace_back(slotOf(old), slotOf(renamed));
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

void HistoryTotals::touch(int slot) {
    const auto at = static_cast<std::size_t>(slot);
    if (at >= touched_.size())
        touched_.resize(at + 1);
    touched_[at] = true;
}

std::vector<int> HistoryTotals::takeTouched() {
    std::vector<int> slots;
    for (std::size_t at = 0; at < touched_.size(); ++at)
        if (touched_[at])
            slots.push_back(static_cast<int>(at));
    touched_.clear();
    return slots;
}

NameTotals HistoryTotals::nameTotals(int slot) {
    const auto at = static_cast<std::size_t>(slot);
    NameTotals name{players_[slot].name, players_[slot].counters, {}, activity_[at]};
    if (at < kills_.size()) {
        compactKills(at);
        name.victims = kills_[at];
    }
    return name;
}

void HistoryTotals::compactKills(std::size_t killer) {
    std::vector<OpponentCounts::Entry>& list = kills_[killer];
    if (list.size() == compacted_[killer])
        return; // nothing added since
    std::sort(list.begin(), list.end(),
              [](const auto& a, const auto& b) { return a.index < b.index; });
    std::size_t kept = 0;
    for (const OpponentCounts::Entry& entry : list) {
        if (kept > 0 && list[kept - 1].index == entry.index)
            list[kept - 1].count = static_cast<std::int32_t>(
                static_cast<std::uint32_t>(list[kept - 1].count) +
                static_cast<std::uint32_t>(entry.count)); // wrapping, as the tally's counts do
        else
            list[kept++] = entry;
    }
    list.resize(kept);
    compacted_[killer] = kept;
}

// Each killer's victims summed in ascending order become his list as they
// are; each victim's killers are met in ascending order, into lists sized
// beforehand.
void HistoryTotals::bookKills() {
    const auto size = static_cast<std::size_t>(players_.playerCount()) + 1;
    KillPairs::OpponentLists lists{std::vector<OpponentCounts>(size),
                                   std::vector<OpponentCounts>(size)};
    std::vector<std::size_t> killers(size);
    for (std::size_t killer = 0; killer < kills_.size(); ++killer) {
        compactKills(killer);
        for (const OpponentCounts::Entry& entry : kills_[killer])
            ++killers[static_cast<std::size_t>(entry.index)];
    }
    for (std::size_t victim = 0; victim < size; ++victim)
        lists.killers[victim].reserve(killers[victim]);
    for (std::size_t killer = 0; killer < kills_.size(); ++killer) {
        for (const OpponentCounts::Entry& entry : kills_[killer])
            lists.killers[static_cast<std::size_t>(entry.index)].append(static_cast<int>(killer),
                                                                        entry.count);
        lists.victims[killer] = OpponentCounts(std::move(kills_[killer]));
    }
    kills_.clear();
    compacted_.clear();
    KillPairs::addLists(lists, players_);
}

CountingScope HistoryTotals::finish() {
    bookKills();
    activity_.resize(static_cast<std::size_t>(players_.playerCount()) + 1);
    std::vector<std::pair<int, int>> renames;
    for (const SlotRenames& match : renames_)
        renames.insert(renames.end(), match.begin(), match.end());
    linkPeople(players_, renames, activity_, decisions_);
    std::vector<int> names, people;
    for (const SlotRenames& match : renames_) { // his names share this match: he played it once
        names.clear();
        for (const auto& [old, renamed] : match)
            names.insert(names.end(), {old, renamed});
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
        people.clear();
        for (int slot : names)
            people.push_back(players_[slot].master ? players_[slot].master : slot);
        std::sort(people.begin(), people.end());
        for (std::size_t i = 1; i < people.size(); ++i)
            activity_[static_cast<std::size_t>(people[i])].shared += people[i] == people[i - 1];
    }
    sumAllPlayers(players_);
    return scope_;
}

HistoryError readSelected(HistoryStore& store, const HistorySelection& selection,
                          Progress* progress, const HistoryStore::MatchVisitor& visit) {
    std::int64_t read = 0;
    return store.readMatches(selection, [&](const MatchRecord& m) {
        if (progress) {
            if (progress->stopRequested())
                return; // the rest is passed over
            progress->setPosition(++read);
        }
        visit(m);
    });
}

HistoryError countSelection(HistoryStore& store, const HistorySelection& selection,
                            PlayerTable& players, CountingScope& scope,
                            std::vector<NameActivity>& activity, Progress* progress) {
    std::vector<PeopleDecision> decisions;
    if (auto error = store.readDecisions(decisions))
        return error;
    std::optional<HistoryTotals> totals;
    if (selection.whole()) {
        KeptTotals kept;
        bool isKept = false;
        if (auto error = store.readTotals(kept, isKept))
            return error;
        if (isKept && !totals.emplace(players, decisions).resume(std::move(kept)))
            totals.reset(); // totals no import kept: the matches are added up instead
    }
    if (!totals) {
        totals.emplace(players, std::move(decisions));
        if (auto error = readSelected(store, selection, progress,
                                      [&](const MatchRecord& m) { totals->add(m); }))
            return error;
    }
    scope = totals->finish();
    activity = totals->takeActivity();
    return std::nullopt;
}

} // namespace quorvath
