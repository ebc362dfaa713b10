#include "gui/stats_window.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
#include "core/log/log_document.h"
#include "gui/alias_selection_window.h"
#include "gui/drag_list_widget.h"
#include "gui/drop_pane_widget.h"
#include "gui/log_view.h"
#include "gui/main_window.h"
#include "gui/qt_colours.h"
#include "gui/qt_fonts.h"
#include "gui/qt_stats_pass.h"
#include "gui/qt_twips_layout.h"
#include "gui/stats_texts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>

#include <cstdint>
#include <string>
#include <utility>

namespace quorvath {

namespace {

QString shown(const std::string& windows1252) {
    return QString::fromStdString(utf8FromWindows1252(windows1252));
}

QColor halfway(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

} // namespace

StatsFrm::StatsFrm(MainWindow& form1, SettingsStore& settings, UserPrompts& prompts,
                   QWidget* parent)
    : QMainWindow(parent), form1_(form1), settings_(settings), prompts_(prompts),
      runSelection_([](SelectPLayers& dialog) { dialog.exec(); }) {
    setObjectName("StatsFrm");
    setWindowTitle(stats_texts::StatsCaption);
    buildControls();
    buildMenus();
    resize(sizeHint());
    pass_ = new StatsPassRunner(label1_, label2_, progressBar1_, this);
    connect(pass_, &StatsPassRunner::finished, this, &StatsFrm::passFinished);
    connect(&form1_, &MainWindow::getStatsRequested, this, &StatsFrm::GetStatsBtn_Click);
    connect(&form1_, &MainWindow::logCleared, this, &StatsFrm::logCleared);
    connect(&form1_, &MainWindow::unloading, this, &StatsFrm::mainUnloading);
    Form_Load();
}

StatsFrm::~StatsFrm() { pass_->wait(); }

bool StatsFrm::passRunning() const { return pass_->running(); }

void StatsFrm::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new TwipsLayout(central, 15240, 10455);
    using A = TwipsLayout::Anchor;

    playerlist_ = new DragListWidget(QStringLiteral("Playerlist"), central);
    playerlist_->setObjectName("Playerlist");
    rankList_ = new DragListWidget(QStringLiteral("RankList"), central);
    rankList_->setObjectName("RankList");
    for (DragListWidget* list : {playerlist_, rankList_})
        list->setFont(designFont("Arial", 12, true));

    // The panes share the room right of the lists half and half.
    auto* panes = new QWidget(central);
    auto* paneRow = new QHBoxLayout(panes);
    paneRow->setContentsMargins(0, 0, 0, 0);
    paneRow->setSpacing(5); // 75 twips, as between the design's panes
    txtStats_ = new DropPaneWidget(panes);
    txtStats_->setObjectName("TxtStats");
    txtComp_ = new DropPaneWidget(panes);
    txtComp_->setObjectName("TxtComp");
    for (DropPaneWidget* pane : {txtStats_, txtComp_}) {
        pane->setFont(designFont("Arial", 8.25, true));
        paneRow->addWidget(pane, 1);
    }
    connect(txtStats_, &DropPaneWidget::listDropped, this, &StatsFrm::TxtStats_DragDrop);
    connect(txtComp_, &DropPaneWidget::listDropped, this, &StatsFrm::TxtComp_DragDrop);

    progressBar1_ = new QProgressBar(central);
    progressBar1_->setObjectName("ProgressBar1");
    progressBar1_->setRange(0, 100);
    progressBar1_->setTextVisible(false);
    label1_ = new QLabel(central);
    label1_->setObjectName("Label1");
    label2_ = new QLabel(central);
    label2_->setObjectName("Label2");
    for (QLabel* label : {label1_, label2_})
        label->setFont(designFont("Arial", 9.75, true));

