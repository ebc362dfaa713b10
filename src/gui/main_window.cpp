#include "gui/main_window.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
#include "core/log/log_search.h"
#include "gui/about_dialog.h"
#include "gui/app_texts.h"
#include "gui/control_fonts.h"
#include "gui/counting_menu.h"
#include "gui/history_menu.h"
#include "gui/log_view.h"
#include "gui/logging_mode_dialog.h"
#include "gui/progress_display.h"
#include "gui/qt_colours.h"
#include "gui/twips_layout.h"
#include "gui/web_report_export.h"
#include "gui/zoom_actions.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

namespace quorvath {

namespace {
constexpr int kProgressInterval = 200; // ms
} // namespace

MainWindow::MainWindow(LogSession& session, SettingsStore& settings, UserPrompts& prompts,
                       QWidget* parent)
    : QMainWindow(parent), session_(session), settings_(settings), prompts_(prompts),
      configPath_(settings.get(settings_keys::Sof2CFGFile, "")) {
    setObjectName("mainWindow");
    setWindowTitle(texts::AppTitle);
    buildControls();
    buildMenus();
    // The laid-out size; Qt would otherwise cap a first window at 2/3 of the screen.
    resize(centralWidget()->sizeHint() + QSize(0, menuBar()->sizeHint().height()));
    restoreWindowGeometry();
    setStoredColours(*searchBox_, settings_);
    observeSession();
}

void MainWindow::restoreWindowGeometry() {
    const std::string geometry = settings_.get(settings_keys::MainWindowGeometry, "");
    if (!geometry.empty())
        restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(geometry)));
    const std::string state = settings_.get(settings_keys::MainWindowState, "");
    if (!state.empty())
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(state)));
}

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new TwipsLayout(central, 15240, 10365);
    using A = TwipsLayout::Anchor;
    const int bottomRight = A::Right | A::Bottom;

    logView_ = new LogView(central);
    logView_->setDocument(&session_.document());
    progressDisplay_ =
        new ProgressDisplay(session_.progress(), ProgressDisplay::StageChange::ClearPercent,
                            central, controlFont("Century Gothic", 9.75, true), this);
    progressDisplay_->statusLabel()->setText(texts::Ready);
    searchBox_ = new QLineEdit(central);
    searchBox_->setObjectName("searchBox");
    searchBox_->setFont(controlFont("Arial", 9.75, true));
    searchBox_->setToolTip(texts::SearchBoxTip);

    auto button = [&](const char* name, const char* caption, const char* tip) {
        auto* b = new QPushButton(caption, central);
        b->setObjectName(name);
        b->setFont(controlFont("Arial", 8.25, true));
        b->setFocusPolicy(Qt::TabFocus);
        b->setToolTip(tip);
        return b;
    };
    findButton_ = button("findButton", texts::FindButton, texts::FindTip);
    findNextButton_ = button("findNextButton", texts::FindNextButton, texts::FindNextTip);
    highlightNickButton_ =
        button("highlightNickButton", texts::HighlightNickButton, texts::HighlightNickTip);
    getStatisticsButton_ =
        button("getStatisticsButton", texts::GetStatisticsButton, texts::GetStatisticsTip);
    toggleLogViewButton_ =
        button("toggleLogViewButton", texts::HideLogButton, texts::ToggleLogViewTip);

    layout->add(logView_, 150, 60, 15045, 9435, A::StretchWidth | A::StretchHeight);
    layout->add(progressDisplay_->progressBar(), 150, 9570, 15045, 405,
                A::StretchWidth | A::Bottom);
    // The status label reaches the search box, so that a message names its
    // file in full; the percentage (shown only while work runs, when the
    // status is a short stage name) lies over its right part. Both reach the
    // bottom edge so the bold font's descenders show.
    layout->add(progressDisplay_->statusLabel(), 150, 10080, 5925, 285, A::Bottom);
    layout->add(progressDisplay_->percentLabel(), 3630, 10080, 2355, 285, A::Bottom);
    layout->add(searchBox_, 6150, 10020, 3465, 375, bottomRight);
    layout->add(findButton_, 9690, 10020, 915, 375, bottomRight);
    layout->add(findNextButton_, 10650, 10020, 945, 375, bottomRight);
    layout->add(highlightNickButton_, 11640, 10020, 1305, 375, bottomRight);
    layout->add(getStatisticsButton_, 12990, 10020, 1185, 375, bottomRight);
    layout->add(toggleLogViewButton_, 14220, 10020, 1005, 375, bottomRight);
    setCentralWidget(central);

    connect(findButton_, &QPushButton::clicked, this, &MainWindow::onFindClicked);
    connect(findNextButton_, &QPushButton::clicked, this, &MainWindow::onFindNextClicked);
    connect(highlightNickButton_, &QPushButton::clicked, this, &MainWindow::onHighlightNickClicked);
    connect(getStatisticsButton_, &QPushButton::clicked, this, [this] {
        if (session_.logPath().empty()) // nothing to count: no sheet of zeros
            return showStatus(texts::NoLogToCount);
        session_.requestStatistics();
    });
    connect(toggleLogViewButton_, &QPushButton::clicked, this,
            [this] { showLogView(logView_->isHidden()); });
    connect(searchBox_, &QLineEdit::returnPressed, findButton_, &QPushButton::click);
    connect(logView_, &LogView::findRequested, this, &MainWindow::onFindSelectedText);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        searchBox_->setFocus();
        searchBox_->selectAll();
    });
    connect(new QShortcut(Qt::Key_F3, this), &QShortcut::activated, findNextButton_,
            &QPushButton::click);
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(texts::FileMenu);
    file->setObjectName("fileMenu");
    file->setToolTipsVisible(true);
    openAction_ = file->addAction(texts::OpenAction, this, &MainWindow::onOpenTriggered);
    openAction_->setObjectName("openAction");
    openAction_->setShortcut(QKeySequence::Open);
    recentLogsMenu_ = file->addMenu(texts::RecentLogsMenu);
    recentLogsMenu_->setObjectName("recentLogsMenu");
    recentLogsMenu_->menuAction()->setToolTip(texts::RecentLogsTip);
    connect(recentLogsMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentLogsMenu);
    fillRecentLogsMenu();
    webReport_ = new WebReportExport(session_, settings_, prompts_, this);
    file->addAction(webReport_->action());
    connect(webReport_, &WebReportExport::statusChanged, this, &MainWindow::showStatus);
    file->addSeparator();
    QAction* quit = file->addAction(texts::QuitAction, this, &QWidget::close);
    quit->setObjectName("quitAction");
    quit->setShortcut(QKeySequence::Quit);
    quit->setShortcutContext(Qt::ApplicationShortcut); // from the statistics window too

    QMenu* view = menuBar()->addMenu(texts::ViewMenu);
    view->setObjectName("viewMenu");
    addZoomActions(*view, [this](Zoom step) { logView_->zoom(step); });

    auto* history = new HistoryMenu(session_, settings_, prompts_, this);
    menuBar()->addMenu(history);
    connect(history, &HistoryMenu::statusChanged, this, &MainWindow::showStatus);

    QMenu* prefs = menuBar()->addMenu(texts::PreferencesMenu);
    prefs->setObjectName("preferencesMenu");
    prefs->setToolTipsVisible(true);
    QAction* playerName =
        prefs->addAction(texts::PlayerNameAction, this, &MainWindow::onPlayerNameTriggered);
    playerName->setObjectName("playerNameAction");
    playerName->setToolTip(texts::PlayerNameTip);
    QAction* loggingMode =
        prefs->addAction(texts::LoggingModeAction, this, &MainWindow::onLoggingModeTriggered);
    loggingMode->setObjectName("loggingModeAction");
    loggingMode->setToolTip(texts::LoggingModeTip);
    prefs->addMenu(new CountingMenu(session_, prefs));
    addDatedCopiesMenu(*prefs);
    prefs->addAction(history->preferencesAction());

    QMenu* help = menuBar()->addMenu(texts::HelpMenu);
    help->setObjectName("helpMenu");
    help->setToolTipsVisible(true);
    help->addAction(texts::QuickGuideAction, this, [this] { showQuickGuide(this); })
        ->setObjectName("quickGuideAction");
    QAction* about =
        help->addAction(texts::AboutAction, this, [this] { AboutDialog::showOnce(this); });
    about->setObjectName("aboutAction");
    about->setToolTip(texts::AboutTip);
}

