#include "gui/main_window.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
#include "core/log/log_search.h"
#include "gui/about_dialog.h"
#include "gui/app_texts.h"
#include "gui/control_fonts.h"
#include "gui/log_view.h"
#include "gui/logging_mode_dialog.h"
#include "gui/progress_display.h"
#include "gui/qt_colours.h"
#include "gui/twips_layout.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>

namespace quorvath {

namespace {
constexpr int kProgressInterval = 200; // ms
} // namespace

MainWindow::MainWindow(LogSession& session, SettingsStore& settings, UserPrompts& prompts,
                       QWidget* parent)
    : QMainWindow(parent), session_(session), settings_(settings), prompts_(prompts),
      configPath_(settings.get(settings_keys::Sof2CFGFile, kDefaultCfgPath)) {
    setObjectName("mainWindow");
    setWindowTitle(texts::AppTitle);
    buildControls();
    buildMenus();
    // The laid-out size; Qt would otherwise cap a first window at 2/3 of the screen.
    resize(centralWidget()->sizeHint() + QSize(0, menuBar()->sizeHint().height()));
    setStoredColours(*searchBox_, settings_);
    observeSession();
}

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new TwipsLayout(central, 15240, 10365);
    using A = TwipsLayout::Anchor;
    const int bottomRight = A::Right | A::Bottom;

    logView_ = new LogView(central);
    logView_->setDocument(&session_.document());
    progressBar_ = new QProgressBar(central);
    progressBar_->setObjectName("progressBar");
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    progressBar_->setTextVisible(false);
    statusLabel_ = new QLabel(texts::Ready, central);
    statusLabel_->setObjectName("statusLabel");
    percentLabel_ = new QLabel(central);
    percentLabel_->setObjectName("percentLabel");
    const QFont labelFont = controlFont("Century Gothic", 9.75, true);
    statusLabel_->setFont(labelFont);
    percentLabel_->setFont(labelFont);
    searchBox_ = new QLineEdit(central);
    searchBox_->setObjectName("searchBox");
    searchBox_->setFont(controlFont("Arial", 9.75, true));

