// The logging-mode dialog over a config file, with scripted prompts.

#include "core/common/settings_store.h"
#include "gui/logging_mode_dialog.h"
#include "gui/ui_support.h"
#include "support/test_support.h"

#include <QAction>
#include <QPointer>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using test::ScriptedPrompts;

class LoggingModeDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApp();
        cfgpath = dir.file("sof2mp.cfg").string();
    }
    LoggingModeDialog* openWith(const std::string& text) {
        test::writeFile(cfgpath, text);
        delete dialog.data();
        dialog = new LoggingModeDialog(cfgpath, settings, prompts);
        dialog->readMode();
        return dialog;
    }
    QRadioButton* option(int n) {
        return dialog->findChild<QRadioButton*>(QString("Option%1").arg(n));
    }
    void TearDown() override { delete dialog.data(); }

    test::TempDir dir;
    std::string cfgpath;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    QPointer<LoggingModeDialog> dialog;
};

const std::string kCfg = "// server\r\nseta sv_hostname \"x\"\r\nseta logfile \"2\"\r\n"
                         "seta logfilename \"games.log\"\r\nseta logfile \"1\"\r\n";

TEST_F(LoggingModeDialogTest, OkRewritesOnlyTheDigitOfTheFirstLine) {
    openWith(kCfg);
    EXPECT_TRUE(option(3)->isChecked()); // the first matching line holds 2
    EXPECT_EQ(dialog->logmode(), 2);
    option(4)->setChecked(true);
    dialog->OKButton_Click();
    std::string expected = kCfg;
    expected[expected.find("\"2\"") + 1] = '3';
    EXPECT_EQ(test::readFile(cfgpath), expected);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(LoggingModeDialogTest, CapitalsAreReadButNotRewrittenAndCancelWritesNothing) {
    const std::string upper = "SETA LOGFILE \"3\"\r\n";
    openWith(upper);
    EXPECT_TRUE(option(4)->isChecked());
    option(1)->setChecked(true);
    dialog->OKButton_Click();
    EXPECT_EQ(test::readFile(cfgpath), upper);

    openWith(kCfg);
    option(1)->setChecked(true);
    dialog->CancelButton_Click();
    EXPECT_EQ(test::readFile(cfgpath), kCfg);

    openWith("seta logfilename \"a.log\""); // no mode line: option 1
    EXPECT_TRUE(option(1)->isChecked());
}

TEST_F(LoggingModeDialogTest, LogFileNameChecksAndAppend) {
    openWith("seta logfilename \"games.log\"");
    prompts.inputs = {"GAMES.LOG", "", "mygameslog", "b.txt"};
    dialog->dialogLogFilename_Click();
    EXPECT_EQ(prompts.asked[0], "Enter the name for the logfile\r\n"
                                "Sof2.log is recommended, the current name is: games.log");
    dialog->dialogLogFilename_Click(); // Cancel: refused by the extension rule
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0], "Cant name a logfile games.log");
    EXPECT_EQ(prompts.messages[1], "Extension must be .log or .txt");
    EXPECT_EQ(test::readFile(cfgpath), "seta logfilename \"games.log\"");
    dialog->dialogLogFilename_Click();
    dialog->dialogLogFilename_Click();
    EXPECT_EQ(test::readFile(cfgpath), "seta logfilename \"games.log\"seta logfilename "
                                       "\"mygameslog\"seta logfilename \"b.txt\"");
}

TEST_F(LoggingModeDialogTest, TheConfigChooserAcceptsOnlySof2mpCfg) {
    openWith(kCfg);
    settings.set("SofDir", "/games");
    const std::string original = cfgpath;
    prompts.files = {"/games/SOF2MP.CFG", "/games/other.cfg", "", "/games/base/sof2mp.cfg"};
    for (int i = 0; i < 3; ++i) {
        dialog->Setcfgpath_Click();
        EXPECT_EQ(cfgpath, original);
    }
    EXPECT_EQ(prompts.lastInitialFolder, "/games");
    ASSERT_EQ(prompts.lastFilters.size(), 1u);
    EXPECT_EQ(prompts.lastFilters[0].pattern, "*.cfg");
    dialog->Setcfgpath_Click();
    EXPECT_EQ(cfgpath, "/games/base/sof2mp.cfg");
    EXPECT_EQ(settings.get("Sof2CFGFile", ""), "/games/base/sof2mp.cfg");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(LoggingModeDialogTest, AMissingConfigFileIsReportedByName) {
    cfgpath = dir.file("missing.cfg").string();
    dialog = new LoggingModeDialog(cfgpath, settings, prompts);
    dialog->readMode();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("missing.cfg"), std::string::npos);
    EXPECT_TRUE(option(1)->isChecked());
    dialog->OKButton_Click();
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(cfgpath)); // nothing created
}

} // namespace
} // namespace quorvath
