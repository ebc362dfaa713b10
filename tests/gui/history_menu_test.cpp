// The History menu driven offscreen: imports of generated match logs into a
// real history file (progress, Cancel, the status of every outcome), the
// history file chosen in Preferences, and the statistics window on a
// selection of the history, its sheets as `quorvath-report history` prints them.

#include "core/history/history_import.h"
#include "core/history/sqlite/sqlite_history.h"
#include "gui/drag_list_widget.h"
#include "gui/history_importer.h"
#include "gui/history_menu.h"
#include "gui/history_selection_dialog.h"
#include "gui/ui_support.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quorvath {
namespace {

constexpr std::int64_t kDay = 24 * 60 * 60;
constexpr std::int64_t kFirstOfMarch = 20513 * kDay; // 2026-03-01

class HistoryMenuTest : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        settings.set(settings_keys::HistoryFile, database);
    }
    // gen-log --match TYPE: PREFIX-{console,games,server}.log.
    std::vector<std::string> matchLogs(const std::string& type, int seed) {
        const std::string prefix = dir.file(type + std::to_string(seed)).string();
        const std::string command = std::string("\"") + QUORVATH_GEN_LOG_TOOL + "\" --match " +
                                    type + " --seed " + std::to_string(seed) +
                                    " --maps 8 --players 20 --out \"" + prefix + "\"";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return {prefix + "-games.log", prefix + "-server.log", prefix + "-console.log"};
    }
    HistoryMenu* menu() { return inMain<HistoryMenu>("historyMenu"); }
    QString status() { return inMain<QLabel>("statusLabel")->text(); }
    void importLogs(const std::vector<std::string>& logs) {
        prompts.fileLists.push_back(logs);
        inMain<QAction>("importLogsAction")->trigger();
    }
    void waitForImport() {
        ASSERT_TRUE(test::waitUntil([&] { return !menu()->importer().running(); }));
        QApplication::processEvents(); // the progress dialog goes
    }
    QProgressDialog* progressDialog() {
        return window->findChild<QProgressDialog*>("importProgress");
    }
    int storedMatches() {
        std::unique_ptr<HistoryStore> store;
        EXPECT_FALSE(openSqliteHistory(database, store));
        int matches = 0;
        EXPECT_FALSE(store->readMatches({}, [&](const MatchRecord&) { ++matches; }));
        return matches;
    }
    // History > Statistics with the dialog's fields set by `fill`, then OK.
    void showHistory(const std::function<void(HistorySelectionDialog&)>& fill) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<HistorySelectionDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            fill(*dialog);
            dialog->accept();
        });
        inMain<QAction>("historyStatisticsAction")->trigger();
        waitWhileBusy();
    }
    // quorvath-report history --db DATABASE ARGS, its standard output.
    std::string reportTool(const std::string& args) {
        const auto out = dir.file("report.out");
        const std::string command = std::string("\"") + QUORVATH_REPORT_TOOL +
                                    "\" history --db \"" + database + "\" --encoding cp1252 " +
                                    args + " >\"" + out.string() + "\" 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return test::readFile(out);
    }

    const std::string database = dir.file("history.sqlite").string();
};

TEST_F(HistoryMenuTest, AnImportShowsItsProgressAndSaysEveryOutcome) {
    const std::vector<std::string> logs = matchLogs("ctf", 3);
    start();
    importLogs(logs);
    ASSERT_NE(progressDialog(), nullptr);
    EXPECT_TRUE(progressDialog()->isVisible());
    EXPECT_FALSE(inMain<QAction>("importLogsAction")->isEnabled());
    waitForImport();
    EXPECT_EQ(progressDialog(), nullptr);
    EXPECT_TRUE(inMain<QAction>("importLogsAction")->isEnabled());
    const int stored = storedMatches();
    EXPECT_GE(stored, 16); // the 8 maps of the server's two logs once, the player's own 8
    EXPECT_EQ(status(), QString("History: %1 matches added from 3 logs").arg(stored));

    importLogs(logs); // again: each match is stored once
    waitForImport();
    EXPECT_EQ(status(), "History: nothing new from 3 logs");
    EXPECT_EQ(storedMatches(), stored);
    EXPECT_TRUE(prompts.messages.empty());

    const std::string notes = logFile("notes.txt", "shopping list\r\nmilk\r\n");
    importLogs({notes, logs[0]});
    waitForImport();
    const QString noKind = QString::fromStdString("The file \"" + notes +
                                                  "\" is no kind of log Quorvath knows: nothing "
                                                  "imported.");
    EXPECT_EQ(status(), "History: nothing new from 1 log; " + noKind);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], noKind.toStdString());

    inMain<QAction>("importOpenLogAction")->trigger(); // nothing on screen yet
    EXPECT_EQ(status(), "No log open: File > Open first");
    open(matchLogs("dm", 4)[0]);
    inMain<QAction>("importOpenLogAction")->trigger();
    waitForImport();
    EXPECT_EQ(status(),
              QString("History: %1 matches added from 1 log").arg(storedMatches() - stored));

    const std::string damaged = logFile("damaged.sqlite", std::string(4096, 'x'));
    settings.set(settings_keys::HistoryFile, damaged);
    importLogs({logs[0]});
    waitForImport();
    EXPECT_TRUE(status().startsWith(
        QString::fromStdString("The history \"" + damaged + "\" cannot be used: ")))
        << status().toStdString();
    EXPECT_EQ(prompts.messages.back(), status().toStdString());
    EXPECT_EQ(test::readFile(damaged), std::string(4096, 'x')); // nothing written
}