    auto button = [&](const char* name, const char* caption) {
        auto* b = new QPushButton(caption, central);
        b->setObjectName(name);
        b->setFont(controlFont("Arial", 8.25, true));
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    findButton_ = button("findButton", texts::FindButton);
    findNextButton_ = button("findNextButton", texts::FindNextButton);
    highlightNickButton_ = button("highlightNickButton", texts::HighlightNickButton);
    getStatisticsButton_ = button("getStatisticsButton", texts::GetStatisticsButton);
    toggleLogViewButton_ = button("toggleLogViewButton", texts::ToggleLogViewButton);

    layout->add(logView_, 150, 60, 15045, 9435, A::StretchWidth | A::StretchHeight);
    layout->add(progressBar_, 150, 9570, 15045, 405, A::StretchWidth | A::Bottom);
    // The status label ends where the percentage begins, so a long status never
    // hides it; both reach the bottom edge so the bold font's descenders show.
    layout->add(statusLabel_, 150, 10080, 3480, 285, A::Bottom);
    layout->add(percentLabel_, 3630, 10080, 2355, 285, A::Bottom);
    layout->add(searchBox_, 6150, 10020, 4065, 375, bottomRight);
    layout->add(findButton_, 10290, 10020, 915, 375, bottomRight);
    layout->add(findNextButton_, 11250, 10020, 945, 375, bottomRight);
    layout->add(highlightNickButton_, 12240, 10020, 1305, 375, bottomRight);
    layout->add(getStatisticsButton_, 13590, 10020, 1185, 375, bottomRight);
    layout->add(toggleLogViewButton_, 14820, 10020, 405, 375, bottomRight);
    setCentralWidget(central);

    progressDisplay_ =
        new ProgressDisplay(session_.progress(), ProgressDisplay::StageChange::ClearPercent,
                            statusLabel_, percentLabel_, progressBar_, this);
    connect(findButton_, &QPushButton::clicked, this, &MainWindow::onFindClicked);
    connect(findNextButton_, &QPushButton::clicked, this, &MainWindow::onFindNextClicked);
    connect(highlightNickButton_, &QPushButton::clicked, this, &MainWindow::onHighlightNickClicked);
    connect(getStatisticsButton_, &QPushButton::clicked, &session_, &LogSession::requestStatistics);
    connect(toggleLogViewButton_, &QPushButton::clicked, this,
            [this] { logView_->setHidden(!logView_->isHidden()); });
    connect(searchBox_, &QLineEdit::returnPressed, findButton_, &QPushButton::click);
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
    openAction_ = file->addAction(texts::OpenAction, this, &MainWindow::onOpenTriggered);
    openAction_->setObjectName("openAction");
    openAction_->setShortcut(QKeySequence::Open);
    QMenu* prefs = menuBar()->addMenu(texts::PreferencesMenu);
    prefs->setObjectName("preferencesMenu");
    prefs->addAction(texts::PlayerNameAction, this, &MainWindow::onPlayerNameTriggered)
        ->setObjectName("playerNameAction");
    prefs
        ->addAction(texts::LoggingModeAction, this,
                    [this] { LoggingModeDialog::showFor(configPath_, settings_, prompts_, this); })
        ->setObjectName("loggingModeAction");
    // A menu-bar item without entries that acts when clicked.
    menuBar()
        ->addAction(texts::AboutMenu, this, [this] { AboutDialog::showOnce(this); })
        ->setObjectName("aboutAction");
}

void MainWindow::observeSession() {
    connect(&session_, &LogSession::busyChanged, this, &MainWindow::onBusyChanged);
    connect(&session_, &LogSession::workStarted, this, &MainWindow::onWorkStarted);
    connect(&session_, &LogSession::workFinished, this, &MainWindow::onWorkFinished);
    connect(&session_, &LogSession::workStopped, this, &MainWindow::showReady);
    connect(&session_, &LogSession::logCleared, this, &MainWindow::onLogCleared);
    connect(&session_, &LogSession::statisticsRequested, this, [this] {
        showMinimized();
        logView_->showSelection();
    });
    connect(&session_, &LogSession::statisticsClosed, this, &MainWindow::showMaximized);
}

// --- what the session reports ----------------------------------------------------

void MainWindow::onBusyChanged(bool busy) {
    for (QWidget* w :
         {static_cast<QWidget*>(findButton_), static_cast<QWidget*>(findNextButton_),
          static_cast<QWidget*>(highlightNickButton_), static_cast<QWidget*>(getStatisticsButton_)})
        w->setEnabled(!busy);
    openAction_->setEnabled(!busy);
}

void MainWindow::onWorkStarted(LogSession::Work work) {
    if (work == LogSession::Work::StatisticsPass)
        return; // shown by the statistics window
    if (work == LogSession::Work::Loading)
        logView_->setDocument(nullptr); // the worker fills the document
    progressDisplay_->start(kProgressInterval);
}

void MainWindow::onWorkFinished(LogSession::Work work, const QString& error) {
    switch (work) {
    case LogSession::Work::Loading:
        logView_->setDocument(&session_.document());
        logView_->setVisible(error.isEmpty());
        showReady();
        if (!error.isEmpty())
            prompts_.message(error.toStdString(), texts::AppTitle);
        break;
    case LogSession::Work::HighlightingNick:
        logView_->stylesChanged();
        showReady();
        break;
    case LogSession::Work::StatisticsPass: break;
    }
}

void MainWindow::onLogCleared() {
    logView_->setDocument(&session_.document());
    logView_->hide();
    showReady();
}

void MainWindow::showReady() { progressDisplay_->showReady(texts::Ready); }

// --- the user's commands ---------------------------------------------------------

void MainWindow::onOpenTriggered() {
    session_.openLog(prompts_.openFile(texts::OpenDialogTitle, parseFileFilter(texts::LogFilter),
                                       settings_.get(settings_keys::SofDir, "")));
}

void MainWindow::onPlayerNameTriggered() {
    const std::string answer = prompts_.inputBox(texts::NickPrompt, texts::AppTitle);
    // Deliberate: an answer "2" is a name like any other (only "" changes nothing).
    if (!answer.empty())
        session_.setNick(answer);
}

std::string MainWindow::searchText() const {
    return windows1252FromUtf8(searchBox_->text().toStdString());
}

void MainWindow::onFindClicked() {
    if (session_.busy())
        return;
    findPosition_ = findFirst(session_.document(), searchText());
    findPosition_ >= 0 ? logView_->showSelection() : logView_->stylesChanged();
}

void MainWindow::onFindNextClicked() {
    if (session_.busy())
        return;
    findPosition_ = findNext(session_.document(), searchText(), findPosition_);
    findPosition_ >= 0 ? logView_->showSelection() : logView_->stylesChanged();
}

void MainWindow::onHighlightNickClicked() {
    if (session_.busy())
        return;
    statusLabel_->setText(texts::HighlightingNick);
    session_.highlightNick(); // clears the selection first
    logView_->stylesChanged();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    session_.end();
    QMainWindow::closeEvent(event);
}

} // namespace quorvath