    layout->add(playerlist_, 120, 30, 6375, 4620, A::Fixed);
    layout->add(rankList_, 120, 4740, 6375, 4905, A::StretchHeight);
    layout->add(panes, 6570, 30, 8685, 10395, A::StretchWidth | A::StretchHeight);
    layout->add(progressBar1_, 120, 9750, 6375, 345, A::Bottom);
    layout->add(label1_, 120, 10170, 4665, 255, A::Bottom);
    layout->add(label2_, 4770, 10170, 1755, 255, A::Bottom);
    setCentralWidget(central);
}

void StatsFrm::buildMenus() {
    aliasesMenu_ = menuBar()->addMenu(stats_texts::AliasesMenu);
    aliasesMenu_->setObjectName("StatsPrefsMenu");
    linkAliases_ =
        aliasesMenu_->addAction(stats_texts::LinkAliases, this, &StatsFrm::StatsLinkAliasBtn_Click);
    linkAliases_->setObjectName("StatsLinkAliasBtn");
    linkAliases_->setCheckable(true);
    aliasesMenu_->addAction(stats_texts::SelectKeyAliases, this, &StatsFrm::statsprefkeyalias_Click)
        ->setObjectName("statsprefkeyalias");
    QMenu* prefs = menuBar()->addMenu(stats_texts::PreferencesMenu);
    prefs->setObjectName("prefs");
    prefs->addAction(stats_texts::TextColor, this, &StatsFrm::prefstxtcolor_Click)
        ->setObjectName("prefstxtcolor");
    prefs->addAction(stats_texts::BackgroundColor, this, &StatsFrm::prefbackcolor_Click)
        ->setObjectName("prefbackcolor");
    prefs->addAction(stats_texts::Save, this, &StatsFrm::prefssave_Click)
        ->setObjectName("prefssave");
}

// --- loading and unloading ---------------------------------------------------

void StatsFrm::Form_Load() {
    // A fresh session: design state, but the table and statisticsDone carry over.
    const bool statisticsDone = session_ && session_->statisticsDone;
    session_ = std::make_unique<StatisticsSession>(players_);
    session_->statisticsDone = statisticsDone;
    loaded_ = true;
    dialogColour_.reset();
    setColours(kDefaultTextColor, kDefaultBackColor);
    playerlist_->clear();
    rankList_->clear();
    for (const std::string& category : session_->categoryList())
        rankList_->addItem(shown(category));
    txtStats_->clear();
    txtComp_->clear();
    label1_->setText(stats_texts::Label1);
    label2_->setText(stats_texts::Label2);
    progressBar1_->setValue(0);
    linkAliases_->setChecked(false);
    setHandedOver(false);
}

void StatsFrm::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void StatsFrm::Form_Unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    // The next loading starts unchecked: the table must then be unlinked too.
    if (session_->linked() && !pass_->running())
        session_->toggleLinkAliases();
    else
        session_->resetForNewTable();
    if (!mainClosing_)
        form1_.showMaximized();
}

void StatsFrm::mainUnloading() {
    mainClosing_ = true;
    pass_->wait();
    close();
}

void StatsFrm::logCleared() {
    if (pass_->running()) { // never expected: File > Open is off while a pass runs
        pass_->wait();
        passAbandoned_ = true;
    }
    players_.reset();
    session_->statisticsDone = false;
    redraw(session_->resetForNewTable());
    // Nothing of the old log stays usable until the next hand-over.
    playerlist_->clear();
    setHandedOver(false);
}

// --- "Get the guff" ----------------------------------------------------------

void StatsFrm::GetStatsBtn_Click() {
    if (pass_->running() || form1_.busy())
        return;
    form1_.showMinimized();
    if (!loaded_)
        Form_Load();
    showMaximized();
    if (LogDocument* doc = form1_.document()) {
        doc->setSelStart(0);
        form1_.logView()->showSelection();
    }
    if (session_->statisticsDone) {
        handOver();
        return;
    }
    form1_.setBusy(true);
    pass_->start(*form1_.document(), players_);
    setHandedOver(false);
}

void StatsFrm::passFinished(const QString& error) {
    form1_.setBusy(false);
    if (std::exchange(passAbandoned_, false))
        return; // its log was closed meanwhile
    if (!error.isEmpty()) {
        players_.reset(); // nothing half-counted stays
        redraw(session_->resetForNewTable());
        setHandedOver(false);
        label1_->setText(stats_texts::Ready);
        prompts_.message(error.toStdString(), stats_texts::StatsCaption);
        return;
    }
    redraw(session_->passFinished());
    if (loaded_)
        handOver();
}

void StatsFrm::handOver() {
    redraw(session_->handOver(windows1252FromUtf8(form1_.nick())));
    label1_->setText(stats_texts::Ready);
    label2_->setText("");
    progressBar1_->setValue(0);
    setHandedOver(true);
    emit handedOver();
}

void StatsFrm::setHandedOver(bool on) {
    for (QWidget* w : {static_cast<QWidget*>(rankList_), static_cast<QWidget*>(playerlist_),
                       static_cast<QWidget*>(txtComp_), static_cast<QWidget*>(txtStats_)})
        w->setEnabled(on);
    // The player list is usable (if empty) outside a pass, as designed; the
    // alias commands rewrite the table, so never while a pass fills it.
    const bool passing = pass_->running();
    playerlist_->setEnabled(on || !passing);
    aliasesMenu_->setEnabled(on || !passing);
}

