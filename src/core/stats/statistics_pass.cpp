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
    {"Finding Assault Rifle/Pistol Kills...", "was shot by", EventKind::TwoPlayer},
    {"Finding M590/USAS-12 Kills...", "was pumped full of lead by", EventKind::TwoPlayer},
    {"Finding Grenade Kills...", "was detonated by", EventKind::TwoPlayer},
    {"Finding MSG90A1 Kills...", "was sniped by", EventKind::TwoPlayer},
    {"Finding Pistol whip Kills...", "was pistol whipped by", EventKind::TwoPlayer},
    {"Finding M590 Bludgeon Kills...", "was bludgeoned by", EventKind::TwoPlayer},
    {"Finding Knife Kills...", "was sliced by", EventKind::TwoPlayer},
    {"Finding AK Bayonet Kills...", "was stabbed by", EventKind::TwoPlayer},
    {"Finding Falling Deaths...", "fell to his death.", EventKind::OnePlayer},
    {"Finding Grenade Suicides...", "blew himself up.", EventKind::OnePlayer},
    {"Finding Wrong Place Suicides...", "was in the wrong place.", EventKind::OnePlayer},
    {"Finding M203 Suicides...", "killed himself.", EventKind::OnePlayer},
    {"Finding Red Flag Taken...", "has taken the Red Flag!", EventKind::OnePlayer},
    {"Finding Blue Flag Taken...", "has taken the Blue Flag!", EventKind::OnePlayer},
    {"Finding Blue Flag Captures...", "has captured the Blue Flag!", EventKind::OnePlayer},
    {"Finding Red Flag Captures...", "has captured the Red Flag!", EventKind::OnePlayer},
    {"Finding Blue Flag Dropped...", "has dropped the Blue Flag!", EventKind::OnePlayer},
    {"Finding Red Flag Dropped...", "has dropped the Red Flag!", EventKind::OnePlayer},
    {"Finding Briefcase Taken...", "has taken the briefcase!", EventKind::OnePlayer},
    {"Finding Briefcase Dropped...", "has dropped the briefcase!", EventKind::OnePlayer},
    {"Finding Escaped with Briefcase...", "has escaped with the briefcase!", EventKind::OnePlayer},
    {"Finding Votes...", "called a vote.", EventKind::OnePlayer},
    {"Finding Bomb Planted...", "has planted the bomb!", EventKind::OnePlayer},
    {"Finding Bomb Defused...", "has defused the bomb!", EventKind::OnePlayer},
    {"Finding Bomb Dropped...", "has dropped the bomb!", EventKind::OnePlayer},
    {"Finding Bomb Taken...", "has taken the bomb!", EventKind::OnePlayer},
    {"Finding kicked/Banned players...", "You were kicked off of the server!",
     EventKind::OnePlayer},
    {{}, "You have been temporarily banned from this server!", EventKind::OnePlayer},
    {{}, "You have been banned from this server!", EventKind::OnePlayer},
    {"Finding Aliases...", "renamed to", EventKind::TwoPlayer},
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
        all.counters[static_cast<std::size_t>(c)] = 0;
    for (int i = 1; i <= players.playerCount(); ++i)
        for (int c = kFirstCounter; c <= kLastCounter; ++c)
            all.counters[static_cast<std::size_t>(c)] +=
                players[i].counters[static_cast<std::size_t>(c)];
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
    const RoundEnds roundEnds(hits, kStatisticsScans.size());

    for (int number = 1; number <= kStatisticsScanCount; ++number) {
        if (progress.stopRequested())
            return; // the table is thrown away: no need to finish it
        const StatisticsScan& scan = kStatisticsScans[static_cast<std::size_t>(number - 1)];
        if (number > 1)
            progress.beginStage(std::string(scanCaption(number)));
        if (scanStarted)
            scanStarted(number);
        bookPhraseEvents(doc, scan.phrase, scan.kind, players,
                         hits[static_cast<std::size_t>(number - 1)], roundEnds, &progress);
    }
    sumAllPlayers(players);
}

} // namespace quorvath
