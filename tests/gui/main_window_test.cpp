// The main window driven through scripted prompts, offscreen.

#include "core/common/settings_store.h"
#include "core/log/log_document.h"
#include "gui/app_texts.h"
#include "gui/log_view.h"
#include "gui/main_window.h"
#include "gui/ui_support.h"
#include "support/editable_document.h"
#include "support/test_support.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace quorvath {
namespace {

namespace fs = std::filesystem;
using test::ScriptedPrompts;

// A small console log: a loading block, a kill, a chat line, the shutdown.
const std::string kLog = "------- Server Initialization -------\r\n"
                         "Current search path:\r\n"
                         "/sof2/base/mp\r\n"
                         "----- Server Initialization Complete ----- 42 msec\r\n"
                         "^1Bob^7 was shot by ^4Alice^7's M4\r\n"
                         "^2Alice: gg\r\n"
                         "----- CL_Shutdown -----\r\n"
                         "bye\r\n";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApp(); }

    std::unique_ptr<MainWindow> makeWindow() {
        auto w = std::make_unique<MainWindow>(settings, prompts);
        w->resize(w->sizeHint());
        return w;
    }
    template <typename T> T* child(MainWindow& w, const char* name) {
        T* found = w.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    std::string logFile(const std::string& name, const std::string& text = kLog) {
        const fs::path p = dir.file(name);
        test::writeFile(p, text);
        return p.string();
    }
    void open(MainWindow& w, const std::string& path) {
        prompts.files.push_back(path);
        w.FileMenuOpen_Click();
        ASSERT_TRUE(test::waitUntil([&] { return !w.busy(); }));
    }
    std::string viewText(MainWindow& w) { return w.document()->text(); }

    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    test::TempDir dir;
};

