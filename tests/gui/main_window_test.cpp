// The main window driven through its menus, buttons and scripted prompts,
// offscreen: what the user sees, and what is left on disk. File > Open keeps
// the user's data safe: the log on screen stays until a new one has loaded,
// the archive copy is the log byte for byte, the log itself is never written,
// and a copy that cannot be written is reported without harm to the log.

#include "core/log/log_document.h"
#include "gui/about_dialog.h"
#include "gui/app_texts.h"
#include "gui/log_view.h"
#include "gui/ui_support.h"
#include "support/acting_user.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include <cmath>
#include <filesystem>

namespace quorvath {
namespace {

namespace fs = std::filesystem;

// A small console log: a loading block, two kills, a chat line, the shutdown.
const std::string kLog = "------- Server Initialization -------\r\n"
                         "Current search path:\r\n"
                         "/sof2/base/mp\r\n"
                         "----- Server Initialization Complete ----- 42 msec\r\n"
                         "^1Bob^7 was shot by ^4Alice^7's M4\r\n"
                         "^2Alice: gg bob\r\n"
                         "^4Alice^7 was shot by ^1Bob^7's M4\r\n"
                         "----- CL_Shutdown -----\r\n"
                         "bye\r\n";

class MainWindowTest : public test::ProgramTest {
protected:
    QString status() { return inMain<QLabel>("statusLabel")->text(); }
    // One message naming `file`; the log on screen and its copy stay.
    void expectRefused(const std::string& file, const std::string& text) {
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_NE(prompts.messages[0].find(file), std::string::npos) << prompts.messages[0];
        EXPECT_EQ(session->document().text(), text);
        EXPECT_EQ(session->hasArchiveCopy(), !text.empty());
        EXPECT_TRUE(inMain<QAction>("openAction")->isEnabled());
        prompts.messages.clear();
    }
};

TEST_F(MainWindowTest, OpenSearchHighlightAndTheArchiveCopies) {
    settings.set("SofDir", "/games/sof2/games.log"); // where earlier versions kept the last log
    settings.set("TextColor", "255");                // red
    settings.set("BackColor", "0x00FF00");           // not a whole number: the default
    start();
    auto* searchBox = inMain<QLineEdit>("searchBox");
    EXPECT_EQ(searchBox->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(searchBox->palette().color(QPalette::Base), QColor(0, 0, 0));

    const std::string path = logFile("games.log", kLog);
    open(path);
    EXPECT_EQ(prompts.lastInitialFolder, "/games/sof2/games.log");
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(openDialogStart(settings), path); // the next Open starts at this log
    EXPECT_EQ(window->windowTitle(), "Quorvath - games.log");
    const std::string firstCopy = session->archiveCopy(); // beside the log, byte for byte
    EXPECT_EQ(fs::path(firstCopy).parent_path(), dir.path());
    EXPECT_EQ(test::readFile(firstCopy), kLog);
    EXPECT_FALSE(window->logView()->isHidden());
    const std::string& text = session->document().text();
    EXPECT_NE(text.find("Bob was shot by Alice's M4"), std::string::npos);
    EXPECT_EQ(window->logView()->lineCount(), std::count(text.begin(), text.end(), '\n') + 1);
    EXPECT_EQ(status(), "Ready - player console log");

    // Find selects a hit, Find Next the one after, Enter in the box is Find;
    // past the last hit the search starts again at the top, and says so.
    const LogDocument& doc = session->document();
    const int first = static_cast<int>(doc.text().find("Alice"));
    const int second = static_cast<int>(doc.text().find("Alice", std::size_t(first) + 1));
    const int third = static_cast<int>(doc.text().find("Alice", std::size_t(second) + 1));
    searchBox->setText("alice");
    inMain<QPushButton>("findButton")->click();
    EXPECT_EQ(doc.selStart(), first);
    EXPECT_EQ(doc.selLength(), 5);
    inMain<QPushButton>("findNextButton")->click();
    EXPECT_EQ(doc.selStart(), second);
    inMain<QPushButton>("findNextButton")->click();
    EXPECT_EQ(doc.selStart(), third);
    inMain<QPushButton>("findNextButton")->click();
    EXPECT_EQ(doc.selStart(), first);
    EXPECT_EQ(status(), "Search wrapped to the top");
    emit searchBox->returnPressed();
    EXPECT_EQ(doc.selStart(), first);
    EXPECT_EQ(status(), "Ready");
    searchBox->setText("Carol");
    inMain<QPushButton>("findButton")->click();
    EXPECT_EQ(status(), "Not found: Carol");
    searchBox->clear();
    inMain<QPushButton>("findNextButton")->click();
    EXPECT_TRUE(status().contains("empty"));

    // Highlight Nick with no nick asks for one; Cancel highlights nothing.
    prompts.inputs = {std::nullopt, "Bob", std::nullopt};
    inMain<QPushButton>("highlightNickButton")->click();
    EXPECT_EQ(status(), "No nick set: nothing highlighted");
    std::vector<std::uint8_t> before;
    for (int i = 0; i < doc.length(); ++i)
        before.push_back(doc.attributeAt(i));
    inMain<QPushButton>("highlightNickButton")->click();
    EXPECT_EQ(settings.get("Nick", "?"), "Bob");
    EXPECT_EQ(status(), "Highlighting Nick...");
    waitWhileBusy();
    int marked = 0;
    for (int i = 0; i < doc.length(); ++i)
        if (doc.attributeAt(i) != before[std::size_t(i)]) {
            const std::uint8_t marks = attr::Bold | attr::Italic | attr::Underline;
            marked += (doc.attributeAt(i) & marks) == marks;
        }
    EXPECT_EQ(marked, 3 * 3); // Bob, bob, Bob
    EXPECT_EQ(status(), "Bob highlighted 3 times");
    // PlayerName shows the nick in effect; Cancel keeps it.
    inMain<QAction>("playerNameAction")->trigger();
    EXPECT_EQ(prompts.lastInitialInput, "Bob");
    EXPECT_EQ(settings.get("Nick", "?"), "Bob");

    // Each later open asks about the copy once the new log has loaded: Delete
    // removes it, Keep keeps it, Cancel goes back to the log on screen (the new
    // copy goes); so do closing the program and File > Quit.
    prompts.answers = {test::kDeleteCopy};
    open(logFile("b.txt", kLog));
    EXPECT_EQ(prompts.asked.back(), texts::keepQuestion(firstCopy).toStdString());
    EXPECT_NE(prompts.asked.back().find("dated copy"), std::string::npos);
    EXPECT_FALSE(fs::exists(firstCopy));
    const std::string secondCopy = session->archiveCopy();
    prompts.answers = {{KeepChoice::Cancel}};
    open(logFile("c.log", kLog));
    EXPECT_EQ(window->windowTitle(), "Quorvath - b.txt");
    EXPECT_EQ(session->archiveCopy(), secondCopy);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 4);
    EXPECT_EQ(status(), "Ready");
    prompts.answers = {test::kKeepCopy};
    open(logFile("c.log", kLog));
    EXPECT_TRUE(fs::exists(secondCopy));
    EXPECT_EQ(window->windowTitle(), "Quorvath - c.log");
    window->show();
    prompts.answers = {{KeepChoice::Cancel}};
    inMain<QAction>("quitAction")->trigger();
    EXPECT_TRUE(window->isVisible()); // Cancel (and Escape) go back
    prompts.answers = {test::kDeleteCopy};
    inMain<QAction>("quitAction")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(prompts.asked.back(), texts::keepQuestion(session->archiveCopy()).toStdString());
    EXPECT_FALSE(fs::exists(session->archiveCopy()));
}

TEST_F(MainWindowTest, DoNotAskAgainStandsForEveryCopyUntilPreferencesChangeIt) {
    start();
    const auto copies = [&] {
        return std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
    };
    const auto questions = [&] {
        return std::count_if(prompts.asked.begin(), prompts.asked.end(),
                             [](const std::string& q) { return q.find("dated copy") != q.npos; });
    };
    open(logFile("a.log", kLog));
    prompts.answers = {{KeepChoice::Delete, true}};
    open(logFile("b.log", kLog));
    EXPECT_EQ(settings.get(settings_keys::DatedCopies, ""), "delete");
    EXPECT_EQ(copies(), 3); // a.log, b.log and b's copy
    const auto asked = questions();
    open(logFile("c.log", kLog)); // deleted without asking
    EXPECT_EQ(questions(), asked);
    EXPECT_EQ(copies(), 4);

    auto* menu = inMain<QMenu>("datedCopiesMenu");
    emit menu->aboutToShow();
    EXPECT_TRUE(inMain<QAction>("datedCopies_delete")->isChecked());
    inMain<QAction>("datedCopies_keep")->trigger();
    open(logFile("d.log", kLog)); // kept without asking
    EXPECT_EQ(questions(), asked);
    EXPECT_EQ(copies(), 6);
    inMain<QAction>("datedCopies_ask")->trigger();
    prompts.answers = {test::kKeepCopy};
    open(logFile("e.log", kLog));
    EXPECT_EQ(questions(), asked + 1);
}

TEST_F(MainWindowTest, TheLogOnScreenStaysUntilANewOneHasLoaded) {
    const fs::path folder = dir.file("readonly");
    fs::create_directory(folder);
    const std::string unwritable = (folder / "server.log").string();
    test::writeFile(unwritable, "boot msec\r\n");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    start();
    inMain<QPushButton>("getStatisticsButton")->click(); // nothing to count yet
    EXPECT_EQ(status().toStdString(), texts::NoLogToCount);
    EXPECT_FALSE(statistics->isVisible());
    open((folder / "nowhere.log").string());       // refused before any copy is made
    EXPECT_TRUE(status().contains("nowhere.log")); // said in the status too
    expectRefused("nowhere.log", "");
    open(logFile("a.log", kLog));
    getStatistics();
    const int players = session->players().playerCount();
    ASSERT_GT(players, 0);
    const std::string text = session->document().text();
    const std::string copy = session->archiveCopy();

    // Cancelled, missing, or its archive copy cannot be written: each leaves
    // the log, its statistics and its copy, and asks nothing about the copy.
    open("");
    EXPECT_TRUE(prompts.messages.empty());
    open(dir.file("nowhere.log").string());
    expectRefused("nowhere.log", text);
    {
        test::ActingAsNobody nobody;
        ASSERT_TRUE(nobody.effective());
        open(unwritable);
    }
    fs::permissions(folder, fs::perms::owner_all);
    expectRefused(".log\" cannot be written", text);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    EXPECT_EQ(test::readFile(unwritable), "boot msec\r\n");
    EXPECT_EQ(std::count_if(prompts.asked.begin(), prompts.asked.end(),
                            [](const std::string& q) { return q.find("dated copy") != q.npos; }),
              0);
    EXPECT_EQ(openDialogStart(settings), logFile("a.log", kLog)); // not a refused one
    EXPECT_FALSE(window->logView()->isHidden());
    EXPECT_EQ(session->players().playerCount(), players);
    EXPECT_EQ(window->windowTitle(), "Quorvath - a.log");
    EXPECT_TRUE(fs::exists(copy));
    inMain<QLineEdit>("searchBox")->setText("Alice");
    inMain<QPushButton>("findButton")->click();
    EXPECT_GT(session->document().selLength(), 0);
}

TEST_F(MainWindowTest, RecentLogsGeometryContextMenuAndZoom) {
    start();
    std::vector<std::string> logs;
    for (int n = 1; n <= 9; ++n) {
        logs.push_back(logFile("log" + std::to_string(n) + ".log", kLog));
        prompts.answers = {test::kDeleteCopy};
        open(logs.back());
    }
    // The last eight, newest first; one that has gone is removed with a message.
    auto* recent = inMain<QMenu>("recentLogsMenu");
    emit recent->aboutToShow();
    QList<QAction*> entries = recent->actions();
    ASSERT_EQ(entries.size(), 8);
    EXPECT_EQ(entries[0]->toolTip().toStdString(), logs[8]);
    EXPECT_EQ(entries[7]->toolTip().toStdString(), logs[1]);
    fs::remove(logs[5]);
    entries[3]->trigger(); // log6
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("log6.log"), std::string::npos);
    EXPECT_EQ(window->windowTitle(), "Quorvath - log9.log");
    emit recent->aboutToShow();
    EXPECT_EQ(recent->actions().size(), 7);
    prompts.answers = {test::kDeleteCopy};
    recent->actions()[1]->trigger(); // log8
    waitWhileBusy();
    EXPECT_EQ(window->windowTitle(), "Quorvath - log8.log");