// --- drag and drop -----------------------------------------------------------

void StatsFrm::TxtStats_DragDrop(const QString& sourceTag) { dropOnPane(Pane::Left, sourceTag); }

void StatsFrm::TxtComp_DragDrop(const QString& sourceTag) { dropOnPane(Pane::Right, sourceTag); }

void StatsFrm::dropOnPane(Pane pane, const QString& sourceTag) {
    if (pass_->running())
        return;
    int row = -1;
    std::string text;
    DraggedList list = DraggedList::Players;
    if (sourceTag == playerlist_->tag()) {
        list = DraggedList::Players;
        row = playerlist_->selectedRow();
        const auto& entries = session_->playerList();
        if (row >= 0 && row < static_cast<int>(entries.size()))
            text = entries[static_cast<std::size_t>(row)];
    } else if (sourceTag == rankList_->tag()) {
        list = DraggedList::Categories;
        row = rankList_->selectedRow();
        const auto& entries = session_->categoryList();
        if (row >= 0 && row < static_cast<int>(entries.size()))
            text = entries[static_cast<std::size_t>(row)];
    } else {
        return;
    }
    redraw(session_->dropOnPane(pane, list, row, text));
}

void StatsFrm::redraw(const SessionChanges& changes) {
    if (changes.leftPane)
        txtStats_->showReport(session_->paneText(Pane::Left));
    if (changes.rightPane)
        txtComp_->showReport(session_->paneText(Pane::Right));
    if (changes.playerList) {
        playerlist_->clear();
        for (const std::string& name : session_->playerList())
            playerlist_->addItem(shown(name));
    }
    if (changes.checkMark)
        linkAliases_->setChecked(session_->linked());
}

// --- aliases -----------------------------------------------------------------

void StatsFrm::StatsLinkAliasBtn_Click() {
    if (pass_->running())
        return;
    redraw(session_->toggleLinkAliases());
    linkAliases_->setChecked(session_->linked()); // a menu click toggles it too
}

void StatsFrm::statsprefkeyalias_Click() {
    if (pass_->running())
        return;
    redraw(session_->selectKeyAliases([this] {
        SelectPLayers dialog(*session_, settings_, this);
        runSelection_(dialog);
    }));
    linkAliases_->setChecked(session_->linked());
}

// --- colours -----------------------------------------------------------------

void StatsFrm::applyStartupColours() {
    setColours(static_cast<std::uint32_t>(
                   colourSetting(settings_, settings_keys::TextColor, kDefaultTextColor)),
               static_cast<std::uint32_t>(
                   colourSetting(settings_, settings_keys::BackColor, kDefaultBackColor)));
}

void StatsFrm::prefstxtcolor_Click() {
    // One dialog for both commands: it opens on (and a cancel gives) the colour
    // last chosen, before any choice the colour the controls have.
    const std::uint32_t held = dialogColour_.value_or(textColour_);
    const std::uint32_t colour = prompts_.chooseColour(stats_texts::TextColorTitle, held);
    if (colour != held)
        dialogColour_ = colour;
    setColours(colour, std::nullopt);
}

void StatsFrm::prefbackcolor_Click() {
    const std::uint32_t held = dialogColour_.value_or(backColour_);
    const std::uint32_t colour = prompts_.chooseColour(stats_texts::BackgroundColorTitle, held);
    if (colour != held)
        dialogColour_ = colour;
    setColours(std::nullopt, colour);
}

void StatsFrm::prefssave_Click() {
    // Stored as the signed 32-bit numbers that start-up reads back.
    settings_.set(settings_keys::BackColor, std::to_string(static_cast<std::int32_t>(backColour_)));
    settings_.set(settings_keys::TextColor, std::to_string(static_cast<std::int32_t>(textColour_)));
}

void StatsFrm::setColours(std::optional<std::uint32_t> text, std::optional<std::uint32_t> back) {
    if (text)
        textColour_ = *text;
    if (back)
        backColour_ = *back;
    const QColor fore = qColorFromBgr(textColour_);
    const QColor base = qColorFromBgr(backColour_);
    for (QWidget* w : {static_cast<QWidget*>(playerlist_), static_cast<QWidget*>(rankList_),
                       static_cast<QWidget*>(txtStats_), static_cast<QWidget*>(txtComp_)}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, base);
        pal.setColor(QPalette::Text, fore);
        pal.setColor(QPalette::Disabled, QPalette::Text, halfway(fore, base));
        w->setPalette(pal);
    }
}

} // namespace quorvath