// Preferences > Dated copies: ask each time, or the standing answer of "do not ask again".
void MainWindow::addDatedCopiesMenu(QMenu& prefs) {
    QMenu* menu = prefs.addMenu(texts::DatedCopiesMenu);
    menu->setObjectName("datedCopiesMenu");
    menu->menuAction()->setToolTip(texts::DatedCopiesTip);
    auto* choices = new QActionGroup(menu);
    for (const auto& [text, value] : {std::pair(texts::AskAboutCopies, dated_copies::Ask),
                                      std::pair(texts::AlwaysKeepCopies, dated_copies::Keep),
                                      std::pair(texts::AlwaysDeleteCopies, dated_copies::Delete)}) {
        QAction* choice = menu->addAction(text, this, [this, value = value] {
            settings_.set(settings_keys::DatedCopies, value);
        });
        choice->setObjectName(QString("datedCopies_") + value);
        choice->setCheckable(true);
        choices->addAction(choice);
    }
    // The check mark follows the setting, which the keep question may change too.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        const std::string standing = settings_.get(settings_keys::DatedCopies, dated_copies::Ask);
        for (QAction* choice : menu->actions())
            choice->setChecked(choice->objectName().endsWith(QString::fromStdString(standing)));
    });
}

void MainWindow::showLogView(bool shown) {
    logView_->setVisible(shown);
    toggleLogViewButton_->setText(shown ? texts::HideLogButton : texts::ShowLogButton);
}