TEST_F(MainWindowTest, FirstStartWithEmptySettings) {
    auto w = makeWindow();
    EXPECT_EQ(w->nick(), "");
    EXPECT_EQ(w->cfgpath(),
              "c:\\program files\\Soldier of Fortune II - Double Helix\\base\\mp\\sof2mp.cfg");
    EXPECT_FALSE(w->logloaded());
    auto* search = child<QLineEdit>(*w, "txtSearch");
    EXPECT_EQ(search->palette().color(QPalette::Text), QColor(0, 192, 0));
    EXPECT_EQ(search->palette().color(QPalette::Base), QColor(0, 0, 0));

    settings.set("TextColor", "255");      // red
    settings.set("BackColor", "0x00FF00"); // not a whole number: the default
    auto stored = makeWindow();
    search = child<QLineEdit>(*stored, "txtSearch");
    EXPECT_EQ(search->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(search->palette().color(QPalette::Base), QColor(0, 0, 0));
}

TEST_F(MainWindowTest, PlayerNameCancelKeepsTheEarlierName) {
    auto w = makeWindow();
    prompts.inputs = {"Bob", "", "2"};
    w->PreferencesMenuPlayerName_Click();
    EXPECT_EQ(prompts.asked.back(), "Please enter your nick exactly how it appears ingame\r\n"
                                    "(You can copy it from the log and come back)");
    w->PreferencesMenuPlayerName_Click();
    EXPECT_EQ(w->nick(), "Bob");
    EXPECT_EQ(settings.get("Nick", "?"), "Bob");
    w->PreferencesMenuPlayerName_Click(); // "2" is a name like any other
    EXPECT_EQ(w->nick(), "2");
}

TEST_F(MainWindowTest, QuestionMarkTogglesTheViewTwice) {
    auto w = makeWindow();
    LogView* view = w->logView();
    const bool before = view->isHidden();
    w->Go_Click();
    EXPECT_NE(view->isHidden(), before);
    w->Go_Click();
    EXPECT_EQ(view->isHidden(), before);
}

TEST_F(MainWindowTest, CancelledOpenClearsSofDirAndHidesAnEmptyView) {
    settings.set("SofDir", "/games/sof2");
    auto w = makeWindow();
    open(*w, "");
    EXPECT_EQ(prompts.lastInitialFolder, "/games/sof2");
    ASSERT_EQ(prompts.lastFilters.size(), 2u);
    EXPECT_EQ(prompts.lastFilters[0].description, "Log Files");
    EXPECT_EQ(prompts.lastFilters[1].pattern, "*.txt");
    EXPECT_EQ(settings.get("SofDir", "?"), "");
    EXPECT_TRUE(w->logView()->isHidden());
    EXPECT_EQ(viewText(*w), "");
    EXPECT_FALSE(w->logloaded());
    w->Go_Click(); // "?" shows it again, empty
    EXPECT_FALSE(w->logView()->isHidden());
}

TEST_F(MainWindowTest, OpeningALogMakesTheArchiveCopyAndShowsTheRenderedText) {
    auto w = makeWindow();
    int cleared = 0;
    QObject::connect(w.get(), &MainWindow::logCleared, [&] { ++cleared; });
    const std::string path = logFile("games.log");
    open(*w, path);
    EXPECT_EQ(cleared, 1);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front();
    EXPECT_TRUE(w->logloaded());
    EXPECT_EQ(settings.get("SofDir", "?"), path);
    // games + hh-mm + "-" + mm-dd-yy + .log, beside the log
    EXPECT_TRUE(std::regex_match(w->archivecopy(),
                                 std::regex(".*/games\\d\\d-\\d\\d-\\d\\d-\\d\\d-\\d\\d\\.log")))
        << w->archivecopy();
    EXPECT_EQ(test::readFile(w->archivecopy()), kLog);
    EXPECT_FALSE(w->logView()->isHidden());
    const std::string text = viewText(*w);
    EXPECT_NE(text.find("NEW  ROUND"), std::string::npos);
    EXPECT_NE(text.find("Bob was shot by Alice's M4"), std::string::npos);
    EXPECT_EQ(text.find('^'), std::string::npos);
    EXPECT_EQ(text.find("bye"), std::string::npos); // the shutdown tail is cut
    EXPECT_EQ(test::colourAt(*w->document(), static_cast<int>(text.find("Bob"))), 0x8080FFu);
    EXPECT_EQ(w->document()->selStart(), 0);
    EXPECT_EQ(child<QLabel>(*w, "Label1")->text(), "Ready");
    EXPECT_TRUE(child<QPushButton>(*w, "FindBtn")->isEnabled());
    // The view draws lines of the document.
    bool drawn = false;
    for (int i = 0; i < w->logView()->lineCount(); ++i)
        drawn |= w->logView()->lineText(i) == "Bob was shot by Alice's M4";
    EXPECT_TRUE(drawn);
}

TEST_F(MainWindowTest, ASecondOpenAsksAboutTheFirstCopyAndNoDeletesIt) {
    auto w = makeWindow();
    open(*w, logFile("a.log"));
    const std::string first = w->archivecopy();
    prompts.answers = {false};
    open(*w, logFile("b.txt"));
    ASSERT_GE(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[prompts.asked.size() - 1], "Do you want to Keep " + first);
    EXPECT_FALSE(fs::exists(first));
    EXPECT_TRUE(fs::exists(w->archivecopy()));

    const std::string second = w->archivecopy();
    prompts.answers = {true};
    open(*w, logFile("c.log"));
    EXPECT_TRUE(fs::exists(second)); // Yes keeps it
    // And once more when the program ends.
    prompts.answers = {false};
    const std::string last = w->archivecopy();
    w->close();
    EXPECT_EQ(prompts.asked.back(), "Do you want to Keep " + last);
    EXPECT_FALSE(fs::exists(last));
}

TEST_F(MainWindowTest, AMissingLogIsReportedAndTheProgramGoesOn) {
    auto w = makeWindow();
    const std::string missing = dir.file("nowhere.log").string();
    open(*w, missing);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("nowhere.log"), std::string::npos) << prompts.messages[0];
    EXPECT_TRUE(w->logView()->isHidden());
    EXPECT_EQ(viewText(*w), "");
    EXPECT_FALSE(w->logloaded());
    EXPECT_TRUE(child<QPushButton>(*w, "FindBtn")->isEnabled());
    EXPECT_TRUE(child<QAction>(*w, "FileMenuOpen")->isEnabled());
    prompts.answers.clear();
    w->close(); // nothing to ask about
    EXPECT_EQ(prompts.messages.size(), 1u);
}

