// Every kind of log through the windows: the status line names the kind a
// log was read as, a server game log (gen-log --match's, committed for the
// report tool's golden files) shows readably and counts Accurate, and
// Preferences > Counting in either window counts the shown statistics again,
// names an Accurate count in the statistics window's title and outlives the
// program.

#include "gui/counting_menu.h"
#include "gui/drag_list_widget.h"
#include "gui/drop_pane_widget.h"
#include "gui/ui_support.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace quorvath {
namespace {

class CountingMenuTest : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        settings.set(settings_keys::Nick, "Quorvath");
        start();
    }
    std::string status() { return inMain<QLabel>("statusLabel")->text().toStdString(); }
    // The title without the log's name that follows it.
    std::string title() {
        QString shown = statistics->windowTitle();
        const QString log =
            " - " + QFileInfo(QString::fromStdString(session->logPath())).fileName();
        if (shown.endsWith(log))
            shown.chop(log.size());
        return shown.toStdString();
    }
    bool leftPaneShows(const char* text) {
        return inStatistics<DropPaneWidget>("leftPane")->toPlainText().contains(text);
    }
    // A menu entry triggered, and the pass it may start waited for.
    void trigger(QWidget& where, const char* action) {
        child<QAction>(where, action)->trigger();
        waitWhileBusy();
    }
};

TEST_F(CountingMenuTest, AServerGameLogShowsReadablyAndCountsAccurate) {
    open(
        logFile("games.log", test::readFile(test::sourcePath("tests/golden/match-ctf-games.log"))));
    EXPECT_EQ(status(), "Ready - server game log");
    EXPECT_NE(session->document().text().find("\r\nMap: mp_shop (ctf)\r\n"), std::string::npos);
    // Whatever the preference, a server log has Accurate counting only.
    EXPECT_FALSE(inMain<QAction>("classicCountingAction")->isEnabled());
    EXPECT_TRUE(inMain<QAction>("accurateCountingAction")->isChecked());

    getStatistics();
    EXPECT_EQ(title(), "Stats - Accurate");
    EXPECT_EQ(session->statistics().paneText(Pane::Left),
              test::readFile(test::sourcePath("tests/golden/match-ctf/sheet-quorvath.out")));
    EXPECT_TRUE(leftPaneShows("Captured the flag: \t\tnot in this log"));

    // Including the warm-up counts the shown statistics again at once, into
    // the same table: the log's two bots stay two ("Bots:" of All Players).
    const int kills = session->players()[0].counters[totalKills];
    trigger(*statistics, "includeWarmupAction");
    EXPECT_GT(session->players()[0].counters[totalKills], kills);
    EXPECT_EQ(session->players()[0].counters[bots], 2);
    EXPECT_EQ(settings.get(settings_keys::Counting, ""), "Classic"); // the console logs' choice

    // A file of no known kind is read as a player console log, and says so.
    prompts.answers = {test::kDeleteCopy};
    open(logFile("notes.txt", "nothing to see here\r\n"));
    EXPECT_EQ(status(), "Ready - no known kind of lines, read as a player console log");
    EXPECT_TRUE(inMain<QAction>("classicCountingAction")->isChecked());
}

TEST_F(CountingMenuTest, EitherWindowSwitchesTheCountingAndTheChoiceIsKept) {
    open(demoLog());
    EXPECT_EQ(status(), "Ready - player console log");
    getStatistics();
    EXPECT_EQ(title(), "Stats");
    EXPECT_FALSE(leftPaneShows("Suicide (Died)")); // a row of Accurate sheets only
    inStatistics<DragListWidget>("playerList")->setCurrentRow(1);
    statistics->dropOnPane(Pane::Right, DraggedList::Players);

    inStatistics<QAction>("accurateCountingAction")->trigger();
    ASSERT_TRUE(session->busy()); // counted again on the worker, with its progress
    EXPECT_EQ(inStatistics<QLabel>("statusLabel")->text(), "Counting the match events...");
    waitWhileBusy();
    EXPECT_EQ(title(), "Stats - Accurate");
    EXPECT_TRUE(leftPaneShows("Suicide (Died)"));
    EXPECT_EQ(inStatistics<DropPaneWidget>("rightPane")->toPlainText(), ""); // of the old count
    EXPECT_TRUE(inMain<QAction>("accurateCountingAction")->isChecked());     // both menus follow
    EXPECT_EQ(settings.get(settings_keys::Counting, ""), "Accurate");

    // Shown again after closing, the statistics are still the Accurate ones;
    // a change while closed waits for the next "Get the guff".
    statistics->close();
    inMain<QPushButton>("getStatisticsButton")->click();
    EXPECT_FALSE(session->busy()); // the table outlived the window
    EXPECT_EQ(title(), "Stats - Accurate");
    statistics->close();
    trigger(*window, "classicCountingAction");
    EXPECT_EQ(title(), "Stats - Accurate");
    getStatistics();
    EXPECT_EQ(title(), "Stats");

    trigger(*window, "includeWarmupAction");
    LogSession again(settings, prompts); // the next start
    CountingMenu menu(again, nullptr);
    EXPECT_TRUE(child<QAction>(menu, "classicCountingAction")->isChecked());
    EXPECT_TRUE(child<QAction>(menu, "includeWarmupAction")->isChecked());
}

} // namespace
} // namespace quorvath
