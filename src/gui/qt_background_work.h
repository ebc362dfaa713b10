#pragma once
// Runs one piece of long work (loading, highlighting, a statistics pass) on a
// worker thread, one at a time. `finished` arrives on the interface thread
// with the job's error message ("" when it succeeded).
//
// The job must not touch widgets; what it writes, the interface thread reads
// only after `finished`.

#include <QObject>
#include <QString>

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
    // Blocks until the running job has ended (its `finished` still follows).
    void wait();

signals:
    void finished(const QString& error);

private:
    void onThreadFinished();

    QThread* thread_ = nullptr;
    std::optional<std::string> result_;
};

} // namespace quorvath
