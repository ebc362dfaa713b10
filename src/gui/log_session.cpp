#include "gui/log_session.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
#include "core/history/database/open_history.h"
#include "core/history/history_totals.h"
#include "core/log/log_file.h"
#include "core/log/log_search.h"
#include "core/match/log_opening.h"
#include "gui/app_texts.h"
#include "gui/background_work.h"
#include "gui/history_texts.h"
#include "gui/statistics_texts.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

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

constexpr const char* kTrue = "true";

CountingChoice storedCountingChoice(const SettingsStore& settings) {
    CountingChoice choice;
    choice.preferred = countingModeNamed(settings.get(settings_keys::Counting, ""))
                           .value_or(CountingMode::Classic);
    choice.includeWarmup = settings.get(settings_keys::IncludeWarmup, "") == kTrue;
    return choice;
}

// Whether a log of `kind` counted with `a` gives the same table as with `b`:
// only a server log records a warm-up.
bool countedAlike(LogKind kind, const CountingChoice& a, const CountingChoice& b) {
    const CountingMode mode = countingModeFor(kind, a.preferred);
    return mode == countingModeFor(kind, b.preferred) &&
           (mode == CountingMode::Classic || !isServerLog(kind) ||
            a.includeWarmup == b.includeWarmup);
}

} // namespace

LogSession::LogSession(SettingsStore& settings, UserPrompts& prompts, QObject* parent)
    : QObject(parent), settings_(settings), prompts_(prompts),
      statistics_(std::make_unique<StatisticsSession>(players_)),
      countingChoice_(storedCountingChoice(settings)), worker_(new BackgroundWork(this)),
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

void LogSession::setCountingChoice(const CountingChoice& choice) {
    if (busy())
        return;
    const CountingChoice before = std::exchange(countingChoice_, choice);
    settings_.set(settings_keys::Counting, std::string(countingModeName(choice.preferred)));
    settings_.set(settings_keys::IncludeWarmup, choice.includeWarmup ? kTrue : "false");
    emit countingChoiceChanged();
    if (!statistics_->statisticsDone() || !historyShown_.isEmpty() ||
        countedAlike(logKind_.kind, before, choice))
        return;
    statistics_->discardStatistics();
    if (statisticsShown_)
        startStatisticsPass();
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
#ifdef __GLIBC__
    // The worker's scratch memory goes back to the system rather than staying
    // resident beside the log (about 0.1 byte per log byte after a pass).
    malloc_trim(0);
#endif
    switch (work) {
    case Work::Loading: return loadEnded(error);
    case Work::HighlightingNick:
        highlightHits(document_, nickHits_, nickLength_);
        highlightedCount_ = static_cast<int>(nickHits_.size());
        nickHits_.clear();
        break;
    case Work::StatisticsPass:
        if (!historyShown_.isEmpty() && progress_.stopRequested()) { // cancelled
            dropPass();
            emit workStopped(work);
            emit busyChanged(false);
            return;
        }
        if (error.isEmpty()) {
            statistics_->passFinished(counted_);
            statistics_->leaveOut(historyShown_.isEmpty()
                                      ? LeftOutRule()
                                      : rankingRule(std::move(activity_), minimum_));
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
    if (work == Work::StatisticsPass)
        dropPass();
    emit workStopped(work);
    emit busyChanged(false);
}

void LogSession::dropPass() {
    players_.reset(); // nothing half-counted stays
    statistics_->discardStatistics();
    historyShown_.clear();
}

// --- the loaded log ----------------------------------------------------------

void LogSession::openLog(const std::string& path) {
    if (path.empty())
        return;
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
                  return quorvath::openLog(to, incoming_, progress_, incomingKind_);
              });
}

void LogSession::loadEnded(const QString& error) {
    // Asked only once the new log could replace the old one.
    const KeepChoice earlierCopy = error.isEmpty() ? askAboutArchiveCopy() : KeepChoice::Cancel;
    if (earlierCopy == KeepChoice::Cancel) {
        forgetIncomingCopy(); // the log on screen and its copy stay as they were
    } else {
        settleArchiveCopy(earlierCopy);
        document_ = std::exchange(incoming_, LogDocument());
        document_.setSelStart(0);
        logPath_ = incomingPath_;
        logKind_ = incomingKind_;
        archiveCopy_ = incomingCopy_;
        archiveCopyMade_ = true;
        incomingCopyMade_ = false;
        players_.reset();
        statistics_->discardStatistics();
        historyShown_.clear();
        emit logReplaced();
    }
    if (error.isEmpty() && earlierCopy == KeepChoice::Cancel)
        emit workStopped(Work::Loading); // the user went back to the log on screen
    else
        emit workFinished(Work::Loading, error);
    emit busyChanged(false);
}

