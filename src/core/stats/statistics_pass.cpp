#include "core/stats/statistics_pass.h"

#include "core/common/folded_search.h"
#include "core/common/progress.h"
#include "core/stats/event_booking.h"
#include "core/stats/event_scanner.h"
#include "core/stats/phrase_sweep.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
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
// How many kill pairs booking hands over at a time.
constexpr std::size_t kPairBlock = 1 << 14;

// Counts the kill pairs that booking hands over, on a thread of its own: a
// pair's count mostly misses cache (the counts of every pair span megabytes),
// and booking need not wait for it. Counted blocks go back to be filled again.
class PairCounter {
public:
    PairCounter() : thread_([this] { count(); }) {}
    ~PairCounter() { close(); }

    // Hands over the pairs in `block` and leaves it empty.
    void handOver(std::vector<BookedPair>& block) {
        std::vector<BookedPair> spare;
        {
            const std::scoped_lock lock(mutex_);
            full_.push_back(std::move(block));
            if (!empty_.empty()) {
                spare = std::move(empty_.back());
                empty_.pop_back();
            }
        }
        wake_.notify_one();
        block = std::move(spare);
        block.reserve(kPairBlock);
    }
    // No more pairs come: the thread counts what is left and turns the pairs
    // into the players' lists.
    void close() {
        {
            const std::scoped_lock lock(mutex_);
            closed_ = true;
        }
        wake_.notify_one();
    }
    KillPairs::OpponentLists takeLists() {
        close();
        thread_.join();
        return std::move(lists_);
    }

private:
    void count() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return closed_ || !full_.empty(); });
            if (full_.empty())
                break;
            std::vector<BookedPair> block = std::move(full_.front());
            full_.pop_front();
            lock.unlock();
            pairs_.addAll(block);
            block.clear();
            lock.lock();
            empty_.push_back(std::move(block));
        }
        lock.unlock();
        lists_ = pairs_.takeLists();
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::vector<BookedPair>> full_;
    std::vector<std::vector<BookedPair>> empty_;
    bool closed_ = false;
    KillPairs pairs_;
    KillPairs::OpponentLists lists_;
    std::jthread thread_; // last: it starts once the rest is ready
};

// One phrase's records of one part, in blocks that double up to 48 KiB:
// read back in order, a list streams through memory of its own (the small
// blocks of a deque, taken in turn by every list of a part, lie scattered).
class RecordList {
public:
    void push(const EventRecord& record) {
        if (blocks_.empty() || blocks_.back().size() == blocks_.back().capacity())
            grow();
        blocks_.back().push_back(record);
        ++size_;
    }
    std::size_t size() const { return size_; }
    // Calls take(record) for each record in order; each block goes back
    // as soon as it is read.
    template <typename Take> void drain(const Take& take) {
        for (std::vector<EventRecord>& block : blocks_) {
            for (const EventRecord& record : block)
                take(record);
            std::vector<EventRecord>().swap(block);
        }
        blocks_.clear();
        size_ = 0;
    }

private:
    static constexpr std::size_t kFirstBlock = 64;
    static constexpr std::size_t kLargestBlock = 4096;
    void grow() {
        const std::size_t last = blocks_.empty() ? 0 : blocks_.back().capacity();
        blocks_.emplace_back().reserve(std::clamp(2 * last, kFirstBlock, kLargestBlock));
    }

    std::vector<std::vector<EventRecord>> blocks_;
    std::size_t size_ = 0;
};

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
            records[p].push(recordEvent(line, kStatisticsScans[p].kind, weapons_[p], names));
        if (start >= nextReport_) {
            progress_.setPosition(swept_ += start - reported_);
            reported_ = start;
            nextReport_ = start + (1 << 16);
        }
    }

    NamePool names;
    std::array<RecordList, kStatisticsScanCount> records;
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
    // The kill pairs are counted beside booking; after the last scan that
    // books any, the counter turns them into the players' lists while the
    // other scans are booked.
    std::size_t lastPairScan = 0;
    for (std::size_t scan = 0; scan < kStatisticsScans.size(); ++scan)
        if (kStatisticsScans[scan].kind == EventKind::TwoPlayer &&
            kStatisticsScans[scan].phrase != kRenamePhrase)
            lastPairScan = scan;
    PairCounter counter;
    std::vector<BookedPair> booked;
    booked.reserve(kPairBlock);
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
                           roundEnds, booked);
        std::size_t total = 0, done = 0;
        for (const auto& collector : collectors)
            total += collector->records[scan].size();
        for (std::size_t part = 0; part < collectors.size(); ++part)
            collectors[part]->records[scan].drain([&](const EventRecord& record) {
                if (++done % 4096 == 0) // the records hold no positions: their share
                    progress.setPosition(static_cast<std::int64_t>(static_cast<double>(length) *
                                                                   static_cast<double>(done) /
                                                                   static_cast<double>(total)),
                                         length);
                booker.book(record, indexes[part]);
                if (booked.size() >= kPairBlock)
                    counter.handOver(booked);
            });
        progress.setPosition(length, length);
        if (scan == lastPairScan) {
            counter.handOver(booked);
            counter.close();
        }
    }
    KillPairs::OpponentLists lists = counter.takeLists();
    KillPairs::addLists(lists, players);
    sumAllPlayers(players);
}

} // namespace quorvath
