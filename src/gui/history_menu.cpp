#include "gui/history_menu.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/history/database/open_history.h"
#include "gui/app_texts.h"
#include "gui/history_importer.h"
#include "gui/history_players_dialog.h"
#include "gui/history_preferences_dialog.h"
#include "gui/history_ratings_dialog.h"
#include "gui/history_selection_dialog.h"
#include "gui/history_texts.h"
#include "gui/log_session.h"

#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

#include <utility>

namespace quorvath {

namespace t = history_texts;

namespace {
constexpr int kProgressInterval = 100; // ms
constexpr int kProgressWidth = 420;    // px
constexpr int kCountDialogDelay = 400; // ms: a quick count shows no dialog
} // namespace

HistoryMenu::HistoryMenu(LogSession& session, SettingsStore& settings, UserPrompts& prompts,
                         QWidget* parent)
    : QMenu(t::HistoryMenu, parent), session_(session), settings_(settings), prompts_(prompts),
      database_(settings), importer_(new HistoryImporter(this)), progressTimer_(new QTimer(this)),
      countTimer_(new QTimer(this)) {
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
    players_ = addAction(t::PlayersAction, this, &HistoryMenu::onPlayersTriggered);
    players_->setObjectName("historyPlayersAction");
    players_->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_H);
    players_->setToolTip(t::PlayersTip);
    ratings_ = addAction(t::RatingsAction, this, &HistoryMenu::onRatingsTriggered);
    ratings_->setObjectName("historyRatingsAction");
    ratings_->setShortcut(Qt::CTRL | Qt::Key_R);
    ratings_->setToolTip(t::RatingsTip);
    // From the statistics window too.
    for (QAction* action : {importLogs_, importOpenLog_, statistics_, players_, ratings_})
        action->setShortcutContext(Qt::ApplicationShortcut);
    preferences_ = new QAction(t::PreferencesAction, this);
    preferences_->setObjectName("historyPreferencesAction");
    preferences_->setToolTip(t::PreferencesTip);
    connect(preferences_, &QAction::triggered, this, &HistoryMenu::onPreferencesTriggered);

    connect(importer_, &HistoryImporter::finished, this, &HistoryMenu::onImportFinished);
    connect(progressTimer_, &QTimer::timeout, this, &HistoryMenu::showImportProgress);
    // The statistics window is counted on the session's worker: one job at a time.
    connect(&session_, &LogSession::busyChanged, statistics_, &QAction::setDisabled);
    connect(countTimer_, &QTimer::timeout, this, [this] {
        if (countDialog_ && !countDialog_->wasCanceled())
            countDialog_->setLabelText(t::countingHistory(session_.progress().position()));
    });
    connect(&session_, &LogSession::workFinished, this,
            [this](LogSession::Work work, const QString& error) {
                if (work == LogSession::Work::StatisticsPass && countDialog_)
                    endCount(error.isEmpty() ? t::historyCounted(session_.progress().position())
                                             : error,
                             error.isEmpty());
            });
    connect(&session_, &LogSession::workStopped, this, [this](LogSession::Work work) {
        if (work != LogSession::Work::StatisticsPass || !countDialog_)
            return;
        const bool cancelled = countDialog_->wasCanceled();
        endCount(t::CountCancelled, false);
        if (cancelled) // back to the selection, once the windows have settled
            QTimer::singleShot(0, this, &HistoryMenu::onStatisticsTriggered);
    });
}

HistoryMenu::~HistoryMenu() {
    delete countDialog_;
    delete playersDialog_;
    delete ratingsDialog_;
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
    if (!importer_->start(database_.where(), logs))
        return emit statusChanged(t::ImportRunning);
    for (QAction* action : {importLogs_, importOpenLog_, preferences_})
        action->setEnabled(false);
    progressDialog_ = new QProgressDialog(t::OpeningHistory, t::CancelWork, 0, 100, parentWidget());
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
    for (QAction* action : {importLogs_, importOpenLog_, preferences_})
        action->setEnabled(true);
    emit statusChanged(status);
    if (!problems.isEmpty())
        prompts_.message(problems.join('\n').toStdString(), texts::AppTitle);
}

void HistoryMenu::onStatisticsTriggered() {
    if (!session_.busy() && selectionChosen(t::SelectionTitle))
        countSelection();
}

