#include "gui/statistics_window.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
#include "core/match/accurate_pass.h"
#include "core/stats/statistics_pass.h"
#include "gui/alias_selection_window.h"
#include "gui/app_texts.h"
#include "gui/control_fonts.h"
#include "gui/counting_menu.h"
#include "gui/drag_list_widget.h"
#include "gui/drop_pane_widget.h"
#include "gui/history_texts.h"
#include "gui/progress_display.h"
#include "gui/qt_colours.h"
#include "gui/statistics_texts.h"
#include "gui/twips_layout.h"
#include "gui/weapon_chart_view.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollArea>
#include <QStackedWidget>

#include <algorithm>
#include <string>
#include <utility>

namespace quorvath {

namespace t = statistics_texts;

namespace {

// The progress display ticks every 200 ms, every 50 ms from the fifth scan on.
constexpr int kFirstInterval = 200;
constexpr int kLaterInterval = 50;
constexpr int kFirstQuickScan = 5;
constexpr double kPanePointSize = 8.25;

QString shown(std::string_view windows1252) {
    return QString::fromStdString(utf8FromWindows1252(std::string(windows1252)));
}

// A pane's place: its text, or its chart in a scroll area (a chart taller
// than the pane scrolls).
QStackedWidget* paneStack(DropPaneWidget* text, WeaponChartView* chart, QWidget* parent) {
    auto* stack = new QStackedWidget(parent);
    stack->addWidget(text);
    auto* scroll = new QScrollArea(stack);
    scroll->setWidgetResizable(true);
    scroll->setWidget(chart);
    stack->addWidget(scroll);
    return stack;
}

QColor halfway(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

} // namespace

StatisticsWindow::StatisticsWindow(LogSession& session, SettingsStore& settings,
                                   UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), session_(session), settings_(settings), prompts_(prompts),
      runSelection_([](AliasSelectionWindow& window) { window.exec(); }) {
    setObjectName("statisticsWindow");
    setWindowTitle(t::WindowCaption);
    buildControls();
    buildMenus();
    resize(sizeHint());
    observeSession();
    showStartState();
}

void StatisticsWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new TwipsLayout(central, 15240, 10455);
    using A = TwipsLayout::Anchor;

    playerList_ = new DragListWidget(DraggedList::Players, central);
    playerList_->setObjectName("playerList");
    rankingList_ = new DragListWidget(DraggedList::Categories, central);
    rankingList_->setObjectName("rankingList");
    playerList_->setToolTip(t::PlayerListTip);
    rankingList_->setToolTip(t::CategoryListTip);
    for (DragListWidget* list : {playerList_, rankingList_}) {
        list->setFont(controlFont("Arial", 12, true));
        connect(list, &DragListWidget::showRequested, this,
                [this, list](Pane pane) { dropOnPane(pane, list->list()); });
    }

    // The panes share the room right of the lists half and half, each under
    // its caption.
    auto* panes = new QWidget(central);
    paneGrid_ = new QGridLayout(panes);
    paneGrid_->setContentsMargins(0, 0, 0, 0);
    paneGrid_->setHorizontalSpacing(5); // 75 twips
    paneGrid_->setVerticalSpacing(2);
    leftPane_ = new DropPaneWidget(panes);
    leftPane_->setObjectName("leftPane");
    rightPane_ = new DropPaneWidget(panes);
    rightPane_->setObjectName("rightPane");
    leftCaption_ = new QLabel(panes);
    leftCaption_->setObjectName("leftCaption");
    rightCaption_ = new QLabel(panes);
    rightCaption_->setObjectName("rightCaption");
    leftChart_ = new WeaponChartView(panes);
    leftChart_->setObjectName("leftChart");
    rightChart_ = new WeaponChartView(panes);
    rightChart_->setObjectName("rightChart");
    leftStack_ = paneStack(leftPane_, leftChart_, panes);
    rightStack_ = paneStack(rightPane_, rightChart_, panes);
    for (const Pane side : {Pane::Left, Pane::Right}) {
        const bool left = side == Pane::Left;
        QLabel* caption = left ? leftCaption_ : rightCaption_;
        caption->setFont(controlFont("Arial", 9.75, true));
        caption->setTextFormat(Qt::PlainText);
        // A long caption is cut at the pane's edge rather than widening its column.
        caption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        const int column = left ? 0 : 1;
        paneGrid_->addWidget(caption, 0, column);
        paneGrid_->addWidget(left ? leftStack_ : rightStack_, 1, column);
        paneGrid_->setColumnStretch(column, 1);
        DropPaneWidget* pane = left ? leftPane_ : rightPane_;
        WeaponChartView* chart = left ? leftChart_ : rightChart_;
        pane->setFont(controlFont("Arial", kPanePointSize, true));
        chart->setFont(pane->font());
        auto dropped = [this, side](DraggedList list) { dropOnPane(side, list); };
        connect(pane, &DropPaneWidget::listDropped, this, dropped);
        connect(chart, &WeaponChartView::listDropped, this, dropped);
    }

