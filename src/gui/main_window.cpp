#include "gui/main_window.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
#include "core/log/log_document.h"
#include "core/log/log_file.h"
#include "core/log/log_loader.h"
#include "core/log/log_search.h"
#include "gui/about_dialog.h"
#include "gui/app_texts.h"
#include "gui/log_view.h"
#include "gui/logging_mode_dialog.h"
#include "gui/qt_background_work.h"
#include "gui/qt_colours.h"
#include "gui/qt_fonts.h"
#include "gui/qt_twips_layout.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include <ctime>

namespace quorvath {

namespace {

std::tm localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm now{};
    localtime_r(&t, &now);
    return now;
}

} // namespace

MainWindow::MainWindow(SettingsStore& settings, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), settings_(settings), prompts_(prompts),
      doc_(std::make_unique<LogDocument>()), work_(new BackgroundWork(this)) {
    setObjectName("Form1");
    setWindowTitle(texts::AppTitle);
    buildControls();
    buildMenus();
    // The design size; Qt would otherwise cap a first window at 2/3 of the screen.
    resize(centralWidget()->sizeHint() + QSize(0, menuBar()->sizeHint().height()));
    // Form_Load
    logloaded_ = false;
    nick_ = settings_.get(settings_keys::Nick, "");
    cfgpath_ = settings_.get(settings_keys::Sof2CFGFile, kDefaultCfgPath);
    applySearchBoxColours();
}

MainWindow::~MainWindow() {
    // The worker may still be filling the document: let it end first.
    work_->wait();
}

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new TwipsLayout(central, 15240, 10365);
    using A = TwipsLayout::Anchor;
    const int bottomRight = A::Right | A::Bottom;

    view_ = new LogView(central);
    view_->setDocument(doc_.get());
    progressBar1_ = new QProgressBar(central);
    progressBar1_->setObjectName("ProgressBar1");
    progressBar1_->setRange(0, 100);
    progressBar1_->setValue(0);
    progressBar1_->setTextVisible(false);
    label1_ = new QLabel(texts::Ready, central);
    label1_->setObjectName("Label1");
    label2_ = new QLabel(central);
    label2_->setObjectName("Label2");
    const QFont labelFont = designFont("Century Gothic", 9.75, true);
    label1_->setFont(labelFont);
    label2_->setFont(labelFont);
    txtSearch_ = new QLineEdit(central);
    txtSearch_->setObjectName("txtSearch");
    txtSearch_->setFont(designFont("Arial", 9.75, true));

    auto button = [&](const char* name, const char* caption) {
        auto* b = new QPushButton(caption, central);
        b->setObjectName(name);
        b->setFont(designFont("Arial", 8.25, true));
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    findBtn_ = button("FindBtn", texts::FindBtn);
    findNextBtn_ = button("FindNextBtn", texts::FindNextBtn);
    colourNickBtn_ = button("ColourNickBtn", texts::ColourNickBtn);
    getStatsBtn_ = button("GetStatsBtn", texts::GetStatsBtn);
    go_ = button("Go", texts::Go);

    layout->add(view_, 150, 60, 15045, 9435, A::StretchWidth | A::StretchHeight);
    layout->add(progressBar1_, 150, 9570, 15045, 405, A::StretchWidth | A::Bottom);
    // Label1 ends where Label2 begins, so a long status never hides the percentage;
    // both labels reach the bottom edge so the bold font's descenders show.
    layout->add(label1_, 150, 10080, 3480, 285, A::Bottom);
    layout->add(label2_, 3630, 10080, 2355, 285, A::Bottom);
    layout->add(txtSearch_, 6150, 10020, 4065, 375, bottomRight);
    layout->add(findBtn_, 10290, 10020, 915, 375, bottomRight);
    layout->add(findNextBtn_, 11250, 10020, 945, 375, bottomRight);
    layout->add(colourNickBtn_, 12240, 10020, 1305, 375, bottomRight);
    layout->add(getStatsBtn_, 13590, 10020, 1185, 375, bottomRight);
    layout->add(go_, 14820, 10020, 405, 375, bottomRight);
    setCentralWidget(central);

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(200);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
    connect(findBtn_, &QPushButton::clicked, this, &MainWindow::FindBtn_Click);
    connect(findNextBtn_, &QPushButton::clicked, this, &MainWindow::FindNextBtn_Click);
    connect(colourNickBtn_, &QPushButton::clicked, this, &MainWindow::ColourNickBtn_Click);
    connect(getStatsBtn_, &QPushButton::clicked, this, &MainWindow::getStatsRequested);
    connect(go_, &QPushButton::clicked, this, &MainWindow::Go_Click);
    connect(txtSearch_, &QLineEdit::returnPressed, findBtn_, &QPushButton::click);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        txtSearch_->setFocus();
        txtSearch_->selectAll();
    });
    connect(new QShortcut(Qt::Key_F3, this), &QShortcut::activated, findNextBtn_,
            &QPushButton::click);
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(texts::FileMenu);
    file->setObjectName("FileMenu");
    openAction_ = file->addAction(texts::FileMenuOpen, this, &MainWindow::FileMenuOpen_Click);
    openAction_->setObjectName("FileMenuOpen");
    openAction_->setShortcut(QKeySequence::Open);
    QMenu* prefs = menuBar()->addMenu(texts::PreferencesMenu);
    prefs->setObjectName("PreferencesMenu");
    prefs
        ->addAction(texts::PreferencesMenuPlayerName, this,
                    &MainWindow::PreferencesMenuPlayerName_Click)
        ->setObjectName("PreferencesMenuPlayerName");
    prefs->addAction(texts::PreferencesMenuLogMode, this, &MainWindow::PreferencesMenuLogMode_Click)
        ->setObjectName("PreferencesMenuLogMode");
    // A menu-bar item without entries that acts when clicked.
    menuBar()->addAction(texts::AboutMenu, this, &MainWindow::About_Click)->setObjectName("About");
}

