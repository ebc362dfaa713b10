#include "gui/background_work.h"

#include <QThread>

#include <exception>

namespace quorvath {

BackgroundWork::~BackgroundWork() { abandon(); }

bool BackgroundWork::start(Job job) {
    if (thread_)
        return false;
    result_.reset();
    const std::uint64_t number = ++jobNumber_;
    thread_ = QThread::create([this, job = std::move(job)] {
        try {
            result_ = job();
        } catch (const std::exception& e) { // e.g. out of memory on a huge file
            result_ = std::string(e.what());
        }
    });
    connect(
        thread_, &QThread::finished, this, [this, number] { threadFinished(number); },
        Qt::QueuedConnection);
    thread_->start();
    return true;
}

void BackgroundWork::abandon() {
    if (!thread_)
        return;
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
}

void BackgroundWork::threadFinished(std::uint64_t job) {
    if (job != jobNumber_ || !thread_)
        return; // the end of an abandoned job, queued before it was abandoned
    thread_->deleteLater();
    thread_ = nullptr;
    emit finished(result_ ? QString::fromStdString(*result_) : QString());
}

} // namespace quorvath
