#include "core/history/people.h"

#include "core/rank/alias_linking.h"
#include "core/stats/rename_links.h"

#include <algorithm>
#include <unordered_map>

namespace quorvath {

namespace {

// The id of each slot's last split (0: never split).
std::vector<std::int64_t> lastSplits(const PlayerTable& players,
                                     const std::vector<PeopleDecision>& decisions) {
    std::vector<std::int64_t> split(static_cast<std::size_t>(players.playerCount() + 1), 0);
    for (const PeopleDecision& d : decisions)
        if (d.kind == PeopleDecision::Kind::Split)
            if (const int slot = players.findByName(d.name); slot != 0)
                split[static_cast<std::size_t>(slot)] = std::max(split[std::size_t(slot)], d.id);
    return split;
}

// Files b's person under a's (or a's under b's: the lower master holds both).
void join(PlayerTable& players, RenameLinks& links, int a, int b) {
    int master = links.masterOf(a), other = links.masterOf(b);
    if (master == other)
        return;
    if (other < master)
        std::swap(master, other);
    links.link(master, other);
    AliasCollection& moved = players[other].aliases;
    while (!moved.empty()) {
        links.link(master, moved.item(1));
        moved.removeAt(1);
    }
}

} // namespace

void linkPeople(PlayerTable& players, const std::vector<std::pair<int, int>>& renames,
                const std::vector<NameActivity>& activity,
                const std::vector<PeopleDecision>& decisions) {
    const std::vector<std::int64_t> split = lastSplits(players, decisions);
    const auto linked = [&](int a, int b) {
        return split[std::size_t(a)] == 0 && split[std::size_t(b)] == 0;
    };
    RenameLinks links(players);
    for (const auto& [old, renamed] : renames)
        if (linked(old, renamed))
            links.link(links.masterOf(old), renamed);
    std::unordered_map<std::string, int> firstWithGuid;
    for (int slot = 1; slot <= players.playerCount(); ++slot)
        for (const std::string& guid : activity[std::size_t(slot)].guids) {
            const auto [first, added] = firstWithGuid.try_emplace(guid, slot);
            if (!added && linked(first->second, slot))
                join(players, links, first->second, slot);
        }
    for (const PeopleDecision& d : decisions) {
        const int a = players.findByName(d.name), b = players.findByName(d.other);
        if (d.kind == PeopleDecision::Kind::Merge && a != 0 && b != 0 &&
            d.id > split[std::size_t(a)] && d.id > split[std::size_t(b)])
            join(players, links, a, b);
    }
}

int personMatches(const PlayerTable& players, const std::vector<NameActivity>& activity,
                  int first) {
    const NameActivity& own = activity[std::size_t(first)];
    int matches = own.matches - own.shared;
    for (int a = 1; a <= players[first].aliases.count(); ++a)
        matches += activity[std::size_t(players[first].aliases.item(a))].matches;
    return matches;
}

std::vector<Person> peopleOf(const PlayerTable& players,
                             const std::vector<NameActivity>& activity) {
    const std::vector<bool> isAlias = aliasMembers(players);
    std::vector<Person> people;
    for (int i = 1; i <= players.playerCount(); ++i) {
        if (isAlias[std::size_t(i)] && players[i].aliases.empty())
            continue;
        Person& person = people.emplace_back();
        const auto add = [&](int slot) {
            const NameActivity& a = activity[std::size_t(slot)];
            const PlayerRecord& r = players[slot];
            person.names.push_back(r.name);
            for (const std::string& guid : a.guids)
                if (std::find(person.guids.begin(), person.guids.end(), guid) == person.guids.end())
                    person.guids.push_back(guid);
            person.firstSeen =
                person.names.size() > 1 ? std::min(person.firstSeen, a.firstSeen) : a.firstSeen;
            person.lastSeen = std::max(person.lastSeen, a.lastSeen);
            person.kills += r[totalKills];
            person.deaths += r[totalDeaths];
            person.bot = person.bot || r[bots] > 0;
        };
        add(i);
        for (int a = 1; a <= players[i].aliases.count(); ++a)
            add(players[i].aliases.item(a));
        person.matches = personMatches(players, activity, i);
    }
    return people;
}

std::vector<bool> leftOutOfRankings(const PlayerTable& players,
                                    const std::vector<NameActivity>& activity,
                                    const RankingMinimum& minimum) {
    std::vector<bool> leftOut(static_cast<std::size_t>(players.playerCount() + 1), false);
    for (int i = 1; i <= players.playerCount(); ++i) {
        const PlayerRecord& r = players[i];
        const int matches = r.originalName.empty() ? activity[std::size_t(i)].matches
                                                   : personMatches(players, activity, i);
        leftOut[std::size_t(i)] = (r[bots] > 0 && !minimum.bots) || r[totalKills] < minimum.kills ||
                                  matches < minimum.matches;
    }
    return leftOut;
}

LeftOutRule rankingRule(std::vector<NameActivity> activity, const RankingMinimum& minimum) {
    return [activity = std::move(activity), minimum](const PlayerTable& players, bool topLists) {
        return leftOutOfRankings(players, activity,
                                 topLists ? RankingMinimum{0, 0, minimum.bots} : minimum);
    };
}

} // namespace quorvath
