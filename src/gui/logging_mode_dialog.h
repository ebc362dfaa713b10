#pragma once
// "SOF2 Logging Mode": shows the logging mode set in the game's config file
// and writes a newly chosen one back (only that digit changes). Its Options
// menu chooses the config file and appends a log file name. What is read and
// written lives in core/gamecfg; this window only wires it up.
//
// Interface thread only.

#include <QDialog>

#include <array>
#include <string>

class QRadioButton;

namespace quorvath {

class SettingsStore;
class UserPrompts;

class LoggingModeDialog : public QDialog {
    Q_OBJECT
public:
    // `configPath` is the main window's; choosing another config file changes it.
    LoggingModeDialog(std::string& configPath, SettingsStore& settings, UserPrompts& prompts,
                      QWidget* parent = nullptr);

    // Reads the mode, then shows the dialog without blocking the main window.
    static LoggingModeDialog* showFor(std::string& configPath, SettingsStore& settings,
                                      UserPrompts& prompts, QWidget* parent);

private:
    // Reads the mode from the config file and selects its option.
    void readMode();
    int selectedMode() const;
    void onOkClicked();
    void onLogFileNameTriggered();
    void onChooseConfigTriggered();
    void say(const std::string& text);

    std::string& configPath_;
    SettingsStore& settings_;
    UserPrompts& prompts_;
    std::array<QRadioButton*, 4> modeOptions_{};
};

} // namespace quorvath
