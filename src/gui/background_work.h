#pragma once
// Runs one piece of long work (loading, highlighting, a statistics pass) on a
// worker thread, one at a time. `finished` arrives on the interface thread
// with the job's error message ("" when it succeeded).
//
// The job must not touch widgets; what it writes, the interface thread reads
// only after `finished` or after abandon().

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QThread;

namespace quorvath {

class BackgroundWork : public QObject {
    Q_OBJECT
public:
    using Job = std::function<std::optional<std::string>()>;

    explicit BackgroundWork(QObject* parent = nullptr) : QObject(parent) {}
    ~BackgroundWork() override; // waits for a running job

    // False (and nothing starts) while a job runs.
    bool start(Job job);
    bool running() const { return thread_ != nullptr; }
    // Blocks until the running job has ended and forgets it: its `finished`
    // never arrives, and a new job may start at once.
    void abandon();

signals:
    void finished(const QString& error);

private:
    void threadFinished(std::uint64_t job);

    QThread* thread_ = nullptr;
    // Counts started jobs, so that the end of an abandoned one is recognised.
    std::uint64_t jobNumber_ = 0;
    std::optional<std::string> result_;
};

} // namespace quorvath
