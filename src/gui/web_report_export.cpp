#include "gui/web_report_export.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
#include "core/history/database/open_history.h"
#include "core/match/log_kind.h"
#include "core/web/history_site.h"
#include "core/web/site_folder.h"
#include "core/web/site_pages.h"
#include "gui/app_texts.h"
#include "gui/background_work.h"
#include "gui/log_session.h"
#include "gui/work_progress_dialog.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include <memory>
#include <utility>

namespace quorvath {

namespace {

// How the site names a selection of the match history, as a kind of log.
constexpr const char* kHistoryKind = "match history";

// What the site is made of, copied when the export starts.
struct LogSiteCopy {
    PlayerTable players;
    CountingScope counting;
    bool linked = false;
    std::string nick;
    std::string logName;
    std::string description;

    web::LogSite site(const std::vector<bool>* leftOut = nullptr) const {
        return {players, counting, linked, nick, logName, description, leftOut};
    }
};

// A history selection's site, copied when the export starts: its table as
// shown, who its rankings leave out, and where its matches are read again.
struct HistorySiteCopy {
    LogSiteCopy table;
    std::vector<bool> leftOut;
    std::string database;
    HistorySelection selection;
    bool bots = false;
};

} // namespace

WebReportExport::WebReportExport(LogSession& session, SettingsStore& settings, UserPrompts& prompts,
                                 QWidget* parent)
    : QObject(parent), session_(session), settings_(settings), prompts_(prompts), parent_(parent),
      action_(new QAction(texts::ExportWebReportAction, this)), worker_(new BackgroundWork(this)),
      openInBrowser_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    action_->setObjectName("exportWebReportAction");
    action_->setShortcut(Qt::CTRL | Qt::Key_E);
    action_->setShortcutContext(Qt::ApplicationShortcut); // from the statistics window too
    action_->setToolTip(texts::ExportWebReportTip);
    connect(action_, &QAction::triggered, this, &WebReportExport::onTriggered);
    connect(worker_, &BackgroundWork::finished, this, &WebReportExport::jobEnded);
    observeSession();
}

WebReportExport::~WebReportExport() {
    // The job writes the members below: it ends first, after its page.
    cancel();
    worker_->abandon();
}

bool WebReportExport::running() const { return worker_->running(); }

void WebReportExport::cancel() { progress_.requestStop(); }

void WebReportExport::observeSession() {
    connect(&session_, &LogSession::busyChanged, this, &WebReportExport::updateEnabled);
    // A site waiting for the log's statistics is written once they are counted.
    connect(&session_, &LogSession::statisticsReady, this, [this] {
        if (!pendingFolder_.empty())
            exportShownStatistics(std::exchange(pendingFolder_, {}));
    });
    const auto notCounted = [this](LogSession::Work work) {
        if (work == LogSession::Work::StatisticsPass && !pendingFolder_.empty()) {
            pendingFolder_.clear();
            emit statusChanged(texts::WebReportNotCounted);
        }
    };
    connect(&session_, &LogSession::workStopped, this, notCounted);
    connect(&session_, &LogSession::workFinished, this,
            [notCounted](LogSession::Work work, const QString& error) {
                if (!error.isEmpty())
                    notCounted(work);
            });
}

void WebReportExport::updateEnabled() { action_->setEnabled(!session_.busy() && !running()); }

void WebReportExport::onTriggered() {
    if (session_.busy() || running())
        return emit statusChanged(texts::WebReportRunning);
    const bool counted = session_.statistics().statisticsDone();
    if (!counted && session_.logPath().empty())
        return emit statusChanged(texts::NoLogToExport);
    std::string start = settings_.get(settings_keys::WebReportFolder, "");
    if (start.empty() && !session_.logPath().empty())
        start = QFileInfo(QString::fromStdString(session_.logPath())).absolutePath().toStdString();
    const std::string folder = prompts_.chooseFolder(texts::WebReportFolderTitle, start);
    if (folder.empty())
        return emit statusChanged(texts::NoWebReportFolder);
    settings_.set(settings_keys::WebReportFolder, folder);
    if (counted) // the log's, or the history selection's the statistics window shows
        return exportShownStatistics(folder);
    pendingFolder_ = folder; // the log's statistics first, as "Get the guff" counts them
    emit statusChanged(texts::CountingForWebReport);
    session_.requestStatistics();
}

