#include "core/rank/alias_linking.h"

#include "core/common/wrapping_int32.h"

namespace quorvath {
namespace {

// Adds (sign +1) or subtracts (sign -1) every counter and the per-opponent
// counts 1..n of player j to those of player i. Reads j live, so a player that
// is its own alias folds twice, as the walk would.
void foldInto(PlayerTable& players, int i, int j, int n, int sign) {
    PlayerRecord& to = players[i];
    const PlayerRecord& from = players[j];
    for (std::size_t k = kFirstCounter; k <= kLastCounter; ++k)
        to.counters[k] = wrapToInt32(std::int64_t{to.counters[k]} +
                                     (sign > 0 ? 1 : -1) * std::int64_t{from.counters[k]});
    to.victims.fold(from.victims, 1, n, sign);
    to.killers.fold(from.killers, 1, n, sign);
}

bool validIndex(const PlayerTable& players, int i) { return i >= 1 && i <= players.playerCount(); }

} // namespace

void linkAliases(PlayerTable& players) {
    const int n = players.playerCount();
    for (int i = 1; i <= n; ++i) {
        const int c = players[i].aliases.count();
        if (c == 0)
            continue;
        players.setOriginalName(i, players[i].name);
        for (int a = 1; a <= c; ++a) {
            const int j = players[i].aliases.item(a);
            if (!validIndex(players, j))
                continue;
            // Read j's name now: an earlier master in the walk is already decorated.
            players.setName(i, players[i].name + " (" + players[j].name + ")");
            foldInto(players, i, j, n, +1);
        }
    }
}

void unlinkAliases(PlayerTable& players) {
    const int n = players.playerCount();
    for (int i = 1; i <= n; ++i) {
        const int c = players[i].aliases.count();
        if (c == 0)
            continue;
        players.setName(i, players[i].originalName);
        for (int a = 1; a <= c; ++a) {
            const int j = players[i].aliases.item(a);
            if (validIndex(players, j))
                foldInto(players, i, j, n, -1);
        }
    }
}

std::vector<bool> aliasMembers(const PlayerTable& players) {
    std::vector<bool> member(static_cast<std::size_t>(players.playerCount() + 1), false);
    for (int j = 1; j <= players.playerCount(); ++j)
        for (int a = 1; a <= players[j].aliases.count(); ++a) {
            const int i = players[j].aliases.item(a);
            if (validIndex(players, i))
                member[static_cast<std::size_t>(i)] = true;
        }
    return member;
}

std::vector<std::string> aliasListLines(const PlayerTable& players) {
    std::vector<std::string> lines;
    for (int i = 1; i <= players.playerCount(); ++i) {
        const AliasCollection& aliases = players[i].aliases;
        if (aliases.empty())
            continue;
        lines.push_back(players[i].name);
        for (int a = 1; a <= aliases.count(); ++a) {
            const int j = aliases.item(a);
            lines.push_back("\t(" + (validIndex(players, j) ? players[j].name : std::string()) +
                            ")");
        }
    }
    return lines;
}

bool promoteAlias(PlayerTable& players, const std::string& line) {
    if (line.empty() || line[0] != '\t')
        return false;
    // The characters from the third up to, not including, the last.
    const std::string alias = line.size() >= 3 ? line.substr(2, line.size() - 3) : "";
    const int promoted = players.findByName(alias);
    if (promoted == 0)
        return false; // not in the table: nothing to promote
    const int master = players[promoted].master;
    if (!validIndex(players, master) || master == promoted)
        return false; // not an alias of anybody: nothing to promote

    const int c = players[master].aliases.count();
    for (int a = 1; a <= c; ++a) {
        const int j = players[master].aliases.item(a);
        if (j == promoted)
            continue;
        players[promoted].aliases.add(j, validIndex(players, j) ? players[j].name : std::string());
        if (validIndex(players, j))
            players[j].master = promoted;
    }
    players[master].master = promoted;
    players[promoted].aliases.add(master, players[master].name); // the old master: last alias
    for (int a = 1; a <= c; ++a)
        players[master].aliases.removeAt(1);
    players[promoted].master = 0;
    return true;
}

} // namespace quorvath