    progressDisplay_ =
        new ProgressDisplay(session_.progress(), ProgressDisplay::StageChange::ShowPreviousComplete,
                            central, controlFont("Arial", 9.75, true), this);

    // The lists leave the panes room for the widest report line (a ranking of
    // long names) down to a window 1000 pixels wide.
    layout->add(playerList_, 120, 30, 5400, 4620, A::Fixed);
    layout->add(rankingList_, 120, 4740, 5400, 4905, A::StretchHeight);
    layout->add(panes, 5595, 30, 9660, 10395, A::StretchWidth | A::StretchHeight);
    layout->add(progressDisplay_->progressBar(), 120, 9750, 5400, 345, A::Bottom);
    layout->add(progressDisplay_->statusLabel(), 120, 10170, 3780, 255, A::Bottom);
    layout->add(progressDisplay_->percentLabel(), 3900, 10170, 1620, 255, A::Bottom);
    setCentralWidget(central);
}

void StatisticsWindow::buildMenus() {
    aliasesMenu_ = menuBar()->addMenu(t::AliasesMenu);
    aliasesMenu_->setObjectName("aliasesMenu");
    aliasesMenu_->setToolTipsVisible(true);
    linkAliasesAction_ =
        aliasesMenu_->addAction(t::LinkAliases, this, &StatisticsWindow::onLinkAliasesTriggered);
    linkAliasesAction_->setObjectName("linkAliasesAction");
    linkAliasesAction_->setCheckable(true);
    linkAliasesAction_->setToolTip(t::LinkAliasesTip);
    QAction* select = aliasesMenu_->addAction(t::SelectKeyAliases, this,
                                              &StatisticsWindow::onSelectKeyAliasesTriggered);
    select->setObjectName("selectKeyAliasesAction");
    select->setToolTip(t::SelectKeyAliasesTip);
    QMenu* view = menuBar()->addMenu(texts::ViewMenu);
    view->setObjectName("viewMenu");
    view->setToolTipsVisible(true);
    addZoomActions(*view, [this](Zoom step) { zoomPanes(step); });
    view->addSeparator();
    chartLeftAction_ =
        view->addAction(t::ChartInLeftPane, this, [this] { showChartOfChosenPlayer(Pane::Left); });
    chartLeftAction_->setObjectName("chartLeftAction");
    chartLeftAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    chartRightAction_ = view->addAction(t::ChartInRightPane, this,
                                        [this] { showChartOfChosenPlayer(Pane::Right); });
    chartRightAction_->setObjectName("chartRightAction");
    chartRightAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Return),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Enter)});
    for (QAction* chart : {chartLeftAction_, chartRightAction_})
        chart->setToolTip(t::ChartTip);
    playerList_->addMenuActions({chartLeftAction_, chartRightAction_});
    QMenu* prefs = menuBar()->addMenu(t::PreferencesMenu);
    prefs->setObjectName("preferencesMenu");
    prefs->setToolTipsVisible(true);
    prefs->addAction(t::TextColour, this, &StatisticsWindow::onTextColourTriggered)
        ->setObjectName("textColourAction");
    prefs->addAction(t::BackgroundColour, this, &StatisticsWindow::onBackgroundColourTriggered)
        ->setObjectName("backgroundColourAction");
    QAction* save =
        prefs->addAction(t::SaveColours, this, &StatisticsWindow::onSaveColoursTriggered);
    save->setObjectName("saveColoursAction");
    save->setToolTip(t::SaveColoursTip);
    prefs->addSeparator();
    prefs->addMenu(new CountingMenu(session_, prefs));
}

