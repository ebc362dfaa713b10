// The statistics window on the sample log, driven offscreen through the main
// window's "Get the guff" and scripted dialogs. Expected texts come from the
// core run on its own on the same log.

#include "core/common/progress.h"
#include "core/common/settings_store.h"
#include "core/log/log_loader.h"
#include "core/report/player_sheet.h"
#include "core/session/statistics_session.h"
#include "core/stats/statistics_pass.h"
#include "gui/alias_selection_window.h"
#include "gui/drag_list_widget.h"
#include "gui/drop_pane_widget.h"
#include "gui/main_window.h"
#include "gui/stats_window.h"
#include "gui/ui_support.h"
#include "support/test_support.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using test::ScriptedPrompts;

QString shown(const std::string& report) {
    return QString::fromStdString(report).replace("\r\n", "\n");
}

// The core alone on the same log: what the window must show.
struct CoreRun {
    LogDocument doc;
    PlayerTable players;
    StatisticsSession session{players};

    CoreRun(const std::string& path, const std::string& nick) {
        Progress progress;
        EXPECT_FALSE(loadLog(path, doc, progress).has_value());
        runStatisticsPass(doc, players, progress);
        session.passFinished();
        session.handOver(nick);
    }
};

class StatsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApp();
        settings.set(settings_keys::Nick, "Quorvath");
        logPath = dir.file("demo.log").string(); // the archive copy lands beside it
        test::writeFile(logPath, test::readFile(test::sourcePath("samples/demo.log")));
    }

    void startWithLog() {
        form1 = std::make_unique<MainWindow>(settings, prompts);
        stats = std::make_unique<StatsFrm>(*form1, settings, prompts);
        open();
    }
    void open() {
        prompts.files.push_back(logPath);
        form1->FileMenuOpen_Click();
        ASSERT_TRUE(test::waitUntil([&] { return !form1->busy(); }));
    }
    void pressAndWait() {
        child<QPushButton>(*form1, "GetStatsBtn")->click();
        ASSERT_TRUE(test::waitUntil([&] { return !stats->passRunning(); }));
    }
    template <typename T> T* child(QWidget& w, const char* name) {
        T* found = w.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    DragListWidget* list(const char* name) { return child<DragListWidget>(*stats, name); }
    QString pane(const char* name) { return child<DropPaneWidget>(*stats, name)->toPlainText(); }
    QString label(const char* name) { return child<QLabel>(*stats, name)->text(); }
    QAction* action(const char* name) { return child<QAction>(*stats, name); }
    void select(const char* listName, const std::string& entry) {
        const auto found =
            list(listName)->findItems(QString::fromStdString(entry), Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << entry;
        list(listName)->setCurrentItem(found.first());
    }
    std::vector<std::string> sheets(const PlayerTable& t) {
        std::vector<std::string> all;
        for (int i = 0; i <= t.playerCount(); ++i)
            all.push_back(playerSheet(t[i]));
        return all;
    }

    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    test::TempDir dir;
    std::string logPath;
    std::unique_ptr<MainWindow> form1;
    std::unique_ptr<StatsFrm> stats; // destroyed before the main window
};

TEST_F(StatsWindowTest, DesignStateBeforeThePass) {
    startWithLog();
    EXPECT_FALSE(stats->isVisible());
    ASSERT_EQ(list("RankList")->count(), 29);
    EXPECT_EQ(list("RankList")->item(2)->text(), "Top Killers/Victims (Drag 2 right pane)");
    EXPECT_FALSE(list("RankList")->isEnabled());
    EXPECT_FALSE(child<DropPaneWidget>(*stats, "TxtStats")->isEnabled());
    EXPECT_FALSE(child<DropPaneWidget>(*stats, "TxtComp")->isEnabled());
    EXPECT_EQ(stats->textColour(), 49152u);
    EXPECT_EQ(stats->backColour(), 0u);
    EXPECT_EQ(list("Playerlist")->palette().color(QPalette::Text), QColor(0, 192, 0));
    EXPECT_FALSE(action("StatsLinkAliasBtn")->isChecked());
}

TEST_F(StatsWindowTest, FirstPressScansOffThreadThenHandsOver) {
    startWithLog();
    child<QPushButton>(*form1, "GetStatsBtn")->click();
    // Until the pass has handed over, nothing that would disturb it is usable.
    ASSERT_TRUE(stats->passRunning());
    EXPECT_TRUE(stats->isVisible());
    EXPECT_TRUE(form1->windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(stats->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(label("Label1"), "Finding Assualt Rifle/Pistol Kills...");
    for (const char* name : {"GetStatsBtn", "FindBtn", "FindNextBtn", "ColourNickBtn"})
        EXPECT_FALSE(child<QPushButton>(*form1, name)->isEnabled()) << name;
    EXPECT_FALSE(child<QAction>(*form1, "FileMenuOpen")->isEnabled());
    EXPECT_FALSE(list("Playerlist")->isEnabled());
    EXPECT_FALSE(list("RankList")->isEnabled());
    EXPECT_FALSE(child<QMenu>(*stats, "StatsPrefsMenu")->isEnabled());

    ASSERT_TRUE(test::waitUntil([&] { return !stats->passRunning(); }));
    const CoreRun core(logPath, "Quorvath");
    ASSERT_GT(core.players.playerCount(), 3);
    ASSERT_EQ(list("Playerlist")->count(), core.players.playerCount() + 1);
    EXPECT_EQ(list("Playerlist")->item(0)->text(), "All Players");
    for (int i = 1; i <= core.players.playerCount(); ++i)
        EXPECT_EQ(list("Playerlist")->item(i)->text().toStdString(), core.players[i].name);
    EXPECT_EQ(pane("TxtStats"), shown(core.session.paneText(Pane::Left)));
    EXPECT_EQ(label("Label1"), "Ready...");
    EXPECT_EQ(label("Label2"), "");
    for (const char* name : {"Playerlist", "RankList"})
        EXPECT_TRUE(list(name)->isEnabled()) << name;
    EXPECT_TRUE(child<DropPaneWidget>(*stats, "TxtComp")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*form1, "GetStatsBtn")->isEnabled());
    EXPECT_TRUE(child<QAction>(*form1, "FileMenuOpen")->isEnabled());
}

TEST_F(StatsWindowTest, NickMatchingNoNameExactlyShowsAllPlayers) {
    settings.set(settings_keys::Nick, "quorvath");
    startWithLog();
    pressAndWait();
    EXPECT_TRUE(pane("TxtStats").startsWith("Stats for : All Players\n"));
    EXPECT_EQ(stats->session().leftPlayer(), 0);
}

TEST_F(StatsWindowTest, SecondPressDoesNotScanAgainButANewLogDoes) {
    startWithLog();
    pressAndWait();
    select("Playerlist", "Joe");
    stats->TxtComp_DragDrop("Playerlist");
    const QString comp = pane("TxtComp");
    select("Playerlist", "Joe");
    stats->TxtStats_DragDrop("Playerlist");

    child<QPushButton>(*form1, "GetStatsBtn")->click();
    EXPECT_FALSE(stats->passRunning());
    EXPECT_TRUE(pane("TxtStats").startsWith("Stats for : Quorvath\n")); // printed again
    EXPECT_EQ(pane("TxtComp"), comp);                                   // left as it was
    EXPECT_EQ(stats->session().rightPlayer(), -1);

    action("StatsLinkAliasBtn")->trigger();
    ASSERT_TRUE(action("StatsLinkAliasBtn")->isChecked());
    prompts.answers.push_back(true); // keep the archive copy of the first log
    open();
    EXPECT_FALSE(stats->session().statisticsDone);
    EXPECT_FALSE(action("StatsLinkAliasBtn")->isChecked());
    EXPECT_EQ(stats->players().playerCount(), 0);
    EXPECT_FALSE(list("RankList")->isEnabled());
    child<QPushButton>(*form1, "GetStatsBtn")->click();
    EXPECT_TRUE(stats->passRunning());
    ASSERT_TRUE(test::waitUntil([&] { return !stats->passRunning(); }));
    EXPECT_EQ(stats->players().playerCount(), CoreRun(logPath, "").players.playerCount());
    EXPECT_FALSE(action("StatsLinkAliasBtn")->isChecked());
}

TEST_F(StatsWindowTest, DropsWriteTheCoreTextsIntoThePaneThatWasHit) {
    startWithLog();
    pressAndWait();
    CoreRun core(logPath, "Quorvath");

    select("Playerlist", "Tango");
    stats->TxtComp_DragDrop("Playerlist");
    core.session.showSheet(Pane::Right, core.players.findByName("Tango"));
    EXPECT_EQ(pane("TxtComp"), shown(core.session.paneText(Pane::Right)));
    EXPECT_EQ(stats->session().rightPlayer(), core.players.findByName("Tango"));

    list("Playerlist")->setCurrentRow(0);
    stats->TxtStats_DragDrop("Playerlist");
    EXPECT_TRUE(pane("TxtStats").startsWith("Stats for : All Players\n"));

    for (const std::string category :
         {"Kills", "The Flag", "Overall Score (Kills + Team Points - TK)"}) {
        select("RankList", category);
        stats->TxtStats_DragDrop("RankList");
        core.session.dropOnPane(Pane::Left, DraggedList::Categories, 0, category);
        EXPECT_EQ(pane("TxtStats"), shown(core.session.paneText(Pane::Left))) << category;
        stats->TxtComp_DragDrop("RankList");
        core.session.dropOnPane(Pane::Right, DraggedList::Categories, 0, category);
        EXPECT_EQ(pane("TxtComp"), shown(core.session.paneText(Pane::Right))) << category;
    }
}

TEST_F(StatsWindowTest, TopListsOnlyOnTheRightPaneAndEmptyDropsChangeNothing) {
    startWithLog();
    pressAndWait();
    list("Playerlist")->clearSelection();
    const QString left = pane("TxtStats");
    stats->TxtStats_DragDrop("Playerlist");
    stats->TxtStats_DragDrop("Nothing");
    select("RankList", "Top Killers/Victims (Drag 2 right pane)");
    stats->TxtStats_DragDrop("RankList");
    EXPECT_EQ(pane("TxtStats"), left);

    stats->TxtComp_DragDrop("RankList"); // the left pane shows Quorvath
    EXPECT_TRUE(pane("TxtComp").startsWith("Top Victims\n\n1:\t"));
    EXPECT_TRUE(pane("TxtComp").contains("\nTop Killers\n\n"));
}

TEST_F(StatsWindowTest, PressOnAListSelectsAndStartsADragThatAPaneTakes) {
    startWithLog();
    pressAndWait();
    DragListWidget* players = list("Playerlist");
    QString carried;
    QSize icon;
    players->setDragRunner([&](QDrag& drag) {
        carried = listDragTag(*drag.mimeData());
        icon = drag.pixmap().size();
    });
    const QPoint at = players->visualItemRect(players->item(3)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, players->viewport()->mapToGlobal(at),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(players->viewport(), &press);
    EXPECT_EQ(players->selectedRow(), 3);
    EXPECT_EQ(carried, "Playerlist");
    EXPECT_EQ(icon, QSize(32, 32));

    // The drop as the pane receives it: entering, then dropping.
    auto* comp = child<DropPaneWidget>(*stats, "TxtComp");
    QMimeData* data = listDragData("Playerlist");
    const QPoint inside(10, 10);
    QDragEnterEvent enter(inside, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(comp->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(inside, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(comp->viewport(), &drop);
    EXPECT_TRUE(pane("TxtComp").startsWith("Stats for : " + players->item(3)->text() + "\n"));
    EXPECT_EQ(stats->session().rightPlayer(), 3);
    delete data;
}

TEST_F(StatsWindowTest, LinkThenUnlinkRestoresEverySheet) {
    startWithLog();
    pressAndWait();
    const std::vector<std::string> before = sheets(stats->players());
    const int newbie = stats->players().findByName("Newbie");
    select("Playerlist", "Newbie");
    stats->TxtComp_DragDrop("Playerlist");

    action("StatsLinkAliasBtn")->trigger();
    EXPECT_TRUE(action("StatsLinkAliasBtn")->isChecked());
    EXPECT_TRUE(pane("TxtComp").startsWith("Stats for : Newbie (Snipey) (Ghostface)\n"));
    EXPECT_TRUE(list("Playerlist")->findItems("Snipey", Qt::MatchExactly).isEmpty());
    // Linked, a dropped entry is found by its text.
    select("Playerlist", "Newbie (Snipey) (Ghostface)");
    stats->TxtStats_DragDrop("Playerlist");
    EXPECT_EQ(stats->session().leftPlayer(), newbie);

    action("StatsLinkAliasBtn")->trigger();
    EXPECT_FALSE(action("StatsLinkAliasBtn")->isChecked());
    EXPECT_EQ(sheets(stats->players()), before);
    EXPECT_EQ(pane("TxtComp"), shown(before[static_cast<std::size_t>(newbie)]));
    EXPECT_EQ(list("Playerlist")->count(), stats->players().playerCount() + 1);
}

TEST_F(StatsWindowTest, SelectKeyAliasesMakesTheClickedAliasTheMasterAndRelinks) {
    settings.set(settings_keys::TextColor, "255");
    startWithLog();
    pressAndWait();
    action("StatsLinkAliasBtn")->trigger();
    std::vector<std::string> seen;
    stats->setAliasSelectionRunner([&](SelectPLayers& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Alias Selection");
        EXPECT_EQ(dialog.findChild<QLabel*>("Label3")->text(),
                  "Aliases - Click a name to make it the master alias");
        auto* aliaslist = dialog.findChild<QListWidget*>("Aliaslist");
        EXPECT_EQ(aliaslist->palette().color(QPalette::Text), QColor(255, 0, 0));
        EXPECT_EQ(aliaslist->count(), 3);
        seen = dialog.lines();     // unlinked names while it is open
        dialog.Aliaslist_Click(0); // a master line: nothing changes
        dialog.Aliaslist_Click(2);
        EXPECT_EQ(dialog.lines(),
                  (std::vector<std::string>{"Ghostface", "\t(Snipey)", "\t(Newbie)"}));
    });
    action("statsprefkeyalias")->trigger();
    EXPECT_EQ(seen, (std::vector<std::string>{"Newbie", "\t(Snipey)", "\t(Ghostface)"}));
    EXPECT_TRUE(action("StatsLinkAliasBtn")->isChecked());
    EXPECT_FALSE(
        list("Playerlist")->findItems("Ghostface (Snipey) (Newbie)", Qt::MatchExactly).isEmpty());
    EXPECT_TRUE(list("Playerlist")->findItems("Newbie", Qt::MatchExactly).isEmpty());
}

TEST_F(StatsWindowTest, ColourCommandsShareOneDialogAndSaveStoresDecimals) {
    settings.set(settings_keys::BackColor, "128");
    startWithLog();
    stats->applyStartupColours();
    EXPECT_EQ(stats->backColour(), 128u);

    prompts.colours.push_back(0x0000FF); // red
    action("prefstxtcolor")->trigger();
    ASSERT_EQ(prompts.colourDialogs.size(), 1u);
    EXPECT_EQ(prompts.colourDialogs[0].title, "Select a Text Color");
    EXPECT_EQ(prompts.colourDialogs[0].initial, 49152u); // nothing chosen yet
    for (const char* name : {"Playerlist", "RankList"})
        EXPECT_EQ(list(name)->palette().color(QPalette::Active, QPalette::Text), QColor(255, 0, 0))
            << name;
    EXPECT_EQ(
        child<DropPaneWidget>(*stats, "TxtComp")->palette().color(QPalette::Active, QPalette::Text),
        QColor(255, 0, 0));

    action("prefbackcolor")->trigger(); // cancelled: the colour last chosen
    EXPECT_EQ(prompts.colourDialogs[1].title, "Select a Background Color");
    EXPECT_EQ(stats->backColour(), 0x0000FFu);
    EXPECT_EQ(child<DropPaneWidget>(*stats, "TxtStats")
                  ->palette()
                  .color(QPalette::Active, QPalette::Base),
              QColor(255, 0, 0));

    prompts.colours.push_back(0x123456);
    action("prefbackcolor")->trigger();
    action("prefssave")->trigger();
    EXPECT_EQ(settings.get(settings_keys::BackColor, ""), std::to_string(0x123456));
    EXPECT_EQ(settings.get(settings_keys::TextColor, ""), "255");
}

TEST_F(StatsWindowTest, ClosingMaximizesTheMainWindowAndReopensInDesignState) {
    settings.set(settings_keys::TextColor, "255");
    startWithLog();
    stats->applyStartupColours();
    pressAndWait();
    action("StatsLinkAliasBtn")->trigger();
    const std::vector<std::string> linked = sheets(stats->players());

    stats->close();
    EXPECT_TRUE(form1->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(stats->isVisible());
    EXPECT_NE(sheets(stats->players()), linked); // unlinked with the check mark

    child<QPushButton>(*form1, "GetStatsBtn")->click();
    EXPECT_FALSE(stats->passRunning()); // the table outlived the window
    EXPECT_TRUE(stats->isVisible());
    EXPECT_FALSE(action("StatsLinkAliasBtn")->isChecked());
    EXPECT_EQ(stats->textColour(), 49152u); // stored colours apply at start-up only
    EXPECT_TRUE(pane("TxtStats").startsWith("Stats for : Quorvath\n"));
    EXPECT_EQ(pane("TxtComp"), "");
    EXPECT_EQ(list("Playerlist")->count(), stats->players().playerCount() + 1);
}

} // namespace
} // namespace quorvath