void LogSession::forgetIncomingCopy() {
    incoming_ = LogDocument();
    // A copy of a log that never reached the screen is nothing to ask about.
    if (incomingCopyMade_.exchange(false))
        removeFile(incomingCopy_);
}

KeepChoice LogSession::askAboutArchiveCopy() {
    if (!archiveCopyMade_)
        return KeepChoice::Keep; // nothing to ask about
    const std::string standing = settings_.get(settings_keys::DatedCopies, "");
    if (standing == dated_copies::Keep)
        return KeepChoice::Keep;
    if (standing == dated_copies::Delete)
        return KeepChoice::Delete;
    const KeepAnswer answer =
        prompts_.askKeep(texts::keepQuestion(archiveCopy_).toStdString(), texts::AppTitle);
    if (answer.always)
        settings_.set(settings_keys::DatedCopies, answer.choice == KeepChoice::Delete
                                                      ? dated_copies::Delete
                                                      : dated_copies::Keep);
    return answer.choice;
}

void LogSession::settleArchiveCopy(KeepChoice choice) {
    if (!std::exchange(archiveCopyMade_, false) || choice != KeepChoice::Delete)
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
    statisticsShown_ = true;
    emit statisticsRequested();
    if (statistics_->statisticsDone() && historyShown_.isEmpty()) {
        emit statisticsReady();
        return;
    }
    startStatisticsPass();
}

void LogSession::showHistoryStatistics(const std::string& database,
                                       const HistorySelection& selection,
                                       const RankingMinimum& minimum, const QString& description) {
    if (busy())
        return;
    historyShown_ = description;
    historyDatabase_ = database;
    historySelection_ = selection;
    minimum_ = minimum;
    statistics_->discardStatistics(); // the table is filled anew, unlinked
    statisticsShown_ = true;
    emit statisticsRequested();
    startWork(Work::StatisticsPass, [this, database, selection]() -> std::optional<std::string> {
        progress_.beginStage(history_texts::ReadingHistory);
        std::unique_ptr<HistoryStore> store;
        if (auto error = openHistory(database, store))
            return error;
        return countSelection(*store, selection, players_, counted_, activity_, &progress_);
    });
}

void LogSession::stopHistoryCount() {
    if (running_ == Work::StatisticsPass && !historyShown_.isEmpty())
        progress_.requestStop(); // the worker passes over the rest and ends soon
}

void LogSession::startStatisticsPass() {
    historyShown_.clear();
    // The Accurate rules read the log as its file holds it: the archive copy.
    startWork(
        Work::StatisticsPass,
        [this, kind = logKind_.kind, choice = countingChoice_]() -> std::optional<std::string> {
            try {
                // Emitted on the worker: the windows receive it queued.
                return countStatistics(document_, archiveCopy_, kind, choice, players_, counted_,
                                       progress_, [this](int number) { emit scanStarted(number); });
            } catch (const std::exception& e) {
                return statistics_texts::PassFailed + std::string(e.what());
            }
        });
}

void LogSession::closeStatistics() {
    // The window opens again unchecked: the table must then be unlinked too,
    // unless a pass is rebuilding it unlinked anyway.
    if (statistics_->linked() && running_ != Work::StatisticsPass)
        statistics_->toggleLinkAliases();
    else
        statistics_->resetForNewTable();
    statisticsShown_ = false;
    const bool done = statistics_->statisticsDone();
    const CountingScope counting = statistics_->counting();
    LeftOutRule leftOut = statistics_->leftOutRule();
    statistics_ = std::make_unique<StatisticsSession>(players_);
    statistics_->leaveOut(std::move(leftOut));
    if (done) // the gathered statistics are shown again as they were counted
        statistics_->passFinished(counting);
}

bool LogSession::end() {
    if (ending_)
        return true;
    const KeepChoice copy = askAboutArchiveCopy();
    if (copy == KeepChoice::Cancel)
        return false;
    ending_ = true;
    stopWork();
    emit ending();
    settleArchiveCopy(copy);
    return true;
}

} // namespace quorvath