TEST_F(HistoryMenuTest, CancelStopsAfterTheBatchInProgressAndWhatWasStoredStays) {
    std::vector<std::string> logs = matchLogs("inf", 5);
    for (const std::string& more : matchLogs("elim", 6))
        logs.push_back(more);
    start();
    importLogs(logs);
    ASSERT_NE(progressDialog(), nullptr);
    progressDialog()->findChild<QPushButton*>()->click(); // Cancel
    waitForImport();
    ASSERT_TRUE(status().startsWith("Import cancelled: ")) << status().toStdString();
    const int stored = storedMatches();
    EXPECT_TRUE(status() == "Import cancelled: nothing added" ||
                status().startsWith(QString("Import cancelled: %1 matches added").arg(stored)))
        << status().toStdString();

    importLogs(logs); // the rest, and only the rest
    waitForImport();
    const int all = storedMatches();
    EXPECT_GT(all, stored);
    EXPECT_EQ(status(), QString("History: %1 matches added from 6 logs").arg(all - stored));
}

TEST_F(HistoryMenuTest, TheHistoryFileIsChosenInPreferences) {
    settings.set(settings_keys::HistoryFile, "");
    start();
    EXPECT_EQ(menu()->historyFile(), defaultHistoryFile());
    const std::string chosen = dir.file("clan.sqlite").string();
    prompts.files.push_back(chosen);
    inMain<QAction>("historyFileAction")->trigger();
    EXPECT_EQ(settings.get(settings_keys::HistoryFile, ""), chosen);
    EXPECT_EQ(menu()->historyFile(), chosen);
    EXPECT_EQ(status(), QString::fromStdString("The history is kept in " + chosen));
    prompts.files.push_back(""); // Cancel keeps it
    inMain<QAction>("historyFileAction")->trigger();
    EXPECT_EQ(menu()->historyFile(), chosen);
}

TEST_F(HistoryMenuTest, TheStatisticsWindowShowsASelectionAsTheReportToolCountsIt) {
    const std::string ctf = matchLogs("ctf", 7)[0], dm = matchLogs("dm", 8)[0];
    {
        std::unique_ptr<HistoryStore> store;
        ASSERT_FALSE(openSqliteHistory(database, store));
        LogImport result;
        ASSERT_FALSE(importLog(*store, ctf, result, {64, kFirstOfMarch}));
        ASSERT_FALSE(importLog(*store, dm, result, {64, kFirstOfMarch + 40 * kDay}));
    }
    start();
    open(ctf);
    showHistory([](HistorySelectionDialog& dialog) {
        dialog.findChild<QLineEdit*>("gameTypes")->setText("ctf, dem");
    });
    EXPECT_TRUE(statistics->isVisible());
    EXPECT_EQ(statistics->windowTitle(), "Stats - Accurate - History: ctf,dem");
    const StatisticsSession& shown = session->statistics();
    EXPECT_EQ(shown.paneText(Pane::Left), reportTool("--gametype ctf,dem --sheet \"All Players\""));
    // The keyboard route: a player's sheet by Enter, with Shift in the right pane.
    auto* players = inStatistics<DragListWidget>("playerList");
    ASSERT_GT(players->count(), 3);
    players->setCurrentRow(2);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::ShiftModifier);
    QApplication::sendEvent(players, &enter);
    const std::string name = shown.playerList()[2];
    EXPECT_EQ(shown.paneText(Pane::Right),
              reportTool("--gametype ctf,dem --sheet \"" + name + "\""));

    showHistory([](HistorySelectionDialog& dialog) { // the dm matches, by date
        dialog.findChild<QCheckBox*>("sinceOn")->setChecked(true);
        dialog.findChild<QDateEdit*>("sinceDate")->setDate(QDate(2026, 4, 1));
        dialog.findChild<QLineEdit*>("gameTypes")->clear();
    });
    EXPECT_EQ(statistics->windowTitle(), "Stats - Accurate - History: since 2026-04-01");
    EXPECT_EQ(shown.paneText(Pane::Left), reportTool("--since 2026-04-01 --sheet \"All Players\""));
    EXPECT_NE(shown.paneText(Pane::Left), reportTool("--sheet \"All Players\""));
    // Stored Accurate without the warm-up: another counting counts nothing again.
    session->setCountingChoice({CountingMode::Classic, true});
    EXPECT_FALSE(session->busy());
    EXPECT_EQ(statistics->windowTitle(), "Stats - Accurate - History: since 2026-04-01");

    getStatistics(); // the log on screen again
    EXPECT_EQ(statistics->windowTitle().toStdString(),
              "Stats - Accurate - " + std::filesystem::path(ctf).filename().string());
}

} // namespace
} // namespace quorvath
