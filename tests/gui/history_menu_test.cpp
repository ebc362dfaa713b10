// The History menu driven offscreen: imports of generated match logs into a
// real history file (progress, Cancel, the status of every outcome), the
// history file chosen in Preferences, the statistics window on a selection
// of the history, its sheets as `quorvath-report history` prints them, and a
// selection's ratings as `history ratings` lists them.

#include "core/common/windows1252.h"
#include "core/history/history_import.h"
#include "core/history/sqlite/sqlite_history.h"
#include "core/rank/ranking.h"
#include "gui/drag_list_widget.h"
#include "gui/history_importer.h"
#include "gui/history_menu.h"
#include "gui/history_players_dialog.h"
#include "gui/history_preferences_dialog.h"
#include "gui/history_ratings_dialog.h"
#include "gui/history_selection_dialog.h"
#include "gui/ui_support.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
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
    // History > Statistics with the dialog's fields set by `fill`, then OK;
    // the count goes on.
    void startCount(const std::function<void(HistorySelectionDialog&)>& fill) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<HistorySelectionDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            fill(*dialog);
            dialog->accept();
        });
        inMain<QAction>("historyStatisticsAction")->trigger();
    }
    void showHistory(const std::function<void(HistorySelectionDialog&)>& fill) {
        startCount(fill);
        waitWhileBusy();
        QApplication::processEvents(); // the status comes after the main window's
    }
    void importInto(const std::vector<std::pair<std::string, std::int64_t>>& logs) {
        std::unique_ptr<HistoryStore> store;
        ASSERT_FALSE(openSqliteHistory(database, store));
        for (const auto& [log, date] : logs) {
            LogImport result;
            ASSERT_FALSE(importLog(*store, log, result, {64, date}));
        }
    }
    // History > Statistics' progress, a window of its own while a count runs.
    static QProgressDialog* countDialog() {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "countProgress")
                return qobject_cast<QProgressDialog*>(top);
        return nullptr;
    }
    HistoryPreferencesDialog* preferencesDialog() {
        auto* dialog = window->findChild<HistoryPreferencesDialog*>();
        if (dialog == nullptr) {
            inMain<QAction>("historyPreferencesAction")->trigger();
            dialog = window->findChild<HistoryPreferencesDialog*>();
        }
        return dialog;
    }
    template <typename T> T* field(const char* name) {
        return child<T>(*preferencesDialog(), name);
    }
    // OK or Apply, waiting until the database has been tried.
    void applyPreferences(QDialogButtonBox::StandardButton button) {
        auto* buttons = preferencesDialog()->findChild<QDialogButtonBox*>();
        buttons->button(button)->click();
        ASSERT_TRUE(test::waitUntil([&] { return buttons->button(button)->isEnabled(); }));
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

TEST_F(HistoryMenuTest, PreferencesKeepATriedDatabaseAndTheRankingsMinimum) {
    settings.set(settings_keys::HistoryFile, "");
    start();
    EXPECT_EQ(menu()->historyDatabase(), defaultHistoryFile());
    const std::string chosen = dir.file("clan.sqlite").string();
    prompts.files.push_back(chosen);
    preferencesDialog()->findChild<QPushButton*>("browseHistoryFile")->click();
    EXPECT_EQ(field<QLineEdit>("historyDatabase")->text().toStdString(), chosen);
    field<QSpinBox>("minMatches")->setValue(3);
    applyPreferences(QDialogButtonBox::Ok);
    EXPECT_FALSE(preferencesDialog()->isVisible());
    EXPECT_EQ(settings.get(settings_keys::HistoryFile, ""), chosen);
    EXPECT_EQ(settings.get(settings_keys::HistoryMinMatches, ""), "3");
    EXPECT_EQ(settings.get(settings_keys::HistoryRankBots, ""), "false");
    EXPECT_EQ(menu()->historyDatabase(), chosen);
    EXPECT_EQ(status(), QString::fromStdString("The history is kept in " + chosen));

    // A database that cannot be used is said so and not kept.
    const std::string damaged = logFile("damaged.sqlite", std::string(4096, 'x'));
    const std::string newer = dir.file("newer.sqlite").string();
    { // written by a newer Quorvath
        std::unique_ptr<HistoryStore> store;
        ASSERT_FALSE(openSqliteHistory(newer, store));
    }
    SQLite::Database(newer, SQLite::OPEN_READWRITE).exec("PRAGMA user_version = 99");
    for (const std::string& refused : {damaged, newer, std::string("host=db1 password")}) {
        field<QLineEdit>("historyDatabase")->setText(QString::fromStdString(refused));
        applyPreferences(QDialogButtonBox::Apply);
        ASSERT_FALSE(prompts.messages.empty()) << refused;
        EXPECT_NE(prompts.messages.back().find(refused), std::string::npos)
            << prompts.messages.back();
        EXPECT_EQ(field<QLabel>("preferencesState")->text().toStdString(), prompts.messages.back());
        EXPECT_EQ(settings.get(settings_keys::HistoryFile, ""), chosen);
    }
    EXPECT_EQ(test::readFile(damaged), std::string(4096, 'x')); // nothing written
    EXPECT_NE(prompts.messages[1].find("newer Quorvath"), std::string::npos);

    field<QLineEdit>("historyDatabase")->clear(); // the default again
    applyPreferences(QDialogButtonBox::Apply);
    EXPECT_EQ(settings.get(settings_keys::HistoryFile, "unset"), "");
    EXPECT_EQ(menu()->historyDatabase(), defaultHistoryFile());
}

// A shared database: its password lasts the session, never the settings.
TEST_F(HistoryMenuTest, AConnectionStringIsKeptWithoutItsPassword) {
    const char* cluster = std::getenv("QUORVATH_TEST_POSTGRES");
    if (cluster == nullptr)
        GTEST_SKIP() << "no PostgreSQL cluster (scripts/test starts one)";
    start();
    const std::string typed = std::string(cluster) + " password=s3cret";
    field<QLineEdit>("historyDatabase")->setText(QString::fromStdString(typed));
    applyPreferences(QDialogButtonBox::Apply);
    const std::string kept = settings.get(settings_keys::HistoryFile, "");
    EXPECT_EQ(kept.find("s3cret"), std::string::npos) << kept;
    EXPECT_NE(kept.find("dbname='postgres'"), std::string::npos) << kept;
    EXPECT_EQ(menu()->historyDatabase(), typed); // for this session
    EXPECT_TRUE(status().endsWith("; its password is kept until Quorvath ends, never saved "
                                  "(~/.pgpass or PGPASSWORD keep it)"))
        << status().toStdString();
    EXPECT_EQ(field<QLineEdit>("historyDatabase")->text().toStdString(), kept);
    applyPreferences(QDialogButtonBox::Apply); // unchanged: still with the password
    EXPECT_EQ(menu()->historyDatabase(), typed);

    const std::string refused = std::string(cluster) + " user=quorvath_password password=wrong";
    const std::string away = "postgresql://me:secret@/nowhere?host=/nonexistent";
    for (const std::string& where : {refused, away}) {
        field<QLineEdit>("historyDatabase")->setText(QString::fromStdString(where));
        applyPreferences(QDialogButtonBox::Apply);
        ASSERT_FALSE(prompts.messages.empty());
        EXPECT_EQ(prompts.messages.back().find(where.find("wrong") != std::string::npos ? "wrong"
                                                                                        : "secret"),
                  std::string::npos)
            << prompts.messages.back();
        EXPECT_EQ(settings.get(settings_keys::HistoryFile, ""), kept);
    }
    EXPECT_NE(prompts.messages[0].find("postgresql://quorvath_password@"), std::string::npos)
        << prompts.messages[0];
}

TEST_F(HistoryMenuTest, TheStatisticsWindowShowsASelectionAsTheReportToolCountsIt) {
    const std::string ctf = matchLogs("ctf", 7)[0], dm = matchLogs("dm", 8)[0];
    importInto({{ctf, kFirstOfMarch}, {dm, kFirstOfMarch + 40 * kDay}});
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

// Every ranking and top list the window shows of a selection, linked and
// not, is the report tool's, with the people's decisions and the rankings'
// minimum of the preferences; bots are left out of both.
TEST_F(HistoryMenuTest, RankingsAndTopListsAreTheReportToolsByteForByte) {
    const std::vector<std::string> ctf = matchLogs("ctf", 9), inf = matchLogs("inf", 10);
    importInto({{ctf[0], kFirstOfMarch}, {ctf[1], kFirstOfMarch}, {inf[0], kFirstOfMarch}});
    {
        std::unique_ptr<HistoryStore> store;
        ASSERT_FALSE(openSqliteHistory(database, store));
        PeopleDecision merge{0, PeopleDecision::Kind::Merge, "", "", 0};
        std::vector<std::string> names;
        ASSERT_FALSE(store->readMatches({}, [&](const MatchRecord& m) {
            for (const MatchPlayer& p : m.players)
                if (names.size() < 2 && (names.empty() || names[0] != p.name))
                    names.push_back(p.name);
        }));
        ASSERT_EQ(names.size(), 2u);
        merge.name = names[0];
        merge.other = names[1];
        ASSERT_FALSE(store->addDecision(merge));
    }
    settings.set(settings_keys::HistoryMinKills, "60");
    settings.set(settings_keys::HistoryMinMatches, "25");
    start();
    showHistory([](HistorySelectionDialog&) {});
    StatisticsSession& shown = session->statistics();
    const std::string ranked = "--min-kills 60 --min-matches 25 ";
    for (const bool linked : {false, true}) {
        if (linked)
            inStatistics<QAction>("linkAliasesAction")->trigger();
        ASSERT_EQ(shown.linked(), linked);
        const std::string how = ranked + (linked ? "--linked " : "");
        const std::vector<std::string>& categories = shown.categoryList();
        for (int c = 0; c < static_cast<int>(categories.size()); ++c) {
            if (categories[std::size_t(c)] == kCategoryTopKillers)
                continue;
            shown.dropOnPane(Pane::Left, DraggedList::Categories, c, categories[std::size_t(c)]);
            EXPECT_EQ(shown.paneText(Pane::Left),
                      reportTool(how + "--ranking \"" + categories[std::size_t(c)] + "\""))
                << categories[std::size_t(c)] << (linked ? ", linked" : "");
        }
        const std::vector<std::string> players = shown.playerList();
        for (std::size_t p = 1; p < players.size(); p += 2) {
            shown.dropOnPane(Pane::Left, DraggedList::Players, int(p), players[p]);
            // A bot has no top lists: the pane is left as it was.
            const bool listed =
                shown.dropOnPane(Pane::Right, DraggedList::Categories, 0, kCategoryTopKillers)
                    .rightPane;
            EXPECT_EQ(listed ? shown.paneText(Pane::Right) : "",
                      reportTool(how + "--top \"" + players[p] + "\""))
                << players[p] << (linked ? ", linked" : "");
            EXPECT_EQ(shown.paneText(Pane::Left),
                      reportTool(how + "--sheet \"" + players[p] + "\""))
                << players[p] << (linked ? ", linked" : "");
        }
    }
    // The minimum changes who is ranked: the window follows the preferences.
    EXPECT_NE(reportTool(ranked + "--ranking \"" + kCategoryOverallScore + "\""),
              reportTool(std::string("--ranking \"") + kCategoryOverallScore + "\""));
}

// Cancel while a selection is counted: nothing of it shows, and the
// selection dialog comes back.
TEST_F(HistoryMenuTest, CancellingACountShowsNothingAndAsksForTheSelectionAgain) {
    importInto({{matchLogs("elim", 11)[0], kFirstOfMarch}});
    start();
    startCount([](HistorySelectionDialog&) {});
    ASSERT_TRUE(session->busy());
    QProgressDialog* progress = countDialog();
    ASSERT_NE(progress, nullptr);
    bool askedAgain = false;
    QTimer watch; // the selection dialog comes back once the worker has ended
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* dialog =
                qobject_cast<HistorySelectionDialog*>(QApplication::activeModalWidget())) {
            askedAgain = true;
            dialog->reject();
        }
    });
    watch.start(5);
    progress->findChild<QPushButton*>()->click(); // Cancel
    ASSERT_TRUE(test::waitUntil([&] { return askedAgain; }));
    EXPECT_FALSE(session->busy());
    EXPECT_EQ(status(), "Counting cancelled: nothing shown");
    EXPECT_TRUE(countDialog() == nullptr || !countDialog()->isVisible());
    EXPECT_TRUE(session->statistics().paneText(Pane::Left).empty());
    EXPECT_EQ(inStatistics<DragListWidget>("playerList")->count(), 0);
    EXPECT_TRUE(session->historyShown().isEmpty());

    showHistory([](HistorySelectionDialog&) {}); // counted to the end this time
    EXPECT_TRUE(status().startsWith("History statistics: ")) << status().toStdString();
    EXPECT_FALSE(session->statistics().paneText(Pane::Left).empty());
}