class SearchTest : public MainWindowTest {
protected:
    void load(MainWindow& w, const std::string& text) {
        w.document()->setText(text);
        w.logView()->documentChanged();
    }
};

TEST_F(SearchTest, FindAndFindNextWalkThroughTheHitsAndStartOver) {
    auto w = makeWindow();
    load(*w, "abc xx abc yy ABC");
    auto* search = child<QLineEdit>(*w, "txtSearch");
    search->setText("abc");
    w->FindBtn_Click(); // from 1: the hit at 0 is skipped on purpose
    EXPECT_EQ(w->findpos(), 7);
    EXPECT_EQ(w->document()->selStart(), 7);
    EXPECT_EQ(w->document()->selLength(), 3);
    w->FindNextBtn_Click();
    EXPECT_EQ(w->findpos(), 14);
    w->FindNextBtn_Click();
    EXPECT_EQ(w->findpos(), -1);
    w->FindNextBtn_Click(); // starts over from 0 + 3
    EXPECT_EQ(w->findpos(), 7);
    emit search->returnPressed(); // Enter in the box is Find
    EXPECT_EQ(w->findpos(), 7);
}

TEST_F(SearchTest, FindNextBeforeAnyFindAndHitOnlyAtZero) {
    auto w = makeWindow();
    load(*w, "abcdef abc");
    child<QLineEdit>(*w, "txtSearch")->setText("ab");
    w->FindNextBtn_Click(); // findpos 0 at start: searches from 2
    EXPECT_EQ(w->findpos(), 7);
    load(*w, "zzz only");
    child<QLineEdit>(*w, "txtSearch")->setText("zz");
    w->FindBtn_Click(); // finds the "zz" at 1
    EXPECT_EQ(w->findpos(), 1);
    child<QLineEdit>(*w, "txtSearch")->setText("zzz");
    w->FindBtn_Click();
    EXPECT_EQ(w->findpos(), -1);
    EXPECT_EQ(w->document()->selStart(), 1); // left where Find put it
}

TEST_F(SearchTest, HighlightNickMarksEveryHitAndKeepsColours) {
    auto w = makeWindow();
    load(*w, "Bobby met bob and BOB.");
    w->ColourNickBtn_Click(); // an empty nick highlights nothing
    ASSERT_TRUE(test::waitUntil([&] { return !w->busy(); }));
    EXPECT_FALSE(test::styleAt(*w->document(), 0).bold);
    prompts.inputs = {"Bob"};
    w->PreferencesMenuPlayerName_Click();
    LogDocument& doc = *w->document();
    test::EditableDocument edit(doc);
    edit.select(0, 5);
    edit.setSelectionColour(0x8080FF);
    edit.select(10, 3);
    edit.setSelectionColour(0xFF8080);
    w->ColourNickBtn_Click();
    ASSERT_TRUE(test::waitUntil([&] { return !w->busy(); }));
    for (int hit : {0, 10, 18})
        for (int i = hit; i < hit + 3; ++i) {
            const CharStyle s = test::styleAt(doc, i);
            EXPECT_TRUE(s.bold && s.italic && s.underline) << i;
        }
    EXPECT_FALSE(test::styleAt(doc, 3).bold); // "by" of Bobby is not the nick
    EXPECT_EQ(test::colourAt(doc, 0), 0x8080FFu);
    EXPECT_EQ(test::colourAt(doc, 10), 0xFF8080u);
    EXPECT_EQ(doc.selStart(), 0);
    EXPECT_EQ(doc.selLength(), 0);
    EXPECT_EQ(child<QLabel>(*w, "Label1")->text(), "Ready");
}

} // namespace
} // namespace quorvath
