#include "gui/log_session.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
#include "core/log/log_file.h"
#include "core/log/log_loader.h"
#include "core/log/log_search.h"
#include "core/stats/statistics_pass.h"
#include "gui/app_texts.h"
#include "gui/background_work.h"
#include "gui/statistics_texts.h"

#include <ctime>
#include <exception>
#include <utility>

namespace quorvath {

namespace {

std::tm localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm now{};
    localtime_r(&t, &now);
    return now;
}

} // namespace

LogSession::LogSession(SettingsStore& settings, UserPrompts& prompts, QObject* parent)
    : QObject(parent), settings_(settings), prompts_(prompts),
      statistics_(std::make_unique<StatisticsSession>(players_)), worker_(new BackgroundWork(this)),
      nick_(settings.get(settings_keys::Nick, "")) {
    connect(worker_, &BackgroundWork::finished, this, &LogSession::workEnded);
}

LogSession::~LogSession() {
    // The worker's job reads and writes the members below: it ends first.
    progress_.requestStop();
    worker_->abandon();
}

void LogSession::setNick(const std::string& nick) {
    nick_ = nick;
    settings_.set(settings_keys::Nick, nick);
}

void LogSession::saveColours(std::uint32_t text, std::uint32_t back) {
    // Stored as the signed 32-bit numbers that start-up reads back.
    settings_.set(settings_keys::BackColor, std::to_string(static_cast<std::int32_t>(back)));
    settings_.set(settings_keys::TextColor, std::to_string(static_cast<std::int32_t>(text)));
    emit coloursSaved();
}

// --- long work ---------------------------------------------------------------

void LogSession::startWork(Work work, std::function<std::optional<std::string>()> job) {
    running_ = work;
    progress_.requestStop(false);
    progress_.setPosition(0, 0);
    emit busyChanged(true);
    emit workStarted(work); // before the worker begins a stage: displays skip stale ones
    worker_->start(std::move(job));
}

void LogSession::workEnded(const QString& error) {
    if (!running_)
        return;
    const Work work = *std::exchange(running_, std::nullopt);
    switch (work) {
    case Work::Loading: return loadEnded(error);
    case Work::HighlightingNick:
        highlightHits(document_, nickHits_, nickLength_);
        highlightedCount_ = static_cast<int>(nickHits_.size());
        nickHits_.clear();
        break;
    case Work::StatisticsPass:
        if (error.isEmpty()) {
            statistics_->passFinished();
        } else {
            players_.reset(); // nothing half-counted stays
            statistics_->resetForNewTable();
        }
        break;
    }
    emit workFinished(work, error);
    emit busyChanged(false);
    if (work == Work::StatisticsPass && error.isEmpty())
        emit statisticsReady();
}

void LogSession::stopWork() {
    if (!running_)
        return;
    progress_.requestStop();
    worker_->abandon();
    const Work work = *std::exchange(running_, std::nullopt);
    nickHits_.clear();
    if (work == Work::Loading)
        forgetIncomingCopy();
    if (work == Work::StatisticsPass) {
        players_.reset(); // nothing half-counted stays
        statistics_->statisticsDone = false;
        statistics_->resetForNewTable();
    }
    emit workStopped(work);
    emit busyChanged(false);
}

// --- the loaded log ----------------------------------------------------------

void LogSession::openLog(const std::string& path) {
    if (path.empty())
        return;
    settings_.set(settings_keys::SofDir, path);
    // A log that cannot be loaded is refused before a copy of it is made.
    if (auto error = checkLogFile(path)) {
        emit workFinished(Work::Loading, QString::fromStdString(*error));
        return;
    }
    stopWork();
    incoming_ = LogDocument();
    incomingPath_ = path;
    incomingCopy_ = archiveCopyName(path, localNow());
    incomingCopyMade_ = false;
    startWork(Work::Loading,
              [this, from = path, to = incomingCopy_]() -> std::optional<std::string> {
                  progress_.beginStage(texts::MakingArchiveCopy);
                  if (auto error = copyFileReplacing(from, to))
                      return error;
                  incomingCopyMade_ = true;
                  return loadLog(to, incoming_, progress_);
              });
}

void LogSession::loadEnded(const QString& error) {
    if (!error.isEmpty()) {
        forgetIncomingCopy(); // the log on screen and its copy stay as they were
    } else {
        // The new log replaces the old one only now: the keep question too.
        askAboutArchiveCopy();
        document_ = std::exchange(incoming_, LogDocument());
        document_.setSelStart(0);
        logPath_ = incomingPath_;
        archiveCopy_ = incomingCopy_;
        archiveCopyMade_ = true;
        incomingCopyMade_ = false;
        players_.reset();
        statistics_->statisticsDone = false;
        statistics_->resetForNewTable();
        emit logReplaced();
    }
    emit workFinished(Work::Loading, error);
    emit busyChanged(false);
}

void LogSession::forgetIncomingCopy() {
    incoming_ = LogDocument();
    // A copy of a log that never reached the screen is nothing to ask about.
    if (incomingCopyMade_.exchange(false))
        removeFile(incomingCopy_);
}

void LogSession::askAboutArchiveCopy() {
    if (!std::exchange(archiveCopyMade_, false) ||
        prompts_.askYesNo(texts::KeepQuestion + archiveCopy_, texts::AppTitle))
        return;
    if (auto error = removeFile(archiveCopy_))
        prompts_.message(*error, texts::AppTitle);
}

void LogSession::highlightNick() {
    if (busy())
        return;
    document_.select(0, 0);
    highlightedCount_ = 0;
    const std::string nick = windows1252FromUtf8(nick_);
    nickLength_ = static_cast<int>(nick.size());
    startWork(Work::HighlightingNick, [this, nick]() -> std::optional<std::string> {
        nickHits_ = findNickHits(document_, nick, progress_);
        return std::nullopt;
    });
}

// --- statistics --------------------------------------------------------------

void LogSession::requestStatistics() {
    if (busy())
        return;
    document_.setSelStart(0); // the log view goes back to the top
    emit statisticsRequested();
    if (statistics_->statisticsDone) {
        emit statisticsReady();
        return;
    }
    startWork(Work::StatisticsPass, [this]() -> std::optional<std::string> {
        try {
            // Emitted on the worker: the windows receive it queued.
            runStatisticsPass(document_, players_, progress_,
                              [this](int number) { emit scanStarted(number); });
        } catch (const std::exception& e) {
            return statistics_texts::PassFailed + std::string(e.what());
        }
        return std::nullopt;
    });
}

void LogSession::closeStatistics() {
    // The window opens again unchecked: the table must then be unlinked too,
    // unless a pass is rebuilding it unlinked anyway.
    if (statistics_->linked() && running_ != Work::StatisticsPass)
        statistics_->toggleLinkAliases();
    else
        statistics_->resetForNewTable();
    const bool done = statistics_->statisticsDone;
    statistics_ = std::make_unique<StatisticsSession>(players_);
    statistics_->statisticsDone = done;
    if (!ending_)
        emit statisticsClosed();
}

void LogSession::end() {
    if (std::exchange(ending_, true))
        return;
    stopWork();
    emit ending();
    askAboutArchiveCopy();
}

} // namespace quorvath