void StatisticsWindow::observeSession() {
    connect(&session_, &LogSession::busyChanged, this, &StatisticsWindow::updateEnabled);
    connect(&session_, &LogSession::workStarted, this, &StatisticsWindow::onWorkStarted);
    connect(&session_, &LogSession::workFinished, this, &StatisticsWindow::onWorkFinished);
    connect(&session_, &LogSession::workStopped, this, [this](LogSession::Work work) {
        if (work != LogSession::Work::StatisticsPass)
            return;
        if (loaded_) // nothing of a stopped pass stays in sight
            showStartState();
        progressDisplay_->showReady(t::Ready);
    });
    connect(&session_, &LogSession::scanStarted, this, [this](int number) {
        if (number == kFirstQuickScan)
            progressDisplay_->setInterval(kLaterInterval);
    });
    connect(&session_, &LogSession::logReplaced, this, &StatisticsWindow::onLogCleared);
    connect(&session_, &LogSession::statisticsRequested, this, [this] {
        if (!loaded_)
            showStartState();
        showBesideMainWindow();
    });
    connect(&session_, &LogSession::statisticsReady, this, [this] {
        if (loaded_) // a pass that ends after the window was closed shows nothing
            showStatistics();
    });
    connect(&session_, &LogSession::ending, this, &StatisticsWindow::close);
}

// --- start, hand-over, closing -------------------------------------------------

void StatisticsWindow::showStartState() {
    loaded_ = true;
    setWindowTitle(t::WindowCaption);
    applyStoredColours();
    playerList_->clear();
    rankingList_->clear();
    for (const std::string& category : session_.statistics().categoryList())
        rankingList_->addItem(category == kCategoryTopKillers ? t::TopListsEntry : shown(category));
    clearPanes();
    progressDisplay_->showReady({});
    linkAliasesAction_->setChecked(false);
    setHandedOver(false);
}

// A window of its own: the main window keeps its size and state, and this one
// comes back where the user left it.
void StatisticsWindow::showBesideMainWindow() {
    if (!isVisible()) {
        const std::string geometry = settings_.get(settings_keys::StatisticsWindowGeometry, "");
        if (!geometry.empty())
            restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(geometry)));
    }
    show();
    raise();
    activateWindow();
}

void StatisticsWindow::closeEvent(QCloseEvent* event) {
    if (isVisible())
        settings_.set(settings_keys::StatisticsWindowGeometry,
                      saveGeometry().toBase64().toStdString());
    if (std::exchange(loaded_, false))
        session_.closeStatistics();
    QMainWindow::closeEvent(event);
}

void StatisticsWindow::onWorkStarted(LogSession::Work work) {
    if (work != LogSession::Work::StatisticsPass)
        return;
    if (handedOver_) { // counted anew (another counting): what the right pane shows is stale
        rightPane_->clear();
        rightCaption_->clear();
        rightStack_->setCurrentIndex(0);
    }
    progressDisplay_->statusLabel()->setText(
        !session_.historyShown().isEmpty() ? QString(history_texts::ReadingHistory)
        : session_.countingMode() == CountingMode::Classic
            ? shown(scanCaption(1))
            : QString::fromStdString(std::string(AccurateCountingStatus)));
    progressDisplay_->start(kFirstInterval);
    setHandedOver(false);
}

void StatisticsWindow::onWorkFinished(LogSession::Work work, const QString& error) {
    if (work != LogSession::Work::StatisticsPass)
        return;
    progressDisplay_->stop();
    progressDisplay_->showComplete();
    // A new table is unlinked: the check mark follows it.
    linkAliasesAction_->setChecked(session_.statistics().linked());
    if (error.isEmpty())
        return; // statisticsReady follows
    setHandedOver(false);
    progressDisplay_->statusLabel()->setText(t::Ready);
    prompts_.message(error.toStdString(), t::WindowCaption);
}

void StatisticsWindow::onLogCleared() {
    linkAliasesAction_->setChecked(session_.statistics().linked());
    // Nothing of the old log stays usable until the next hand-over.
    playerList_->clear();
    setHandedOver(false);
}

