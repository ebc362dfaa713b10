#include "gui/history_menu.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/history/sqlite/sqlite_history.h"
#include "gui/app_texts.h"
#include "gui/history_importer.h"
#include "gui/history_selection_dialog.h"
#include "gui/history_texts.h"
#include "gui/log_session.h"

#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

namespace quorvath {

namespace t = history_texts;

namespace {
constexpr int kProgressInterval = 100; // ms
constexpr int kProgressWidth = 420;    // px
} // namespace

HistoryMenu::HistoryMenu(LogSession& session, SettingsStore& settings, UserPrompts& prompts,
                         QWidget* parent)
    : QMenu(t::HistoryMenu, parent), session_(session), settings_(settings), prompts_(prompts),
      importer_(new HistoryImporter(this)), progressTimer_(new QTimer(this)) {
    setObjectName("historyMenu");
    setToolTipsVisible(true);
    importLogs_ = addAction(t::ImportLogsAction, this, &HistoryMenu::onImportLogsTriggered);
    importLogs_->setObjectName("importLogsAction");
    importLogs_->setShortcut(Qt::CTRL | Qt::Key_I);
    importLogs_->setToolTip(t::ImportLogsTip);
    importOpenLog_ =
        addAction(t::ImportOpenLogAction, this, &HistoryMenu::onImportOpenLogTriggered);
    importOpenLog_->setObjectName("importOpenLogAction");
    importOpenLog_->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_I);
    importOpenLog_->setToolTip(t::ImportOpenLogTip);
    addSeparator();
    statistics_ = addAction(t::StatisticsAction, this, &HistoryMenu::onStatisticsTriggered);
    statistics_->setObjectName("historyStatisticsAction");
    statistics_->setShortcut(Qt::CTRL | Qt::Key_H);
    statistics_->setToolTip(t::StatisticsTip);
    // From the statistics window too.
    for (QAction* action : {importLogs_, importOpenLog_, statistics_})
        action->setShortcutContext(Qt::ApplicationShortcut);
    historyFile_ = new QAction(t::HistoryFileAction, this);
    historyFile_->setObjectName("historyFileAction");
    historyFile_->setToolTip(t::HistoryFileTip);
    connect(historyFile_, &QAction::triggered, this, &HistoryMenu::onHistoryFileTriggered);

    connect(importer_, &HistoryImporter::finished, this, &HistoryMenu::onImportFinished);
    connect(progressTimer_, &QTimer::timeout, this, &HistoryMenu::showImportProgress);
    // The statistics window is counted on the session's worker: one job at a time.
    connect(&session_, &LogSession::busyChanged, statistics_, &QAction::setDisabled);
}

std::string HistoryMenu::historyFile() const {
    const std::string chosen = settings_.get(settings_keys::HistoryFile, "");
    return chosen.empty() ? defaultHistoryFile() : chosen;
}

void HistoryMenu::onImportLogsTriggered() {
    const std::vector<std::string> logs = prompts_.openFiles(
        t::ImportDialogTitle, parseFileFilter(texts::LogFilter), openDialogStart(settings_));
    if (!logs.empty())
        startImport(logs);
}

void HistoryMenu::onImportOpenLogTriggered() {
    if (session_.logPath().empty())
        return emit statusChanged(t::NoLogToImport);
    startImport({session_.logPath()}); // the log's file as it is now: it may have grown
}

void HistoryMenu::startImport(const std::vector<std::string>& logs) {
    if (!importer_->start(historyFile(), logs))
        return emit statusChanged(t::ImportRunning);
    for (QAction* action : {importLogs_, importOpenLog_, historyFile_})
        action->setEnabled(false);
    progressDialog_ =
        new QProgressDialog(t::OpeningHistory, t::CancelImport, 0, 100, parentWidget());
    progressDialog_->setObjectName("importProgress");
    progressDialog_->setWindowTitle(t::ImportProgressTitle);
    progressDialog_->setAutoClose(false);
    progressDialog_->setAutoReset(false);
    progressDialog_->setMinimumDuration(0);
    progressDialog_->setMinimumWidth(kProgressWidth); // "Importing NAME (2 of 5)..." fits
    connect(progressDialog_, &QProgressDialog::canceled, this, [this] {
        importer_->cancel();
        progressDialog_->setLabelText(t::StoppingImport);
        emit statusChanged(t::StoppingImport);
    });
    progressDialog_->show();
    progressTimer_->start(kProgressInterval);
}

void HistoryMenu::showImportProgress() {
    if (!progressDialog_ || progressDialog_->wasCanceled())
        return;
    const Progress& progress = importer_->progress();
    progressDialog_->setLabelText(QString::fromStdString(progress.status()));
    const std::int64_t length = progress.length();
    progressDialog_->setValue(length > 0 ? static_cast<int>(progress.position() * 100 / length)
                                         : 0);
}

void HistoryMenu::onImportFinished(const QString& status, const QStringList& problems) {
    progressTimer_->stop();
    if (progressDialog_) {
        progressDialog_->hide(); // before a message about the import shows
        progressDialog_->deleteLater();
        progressDialog_ = nullptr;
    }
    for (QAction* action : {importLogs_, importOpenLog_, historyFile_})
        action->setEnabled(true);
    emit statusChanged(status);
    if (!problems.isEmpty())
        prompts_.message(problems.join('\n').toStdString(), texts::AppTitle);
}

void HistoryMenu::onStatisticsTriggered() {
    if (session_.busy())
        return;
    if (!selectionDialog_)
        selectionDialog_ = new HistorySelectionDialog(settings_, parentWidget());
    if (selectionDialog_->exec() != QDialog::Accepted)
        return;
    const std::string database = historyFile();
    if (!QFileInfo::exists(QString::fromStdString(database))) { // counting creates no history
        const QString missing = t::historyMissing(QString::fromStdString(database));
        emit statusChanged(missing);
        prompts_.message(missing.toStdString(), texts::AppTitle);
        return;
    }
    session_.showHistoryStatistics(database, selectionDialog_->selection(),
                                   selectionDialog_->description());
}

void HistoryMenu::onHistoryFileTriggered() {
    const std::string chosen = prompts_.openFile(
        t::HistoryFileTitle, parseFileFilter(t::HistoryFileFilter), historyFile());
    if (chosen.empty())
        return;
    settings_.set(settings_keys::HistoryFile, chosen);
    emit statusChanged(t::historyFileSet(QString::fromStdString(chosen)));
}

} // namespace quorvath
