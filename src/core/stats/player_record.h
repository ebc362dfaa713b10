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

// Every counter as X(name, number): the one list the enum below and the
// counters' names (countListing) are made from. 16, 25, 69, 70 and 80 are never
// written. 82..86 are written by Accurate counting only (the classic rules
// have no line for them), so a classic table holds 0 there and no classic text
// shows them.
#define QUORVATH_COUNTERS(X)                                                                       \
    X(ak74Deaths, 1)                                                                               \
    X(ak74Kills, 2)                                                                                \
    X(anm14Deaths, 3)                                                                              \
    X(anm14Kills, 4)                                                                               \
    X(timesTempBanned, 5)                                                                          \
    X(m590BludgeonDeaths, 6)                                                                       \
    X(m590BludgeonKills, 7)                                                                        \
    X(bombsDropped, 8)                                                                             \
    X(briefcaseEscapes, 9)                                                                         \
    X(briefcasesDropped, 10)                                                                       \
    X(briefcasesTaken, 11)                                                                         \
    X(rpg7Deaths, 12)                                                                              \
    X(rpg7Kills, 13)                                                                               \
    X(totalDeaths, 14)                                                                             \
    X(bombsDefused, 15)                                                                            \
    X(flagsCaptured, 17)                                                                           \
    X(timesKicked, 18)                                                                             \
    X(bombCarrierKills, 19)                                                                        \
    X(briefcaseCarrierKills, 20)                                                                   \
    X(flagCarrierKills, 21)                                                                        \
    X(totalKills, 22)                                                                              \
    X(knifeDeaths, 23)                                                                             \
    X(knifeKills, 24)                                                                              \
    X(m15Deaths, 26)                                                                               \
    X(m15Kills, 27)                                                                                \
    X(m3a1Deaths, 28)                                                                              \
    X(m3a1Kills, 29)                                                                               \
    X(m4Deaths, 30)                                                                                \
    X(m4Kills, 31)                                                                                 \
    X(m590Deaths, 32)                                                                              \
    X(m590Kills, 33)                                                                               \
    X(m60Deaths, 34)                                                                               \
    X(m60Kills, 35)                                                                                \
    X(m84Deaths, 36)                                                                               \
    X(m84Kills, 37)                                                                                \
    X(mp5Deaths, 38)                                                                               \
    X(mp5Kills, 39)                                                                                \
    X(msg90a1Deaths, 40)                                                                           \
    X(msg90a1Kills, 41)                                                                            \
    X(m203Deaths, 42)                                                                              \
    X(m203Kills, 43)                                                                               \
    X(headshotDeaths, 44)                                                                          \
    X(headshotKills, 45)                                                                           \
    X(timesBanned, 46)                                                                             \
    X(m1911a1Deaths, 47)                                                                           \
    X(m1911a1Kills, 48)                                                                            \
    X(bombsPlanted, 49)                                                                            \
    X(sig551Deaths, 50)                                                                            \
    X(sig551Kills, 51)                                                                             \
    X(smohg92Deaths, 52)                                                                           \
    X(smohg92Kills, 53)                                                                            \
    X(socomDeaths, 54)                                                                             \
    X(socomKills, 55)                                                                              \
    X(bayonetDeaths, 56)                                                                           \
    X(bayonetKills, 57)                                                                            \
    X(grenadeSuicides, 58)                                                                         \
    X(fallSuicides, 59)                                                                            \
    X(m203Suicides, 60)                                                                            \
    X(wrongPlaceSuicides, 61)                                                                      \
    X(silverTalonDeaths, 62)                                                                       \
    X(silverTalonKills, 63)                                                                        \
    X(teamKilledDeaths, 64)                                                                        \
    X(teamKills, 65)                                                                               \
    X(microUziDeaths, 66)                                                                          \
    X(microUziKills, 67)                                                                           \
    X(votesCalled, 68)                                                                             \
    X(pistolWhipDeaths, 71)                                                                        \
    X(pistolWhipKills, 72)                                                                         \
    X(mm1Deaths, 73)                                                                               \
    X(mm1Kills, 74)                                                                                \
    X(usas12Deaths, 75)                                                                            \
    X(usas12Kills, 76)                                                                             \
    X(flagsTaken, 77)                                                                              \
    X(flagsDropped, 78)                                                                            \
    X(bombsTaken, 79)                                                                              \
    X(targetsDestroyed, 81)                                                                        \
    X(drownedSuicides, 82)  /* "sank like a rock.", MOD_WATER */                                   \
    X(squishedSuicides, 83) /* "was squished.", MOD_CRUSH */                                       \
    X(diedSuicides, 84)     /* "died.", any other death without a killing player */                \
    X(warmupKills, 85)      /* kills made during a server's warm-up */                             \
    X(bots, 86)             /* 1 for a player a server log marks as a bot */

// Counters are addressed by the fixed numbers 1..86 that sheets and rankings use.
enum Counter : int {
#define QUORVATH_COUNTER_NUMBER(name, number) name = number,
    QUORVATH_COUNTERS(QUORVATH_COUNTER_NUMBER)
#undef QUORVATH_COUNTER_NUMBER
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