void StatisticsWindow::showStatistics() {
    redraw(session_.statistics().handOver(windows1252FromUtf8(session_.nick())));
    const QString& history = session_.historyShown();
    setWindowTitle(t::windowCaption(session_.statistics().counting().mode) + " - " +
                   (history.isEmpty()
                        ? QFileInfo(QString::fromStdString(session_.logPath())).fileName()
                        : history));
    progressDisplay_->showReady(t::Ready);
    setHandedOver(true);
    emit statisticsShown();
}

void StatisticsWindow::setHandedOver(bool on) {
    handedOver_ = on;
    updateEnabled();
}

void StatisticsWindow::updateEnabled() {
    for (QWidget* w : {static_cast<QWidget*>(rankingList_), static_cast<QWidget*>(playerList_),
                       static_cast<QWidget*>(rightStack_), static_cast<QWidget*>(leftStack_)})
        w->setEnabled(handedOver_);
    chartLeftAction_->setEnabled(handedOver_);
    chartRightAction_->setEnabled(handedOver_);
    // The player list is usable (if empty) while nothing runs; the alias
    // commands rewrite the table, so never while the worker has it.
    const bool usable = handedOver_ || !session_.busy();
    playerList_->setEnabled(usable);
    aliasesMenu_->setEnabled(usable);
}

// --- drag and drop -----------------------------------------------------------

void StatisticsWindow::dropOnPane(Pane pane, DraggedList list) {
    if (session_.busy())
        return;
    StatisticsSession& statistics = session_.statistics();
    const bool players = list == DraggedList::Players;
    const int row = (players ? playerList_ : rankingList_)->selectedRow();
    const std::vector<std::string>& entries =
        players ? statistics.playerList() : statistics.categoryList();
    const std::string text =
        row >= 0 && row < static_cast<int>(entries.size()) ? entries[std::size_t(row)] : "";
    const SessionChanges changes = statistics.dropOnPane(pane, list, row, text);
    redraw(changes);
    if (pane == Pane::Left ? changes.leftPane : changes.rightPane) {
        progressDisplay_->showReady(t::Ready);
    } else if (list == DraggedList::Categories && text == kCategoryTopKillers) {
        progressDisplay_->showReady(t::TopListsGoRight);
    }
}

QString StatisticsWindow::playerName(int player) const {
    const PlayerTable& players = session_.players();
    return player >= 0 && player <= players.playerCount() ? shown(players[player].name) : QString();
}

QString StatisticsWindow::paneCaption(Pane pane) const {
    const PaneContent& content = session_.statistics().paneContent(pane);
    switch (content.kind) {
    case PaneContent::Kind::Nothing: return {};
    case PaneContent::Kind::Sheet: return t::SheetCaption + playerName(content.player);
    case PaneContent::Kind::Ranking: return t::RankingCaption + shown(content.category);
    case PaneContent::Kind::TopLists: return t::TopListsCaption + playerName(content.player);
    case PaneContent::Kind::WeaponChart: return t::WeaponChartCaption + playerName(content.player);
    }
    return {};
}

void StatisticsWindow::showChartOfChosenPlayer(Pane pane) {
    if (session_.busy() || !handedOver_)
        return;
    const int row = playerList_->selectedRow();
    const std::vector<std::string>& entries = session_.statistics().playerList();
    if (row < 0 || row >= static_cast<int>(entries.size()))
        return progressDisplay_->showReady(t::ChooseAPlayerFirst);
    redraw(session_.statistics().chartFromPlayerList(pane, row, entries[std::size_t(row)]));
    progressDisplay_->showReady(t::Ready);
}

void StatisticsWindow::showPane(Pane pane) {
    const StatisticsSession& statistics = session_.statistics();
    const bool left = pane == Pane::Left;
    const PaneContent& content = statistics.paneContent(pane);
    const bool chart = content.kind == PaneContent::Kind::WeaponChart;
    (left ? leftPane_ : rightPane_)->showReport(statistics.paneText(pane));
    const QString caption = paneCaption(pane);
    (left ? leftCaption_ : rightCaption_)->setText(caption);
    if (chart)
        (left ? leftChart_ : rightChart_)
            ->showFigures(weaponFigures(session_.players()[content.player], statistics.counting()),
                          caption);
    (left ? leftStack_ : rightStack_)->setCurrentIndex(chart ? 1 : 0);
}

void StatisticsWindow::clearPanes() {
    leftPane_->clear();
    rightPane_->clear();
    leftCaption_->clear();
    rightCaption_->clear();
    leftStack_->setCurrentIndex(0);
    rightStack_->setCurrentIndex(0);
}

