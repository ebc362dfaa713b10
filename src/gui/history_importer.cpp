#include "gui/history_importer.h"

#include "core/history/database/open_history.h"
#include "core/history/history_import.h"
#include "gui/background_work.h"
#include "gui/history_texts.h"

#include <QFileInfo>

#include <memory>

namespace quorvath {

namespace t = history_texts;

HistoryImporter::HistoryImporter(QObject* parent)
    : QObject(parent), worker_(new BackgroundWork(this)) {
    connect(worker_, &BackgroundWork::finished, this, &HistoryImporter::jobEnded);
}

HistoryImporter::~HistoryImporter() {
    // The job writes the members below: it ends first, after its batch.
    cancel();
    worker_->abandon();
}

bool HistoryImporter::running() const { return worker_->running(); }

bool HistoryImporter::start(const std::string& database, const std::vector<std::string>& logs) {
    if (running())
        return false;
    added_ = logsRead_ = 0;
    cancelled_ = false;
    problems_.clear();
    progress_.requestStop(false);
    progress_.setPosition(0, 0);
    return worker_->start([this, database, logs]() -> std::optional<std::string> {
        progress_.beginStage(t::OpeningHistory);
        std::unique_ptr<HistoryStore> store;
        if (auto error = openHistory(database, store))
            return error;
        ImportOptions options;
        options.afterBatch = [this](int handed, int matches) {
            progress_.setPosition(handed, matches);
            return !progress_.stopRequested();
        };
        for (std::size_t n = 0; n < logs.size() && !cancelled_; ++n) {
            if (progress_.stopRequested()) {
                cancelled_ = true;
                break;
            }
            const QString name = QFileInfo(QString::fromStdString(logs[n])).fileName();
            progress_.beginStage(
                t::importingLog(name, static_cast<int>(n) + 1, static_cast<int>(logs.size()))
                    .toStdString());
            LogImport result;
            if (auto error = importLog(*store, logs[n], result, options))
                problems_ << QString::fromStdString(*error);
            else
                ++logsRead_;
            added_ += result.added;
            cancelled_ = result.stopped;
        }
        if (!cancelled_) // the next import adds up what a cancelled one dropped
            if (auto error = store->refreshTotals())
                problems_ << QString::fromStdString(*error);
        return std::nullopt;
    });
}

void HistoryImporter::jobEnded(const QString& error) {
    if (!error.isEmpty()) { // the history itself could not be opened
        problems_ << error;
        emit finished(error, problems_);
        return;
    }
    emit finished(t::importOutcome(added_, logsRead_, cancelled_, problems_), problems_);
}

} // namespace quorvath