void MainWindow::applySearchBoxColours() {
    QPalette pal = txtSearch_->palette();
    pal.setColor(QPalette::Text, qColorFromBgr(static_cast<std::uint32_t>(colourSetting(
                                     settings_, settings_keys::TextColor, kDefaultTextColor))));
    pal.setColor(QPalette::Base, qColorFromBgr(static_cast<std::uint32_t>(colourSetting(
                                     settings_, settings_keys::BackColor, kDefaultBackColor))));
    txtSearch_->setPalette(pal);
}

bool MainWindow::busy() const { return work_->running(); }

void MainWindow::setBusy(bool busy) {
    for (QWidget* w : {static_cast<QWidget*>(findBtn_), static_cast<QWidget*>(findNextBtn_),
                       static_cast<QWidget*>(colourNickBtn_), static_cast<QWidget*>(getStatsBtn_)})
        w->setEnabled(!busy);
    openAction_->setEnabled(!busy);
}

bool MainWindow::runWork(std::function<std::optional<std::string>()> job,
                         std::function<void(const QString&)> done) {
    if (work_->running())
        return false;
    shownStage_ = progress_.stage(); // a stale status is not shown
    progress_.setPosition(0, 0);
    setBusy(true);
    timer1_->start();
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(work_, &BackgroundWork::finished, this,
                          [this, connection, done = std::move(done)](const QString& error) {
                              disconnect(*connection);
                              done(error);
                              setBusy(false);
                              emit workFinished();
                          });
    work_->start(std::move(job));
    return true;
}

void MainWindow::say(const std::string& text) { prompts_.message(text, texts::AppTitle); }

std::string MainWindow::searchText() const {
    return windows1252FromUtf8(txtSearch_->text().toStdString());
}

// --- File > Open -------------------------------------------------------------

void MainWindow::FileMenuOpen_Click() {
    if (busy())
        return;
    const std::string path =
        prompts_.openFile(texts::OpenDialogTitle, parseFileFilter(texts::LogFilter),
                          settings_.get(settings_keys::SofDir, ""));
    openChosenFile(path);
}

void MainWindow::openChosenFile(const std::string& path) {
    if (busy())
        return;
    view_->setDocument(nullptr);
    doc_ = std::make_unique<LogDocument>();
    emit logCleared();
    view_->hide();
    settings_.set(settings_keys::SofDir, path);
    if (!path.empty())
        Openfile(path);
    else
        view_->setDocument(doc_.get());
}

