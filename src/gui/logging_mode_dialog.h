#pragma once
// "SOF2 Logging Mode": shows which config file it edits, the logging mode and
// the log file name set there, and writes a newly chosen mode and name back on
// OK, in one atomic write (Cancel writes nothing). Its Options menu chooses
// the config file (the mode and name shown are always that file's) and enters
// a new log file name. What is read and written lives in core/gamecfg; this
// window only wires it up.
//
// Interface thread only.

#include <QDialog>

#include <array>
#include <optional>
#include <string>

class QLabel;
class QRadioButton;

namespace quorvath {

class SettingsStore;
class UserPrompts;

class LoggingModeDialog : public QDialog {
    Q_OBJECT
public:
    // `configPath` is the main window's; choosing another config file changes
    // it. `defaultPath` is where this machine keeps the game's config ("" when
    // none of the usual places has one).
    LoggingModeDialog(std::string& configPath, std::string defaultPath, SettingsStore& settings,
                      UserPrompts& prompts, QWidget* parent = nullptr);

    // Shows the dialog without blocking the main window. With no config file
    // known yet, the default one is taken, else the user is asked for one;
    // nothing opens (nullptr) when none is chosen.
    static LoggingModeDialog* showFor(std::string& configPath, SettingsStore& settings,
                                      UserPrompts& prompts, QWidget* parent);

signals:
    // The settings were written (or were already so): what to tell the user.
    void settingsWritten(const QString& status);

private:
    // Reads the mode and the name from the config file and shows them.
    void readSettings();
    void showName();
    int selectedMode() const;
    void onOkClicked();
    void onLogFileNameTriggered();
    void onChooseConfigTriggered();
    // Asks for a config file; true when an acceptable one was chosen.
    bool chooseConfig();
    void say(const std::string& text);

    std::string& configPath_;
    std::string defaultPath_;
    SettingsStore& settings_;
    UserPrompts& prompts_;
    std::string nameInFile_;             // Windows-1252, as the file holds it
    std::optional<std::string> newName_; // entered, written on OK
    QLabel* pathLabel_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    std::array<QRadioButton*, 4> modeOptions_{};
};

} // namespace quorvath