bool HistoryMenu::selectionChosen(const char* title) {
    if (!selectionDialog_)
        selectionDialog_ = new HistorySelectionDialog(settings_, parentWidget());
    selectionDialog_->setWindowTitle(title);
    return selectionDialog_->exec() == QDialog::Accepted;
}

void HistoryMenu::onRatingsTriggered() {
    if (!selectionChosen(t::RatingsTitle))
        return;
    if (!ratingsDialog_) {
        // A window of its own: it comes up over the statistics window too.
        ratingsDialog_ = new HistoryRatingsDialog(settings_, prompts_, nullptr);
        connect(ratingsDialog_, &HistoryRatingsDialog::statusChanged, this,
                &HistoryMenu::statusChanged);
    }
    ratingsDialog_->rate(database_.where(), selectionDialog_->selection(),
                         selectionDialog_->description(), storedRankingMinimum(settings_).bots);
}

void HistoryMenu::countSelection() {
    const std::string database = database_.where();
    // Counting creates no history.
    if (!namesPostgresDatabase(database) && !QFileInfo::exists(QString::fromStdString(database))) {
        const QString missing = t::historyMissing(QString::fromStdString(database));
        emit statusChanged(missing);
        prompts_.message(missing.toStdString(), texts::AppTitle);
        return;
    }
    session_.showHistoryStatistics(database, selectionDialog_->selection(),
                                   storedRankingMinimum(settings_),
                                   selectionDialog_->description());
    if (session_.busy())
        showCountProgress();
}

void HistoryMenu::countAgain() {
    if (!selectionDialog_ || session_.historyShown().isEmpty() || !session_.statisticsShown() ||
        session_.busy())
        return;
    countSelection();
    countingAgain_ = true; // what changed the figures has said so
}

// A window of its own, modal over every window (the statistics window has
// just come up over the main window): a count holds both windows' figures.
void HistoryMenu::showCountProgress() {
    countDialog_ = new QProgressDialog(t::ReadingHistory, t::CancelWork, 0, 0, nullptr);
    countDialog_->setObjectName("countProgress");
    countDialog_->setWindowTitle(t::CountProgressTitle);
    countDialog_->setWindowModality(Qt::ApplicationModal);
    countDialog_->setAutoClose(false);
    countDialog_->setAutoReset(false);
    countDialog_->setMinimumDuration(kCountDialogDelay);
    countDialog_->setValue(0); // starts the delay: a busy bar moves no value on
    countDialog_->setMinimumWidth(kProgressWidth);
    connect(countDialog_, &QProgressDialog::canceled, this, [this] {
        session_.stopHistoryCount();
        countDialog_->setLabelText(t::CountCancelled);
    });
    countTimer_->start(kProgressInterval);
}

void HistoryMenu::endCount(const QString& status, bool counted) {
    countTimer_->stop();
    countDialog_->hide();
    countDialog_->deleteLater();
    countDialog_ = nullptr;
    if (std::exchange(countingAgain_, false) && counted)
        return;
    // After the main window's own word on the work that ended.
    QTimer::singleShot(0, this, [this, status] { emit statusChanged(status); });
}

void HistoryMenu::onPlayersTriggered() {
    if (!playersDialog_) {
        // A window of its own: it comes up over the statistics window too.
        playersDialog_ = new HistoryPlayersDialog(database_, settings_, prompts_, nullptr);
        connect(playersDialog_, &HistoryPlayersDialog::statusChanged, this,
                &HistoryMenu::statusChanged);
        connect(playersDialog_, &HistoryPlayersDialog::decided, this, &HistoryMenu::countAgain);
    }
    playersDialog_->open();
}

void HistoryMenu::onPreferencesTriggered() {
    if (!preferencesDialog_) {
        preferencesDialog_ =
            new HistoryPreferencesDialog(database_, settings_, prompts_, parentWidget());
        connect(preferencesDialog_, &HistoryPreferencesDialog::statusChanged, this,
                &HistoryMenu::statusChanged);
        // The rankings' minimum may have changed.
        connect(preferencesDialog_, &HistoryPreferencesDialog::applied, this,
                &HistoryMenu::countAgain);
    }
    preferencesDialog_->open();
}

} // namespace quorvath
