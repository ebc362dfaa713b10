// The logging-mode dialog as the main window's menu opens it, over a config
// file, with scripted prompts: what it shows, and what it leaves on disk.

#include "gui/logging_mode_dialog.h"
#include "gui/ui_support.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>

namespace quorvath {
namespace {

const std::string kConfig = "// server\r\nseta logfile \"2\"\r\nseta logfilename \"games.log\"\r\n";

class LoggingModeDialogTest : public test::ProgramTest {
protected:
    LoggingModeDialog* openDialog() {
        inMain<QAction>("loggingModeAction")->trigger();
        auto* dialog = window->findChild<LoggingModeDialog*>();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    QRadioButton* option(LoggingModeDialog& dialog, int mode) {
        return child<QRadioButton>(dialog, QString("modeOption%1").arg(mode).toUtf8().constData());
    }
    bool closed() {
        return test::waitUntil([&] { return window->findChild<LoggingModeDialog*>() == nullptr; });
    }

    const std::string config = dir.file("sof2mp.cfg").string();
};

TEST_F(LoggingModeDialogTest, ShowsTheModeWritesTheChoiceAndAppendsAName) {
    settings.set("Sof2CFGFile", config);
    start();
    // A missing config file is said; the dialog opens on mode 0 and OK creates nothing.
    LoggingModeDialog* dialog = openDialog();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("sof2mp.cfg"), std::string::npos);
    EXPECT_TRUE(option(*dialog, 0)->isChecked());
    child<QPushButton>(*dialog, "okButton")->click();
    EXPECT_EQ(prompts.messages.size(), 2u); // and it stays open
    EXPECT_FALSE(std::filesystem::exists(config));
    child<QPushButton>(*dialog, "cancelButton")->click();
    ASSERT_TRUE(closed());
    prompts.messages.clear();

    test::writeFile(config, kConfig);
    dialog = openDialog();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(option(*dialog, 2)->isChecked());
    option(*dialog, 3)->setChecked(true);
    child<QPushButton>(*dialog, "okButton")->click();
    ASSERT_TRUE(closed());
    std::string expected = kConfig;
    expected[expected.find("\"2\"") + 1] = '3';
    EXPECT_EQ(test::readFile(config), expected);

    // Cancel writes nothing; a refused name is said, an accepted one appended.
    dialog = openDialog();
    EXPECT_TRUE(option(*dialog, 3)->isChecked());
    option(*dialog, 0)->setChecked(true);
    prompts.inputs = {"GAMES.LOG", "b.txt"};
    child<QAction>(*dialog, "logFileNameAction")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("games.log"), std::string::npos);
    child<QAction>(*dialog, "logFileNameAction")->trigger();
    child<QPushButton>(*dialog, "cancelButton")->click();
    ASSERT_TRUE(closed());
    EXPECT_EQ(test::readFile(config), expected + "seta logfilename \"b.txt\"");

    // The chooser takes only a file named exactly sof2mp.cfg, starting in SofDir.
    settings.set("SofDir", "/games");
    dialog = openDialog();
    prompts.files = {"/games/SOF2MP.CFG", "/games/base/sof2mp.cfg"};
    child<QAction>(*dialog, "chooseConfigAction")->trigger();
    EXPECT_EQ(settings.get("Sof2CFGFile", ""), config);
    EXPECT_EQ(prompts.lastInitialFolder, "/games");
    child<QAction>(*dialog, "chooseConfigAction")->trigger();
    EXPECT_EQ(settings.get("Sof2CFGFile", ""), "/games/base/sof2mp.cfg");
    EXPECT_EQ(prompts.messages.size(), 1u);
    openDialog(); // reads the chosen file, which is not there
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_NE(prompts.messages[1].find("/games/base/sof2mp.cfg"), std::string::npos);
}

} // namespace
} // namespace quorvath
