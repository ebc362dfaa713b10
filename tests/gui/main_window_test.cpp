// The main window driven through its menus, buttons and scripted prompts,
// offscreen: what the user sees, and what is left on disk. File > Open keeps
// the user's data safe: the archive copy is the log byte for byte, the log
// itself is never written, and a copy that cannot be written is reported
// without harm to the log.

#include "core/log/log_document.h"
#include "gui/about_dialog.h"
#include "gui/log_view.h"
#include "gui/ui_support.h"
#include "support/acting_user.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
    std::string logFile(const std::string& name) {
        test::writeFile(dir.file(name), kLog);
        return dir.file(name).string();
    }
    // One message naming `file`; the view stays empty and hidden, the program goes on.
    void expectRefused(const std::string& file) {
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_NE(prompts.messages[0].find(file), std::string::npos) << prompts.messages[0];
        EXPECT_TRUE(window->logView()->isHidden());
        EXPECT_EQ(session->document().text(), "");
        EXPECT_FALSE(session->hasArchiveCopy());
        EXPECT_TRUE(inMain<QAction>("openAction")->isEnabled());
        prompts.messages.clear();
    }
};

TEST_F(MainWindowTest, OpenSearchHighlightAndTheArchiveCopies) {
    settings.set("SofDir", "/games/sof2");
    settings.set("TextColor", "255");      // red
    settings.set("BackColor", "0x00FF00"); // not a whole number: the default
    start();
    auto* searchBox = inMain<QLineEdit>("searchBox");
    EXPECT_EQ(searchBox->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(searchBox->palette().color(QPalette::Base), QColor(0, 0, 0));

    // A cancelled File > Open empties and hides the view; "?" shows it again.
    open("");
    EXPECT_EQ(prompts.lastInitialFolder, "/games/sof2");
    EXPECT_EQ(settings.get("SofDir", "?"), "");
    EXPECT_TRUE(window->logView()->isHidden());
    inMain<QPushButton>("toggleLogViewButton")->click();
    EXPECT_FALSE(window->logView()->isHidden());

    const std::string path = logFile("games.log");
    open(path);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(settings.get("SofDir", "?"), path);
    const std::string firstCopy = session->archiveCopy(); // beside the log, byte for byte
    EXPECT_EQ(fs::path(firstCopy).parent_path(), dir.path());
    EXPECT_EQ(test::readFile(firstCopy), kLog);
    EXPECT_FALSE(window->logView()->isHidden());
    const std::string& text = session->document().text();
    EXPECT_NE(text.find("Bob was shot by Alice's M4"), std::string::npos);
    EXPECT_EQ(window->logView()->lineCount(), std::count(text.begin(), text.end(), '\n') + 1);
    EXPECT_EQ(inMain<QLabel>("statusLabel")->text(), "Ready");

    // Find selects a hit, Find Next the one after, Enter in the box is Find.
    const LogDocument& doc = session->document();
    const int first = static_cast<int>(doc.text().find("Alice"));
    const int second = static_cast<int>(doc.text().find("Alice", std::size_t(first) + 1));
    searchBox->setText("alice");
    inMain<QPushButton>("findButton")->click();
    EXPECT_EQ(doc.selStart(), first);
    EXPECT_EQ(doc.selLength(), 5);
    inMain<QPushButton>("findNextButton")->click();
    EXPECT_EQ(doc.selStart(), second);
    emit searchBox->returnPressed();
    EXPECT_EQ(doc.selStart(), first);

    // PlayerName ("" changes nothing), then Highlight Nick marks every "bob".
    prompts.inputs = {"Bob", std::nullopt};
    inMain<QAction>("playerNameAction")->trigger();
    inMain<QAction>("playerNameAction")->trigger();
    EXPECT_EQ(settings.get("Nick", "?"), "Bob");
    const std::vector<std::uint8_t> before = doc.attributes();
    inMain<QPushButton>("highlightNickButton")->click();
    EXPECT_EQ(inMain<QLabel>("statusLabel")->text(), "Highlighting Nick...");
    waitWhileBusy();
    int marked = 0;
    for (int i = 0; i < doc.length(); ++i)
        if (doc.attributeAt(i) != before[std::size_t(i)]) {
            const std::uint8_t marks = attr::Bold | attr::Italic | attr::Underline;
            marked += (doc.attributeAt(i) & marks) == marks;
        }
    EXPECT_EQ(marked, 3 * 3); // Bob, bob, Bob
    EXPECT_EQ(inMain<QLabel>("statusLabel")->text(), "Ready");

    // Each later open asks about the copy before: No removes it, Yes keeps it;
    // so does closing the program.
    prompts.answers = {false};
    open(logFile("b.txt"));
    EXPECT_EQ(prompts.asked.back(), "Do you want to Keep " + firstCopy);
    EXPECT_FALSE(fs::exists(firstCopy));
    const std::string secondCopy = session->archiveCopy();
    prompts.answers = {true};
    open(logFile("c.log"));
    EXPECT_TRUE(fs::exists(secondCopy));
    prompts.answers = {false};
    window->close();
    EXPECT_EQ(prompts.asked.back(), "Do you want to Keep " + session->archiveCopy());
    EXPECT_FALSE(fs::exists(session->archiveCopy()));
}

TEST_F(MainWindowTest, AboutOpensOnceAndOkClosesIt) {
    start();
    inMain<QAction>("aboutAction")->trigger();
    inMain<QAction>("aboutAction")->trigger();
    ASSERT_EQ(window->findChildren<AboutDialog*>().size(), 1);
    AboutDialog* about = window->findChild<AboutDialog*>();
    EXPECT_TRUE(about->isVisible());
    child<QPushButton>(*about, "okButton")->click();
    EXPECT_TRUE(test::waitUntil([&] { return window->findChildren<AboutDialog*>().isEmpty(); }));
}

TEST_F(MainWindowTest, TheCopyIsTheLogAndTheLogIsNeverWritten) {
    std::string bytes = test::readFile(demoLog());
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>(i * 7919); // every byte value, bare CRs and LFs among them
    const std::string log = dir.file("server.log").string();
    test::writeFile(log, bytes);
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

TEST_F(MainWindowTest, RefusalsAreSaidAndHarmNothing) {
    const fs::path folder = dir.file("readonly");
    fs::create_directory(folder);
    const std::string log = (folder / "server.log").string();
    test::writeFile(log, "boot msec\r\n");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    start();
    open((folder / "nowhere.log").string()); // refused before any copy is made
    expectRefused("nowhere.log");
    {
        test::ActingAsNobody nobody;
        ASSERT_TRUE(nobody.effective());
        open(log); // the archive copy cannot be written
    }
    fs::permissions(folder, fs::perms::owner_all);
    expectRefused("\"" + session->archiveCopy() + "\"");
    EXPECT_FALSE(fs::exists(session->archiveCopy()));
    EXPECT_EQ(test::readFile(log), "boot msec\r\n");
    window->close(); // nothing to ask about
    EXPECT_EQ(prompts.asked.size(), 4u);
}

} // namespace
} // namespace quorvath