void WebReportExport::exportShownStatistics(const std::string& folder) {
    if (!session_.historyShown().isEmpty())
        return exportShownHistory(folder);
    const StatisticsSession& statistics = session_.statistics();
    auto site = std::make_shared<const LogSiteCopy>(LogSiteCopy{
        session_.players(), statistics.counting(), statistics.linked(),
        windows1252FromUtf8(session_.nick()),
        windows1252FromUtf8(
            QFileInfo(QString::fromStdString(session_.logPath())).fileName().toStdString()),
        describeLogCounting(session_.logKind(), statistics.counting().mode)});
    writeSite(folder, [site](web::SiteFolder& pages) -> std::optional<std::string> {
        if (web::writeLogSite(site->site(), web::SiteTemplates::builtIn(), pages))
            return std::nullopt;
        return pages.error();
    });
}

void WebReportExport::exportShownHistory(const std::string& folder) {
    StatisticsSession& statistics = session_.statistics();
    const CountingMode mode = statistics.counting().mode;
    auto site = std::make_shared<HistorySiteCopy>(HistorySiteCopy{
        {session_.players(), statistics.counting(), statistics.linked(),
         windows1252FromUtf8(session_.nick()),
         windows1252FromUtf8(session_.historyShown().toStdString()),
         std::string(kHistoryKind) + ", " + std::string(countingModeName(mode)) + " counting"},
        statistics.leftOut(false),
        session_.historyDatabase(),
        session_.historySelection(),
        session_.historyMinimum().bots});
    writeSite(folder, [site](web::SiteFolder& pages) -> std::optional<std::string> {
        std::unique_ptr<HistoryStore> store;
        if (auto error = openHistory(site->database, store))
            return error;
        const web::HistorySite history{site->table.site(&site->leftOut), *store, site->selection,
                                       site->bots};
        return web::writeHistorySite(history, web::SiteTemplates::builtIn(), pages);
    });
}

bool WebReportExport::writeSite(const std::string& folder, SiteWriting writing) {
    if (running())
        return false;
    folder_ = folder;
    written_ = unchanged_ = 0;
    stopped_ = false;
    progress_.requestStop(false);
    progress_.setPosition(0, 0);
    progress_.beginStage(texts::WritingWebReport);
    worker_->start([this, folder, writing = std::move(writing)]() -> std::optional<std::string> {
        web::SiteFolder pages(folder);
        pages.reportTo(progress_);
        const std::optional<std::string> problem = pages.error() ? pages.error() : writing(pages);
        written_ = pages.pagesWritten();
        unchanged_ = pages.pagesUnchanged();
        stopped_ = pages.stopped();
        return stopped_ ? std::nullopt : problem;
    });
    updateEnabled();
    // Over the window the user works in: the statistics window, when it came
    // up to count the log first.
    QWidget* active = QApplication::activeWindow();
    progressDialog_ = new WorkProgressDialog(progress_, texts::WebReportProgressTitle,
                                             texts::CancelWebReport, active ? active : parent_);
    progressDialog_->setObjectName("webReportProgress");
    connect(progressDialog_, &QProgressDialog::canceled, this, [this] {
        cancel();
        progressDialog_->setLabelText(texts::StoppingWebReport);
        emit statusChanged(texts::StoppingWebReport);
    });
    progressDialog_->show();
    return true;
}

void WebReportExport::jobEnded(const QString& error) {
    if (progressDialog_) {
        progressDialog_->hide(); // before a message about the site shows
        progressDialog_->deleteLater();
        progressDialog_ = nullptr;
    }
    updateEnabled();
    const QString folder = QString::fromStdString(folder_);
    if (!error.isEmpty()) {
        emit statusChanged(error);
        prompts_.message(error.toStdString(), texts::AppTitle);
    } else if (stopped_) {
        emit statusChanged(texts::webReportCancelled(written_, folder));
    } else {
        const bool opened = openInBrowser_(
            QUrl::fromLocalFile(QDir(folder).filePath(QStringLiteral("index.html"))));
        emit statusChanged(texts::webReportWritten(written_, unchanged_, folder, opened));
    }
}

} // namespace quorvath