void StatisticsWindow::redraw(const SessionChanges& changes) {
    const StatisticsSession& statistics = session_.statistics();
    if (changes.leftPane)
        showPane(Pane::Left);
    if (changes.rightPane)
        showPane(Pane::Right);
    if (changes.leftPane || changes.rightPane)
        sharePaneRoom();
    if (changes.playerList) {
        playerList_->clear();
        for (const std::string& name : statistics.playerList())
            playerList_->addItem(shown(name));
    }
    if (changes.checkMark)
        linkAliasesAction_->setChecked(statistics.linked());
}

// --- aliases -----------------------------------------------------------------

void StatisticsWindow::onLinkAliasesTriggered() {
    if (!session_.busy())
        redraw(session_.statistics().toggleLinkAliases());
    // A menu click toggles the check mark on its own: it shows the state again.
    linkAliasesAction_->setChecked(session_.statistics().linked());
}

void StatisticsWindow::onSelectKeyAliasesTriggered() {
    if (session_.busy())
        return;
    StatisticsSession& statistics = session_.statistics();
    redraw(statistics.selectKeyAliases([this, &statistics] {
        AliasSelectionWindow window(statistics, settings_, this);
        runSelection_(window);
    }));
    linkAliasesAction_->setChecked(statistics.linked());
}

// --- colours -----------------------------------------------------------------

void StatisticsWindow::applyStoredColours() {
    setColours(static_cast<std::uint32_t>(
                   colourSetting(settings_, settings_keys::TextColor, kDefaultTextColor)),
               static_cast<std::uint32_t>(
                   colourSetting(settings_, settings_keys::BackColor, kDefaultBackColor)));
}

// Each dialog opens on the colour it changes; Cancel keeps it.
void StatisticsWindow::onTextColourTriggered() {
    setColours(prompts_.chooseColour(t::TextColourTitle, textColour_), std::nullopt);
}

void StatisticsWindow::onBackgroundColourTriggered() {
    setColours(std::nullopt, prompts_.chooseColour(t::BackgroundColourTitle, backColour_));
}

void StatisticsWindow::onSaveColoursTriggered() {
    session_.saveColours(textColour_, backColour_);
    progressDisplay_->showReady(t::ColoursSaved);
}

void StatisticsWindow::zoomPanes(Zoom step) {
    QFont f = leftPane_->font();
    f.setPointSizeF(zoomedPointSize(f.pointSizeF(), kPanePointSize, step));
    for (QWidget* pane : {static_cast<QWidget*>(leftPane_), static_cast<QWidget*>(rightPane_),
                          static_cast<QWidget*>(leftChart_), static_cast<QWidget*>(rightChart_)})
        pane->setFont(f);
    sharePaneRoom();
}

// The panes share their room as wide as their reports are, so that a ranking of long
// names gets what a narrower sheet beside it leaves; empty panes share it evenly.
void StatisticsWindow::sharePaneRoom() {
    const auto width = [](QStackedWidget* stack, DropPaneWidget* text, WeaponChartView* chart) {
        return std::max(
            stack->currentIndex() == 0 ? text->reportWidth() : chart->sizeHint().width(), 1);
    };
    paneGrid_->setColumnStretch(0, width(leftStack_, leftPane_, leftChart_));
    paneGrid_->setColumnStretch(1, width(rightStack_, rightPane_, rightChart_));
}

void StatisticsWindow::setColours(std::optional<std::uint32_t> text,
                                  std::optional<std::uint32_t> back) {
    if (text)
        textColour_ = *text;
    if (back)
        backColour_ = *back;
    const QColor fore = qColorFromBgr(textColour_);
    const QColor base = qColorFromBgr(backColour_);
    for (QWidget* w : {static_cast<QWidget*>(playerList_), static_cast<QWidget*>(rankingList_),
                       static_cast<QWidget*>(leftPane_), static_cast<QWidget*>(rightPane_),
                       static_cast<QWidget*>(leftChart_), static_cast<QWidget*>(rightChart_)}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, base);
        pal.setColor(QPalette::Text, fore);
        pal.setColor(QPalette::Disabled, QPalette::Text, halfway(fore, base));
        w->setPalette(pal);
    }
}

} // namespace quorvath
