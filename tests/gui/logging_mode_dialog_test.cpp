// The logging-mode dialog as the main window's menu opens it, over config
// files in a home folder of the test's own, with scripted prompts: what it
// shows, what it says, and what it leaves on disk.

#include "gui/logging_mode_dialog.h"
#include "gui/ui_support.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <cstdlib>
#include <filesystem>

namespace quorvath {
namespace {

namespace fs = std::filesystem;

const std::string kConfig = "// server\r\nseta logfile \"2\"\r\nseta logfilename \"games.log\"\r\n"
                            "seta sv_maxclients \"16\"";

class LoggingModeDialogTest : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        const char* home = std::getenv("HOME");
        oldHome_ = home ? home : "";
        ::setenv("HOME", dir.path().c_str(), 1); // the usual places are looked up here
    }
    void TearDown() override {
        ProgramTest::TearDown();
        ::setenv("HOME", oldHome_.c_str(), 1);
    }
    // A config file in one of the usual places, relative to the home folder.
    std::string placeConfig(const std::string& relative, const std::string& text = kConfig) {
        const fs::path path = dir.path() / relative;
        fs::create_directories(path.parent_path());
        test::writeFile(path, text);
        return path.string();
    }
    LoggingModeDialog* openDialog() {
        inMain<QAction>("loggingModeAction")->trigger();
        return window->findChild<LoggingModeDialog*>();
    }
    QRadioButton* option(LoggingModeDialog& dialog, int mode) {
        return child<QRadioButton>(dialog, QString("modeOption%1").arg(mode).toUtf8().constData());
    }
    QString shown(LoggingModeDialog& dialog, const char* label) {
        return child<QLabel>(dialog, label)->text();
    }
    void press(LoggingModeDialog& dialog, const char* button) {
        child<QPushButton>(dialog, button)->click();
        ASSERT_TRUE(
            test::waitUntil([&] { return window->findChild<LoggingModeDialog*>() == nullptr; }));
    }
    QString status() { return inMain<QLabel>("statusLabel")->text(); }

private:
    std::string oldHome_;
};

TEST_F(LoggingModeDialogTest, TheNameGetsALineOfItsOwnAndOnlyOkWritesIt) {
    const std::string config = placeConfig(".sof2/base/mp/sof2mp.cfg");
    start();
    LoggingModeDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(option(*dialog, 2)->isChecked());
    EXPECT_TRUE(shown(*dialog, "logFileNameLabel").endsWith("games.log"));

    // A refused name says why and is offered again, to be corrected in place;
    // the prompt first shows the name in effect.
    prompts.inputs = {"my games.log", "logs/a.log", "", "GAMES.LOG", "Sof2.log"};
    child<QAction>(*dialog, "logFileNameAction")->trigger();
    EXPECT_TRUE(prompts.inputs.empty());
    ASSERT_EQ(prompts.messages.size(), 4u);
    for (const char* why : {"blank", "folder", "Please enter", "its own game log"})
        EXPECT_EQ(std::count_if(prompts.messages.begin(), prompts.messages.end(),
                                [&](const std::string& m) { return m.find(why) != m.npos; }),
                  1)
            << why;
    EXPECT_EQ(prompts.lastInitialInput, "GAMES.LOG"); // the refused answer, to correct
    EXPECT_TRUE(shown(*dialog, "logFileNameLabel").contains("Sof2.log"));
    press(*dialog, "cancelButton");
    EXPECT_EQ(test::readFile(config), kConfig); // Cancel writes nothing

    dialog = openDialog();
    option(*dialog, 3)->setChecked(true);
    prompts.inputs = {"Sof2.log"};
    child<QAction>(*dialog, "logFileNameAction")->trigger();
    press(*dialog, "okButton");
    std::string expected = kConfig;
    expected[expected.find("\"2\"") + 1] = '3';
    expected.replace(expected.find("games.log"), 9, "Sof2.log");
    EXPECT_EQ(test::readFile(config), expected);
    EXPECT_EQ(status(), "Logging mode 3 and log file name Sof2.log written to sof2mp.cfg");

    // The prompt now shows the name written; the same settings again write nothing.
    dialog = openDialog();
    prompts.inputs = {"Sof2.log"};
    child<QAction>(*dialog, "logFileNameAction")->trigger();
    EXPECT_EQ(prompts.lastInitialInput, "Sof2.log");
    EXPECT_NE(prompts.asked.back().find("the current name is Sof2.log."), std::string::npos);
    press(*dialog, "okButton");
    EXPECT_EQ(test::readFile(config), expected);
    EXPECT_TRUE(status().contains("nothing to write"));
}

TEST_F(LoggingModeDialogTest, FindsTheGamesConfigOnLinuxOrAsksAndAlwaysShowsTheChosenFile) {
    start();
    // No config in any usual place: the chooser asks (in the home folder), no error.
    prompts.files = {""};
    EXPECT_EQ(openDialog(), nullptr);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(prompts.lastInitialFolder, dir.path().string());
    EXPECT_EQ(status(), "No sof2mp.cfg chosen: the logging mode is unchanged");

    // Under Wine: found at once; the dialog names the file and its default.
    const std::string wine = placeConfig(".wine/drive_c/Program Files (x86)/Soldier of Fortune II "
                                         "- Double Helix/base/mp/sof2mp.cfg");
    LoggingModeDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(shown(*dialog, "configPathLabel").endsWith(QString::fromStdString(wine)));
    EXPECT_TRUE(child<QAction>(*dialog, "chooseConfigAction")
                    ->text()
                    .contains(QString::fromStdString(wine)));
    for (int mode = 0; mode < 4; ++mode)
        EXPECT_FALSE(option(*dialog, mode)->text().contains("  ")) << mode;
    EXPECT_TRUE(option(*dialog, 2)->isChecked());

    // Another file is refused with the reason and the chooser opens again
    // where it was; a second config shows its own mode.
    const std::string other = placeConfig("server2/sof2mp.cfg", "seta logfile \"1\"\n");
    prompts.files = {placeConfig("server2/other.cfg"), other};
    child<QAction>(*dialog, "chooseConfigAction")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("exactly sof2mp.cfg"), std::string::npos);
    EXPECT_EQ(prompts.lastInitialFolder, fs::path(other).parent_path().string());
    EXPECT_TRUE(option(*dialog, 1)->isChecked());
    EXPECT_TRUE(shown(*dialog, "configPathLabel").endsWith(QString::fromStdString(other)));
    EXPECT_EQ(settings.get("Sof2CFGFile", ""), other);
    press(*dialog, "okButton");
    EXPECT_EQ(status(), "sof2mp.cfg already holds logging mode 1: nothing to write");
    EXPECT_EQ(test::readFile(wine), kConfig);
}

} // namespace
} // namespace quorvath