    // The log view's context menu: Select All, Copy, Find the selected text.
    LogView* view = window->logView();
    QMenu* menu = view->contextMenu();
    EXPECT_FALSE(menu->findChild<QAction*>("copyAction")->isEnabled());
    menu->findChild<QAction*>("selectAllAction")->trigger();
    EXPECT_EQ(session->document().selLength(), session->document().length());
    const LogDocument& doc = session->document();
    const int bob = static_cast<int>(doc.text().find("Bob"));
    session->document().select(bob, 3);
    view->contextMenu()->findChild<QAction*>("findSelectedAction")->trigger();
    EXPECT_EQ(inMain<QLineEdit>("searchBox")->text(), "Bob");
    EXPECT_EQ(doc.selStart(), static_cast<int>(doc.text().find("bob", std::size_t(bob) + 1)));
    view->contextMenu()->findChild<QAction*>("copyAction")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "bob");

    // View > Zoom: larger, smaller, back.
    const double size = view->font().pointSizeF();
    inMain<QAction>("zoomInAction")->trigger();
    EXPECT_GT(view->font().pointSizeF(), size);
    inMain<QAction>("zoomOutAction")->trigger();
    inMain<QAction>("zoomOutAction")->trigger();
    EXPECT_LT(view->font().pointSizeF(), size);
    inMain<QAction>("zoomResetAction")->trigger();
    EXPECT_EQ(view->font().pointSizeF(), size);

