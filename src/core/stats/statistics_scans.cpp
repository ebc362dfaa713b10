#include "core/stats/statistics_scans.h"

namespace quorvath {

// Captions as the program has always shown them, spelling included; each
// one-player phrase with what it counts.
const std::array<StatisticsScan, kStatisticsScanCount> kStatisticsScans = {{
    {"Finding Assault Rifle/Pistol Kills...", "was shot by", EventKind::TwoPlayer},
    {"Finding M590/USAS-12 Kills...", "was pumped full of lead by", EventKind::TwoPlayer},
    {"Finding Grenade Kills...", "was detonated by", EventKind::TwoPlayer},
    {"Finding MSG90A1 Kills...", "was sniped by", EventKind::TwoPlayer},
    {"Finding Pistol whip Kills...", "was pistol whipped by", EventKind::TwoPlayer},
    {"Finding M590 Bludgeon Kills...", "was bludgeoned by", EventKind::TwoPlayer},
    {"Finding Knife Kills...", "was sliced by", EventKind::TwoPlayer},
    {"Finding AK Bayonet Kills...", "was stabbed by", EventKind::TwoPlayer},
    {"Finding Falling Deaths...", "fell to his death.", EventKind::OnePlayer, fallSuicides, true},
    {"Finding Grenade Suicides...", "blew himself up.", EventKind::OnePlayer, grenadeSuicides,
     true},
    {"Finding Wrong Place Suicides...", "was in the wrong place.", EventKind::OnePlayer,
     wrongPlaceSuicides, true},
    {"Finding M203 Suicides...", "killed himself.", EventKind::OnePlayer, m203Suicides, true},
    {"Finding Red Flag Taken...", "has taken the Red Flag!", EventKind::OnePlayer, flagsTaken},
    {"Finding Blue Flag Taken...", "has taken the Blue Flag!", EventKind::OnePlayer, flagsTaken},
    {"Finding Blue Flag Captures...", "has captured the Blue Flag!", EventKind::OnePlayer,
     flagsCaptured},
    {"Finding Red Flag Captures...", "has captured the Red Flag!", EventKind::OnePlayer,
     flagsCaptured},
    {"Finding Blue Flag Dropped...", "has dropped the Blue Flag!", EventKind::OnePlayer,
     flagsDropped},
    {"Finding Red Flag Dropped...", "has dropped the Red Flag!", EventKind::OnePlayer,
     flagsDropped},
    {"Finding Briefcase Taken...", "has taken the briefcase!", EventKind::OnePlayer,
     briefcasesTaken},
    {"Finding Briefcase Dropped...", "has dropped the briefcase!", EventKind::OnePlayer,
     briefcasesDropped},
    {"Finding Escaped with Briefcase...", "has escaped with the briefcase!", EventKind::OnePlayer,
     briefcaseEscapes},
    {"Finding Votes...", "called a vote.", EventKind::OnePlayer, votesCalled},
    {"Finding Bomb Planted...", "has planted the bomb!", EventKind::OnePlayer, bombsPlanted},
    {"Finding Bomb Defused...", "has defused the bomb!", EventKind::OnePlayer, bombsDefused},
    {"Finding Bomb Dropped...", "has dropped the bomb!", EventKind::OnePlayer, bombsDropped},
    {"Finding Bomb Taken...", "has taken the bomb!", EventKind::OnePlayer, bombsTaken},
    {"Finding kicked/Banned players...", "You were kicked off of the server!", EventKind::OnePlayer,
     timesKicked},
    {{},
     "You have been temporarily banned from this server!",
     EventKind::OnePlayer,
     timesTempBanned},
    {{}, "You have been banned from this server!", EventKind::OnePlayer, timesBanned},
    {"Finding Aliases...", kRenamePhrase, EventKind::TwoPlayer},
}};

std::string_view scanCaption(int number) {
    for (int i = number - 1; i >= 0; --i)
        if (!kStatisticsScans[static_cast<std::size_t>(i)].caption.empty())
            return kStatisticsScans[static_cast<std::size_t>(i)].caption;
    return {};
}

} // namespace quorvath