// History > Players: the people as `history people` lists them; a merge,
// a split and an undo, each confirmed, said, stored as the report tool's
// decisions, and the statistics window counted again after each.
TEST_F(HistoryMenuTest, PlayersAreMergedSplitAndUndoneAsTheReportToolDoes) {
    importInto({{matchLogs("ctf", 12)[1], kFirstOfMarch}});
    start();
    showHistory([](HistorySelectionDialog&) {});
    inMain<QAction>("historyPlayersAction")->trigger();
    HistoryPlayersDialog* dialog = nullptr; // a window of its own
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* players = qobject_cast<HistoryPlayersDialog*>(top))
            dialog = players;
    ASSERT_NE(dialog, nullptr);
    const auto waitForPlayers = [&] {
        ASSERT_TRUE(test::waitUntil([&] { return !dialog->reading(); }));
    };
    waitForPlayers();
    auto* table = child<QTableView>(*dialog, "peopleTable");
    // The names column, as the report tool's first column (UTF-8).
    const auto namesShown = [&] {
        std::string names = "name\n";
        for (int row = 0; row < table->model()->rowCount(); ++row)
            names += table->model()->index(row, 0).data().toString().toStdString() + "\n";
        return names;
    };
    std::string people;
    std::istringstream csv(reportTool("people --format csv"));
    for (std::string line; std::getline(csv, line);)
        people += line.substr(0, line.find(',')) + "\n";
    EXPECT_EQ(namesShown(), people);
    EXPECT_EQ(status(),
              QString("History: %1 players, 0 decisions").arg(table->model()->rowCount()));

    // Find narrows the list to the names, aliases and GUIDs holding the text.
    child<QLineEdit>(*dialog, "playerFilter")->setText("sam");
    const int found = table->model()->rowCount();
    EXPECT_GT(found, 1);
    for (int row = 0; row < found; ++row)
        EXPECT_TRUE(
            table->model()->index(row, 0).data().toString().contains("sam", Qt::CaseInsensitive));
    const QString first = table->model()->index(0, 0).data().toString();
    const QString second = table->model()->index(1, 0).data().toString();

    auto* merge = child<QPushButton>(*dialog, "mergeButton");
    // Selected through the model: the view's selectRow follows the keys held.
    const auto selectOnly = [](QAbstractItemView* view, int row) {
        view->selectionModel()->setCurrentIndex(view->model()->index(row, 0),
                                                QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
    };
    selectOnly(table, 0);
    EXPECT_FALSE(merge->isEnabled()); // two players are merged
    table->selectionModel()->select(table->model()->index(1, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ASSERT_TRUE(merge->isEnabled());
    prompts.confirmations = {false, true};
    merge->click();
    EXPECT_EQ(status(), "Nothing changed");
    merge->click();
    waitForPlayers();
    QApplication::processEvents();
    EXPECT_EQ(status(),
              QString("\"%1\" and \"%2\" are one person (decision 1)").arg(first, second));
    EXPECT_NE(prompts.asked.back().find("one person?"), std::string::npos);
    EXPECT_EQ(child<QLabel>(*dialog, "playersState")->text(), status());
    waitWhileBusy(); // the statistics window is counted again
    session->statistics().toggleLinkAliases();
    const std::string merged = windows1252FromUtf8(first.toStdString());
    EXPECT_EQ(reportTool("--linked --sheet \"" + merged + "\""), [&] {
        StatisticsSession& shown = session->statistics();
        shown.showSheet(Pane::Left, session->players().findPlayerIndex(merged));
        return shown.paneText(Pane::Left);
    }());

    // The merged player's names: the second one is split off again.
    child<QLineEdit>(*dialog, "playerFilter")->setText(first);
    selectOnly(table, 0);
    auto* names = child<QListWidget>(*dialog, "personNames");
    ASSERT_EQ(names->count(), 2);
    EXPECT_EQ(names->item(1)->text(), second);
    names->setCurrentRow(1);
    prompts.confirmations = {true};
    child<QPushButton>(*dialog, "splitButton")->click();
    waitForPlayers();
    EXPECT_EQ(status(), QString("\"%1\" stands alone (decision 2)").arg(second));

    auto* decisions = child<QTableWidget>(*dialog, "decisionsTable");
    ASSERT_EQ(decisions->rowCount(), 2);
    selectOnly(decisions, 0);
    prompts.confirmations = {true};
    child<QPushButton>(*dialog, "undoButton")->click();
    waitForPlayers();
    EXPECT_EQ(status(), "Decision 1 undone");
    EXPECT_EQ(decisions->rowCount(), 1);
    EXPECT_EQ(decisions->item(0, 2)->text(), "split");
    const std::string listed = reportTool("decisions --format csv");
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 2) << listed;

    dialog->reject(); // Close: its place is kept
    EXPECT_FALSE(settings.get(settings_keys::HistoryPlayersGeometry, "").empty());
}

// History > Ratings: a selection's ratings as `history ratings` lists them,
// linked when checked; Cancel shows nothing; every outcome is said.
TEST_F(HistoryMenuTest, RatingsAreTheReportToolsAndEveryOutcomeIsSaid) {
    importInto({{matchLogs("dm", 13)[0], kFirstOfMarch}, {matchLogs("ctf", 14)[0], kFirstOfMarch}});
    start();
    const auto rate = [&](const std::function<void(HistorySelectionDialog&)>& fill) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<HistorySelectionDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "History ratings");
            fill(*dialog);
            dialog->accept();
        });
        inMain<QAction>("historyRatingsAction")->trigger();
    };
    rate([](HistorySelectionDialog& dialog) { dialog.findChild<QLineEdit*>("map")->clear(); });
    HistoryRatingsDialog* dialog = nullptr; // a window of its own
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* ratings = qobject_cast<HistoryRatingsDialog*>(top))
            dialog = ratings;
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    const auto waitForRatings = [&] {
        ASSERT_TRUE(test::waitUntil([&] { return !dialog->rating(); }));
        QApplication::processEvents();
    };
    waitForRatings();
    auto* table = child<QTableWidget>(*dialog, "ratingsTable");
    const auto tableShown = [&] { // as the report tool's CSV
        std::string csv = "name,rating,mu,sigma,matches,provisional\r\n";
        for (int row = 0; row < table->rowCount(); ++row)
            for (int column = 0; column < table->columnCount(); ++column)
                csv += table->item(row, column)->text().toStdString() +
                       (column + 1 < table->columnCount() ? "," : "\r\n");
        return csv;
    };
    EXPECT_EQ(tableShown(), reportTool("ratings --format csv --encoding utf-8"));
    EXPECT_GT(table->rowCount(), 10);
    EXPECT_EQ(status(), QString("History ratings: %1 players rated from %2 matches")
                            .arg(table->rowCount())
                            .arg(storedMatches()));
    EXPECT_EQ(child<QLabel>(*dialog, "ratingsState")->text(), status());

    child<QCheckBox>(*dialog, "linkAliases")->setChecked(true); // rated again at once
    waitForRatings();
    EXPECT_EQ(tableShown(), reportTool("ratings --linked --format csv --encoding utf-8"));

    rate([](HistorySelectionDialog&) {});
    auto* progress = dialog->findChild<QProgressDialog*>("ratingProgress");
    ASSERT_NE(progress, nullptr);
    progress->findChild<QPushButton*>()->click(); // Cancel
    waitForRatings();
    EXPECT_EQ(status(), "Rating cancelled: nothing shown");
    EXPECT_EQ(table->rowCount(), 0);

    const std::string missing = dir.file("none.sqlite").string();
    settings.set(settings_keys::HistoryFile, missing);
    rate([](HistorySelectionDialog&) {});
    EXPECT_EQ(status().toStdString(),
              "The history \"" + missing + "\" does not exist: import logs first.");
    EXPECT_EQ(prompts.messages.back(), status().toStdString());
    EXPECT_FALSE(std::filesystem::exists(missing));

    dialog->reject(); // Close: its place is kept
    EXPECT_FALSE(settings.get(settings_keys::HistoryRatingsGeometry, "").empty());
}

} // namespace
} // namespace quorvath
