#include "core/report/count_listing.h"

#include "core/common/name_table.h"

#include <utility>

namespace quorvath {

namespace {

constexpr std::pair<Counter, std::string_view> kCounterNames[] = {
    {ak74Deaths, "ak74Deaths"},
    {ak74Kills, "ak74Kills"},
    {anm14Deaths, "anm14Deaths"},
    {anm14Kills, "anm14Kills"},
    {timesTempBanned, "timesTempBanned"},
    {m590BludgeonDeaths, "m590BludgeonDeaths"},
    {m590BludgeonKills, "m590BludgeonKills"},
    {bombsDropped, "bombsDropped"},
    {briefcaseEscapes, "briefcaseEscapes"},
    {briefcasesDropped, "briefcasesDropped"},
    {briefcasesTaken, "briefcasesTaken"},
    {rpg7Deaths, "rpg7Deaths"},
    {rpg7Kills, "rpg7Kills"},
    {totalDeaths, "totalDeaths"},
    {bombsDefused, "bombsDefused"},
    {flagsCaptured, "flagsCaptured"},
    {timesKicked, "timesKicked"},
    {bombCarrierKills, "bombCarrierKills"},
    {briefcaseCarrierKills, "briefcaseCarrierKills"},
    {flagCarrierKills, "flagCarrierKills"},
    {totalKills, "totalKills"},
    {knifeDeaths, "knifeDeaths"},
    {knifeKills, "knifeKills"},
    {m15Deaths, "m15Deaths"},
    {m15Kills, "m15Kills"},
    {m3a1Deaths, "m3a1Deaths"},
    {m3a1Kills, "m3a1Kills"},
    {m4Deaths, "m4Deaths"},
    {m4Kills, "m4Kills"},
    {m590Deaths, "m590Deaths"},
    {m590Kills, "m590Kills"},
    {m60Deaths, "m60Deaths"},
    {m60Kills, "m60Kills"},
    {m84Deaths, "m84Deaths"},
    {m84Kills, "m84Kills"},
    {mp5Deaths, "mp5Deaths"},
    {mp5Kills, "mp5Kills"},
    {msg90a1Deaths, "msg90a1Deaths"},
    {msg90a1Kills, "msg90a1Kills"},
    {m203Deaths, "m203Deaths"},
    {m203Kills, "m203Kills"},
    {headshotDeaths, "headshotDeaths"},
    {headshotKills, "headshotKills"},
    {timesBanned, "timesBanned"},
    {m1911a1Deaths, "m1911a1Deaths"},
    {m1911a1Kills, "m1911a1Kills"},
    {bombsPlanted, "bombsPlanted"},
    {sig551Deaths, "sig551Deaths"},
    {sig551Kills, "sig551Kills"},
    {smohg92Deaths, "smohg92Deaths"},
    {smohg92Kills, "smohg92Kills"},
    {socomDeaths, "socomDeaths"},
    {socomKills, "socomKills"},
    {bayonetDeaths, "bayonetDeaths"},
    {bayonetKills, "bayonetKills"},
    {grenadeSuicides, "grenadeSuicides"},
    {fallSuicides, "fallSuicides"},
    {m203Suicides, "m203Suicides"},
    {wrongPlaceSuicides, "wrongPlaceSuicides"},
    {silverTalonDeaths, "silverTalonDeaths"},
    {silverTalonKills, "silverTalonKills"},
    {teamKilledDeaths, "teamKilledDeaths"},
    {teamKills, "teamKills"},
    {microUziDeaths, "microUziDeaths"},
    {microUziKills, "microUziKills"},
    {votesCalled, "votesCalled"},
    {pistolWhipDeaths, "pistolWhipDeaths"},
    {pistolWhipKills, "pistolWhipKills"},
    {mm1Deaths, "mm1Deaths"},
    {mm1Kills, "mm1Kills"},
    {usas12Deaths, "usas12Deaths"},
    {usas12Kills, "usas12Kills"},
    {flagsTaken, "flagsTaken"},
    {flagsDropped, "flagsDropped"},
    {bombsTaken, "bombsTaken"},
    {targetsDestroyed, "targetsDestroyed"},
    {drownedSuicides, "drownedSuicides"},
    {squishedSuicides, "squishedSuicides"},
    {diedSuicides, "diedSuicides"},
    {warmupKills, "warmupKills"},
    {bots, "bots"},
};

} // namespace

std::string_view counterName(Counter c) { return nameIn(kCounterNames, c); }

std::string countListing(const PlayerTable& players, const CountingScope& scope) {
    std::string out;
    if (scope.unrecorded.any()) {
        out += "# not in this log:";
        for (int c = kFirstCounter; c <= kLastCounter; ++c)
            if (!scope.records(static_cast<Counter>(c)))
                out.append(" ").append(counterName(static_cast<Counter>(c)));
        out += '\n';
    }
    for (int i = 1; i <= players.playerCount(); ++i) {
        const PlayerRecord& r = players[i];
        for (int c = kFirstCounter; c <= kLastCounter; ++c) {
            const auto counter = static_cast<Counter>(c);
            if (r[counter] != 0 && scope.records(counter))
                out.append(r.name)
                    .append("\t")
                    .append(counterName(counter))
                    .append("\t")
                    .append(std::to_string(r[counter]))
                    .append("\n");
        }
        for (int a = 1; a <= r.aliases.count(); ++a)
            out.append(r.name)
                .append("\talias\t")
                .append(players[r.aliases.item(a)].name)
                .append("\n");
    }
    return out;
}

} // namespace quorvath
