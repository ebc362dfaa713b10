#include "core/stats/statistics_pass.h"

#include "core/common/progress.h"
#include "core/stats/event_booking.h"
#include "core/stats/event_scanner.h"
#include "core/stats/phrase_sweep.h"

#include <string>
#include <vector>

namespace quorvath {

// Captions as the program has always shown them, spelling included.
const std::array<StatisticsScan, kStatisticsScanCount> kStatisticsScans = {{
    {"Finding Assualt Rifle/Pistol Kills...", "was shot by", 2},
    {"Finding M590/USAS-12 Kills...", "was pumped full of lead by", 2},
    {"Finding Grenade Kills...", "was detonated by", 2},
    {"Finding MSG90A1 Kills...", "was sniped by", 2},
    {"Finding Pistol whip Kills...", "was pistol whipped by", 2},
    {"Finding M590 Bludgeon Kills...", "was bludgeoned by", 2},
    {"Finding Knife Kills...", "was sliced by", 2},
    {"Finding AK Bayonet Kills...", "was stabbed by", 2},
    {"Finding Falling Deaths...", "fell to his death.", 1},
    {"Finding Grenade Suicides...", "blew himself up.", 1},
    {"Finding Wrong Place Suicides...", "was in the wrong place.", 1},
    {"Finding M203 Suicides...", "killed himself.", 1},
    {"Finding Red Flag Taken...", "has taken the Red Flag!", 1},
    {"Finding Blue Flag Taken...", "has taken the Blue Flag!", 1},
    {"Finding Blue Flag Captures...", "has captured the Blue Flag!", 1},
    {"Finding Red Flag Captures...", "has captured the Red Flag!", 1},
    {"Finding Blue Flag Dropped...", "has dropped the Blue Flag!", 1},
    {"Finding Red Flag Dropped...", "has dropped the Red Flag!", 1},
    {"Finding Briefcase Taken...", "has taken the briefcase!", 1},
    {"Finding Briefcase Dropped...", "has dropped the briefcase!", 1},
    {"Finding Escaped with Briefcase...", "has escaped with the briefcase!", 1},
    {"Finding Votes...", "called a vote.", 1},
    {"Finding Bomb Planted...", "has planted the bomb!", 1},
    {"Finding Bomb Defused...", "has defused the bomb!", 1},
    {"Finding Bomb Dropped...", "has dropped the bomb!", 1},
    {"Finding Bomb Taken...", "has taken the bomb!", 1},
    {"Finding kicked/Banned players...", "You were kicked off of the server!", 1},
    {{}, "You have been temporarily banned from this server!", 1},
    {{}, "You have been banned from this server!", 1},
    {"Finding Aliases...", "renamed to", 2},
}};

std::string_view scanCaption(int number) {
    for (int i = number - 1; i >= 0; --i)
        if (!kStatisticsScans[static_cast<std::size_t>(i)].caption.empty())
            return kStatisticsScans[static_cast<std::size_t>(i)].caption;
    return {};
}

void sumAllPlayers(PlayerTable& players) {
    players.setName(0, kAllPlayers);
    PlayerRecord& all = players[0];
    for (int c = kFirstCounter; c <= kLastCounter; ++c)
        all.stat[static_cast<std::size_t>(c)] = 0;
    for (int i = 1; i <= players.upper(); ++i)
        for (int c = kFirstCounter; c <= kLastCounter; ++c)
            all.stat[static_cast<std::size_t>(c)] += players[i].stat[static_cast<std::size_t>(c)];
}

void runStatisticsPass(const LogDocument& doc, PlayerTable& players, Progress& progress,
                       const ScanStarted& scanStarted) {
    players.cutToSlotZero();
    progress.beginStage(std::string(scanCaption(1)));
    progress.setPosition(0, doc.length());

    // One sweep finds every phrase and the four round ends of the bomb check.
    std::vector<std::string> phrases;
    for (const StatisticsScan& scan : kStatisticsScans)
        phrases.emplace_back(scan.phrase);
    for (std::string_view roundEnd : RoundEnds::kPhrases)
        phrases.emplace_back(roundEnd);
    auto hits = PhraseSweep(phrases).run(doc.text());
    std::array<std::vector<int>, 4> roundEndHits;
    for (std::size_t i = 0; i < roundEndHits.size(); ++i)
        roundEndHits[i] = std::move(hits[kStatisticsScans.size() + i]);
    const RoundEnds roundEnds(std::move(roundEndHits));

    for (int number = 1; number <= kStatisticsScanCount; ++number) {
        const StatisticsScan& scan = kStatisticsScans[static_cast<std::size_t>(number - 1)];
        if (number > 1)
            progress.beginStage(std::string(scanCaption(number)));
        if (scanStarted)
            scanStarted(number);
        findkill(doc, scan.phrase, scan.involved, players,
                 hits[static_cast<std::size_t>(number - 1)], roundEnds, &progress);
    }
    sumAllPlayers(players);
}

} // namespace quorvath
