#pragma once
// One entry of the player table: a player name met in the log, its counters
// (addressed by the fixed numbers 1..86 that sheets and rankings use), its
// alias group and its per-opponent kill counts.

#include "core/stats/opponent_counts.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quorvath {

// Counter numbers. 16, 25, 69, 70 and 80 are never written. 82..86
// are written by Accurate counting only (the classic rules have no line for
// them), so a classic table holds 0 there and no classic text shows them.
enum Counter : int {
    ak74Deaths = 1,
    ak74Kills = 2,
    anm14Deaths = 3,
    anm14Kills = 4,
    timesTempBanned = 5,
    m590BludgeonDeaths = 6,
    m590BludgeonKills = 7,
    bombsDropped = 8,
    briefcaseEscapes = 9,
    briefcasesDropped = 10,
    briefcasesTaken = 11,
    rpg7Deaths = 12,
    rpg7Kills = 13,
    totalDeaths = 14,
    bombsDefused = 15,
    flagsCaptured = 17,
    timesKicked = 18,
    bombCarrierKills = 19,
    briefcaseCarrierKills = 20,
    flagCarrierKills = 21,
    totalKills = 22,
    knifeDeaths = 23,
    knifeKills = 24,
    m15Deaths = 26,
    m15Kills = 27,
    m3a1Deaths = 28,
    m3a1Kills = 29,
    m4Deaths = 30,
    m4Kills = 31,
    m590Deaths = 32,
    m590Kills = 33,
    m60Deaths = 34,
    m60Kills = 35,
    m84Deaths = 36,
    m84Kills = 37,
    mp5Deaths = 38,
    mp5Kills = 39,
    msg90a1Deaths = 40,
    msg90a1Kills = 41,
    m203Deaths = 42,
    m203Kills = 43,
    headshotDeaths = 44,
    headshotKills = 45,
    timesBanned = 46,
    m1911a1Deaths = 47,
    m1911a1Kills = 48,
    bombsPlanted = 49,
    sig551Deaths = 50,
    sig551Kills = 51,
    smohg92Deaths = 52,
    smohg92Kills = 53,
    socomDeaths = 54,
    socomKills = 55,
    bayonetDeaths = 56,
    bayonetKills = 57,
    grenadeSuicides = 58,
    fallSuicides = 59,
    m203Suicides = 60,
    wrongPlaceSuicides = 61,
    silverTalonDeaths = 62,
    silverTalonKills = 63,
    teamKilledDeaths = 64,
    teamKills = 65,
    microUziDeaths = 66,
    microUziKills = 67,
    votesCalled = 68,
    pistolWhipDeaths = 71,
    pistolWhipKills = 72,
    mm1Deaths = 73,
    mm1Kills = 74,
    usas12Deaths = 75,
    usas12Kills = 76,
    flagsTaken = 77,
    flagsDropped = 78,
    bombsTaken = 79,
    targetsDestroyed = 81,
    drownedSuicides = 82,  // "sank like a rock.", MOD_WATER
    squishedSuicides = 83, // "was squished.", MOD_CRUSH
    diedSuicides = 84,     // "died.", any other death without a killing player
    warmupKills = 85,      // kills made during a server's warm-up
    bots = 86,             // 1 for a player a server log marks as a bot
};

inline constexpr int kFirstCounter = 1;
inline constexpr int kLastCounter = 86;

// An ordered list of player indexes, each under a unique string key (the
// alias's name when it was added). Positions are 1-based. Keys compare
// exactly; adding under a key already present is refused and keeps the first.
class AliasCollection {
public:
    int count() const { return static_cast<int>(items_.size()); }
    std::int32_t item(int position) const {
        return items_[static_cast<std::size_t>(position - 1)].second;
    }
    const std::string& key(int position) const {
        return items_[static_cast<std::size_t>(position - 1)].first;
    }
    bool containsKey(const std::string& key) const;
    // false (nothing added) when `key` is already present.
    bool add(std::int32_t index, const std::string& key);
    void removeAt(int position) { items_.erase(items_.begin() + (position - 1)); }
    bool empty() const { return items_.empty(); }

private:
    std::vector<std::pair<std::string, std::int32_t>> items_;
};

struct PlayerRecord {
    std::string name;
    AliasCollection aliases;
    std::int32_t master = 0;  // the player this one is an alias of; 0 for none
    std::string originalName; // the plain name while "Link Aliases" decorates `name`
    std::array<std::int32_t, kLastCounter + 1> counters{};
    OpponentCounts victims; // at(j): times this player killed player j
    OpponentCounts killers; // at(j): times player j killed this player

    std::int32_t& operator[](Counter c) { return counters[static_cast<std::size_t>(c)]; }
    std::int32_t operator[](Counter c) const { return counters[static_cast<std::size_t>(c)]; }
};

} // namespace quorvath