void MainWindow::Openfile(const std::string& currentLogFile) {
    if (logloaded_ && !prompts_.askYesNo(texts::KeepQuestion + archivecopy_, texts::AppTitle)) {
        if (auto error = removeFile(archivecopy_))
            say(*error);
    }
    // A log that cannot be loaded is refused before a copy of it is made.
    if (auto error = checkLogFile(currentLogFile)) {
        logloaded_ = false; // the earlier copy was asked about just now
        finishOpen(QString::fromStdString(*error));
        return;
    }
    archivecopy_ = archiveCopyName(currentLogFile, localNow());
    // logloaded stands for "an archive copy to ask about": set once the copy is made.
    logloaded_ = false;
    auto copied = std::make_shared<bool>(false);
    LogDocument* doc = doc_.get();
    runWork(
        [this, from = currentLogFile, to = archivecopy_, doc,
         copied]() -> std::optional<std::string> {
            if (auto error = copyFileReplacing(from, to))
                return error;
            *copied = true;
            return loadLog(to, *doc, progress_);
        },
        [this, copied](const QString& error) {
            logloaded_ = *copied;
            finishOpen(error);
        });
}

void MainWindow::finishOpen(const QString& error) {
    if (!error.isEmpty()) {
        doc_ = std::make_unique<LogDocument>(); // nothing half-loaded stays
        view_->setDocument(doc_.get());
        view_->hide();
        showReady();
        say(error.toStdString());
        return;
    }
    doc_->setSelStart(0);
    view_->setDocument(doc_.get());
    view_->show();
    showReady();
}

void MainWindow::showReady() {
    timer1_->stop();
    progressBar1_->setValue(0);
    label1_->setText(texts::Ready);
    label2_->clear();
}

void MainWindow::Timer1_Timer() {
    if (progress_.stage() != shownStage_) {
        shownStage_ = progress_.stage();
        label1_->setText(QString::fromStdString(progress_.status()));
        label2_->clear();
    }
    double value = 0;
    if (!progressValue(progress_.position(), progress_.length(), value))
        return; // no text to measure against: the display stays
    progressBar1_->setValue(static_cast<int>(value));
    label2_->setText(QString::fromStdString(percentCaption(value)));
}

// --- search ------------------------------------------------------------------

void MainWindow::FindBtn_Click() {
    if (busy())
        return;
    findpos_ = findFirst(*doc_, searchText());
    findpos_ >= 0 ? view_->showSelection() : view_->stylesChanged();
}

void MainWindow::FindNextBtn_Click() {
    if (busy())
        return;
    findpos_ = findNext(*doc_, searchText(), findpos_);
    findpos_ >= 0 ? view_->showSelection() : view_->stylesChanged();
}

void MainWindow::ColourNickBtn_Click() {
    if (busy())
        return;
    timer1_->start();
    label1_->setText(texts::HighlightingNick);
    doc_->select(0, 0);
    view_->stylesChanged();
    const std::string nick = windows1252FromUtf8(nick_);
    auto hits = std::make_shared<std::vector<int>>();
    const LogDocument* doc = doc_.get();
    runWork(
        [this, doc, nick, hits]() -> std::optional<std::string> {
            *hits = findNickHits(*doc, nick, progress_);
            return std::nullopt;
        },
        [this, nick, hits](const QString&) {
            highlightHits(*doc_, *hits, static_cast<int>(nick.size()));
            view_->stylesChanged();
            showReady();
        });
}

// --- preferences, view toggle, About, closing -----------------------------------

void MainWindow::PreferencesMenuPlayerName_Click() {
    const std::string answer = prompts_.inputBox(texts::NickPrompt, texts::AppTitle);
    // Deliberate: an answer "2" is a name like any other (only "" changes nothing).
    if (answer.empty())
        return;
    nick_ = answer;
    settings_.set(settings_keys::Nick, answer);
}

void MainWindow::PreferencesMenuLogMode_Click() {
    LoggingModeDialog::showFor(cfgpath_, settings_, prompts_, this);
}

void MainWindow::Go_Click() { view_->setHidden(!view_->isHidden()); }

void MainWindow::About_Click() { AboutDialog::showOnce(this); }

void MainWindow::closeEvent(QCloseEvent* event) {
    work_->wait();
    emit unloading();
    QMainWindow::closeEvent(event);
    Form_Terminate();
}

void MainWindow::Form_Terminate() {
    if (terminated_)
        return;
    terminated_ = true;
    if (logloaded_ && !prompts_.askYesNo(texts::KeepQuestion + archivecopy_, texts::AppTitle)) {
        if (auto error = removeFile(archivecopy_))
            say(*error);
    }
}

} // namespace quorvath
