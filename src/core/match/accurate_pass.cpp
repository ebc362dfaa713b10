#include "core/match/accurate_pass.h"

#include "core/common/file_errors.h"
#include "core/common/progress.h"
#include "core/match/console_log_parser.h"
#include "core/match/match_tally.h"
#include "core/match/server_log_parser.h"

#include <array>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace quorvath {

namespace {

constexpr std::size_t kPieceBytes = 1u << 20;

// Events as the parser made them, with copies of the names they show: by the
// time a batch is tallied the parser's lines and buffers hold other text.
class EventBatch {
public:
    static constexpr std::size_t kEvents = 2048; // a batch is handed on once this full

    void add(const MatchEvent& event) {
        Stored& stored = events_.emplace_back(Stored{event, {}});
        const std::array<std::string_view*, 4> names = {
            &stored.event.player.name, &stored.event.player.cutRaw, &stored.event.other.name,
            &stored.event.other.cutRaw};
        for (std::size_t i = 0; i < names.size(); ++i) {
            stored.nameAt[i] = names_.size();
            names_.append(*names[i]);
        }
    }
    bool full() const { return events_.size() >= kEvents; }
    bool empty() const { return events_.empty(); }
    // Empties the batch and keeps its room for the next events.
    void clear() {
        events_.clear();
        names_.clear();
    }

    // Each event in turn, its names pointing into the batch.
    void sendTo(MatchEventSink& sink) {
        for (Stored& stored : events_) {
            MatchEvent& event = stored.event;
            const std::array<std::string_view*, 4> names = {
                &event.player.name, &event.player.cutRaw, &event.other.name, &event.other.cutRaw};
            for (std::size_t i = 0; i < names.size(); ++i)
                *names[i] = std::string_view(names_).substr(stored.nameAt[i], names[i]->size());
            sink.onEvent(event);
        }
    }

private:
    struct Stored {
        MatchEvent event;
        std::array<std::size_t, 4> nameAt; // where each name's copy starts
    };
    std::vector<Stored> events_;
    std::string names_;
};

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
        filling_.add(event);
        if (filling_.full())
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
    static constexpr std::size_t kWaiting = 4;

    void handOn() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return waiting_.size() < kWaiting; });
        waiting_.push_back(std::move(filling_));
        filling_ = EventBatch();
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
            EventBatch batch = std::move(waiting_.front());
            waiting_.pop_front();
            lock.unlock();
            changed_.notify_all();
            batch.sendTo(tally_);
            batch.clear();
            lock.lock();
            spare_.push_back(std::move(batch)); // fresh room costs more than the events
        }
    }

    MatchTally& tally_;
    EventBatch filling_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<EventBatch> waiting_;
    std::vector<EventBatch> spare_; // tallied batches, emptied, their room kept
    bool ended_ = false;
    std::thread worker_; // last: it starts once the rest is ready
};

// One pass: the lines of the log, in pieces as they come, through the parser
// of its kind into the tally.
class AccurateCounting {
public:
    AccurateCounting(LogKind kind, const AccurateOptions& options)
        : table_(options.table ? *options.table : stockGameTable()), kind_(kind),
          tally_(table_, options.includeWarmup), tallying_(tally_) {
        if (isServerLog(kind))
            server_ = std::make_unique<ServerLogParser>(table_, tallying_);
        else
            console_ = std::make_unique<ConsoleLogParser>(table_, tallying_);
    }

    // The next piece of the log; a line may run on into the next piece.
    void feed(std::string_view piece) {
        if (!carried_.empty()) {
            const std::size_t lf = piece.find('\n');
            carried_.append(piece.substr(0, lf));
            if (lf == std::string_view::npos)
                return;
            parse(carried_);
            carried_.clear();
            piece.remove_prefix(lf + 1);
        }
        std::size_t from = 0;
        for (std::size_t lf; (lf = piece.find('\n', from)) != std::string_view::npos; from = lf + 1)
            parse(piece.substr(from, lf - from));
        carried_.assign(piece.substr(from));
    }

    CountingScope finish(PlayerTable& players) {
        if (!carried_.empty())
            parse(carried_);
        if (console_)
            console_->finish();
        tallying_.finish();
        CountingScope scope;
        scope.mode = CountingMode::Accurate;
        tally_.fillTable(players);
        if (console_) {
            scope.setUnrecorded(bots);
            scope.setUnrecorded(warmupKills);
        } else {
            markServerGaps(scope);
        }
        const bool headshots = console_ ? console_->headshotsSeen() : server_->hitsSeen();
        if (!headshots) {
            scope.setUnrecorded(headshotKills);
            scope.setUnrecorded(headshotDeaths);
        }
        return scope;
    }

private:
    void parse(std::string_view line) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (console_)
            console_->parseLine(line);
        else
            server_->parseLine(line);
    }

    // No stock server log has a line for an objective; the game log has none
    // for a vote, kick or ban either (the console's broadcast lines have).
    void markServerGaps(CountingScope& scope) const {
        for (const ObjectivePhrase& objective : table_.objectives)
            if (objective.counter != kNoRow)
                scope.setUnrecorded(objective.counter);
        for (Counter c : table_.carrierKills)
            if (c != kNoRow)
                scope.setUnrecorded(c);
        if (kind_ == LogKind::ServerGameLog)
            for (const PlayerPhrase& phrase : table_.playerPhrases)
                scope.setUnrecorded(phrase.counter);
    }

    const GameTable& table_;
    LogKind kind_;
    MatchTally tally_;
    TallyThread tallying_;
    std::unique_ptr<ConsoleLogParser> console_;
    std::unique_ptr<ServerLogParser> server_;
    std::string carried_;
};

} // namespace

CountingScope countAccurately(std::string_view bytes, LogKind kind, const AccurateOptions& options,
                              PlayerTable& players, Progress& progress) {
    progress.beginStage(std::string(AccurateCountingStatus));
    const auto length = static_cast<std::int64_t>(bytes.size());
    AccurateCounting counting(kind, options);
    for (std::size_t at = 0; at < bytes.size(); at += kPieceBytes) {
        if (progress.stopRequested())
            return {}; // the table is thrown away: no need to fill it
        progress.setPosition(static_cast<std::int64_t>(at), length);
        counting.feed(bytes.substr(at, kPieceBytes));
    }
    CountingScope scope = counting.finish(players);
    progress.setPosition(length, length);
    return scope;
}

std::optional<std::string> countAccuratelyFromFile(const std::string& path, LogKind kind,
                                                   const AccurateOptions& options,
                                                   PlayerTable& players, CountingScope& scope,
                                                   Progress& progress) {
    players.cutToSlotZero();
    if (auto error = checkIsFile(path))
        return error;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return cannotReadMessage(path, std::strerror(errno));
    std::error_code ec;
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path, ec));
    progress.beginStage(std::string(AccurateCountingStatus));
    AccurateCounting counting(kind, options);
    std::vector<char> piece(kPieceBytes);
    std::int64_t done = 0;
    for (std::size_t got; !progress.stopRequested() &&
                          (got = std::fread(piece.data(), 1, piece.size(), file)) > 0;) {
        counting.feed({piece.data(), got});
        done += static_cast<std::int64_t>(got);
        progress.setPosition(done, ec ? done : size);
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        players.cutToSlotZero();
        return cannotReadMessage(path, std::strerror(error));
    }
    if (progress.stopRequested())
        return std::nullopt; // the table is thrown away: no need to fill it
    scope = counting.finish(players);
    return std::nullopt;
}

} // namespace quorvath
