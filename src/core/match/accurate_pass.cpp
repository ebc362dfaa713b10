#include "core/match/accurate_pass.h"

#include "core/common/progress.h"
#include "core/match/kept_match_events.h"
#include "core/match/match_event_reader.h"
#include "core/match/match_tally.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace quorvath {

namespace {

// Parsing a line costs about as much as tallying its event, so the parser's
// events go, a batch at a time and in their order, to a thread that tallies
// them. A few batches wait at most; the parser waits for room.
class TallyThread final : public MatchEventSink {
public:
    explicit TallyThread(MatchTally& tally) : tally_(tally), worker_([this] { tallyBatches(); }) {}
    ~TallyThread() { finish(); }
    TallyThread(const TallyThread&) = delete;
    TallyThread& operator=(const TallyThread&) = delete;

    void onEvent(const MatchEvent& event) override {
        filling_.onEvent(event);
        if (filling_.size() >= kBatchEvents)
            handOn();
    }
    // Tallies what is left and ends the thread.
    void finish() {
        if (!worker_.joinable())
            return;
        if (!filling_.empty())
            handOn();
        {
            const std::lock_guard lock(mutex_);
            ended_ = true;
        }
        changed_.notify_all();
        worker_.join();
    }

private:
    static constexpr std::size_t kBatchEvents = 2048; // a batch is handed on once this full
    static constexpr std::size_t kWaiting = 4;

    void handOn() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return waiting_.size() < kWaiting; });
        waiting_.push_back(std::move(filling_));
        filling_ = KeptMatchEvents();
        if (!spare_.empty()) {
            filling_ = std::move(spare_.back());
            spare_.pop_back();
        }
        lock.unlock();
        changed_.notify_all();
    }
    void tallyBatches() {
        for (;;) {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !waiting_.empty() || ended_; });
            if (waiting_.empty())
                return;
            KeptMatchEvents batch = std::move(waiting_.front());
            waiting_.pop_front();
            lock.unlock();
            changed_.notify_all();
            batch.sendTo(tally_); // copied with their texts: the parser's lines hold others by now
            batch.clear();
            lock.lock();
            spare_.push_back(std::move(batch)); // fresh room costs more than the events
        }
    }

    MatchTally& tally_;
    KeptMatchEvents filling_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<KeptMatchEvents> waiting_;
    std::vector<KeptMatchEvents> spare_; // tallied batches, emptied, their room kept
    bool ended_ = false;
    std::thread worker_; // last: it starts once the rest is ready
};

// One pass: the lines of the log, in pieces as they come, through the reader
// into the tally.
class AccurateCounting {
public:
    AccurateCounting(LogKind kind, const AccurateOptions& options)
        : table_(options.table ? *options.table : stockGameTable()), kind_(kind),
          tally_(table_, options.includeWarmup), tallying_(tally_),
          reader_(kind, table_, tallying_) {}

    MatchEventReader& reader() { return reader_; }

    CountingScope finish(PlayerTable& players) {
        tallying_.finish();
        tally_.fillTable(players);
        return accurateScope(kind_, table_, reader_.headshotsMarked());
    }

private:
    const GameTable& table_;
    LogKind kind_;
    MatchTally tally_;
    TallyThread tallying_;
    MatchEventReader reader_;
};

} // namespace

// No stock server log has a line for an objective; the game log has none for
// a vote, kick or ban either (the console's broadcast lines have).
CountingScope accurateScope(LogKind kind, const GameTable& table, bool headshotsMarked) {
    CountingScope scope;
    scope.mode = CountingMode::Accurate;
    if (!isServerLog(kind)) {
        scope.setUnrecorded(bots);
        scope.setUnrecorded(warmupKills);
    } else {
        for (const ObjectivePhrase& objective : table.objectives)
            if (objective.counter != kNoRow)
                scope.setUnrecorded(objective.counter);
        for (Counter c : table.carrierKills)
            if (c != kNoRow)
                scope.setUnrecorded(c);
        if (kind == LogKind::ServerGameLog)
            for (const PlayerPhrase& phrase : table.playerPhrases)
                scope.setUnrecorded(phrase.counter);
    }
    if (!headshotsMarked) {
        scope.setUnrecorded(headshotKills);
        scope.setUnrecorded(headshotDeaths);
    }
    return scope;
}

CountingScope countAccurately(std::string_view bytes, LogKind kind, const AccurateOptions& options,
                              PlayerTable& players, Progress& progress) {
    progress.beginStage(std::string(AccurateCountingStatus));
    AccurateCounting counting(kind, options);
    if (!counting.reader().read(bytes, progress))
        return {}; // the table is thrown away: no need to fill it
    return counting.finish(players);
}

std::optional<std::string> countAccuratelyFromFile(const std::string& path, LogKind kind,
                                                   const AccurateOptions& options,
                                                   PlayerTable& players, CountingScope& scope,
                                                   Progress& progress) {
    players.cutToSlotZero();
    progress.beginStage(std::string(AccurateCountingStatus));
    AccurateCounting counting(kind, options);
    if (auto error = counting.reader().readFile(path, progress))
        return error;
    if (progress.stopRequested())
        return std::nullopt; // the table is thrown away: no need to fill it
    scope = counting.finish(players);
    return std::nullopt;
}

} // namespace quorvath