void MainWindow::observeSession() {
    connect(&session_, &LogSession::busyChanged, this, &MainWindow::onBusyChanged);
    connect(&session_, &LogSession::workStarted, this, &MainWindow::onWorkStarted);
    connect(&session_, &LogSession::workFinished, this, &MainWindow::onWorkFinished);
    connect(&session_, &LogSession::workStopped, this, &MainWindow::showReady);
    connect(&session_, &LogSession::logReplaced, this, &MainWindow::onLogReplaced);
    connect(&session_, &LogSession::coloursSaved, this,
            [this] { setStoredColours(*searchBox_, settings_); });
    connect(&session_, &LogSession::statisticsRequested, this,
            [this] { logView_->showSelection(); });
}

// --- what the session reports ----------------------------------------------------

void MainWindow::onBusyChanged(bool busy) {
    for (QWidget* w :
         {static_cast<QWidget*>(findButton_), static_cast<QWidget*>(findNextButton_),
          static_cast<QWidget*>(highlightNickButton_), static_cast<QWidget*>(getStatisticsButton_)})
        w->setEnabled(!busy);
    openAction_->setEnabled(!busy);
    recentLogsMenu_->setEnabled(!busy);
}

void MainWindow::onWorkStarted(LogSession::Work work) {
    if (work == LogSession::Work::StatisticsPass)
        return; // shown by the statistics window
    progressDisplay_->start(kProgressInterval);
}

void MainWindow::onWorkFinished(LogSession::Work work, const QString& error) {
    switch (work) {
    case LogSession::Work::Loading:
        if (!error.isEmpty()) {
            showStatus(error); // stays said after the message box is gone
            prompts_.message(error.toStdString(), texts::AppTitle);
        } else { // the user knows how the log was read, and so why it looks as it does
            showStatus(texts::readyWithLogKind(
                QString::fromStdString(describeLogKind(session_.logKind()))));
        }
        break;
    case LogSession::Work::HighlightingNick:
        logView_->stylesChanged();
        showStatus(texts::nickHighlighted(session_.highlightedCount(),
                                          QString::fromStdString(session_.nick())));
        break;
    case LogSession::Work::StatisticsPass: break;
    }
}

void MainWindow::onLogReplaced() {
    logView_->setDocument(&session_.document());
    showLogView(true);
    findPosition_ = 0;
    const QString path = QString::fromStdString(session_.logPath());
    setWindowTitle(texts::titleWithLog(QFileInfo(path).fileName()));
    storeRecentLogs(settings_, withRecentLog(recentLogs(settings_), session_.logPath()));
}

void MainWindow::showReady() { progressDisplay_->showReady(texts::Ready); }

void MainWindow::showStatus(const QString& text) { progressDisplay_->showReady(text); }

// --- the user's commands ---------------------------------------------------------