    // Size and position come back in the next run.
    window->setGeometry(120, 90, 700, 500);
    prompts.answers = {test::kDeleteCopy};
    window->close();
    MainWindow again(*session, settings, prompts);
    EXPECT_EQ(again.geometry().size(), QSize(700, 500));
}

TEST_F(MainWindowTest, AboutOpensOnceAndOkClosesItAndEveryButtonHasATooltip) {
    start();
    const auto buttons = window->findChildren<QPushButton*>();
    ASSERT_FALSE(buttons.isEmpty());
    for (const QPushButton* button : buttons)
        EXPECT_FALSE(button->toolTip().isEmpty()) << button->objectName().toStdString();
    inMain<QAction>("aboutAction")->trigger();
    inMain<QAction>("aboutAction")->trigger();
    ASSERT_EQ(window->findChildren<AboutDialog*>().size(), 1);
    AboutDialog* about = window->findChild<AboutDialog*>();
    EXPECT_TRUE(about->isVisible());
    child<QPushButton>(*about, "okButton")->click();
    EXPECT_TRUE(test::waitUntil([&] { return window->findChildren<AboutDialog*>().isEmpty(); }));
}

TEST_F(MainWindowTest, TheLogViewSelectsAWordAndByShiftKeysAndCopiesLinesEndingInLf) {
    start();
    open(logFile("a.log", kLog));
    LogView* view = window->logView();
    view->resize(800, 400);
    const LogDocument& doc = session->document();
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::ShiftModifier) {
        QKeyEvent press(QEvent::KeyPress, k, modifiers);
        QApplication::sendEvent(view, &press);
    };
    const auto selected = [&] {
        return doc.text().substr(std::size_t(doc.selStart()), std::size_t(doc.selLength()));
    };
    // On the line "Bob was shot by Alice's M4", a few pixels in.
    const std::string text = doc.text();
    const std::size_t bob = text.find("Bob was shot");
    ASSERT_NE(bob, std::string::npos);
    const auto line =
        static_cast<int>(std::count(text.begin(), text.begin() + std::ptrdiff_t(bob), '\n'));
    QFont bold = view->font();
    bold.setBold(true);
    const int height = static_cast<int>(std::ceil(QFontMetricsF(bold).lineSpacing()));
    const QPoint onBob(8, line * height + height / 2);
    QMouseEvent twice(QEvent::MouseButtonDblClick, onBob, view->mapToGlobal(onBob), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &twice);
    EXPECT_EQ(selected(), "Bob");
    key(Qt::Key_End);
    const std::string shot = "Bob was shot by Alice's M4";
    EXPECT_EQ(selected(), shot);
    key(Qt::Key_Right); // the line break, as one step
    key(Qt::Key_Right);
    const std::string next = text.substr(bob + shot.size() + 2, 1);
    EXPECT_EQ(selected(), shot + "\r\n" + next);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), shot + "\n" + next);
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    key(Qt::Key_Home); // back to where the word began
    EXPECT_EQ(selected(), "");
    key(Qt::Key_Down);
    const std::size_t below = text.find('\n', bob) + 1;
    EXPECT_EQ(selected(), text.substr(bob, below - bob)); // the same column a line below
    key(Qt::Key_Up, Qt::NoModifier); // without Shift the keys scroll, as before
    EXPECT_EQ(selected(), text.substr(bob, below - bob));
}

TEST_F(MainWindowTest, TheCopyIsTheLogAndTheLogIsNeverWritten) {
    std::string bytes = test::readFile(demoLog());
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>(i * 7919); // every byte value, bare CRs and LFs among them
    const std::string log = logFile("server.log", bytes);
    const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(log, stamp);

    start();
    open(log);
    ASSERT_TRUE(prompts.messages.empty());
    ASSERT_TRUE(session->hasArchiveCopy());
    EXPECT_TRUE(test::readFile(session->archiveCopy()) == bytes);
    window->logView()->repaint(); // painting every byte value must not trip anything
    getStatistics();
    EXPECT_GT(session->players().playerCount(), 0);
    EXPECT_TRUE(test::readFile(log) == bytes);
    EXPECT_EQ(fs::last_write_time(log), stamp);
}

} // namespace
} // namespace quorvath
