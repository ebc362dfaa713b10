#pragma once
// Pages made on a second thread while one thread reads what they are made
// of: the reader hands each page's inputs over as a job, a second thread does
// the jobs, and the reader does one itself whenever more than `behind` are
// waiting, so that both work and neither waits long. Each job is built and
// rendered where it is done (rendering data built on another thread costs
// far more).

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace quorvath::web {

template <class Job> class PageQueue {
public:
    explicit PageQueue(std::function<void(Job&)> work, std::size_t behind = 16)
        : work_(std::move(work)), behind_(behind), worker_([this] { doJobs(); }) {}
    ~PageQueue() { finish(); }
    PageQueue(const PageQueue&) = delete;
    PageQueue& operator=(const PageQueue&) = delete;

    void push(Job job) {
        std::unique_lock lock(mutex_);
        jobs_.push_back(std::move(job));
        if (jobs_.size() <= behind_) {
            lock.unlock();
            ready_.notify_one();
            return;
        }
        Job oldest = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        work_(oldest);
    }

    // Helps with the jobs left and returns once every one is done.
    void finish() {
        while (std::optional<Job> job = next())
            work_(*job);
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        ready_.notify_one();
        if (worker_.joinable())
            worker_.join();
    }

private:
    std::optional<Job> next() {
        const std::lock_guard lock(mutex_);
        if (jobs_.empty())
            return std::nullopt;
        std::optional<Job> job(std::move(jobs_.front()));
        jobs_.pop_front();
        return job;
    }

    void doJobs() {
        for (;;) {
            std::unique_lock lock(mutex_);
            ready_.wait(lock, [this] { return done_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;
            Job job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            work_(job);
        }
    }

    std::function<void(Job&)> work_;
    std::size_t behind_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Job> jobs_;
    bool done_ = false;
    std::thread worker_; // last: it starts once the rest is there
};

} // namespace quorvath::web