void MainWindow::onOpenTriggered() {
    const std::string path = prompts_.openFile(
        texts::OpenDialogTitle, parseFileFilter(texts::LogFilter), openDialogStart(settings_));
    session_.openLog(path); // a cancelled dialog ("") leaves the log on screen
}

void MainWindow::fillRecentLogsMenu() {
    recentLogsMenu_->clear();
    const std::vector<std::string> logs = recentLogs(settings_);
    for (std::size_t n = 0; n < logs.size(); ++n) {
        const QString path = QString::fromStdString(logs[n]);
        QAction* entry =
            recentLogsMenu_->addAction(QString("&%1 %2").arg(n + 1).arg(QFileInfo(path).fileName()),
                                       this, [this, log = logs[n]] { onRecentLogTriggered(log); });
        entry->setObjectName(QString("recentLog%1").arg(n + 1));
        entry->setToolTip(path);
    }
    if (logs.empty())
        recentLogsMenu_->addAction(texts::NoRecentLogs)->setEnabled(false);
}

void MainWindow::onRecentLogTriggered(const std::string& path) {
    if (session_.busy())
        return;
    if (!QFileInfo::exists(QString::fromStdString(path))) {
        std::vector<std::string> logs = recentLogs(settings_);
        logs.erase(std::remove(logs.begin(), logs.end(), path), logs.end());
        storeRecentLogs(settings_, logs);
        const QString missing = texts::recentLogMissing(QString::fromStdString(path));
        prompts_.message(missing.toStdString(), texts::AppTitle);
        showStatus(missing);
        return;
    }
    session_.openLog(path);
}

bool MainWindow::askForNick() {
    const auto answer = prompts_.inputBox(texts::NickPrompt, texts::AppTitle, session_.nick());
    // Deliberate: an answer "2" is a name like any other (only "" changes nothing).
    if (!answer || answer->empty())
        return false;
    session_.setNick(*answer);
    showStatus(texts::NickSet + QString::fromStdString(*answer));
    return true;
}

void MainWindow::onPlayerNameTriggered() { askForNick(); }

void MainWindow::onLoggingModeTriggered() {
    LoggingModeDialog* dialog = LoggingModeDialog::showFor(configPath_, settings_, prompts_, this);
    if (!dialog)
        return showStatus(texts::NoConfigChosen);
    connect(dialog, &LoggingModeDialog::settingsWritten, this, &MainWindow::showStatus);
}

std::string MainWindow::searchText() const {
    return windows1252FromUtf8(searchBox_->text().toStdString());
}

void MainWindow::onFindClicked() {
    if (session_.busy())
        return;
    findPosition_ = findFirst(session_.document(), searchText());
    showFindResult(findPosition_, false);
}

void MainWindow::onFindNextClicked() {
    if (session_.busy())
        return;
    findPosition_ = findNext(session_.document(), searchText(), findPosition_);
    const bool wrapped = findPosition_ < 0 && !searchText().empty();
    if (wrapped) // past the last hit: on from the top, as the user is told
        findPosition_ = findFirst(session_.document(), searchText());
    showFindResult(findPosition_, wrapped);
}

void MainWindow::onFindSelectedText(const QString& text) {
    searchBox_->setText(text);
    findPosition_ = session_.document().selStart();
    onFindNextClicked();
}

void MainWindow::showFindResult(int hit, bool wrapped) {
    hit >= 0 ? logView_->showSelection() : logView_->stylesChanged();
    if (searchText().empty())
        showStatus(texts::NothingToFind);
    else if (hit < 0)
        showStatus(texts::NotFound + searchBox_->text());
    else
        showStatus(wrapped ? texts::WrappedToTop : texts::Ready);
}

void MainWindow::onHighlightNickClicked() {
    if (session_.busy())
        return;
    if (session_.nick().empty() && !askForNick())
        return showStatus(texts::NoNickNothingHighlighted);
    progressDisplay_->statusLabel()->setText(texts::HighlightingNick);
    session_.highlightNick(); // clears the selection first
    logView_->stylesChanged();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!session_.end()) { // the user went back
        event->ignore();
        return;
    }
    settings_.set(settings_keys::MainWindowGeometry, saveGeometry().toBase64().toStdString());
    settings_.set(settings_keys::MainWindowState, saveState().toBase64().toStdString());
    QMainWindow::closeEvent(event);
}

} // namespace quorvath
