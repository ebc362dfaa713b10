#include "core/stats/statistics_pass.h"

#include "core/common/folded_search.h"
#include "core/common/progress.h"
#include "core/stats/event_booking.h"
#include "core/stats/event_scanner.h"
#include "core/stats/phrase_sweep.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace quorvath {

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

namespace {

// The machines the program runs on have two cores or more.
constexpr int kThreads = 2;
// How many records ahead booking asks for a kill pair's count.
constexpr std::size_t kPrefetchAhead = 8;

// The occurrences in one part of the text, cut into event records on the
// sweeping thread while their lines are still in cache; the round ends as
// positions. Booking then never reads the text.
class EventCollector : public PhraseSweep::Receiver {
public:
    // The collectors of all parts add what they have passed to `swept`,
    // shown as the sweep's progress.
    EventCollector(const LogDocument& doc, int begin, const std::vector<WeaponWords>& weapons,
                   Progress& progress, std::atomic<std::int64_t>& swept)
        : text_(doc.text()), begin_(begin), weapons_(weapons), progress_(progress), swept_(swept),
          reported_(begin), nextReport_(begin) {
        for (const StatisticsScan& scan : kStatisticsScans)
            cutters_.emplace_back(doc, scan.phrase, scan.kind, &recentLines_);
        // In the first part the first occurrence of each phrase is booked; in
        // the others it may share its line with one in the part before.
        searchFrom_.fill(begin == 0 ? 0 : kUnknown);
    }

    void occurrence(int phrase, int start) override {
        if (progress_.stopRequested())
            return; // the table is thrown away: the rest of the sweep cuts nothing
        const auto p = static_cast<std::size_t>(phrase);
        if (p >= kStatisticsScans.size()) {
            roundEnds[p - kStatisticsScans.size()].push_back(start);
            return;
        }
        // One occurrence per line, as booking the hits one by one would take them.
        if (start < searchFrom_[p])
            return;
        const EventLine& line = cutters_[p].cut(start);
        const bool booked = searchFrom_[p] != kUnknown || !occursEarlierOnLine(p, line);
        searchFrom_[p] = line.lineEnd;
        if (booked)
            records[p].push_back(recordEvent(line, kStatisticsScans[p].kind, weapons_[p], names));
        if (start >= nextReport_) {
            progress_.setPosition(swept_ += start - reported_);
            reported_ = start;
            nextReport_ = start + (1 << 16);
        }
    }

    NamePool names;
    // In small blocks, so that growing never holds a list twice.
    std::array<std::deque<EventRecord>, kStatisticsScanCount> records;
    std::array<std::vector<int>, RoundEnds::kPhrases.size()> roundEnds;

private:
    static constexpr int kUnknown = -1;

    // Whether the phrase also occurs earlier on the line, before this part
    // began: then that occurrence is the line's (none of the phrases holds a
    // line break, so occurrences on one line are booked once).
    bool occursEarlierOnLine(std::size_t p, const EventLine& line) const {
        if (line.lineStart >= begin_)
            return false;
        const std::string_view phrase = kStatisticsScans[p].phrase;
        const auto before = text_.substr(0, static_cast<std::size_t>(line.pos) + phrase.size() - 1);
        return FoldedNeedle(phrase).find(before, static_cast<std::size_t>(line.lineStart)) !=
               std::string_view::npos;
    }

    std::string_view text_;
    int begin_;
    const std::vector<WeaponWords>& weapons_; // per phrase
    Progress& progress_;
    std::atomic<std::int64_t>& swept_;
    int reported_;
    int nextReport_;
    RecentLines recentLines_;
    std::vector<EventLineCutter> cutters_;
    std::array<int, kStatisticsScanCount> searchFrom_{};
};

} // namespace

void runStatisticsPass(const LogDocument& doc, PlayerTable& players, Progress& progress,
                       const ScanStarted& scanStarted) {
    runStatisticsPass(doc, players, progress, scanStarted,
                      PhraseSweep::partsFor(doc.text().size(), kThreads));
}

