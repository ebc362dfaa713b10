#pragma once
// Progress of long work (loading, rendering, the statistics pass).
//
// The worker writes, the interface thread reads from its timers: every field is
// atomic so that a timer tick may read while a pass runs on another thread.
// The core never waits on the reader. The reader may ask the work to stop
// (a replaced log); long passes look at that request between their steps.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace quorvath {

class Progress {
public:
    // A new stage: its status text (e.g. "Separating rounds....."); position 0.
    void beginStage(std::string status);
    // Where the running stage stands, as a character position within `length`.
    void setPosition(std::int64_t position, std::int64_t length) {
        length_.store(length, std::memory_order_relaxed);
        position_.store(position, std::memory_order_relaxed);
    }
    void setPosition(std::int64_t position) {
        position_.store(position, std::memory_order_relaxed);
    }

    std::string status() const;
    std::int64_t position() const { return position_.load(std::memory_order_relaxed); }
    std::int64_t length() const { return length_.load(std::memory_order_relaxed); }
    // Increases by one with every stage, so a reader can tell a stage ended.
    int stage() const { return stage_.load(std::memory_order_relaxed); }

    // Asks the running work to end early; its results are then thrown away.
    // Holds until cleared before the next work starts.
    void requestStop(bool stop = true) { stopRequested_.store(stop, std::memory_order_relaxed); }
    bool stopRequested() const { return stopRequested_.load(std::memory_order_relaxed); }

private:
    mutable std::mutex statusMutex_;
    std::string status_;
    std::atomic<std::int64_t> position_{0};
    std::atomic<std::int64_t> length_{0};
    std::atomic<int> stage_{0};
    std::atomic<bool> stopRequested_{false};
};

// The progress bar value for a caret at `position` in a text of `length`
// characters: position x (100 / length), in floating point. No value for an
// empty text (the display is then left as it is).
bool progressValue(std::int64_t position, std::int64_t length, double& value);

// "42% Complete...": the value rounded to a whole number, halves to even.
std::string percentCaption(double value);

} // namespace quorvath
