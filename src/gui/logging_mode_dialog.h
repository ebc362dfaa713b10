#pragma once
// Dialog, "SOF2 Logging Mode": shows the logging mode set in the game's
// config file and writes a newly chosen one back (only that digit changes).
// Its Options menu chooses the config file and appends a log file name.
// The rules live in gamecfg/game_config.h; this window only wires them up.

#include <QDialog>

#include <string>

class QRadioButton;

namespace quorvath {

class SettingsStore;
class UserPrompts;

class LoggingModeDialog : public QDialog {
    Q_OBJECT
public:
    // `cfgpath` is the main window's value; the chooser changes it.
    LoggingModeDialog(std::string& cfgpath, SettingsStore& settings, UserPrompts& prompts,
                      QWidget* parent = nullptr);

    // PreferencesMenuLogMode_Click: reads the mode, then shows the dialog
    // without blocking the main window.
    static LoggingModeDialog* showFor(std::string& cfgpath, SettingsStore& settings,
                                      UserPrompts& prompts, QWidget* parent);

    // Reads the mode from the config file and selects its option.
    void readMode();
    int logmode() const { return logmode_; }
    int selectedMode() const;

public slots:
    void OKButton_Click();
    void CancelButton_Click();
    void dialogLogFilename_Click();
    void Setcfgpath_Click();

private:
    void say(const std::string& text);

    std::string& cfgpath_;
    SettingsStore& settings_;
    UserPrompts& prompts_;
    int logmode_ = 0;
    QRadioButton* options_[4] = {};
};

} // namespace quorvath