void runStatisticsPass(const LogDocument& doc, PlayerTable& players, Progress& progress,
                       const ScanStarted& scanStarted, int parts) {
    players.cutToSlotZero();
    progress.beginStage(std::string(scanCaption(1)));
    progress.setPosition(0, doc.length());

    // One sweep finds every phrase and the four round ends of the bomb check,
    // and cuts the event lines.
    std::vector<std::string> phrases;
    for (const StatisticsScan& scan : kStatisticsScans)
        phrases.emplace_back(scan.phrase);
    for (std::string_view roundEnd : RoundEnds::kPhrases)
        phrases.emplace_back(roundEnd);
    std::vector<WeaponWords> weapons;
    for (const StatisticsScan& scan : kStatisticsScans)
        weapons.emplace_back(scan.phrase);
    parts = std::max(parts, 1);
    std::vector<std::unique_ptr<EventCollector>> collectors;
    std::vector<PhraseSweep::Receiver*> receivers;
    std::atomic<std::int64_t> swept{0};
    for (int part = 0; part < parts; ++part) {
        const auto begin = static_cast<int>(static_cast<long long>(doc.length()) * part / parts);
        collectors.push_back(
            std::make_unique<EventCollector>(doc, begin, weapons, progress, swept));
        receivers.push_back(collectors.back().get());
    }
    PhraseSweep(phrases).run(doc.text(), receivers, kThreads);

    std::vector<std::vector<int>> roundEndHits(RoundEnds::kPhrases.size());
    for (std::size_t i = 0; i < roundEndHits.size(); ++i)
        for (const auto& collector : collectors)
            roundEndHits[i].insert(roundEndHits[i].end(), collector->roundEnds[i].begin(),
                                   collector->roundEnds[i].end());
    const RoundEnds roundEnds(roundEndHits, 0);

    std::vector<NameIndexes> indexes;
    for (const auto& collector : collectors)
        indexes.emplace_back(collector->names, players);
    // After the last scan that books kill pairs, a helper turns the pairs
    // into the players' lists while the other scans are booked.
    std::size_t lastPairScan = 0;
    for (std::size_t scan = 0; scan < kStatisticsScans.size(); ++scan)
        if (kStatisticsScans[scan].kind == EventKind::TwoPlayer &&
            kStatisticsScans[scan].phrase != kRenamePhrase)
            lastPairScan = scan;
    KillPairs pairs;
    KillPairs laterPairs; // none: the later scans book no pairs
    KillPairs::OpponentLists lists;
    std::jthread listing;
    const std::int64_t length = doc.length();
    for (int number = 1; number <= kStatisticsScanCount; ++number) {
        if (progress.stopRequested())
            return; // the table is thrown away: no need to finish it
        const auto scan = static_cast<std::size_t>(number - 1);
        if (number > 1)
            progress.beginStage(std::string(scanCaption(number)));
        if (scanStarted)
            scanStarted(number);
        EventBooker booker(kStatisticsScans[scan].phrase, kStatisticsScans[scan].kind, players,
                           roundEnds, scan <= lastPairScan ? pairs : laterPairs);
        std::size_t total = 0, booked = 0;
        for (const auto& collector : collectors)
            total += collector->records[scan].size();
        for (std::size_t part = 0; part < collectors.size(); ++part) {
            // Each block of records goes back as soon as it is booked.
            std::deque<EventRecord>& records = collectors[part]->records[scan];
            for (; !records.empty(); records.pop_front()) {
                if (records.size() > kPrefetchAhead)
                    booker.prefetch(records[kPrefetchAhead], indexes[part]);
                if (++booked % 4096 == 0) // the records hold no positions: their share
                    progress.setPosition(static_cast<std::int64_t>(static_cast<double>(length) *
                                                                   static_cast<double>(booked) /
                                                                   static_cast<double>(total)),
                                         length);
                booker.book(records.front(), indexes[part]);
            }
        }
        progress.setPosition(length, length);
        if (scan == lastPairScan)
            listing = std::jthread([&] { lists = pairs.takeLists(); });
    }
    listing.join();
    KillPairs::addLists(lists, players);
    laterPairs.bookInto(players);
    sumAllPlayers(players);
}

} // namespace quorvath
