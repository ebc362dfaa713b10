#include "core/match/match_tally.h"

#include "core/stats/rename_links.h"
#include "core/stats/statistics_pass.h"

#include <algorithm>

namespace quorvath {

MatchTally::MatchTally(const GameTable& table, bool includeWarmup)
    : table_(table), includeWarmup_(includeWarmup) {
    carrier_.fill(-1);
}

int MatchTally::person(const NamedPlayer& named) {
    if (const auto it = byName_.find(named.name); it != byName_.end())
        return it->second;
    const int id = static_cast<int>(people_.size());
    people_.emplace_back().name = named.name;
    byName_.emplace(named.name, id);
    return id;
}

void MatchTally::onEvent(const MatchEvent& event) {
    const bool leftOut = warmup_ && !includeWarmup_;
    switch (event.type) {
    case MatchEventType::Kill: bookKill(event); break;
    case MatchEventType::Death: {
        const int victim = person(event.player);
        if (leftOut)
            break;
        ++count(victim, causeCounter(table_, event.cause));
        ++count(victim, totalDeaths);
        break;
    }
    case MatchEventType::Objective:
        if (!leftOut)
            bookObjective(event);
        break;
    case MatchEventType::Rename: {
        const int old = person(event.player);
        const int renamed = person(event.other);
        renames_.emplace_back(old, renamed);
        if (count(old, bots) != 0)
            count(renamed, bots) = 1; // a bot under a new name
        // Whatever he carried, he carries under his new name.
        std::replace(carrier_.begin(), carrier_.end(), old, renamed);
        if (planter_ == old)
            planter_ = renamed;
        break;
    }
    case MatchEventType::Connect: {
        const int p = person(event.player);
        if (event.bot)
            count(p, bots) = 1;
        break;
    }
    case MatchEventType::Disconnect:
    case MatchEventType::TeamChange: person(event.player); break;
    case MatchEventType::PlayerLine: ++count(person(event.player), event.counter); break;
    case MatchEventType::MapStart:
        warmup_ = false;
        dropEverything();
        break;
    case MatchEventType::MapEnd: dropEverything(); break;
    case MatchEventType::WarmupStart: warmup_ = true; break;
    case MatchEventType::Chat:
    case MatchEventType::RoundEnd: // its objective line dropped what was carried
    case MatchEventType::MatchOver:
    case MatchEventType::TeamScores:
    case MatchEventType::PlayerScore: break;
    }
}

void MatchTally::bookKill(const MatchEvent& event) {
    const int victim = person(event.player); // the victim first, as lists show them
    const int killer = person(event.other);
    if (warmup_) {
        if (!event.teamKill)
            ++count(killer, warmupKills);
        if (!includeWarmup_)
            return;
    }
    if (event.teamKill) {
        ++count(victim, teamKilledDeaths);
        ++count(victim, totalDeaths);
        ++count(killer, teamKills);
        return;
    }
    if (event.form && event.form->deaths != kNoRow) {
        ++count(victim, event.form->deaths);
        ++count(killer, event.form->kills);
    }
    ++count(victim, totalDeaths);
    ++count(killer, totalKills);
    if (event.headshot) {
        ++count(victim, headshotDeaths);
        ++count(killer, headshotKills);
    }
    kills_.add(killer, victim);
    const Carried carried = carriedBy(victim);
    if (carried != Carried::None)
        ++count(killer, table_.carrierKills[static_cast<std::size_t>(carried)]);
}

Carried MatchTally::carriedBy(int victim) const {
    for (std::size_t object = 1; object < carrier_.size(); ++object)
        if (carrier_[object] == victim)
            return static_cast<Carried>(object);
    return Carried::None;
}

void MatchTally::bookObjective(const MatchEvent& event) {
    const ObjectivePhrase& objective = *event.objective;
    const int player = objective.namesPlayer ? person(event.player) : -1;
    int& carrier = carrier_[static_cast<std::size_t>(objective.object)];
    switch (objective.step) {
    case ObjectiveStep::Taken: carrier = player; break;
    case ObjectiveStep::Dropped:
    case ObjectiveStep::Captured:
    case ObjectiveStep::Escaped: carrier = -1; break;
    case ObjectiveStep::Planted:
        carrier = -1;
        planter_ = player;
        break;
    case ObjectiveStep::Defused: planter_ = -1; break;
    case ObjectiveStep::TargetDestroyed:
        if (planter_ >= 0)
            ++count(planter_, objective.counter);
        planter_ = -1;
        return;
    case ObjectiveStep::RoundWon:
    case ObjectiveStep::RoundLost:
    case ObjectiveStep::RoundDrawn: dropEverything(); break;
    }
    if (player >= 0 && objective.counter != kNoRow)
        ++count(player, objective.counter);
}

void MatchTally::dropEverything() {
    carrier_.fill(-1);
    planter_ = -1;
}

// The people, in order of first appearance, are the players.
void MatchTally::fillTable(PlayerTable& players) {
    players.cutToSlotZero();
    std::vector<int> slot(people_.size(), 0);
    for (std::size_t id = 0; id < people_.size(); ++id) {
        const int i = players.findOrAdd(people_[id].name);
        players[i].counters = people_[id].counters;
        slot[id] = i;
    }
    const auto slotOf = [&](int id) { return slot[static_cast<std::size_t>(id)]; };
    // The pairs by person become pairs by player.
    KillPairs byPlayer;
    kills_.forEachPair([&](int killer, int victim, std::uint32_t count) {
        byPlayer.add(slotOf(killer), slotOf(victim), count);
    });
    kills_ = KillPairs();
    byPlayer.bookInto(players);
    RenameLinks links(players);
    for (const auto& [old, renamed] : renames_)
        links.link(links.masterOf(slotOf(old)), slotOf(renamed));
    sumAllPlayers(players);
}

} // namespace quorvath
