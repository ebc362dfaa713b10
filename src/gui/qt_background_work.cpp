#include "gui/qt_background_work.h"

#include <QThread>

#include <exception>

namespace quorvath {

BackgroundWork::~BackgroundWork() {
    if (thread_) {
        thread_->wait();
        delete thread_;
    }
}

bool BackgroundWork::start(Job job) {
    if (thread_)
        return false;
    result_.reset();
    thread_ = QThread::create([this, job = std::move(job)] {
        try {
            result_ = job();
        } catch (const std::exception& e) { // e.g. out of memory on a huge file
            result_ = std::string(e.what());
        }
    });
    connect(thread_, &QThread::finished, this, &BackgroundWork::onThreadFinished,
            Qt::QueuedConnection);
    thread_->start();
    return true;
}

void BackgroundWork::wait() {
    if (thread_)
        thread_->wait();
}

void BackgroundWork::onThreadFinished() {
    thread_->deleteLater();
    thread_ = nullptr;
    emit finished(result_ ? QString::fromStdString(*result_) : QString());
}

} // namespace quorvath
