#pragma once
// Form1, the main window: the log view, the search box and buttons, the
// status and progress display and the menus. It wires the user's actions to
// the core (loading, search, highlighting) and shows the results; long work
// runs on a worker thread while the commands that would disturb it are off.
//
// Interface thread only.

#include "core/common/progress.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QAction;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace quorvath {

class BackgroundWork;
class LogDocument;
class LogView;
class SettingsStore;
class UserPrompts;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Form_Load: reads the preferences and applies the colours.
    MainWindow(SettingsStore& settings, UserPrompts& prompts, QWidget* parent = nullptr);
    ~MainWindow() override;

    // File > Open once the dialog has given `path` ("" = nothing chosen).
    void openChosenFile(const std::string& path);

    // --- what the statistics window works with ------------------------------
    LogDocument* document() const { return doc_.get(); }
    LogView* logView() const { return view_; }
    Progress& progress() { return progress_; }
    const std::string& nick() const { return nick_; }
    const std::string& cfgpath() const { return cfgpath_; }
    void setCfgpath(const std::string& path) { cfgpath_ = path; }
    bool logloaded() const { return logloaded_; }
    const std::string& archivecopy() const { return archivecopy_; }
    int findpos() const { return findpos_; }
    bool busy() const;
    // Runs `job` on the worker thread with Timer1 showing `progress()` and the
    // commands off; `done(error)` runs on the interface thread afterwards.
    bool runWork(std::function<std::optional<std::string>()> job,
                 std::function<void(const QString&)> done);
    // Switches the commands off (true) or back on.
    void setBusy(bool busy);

signals:
    // File > Open emptied the view: the statistics start afresh (statisticsDone cleared).
    void logCleared();
    // "Get the guff" was pressed (GetStatsBtn_Click belongs to the statistics window).
    void getStatsRequested();
    // Form_Unload: the statistics window closes with the main window.
    void unloading();
    // A log finished loading (or failed to) and the commands are back.
    void workFinished();

public slots:
    void FileMenuOpen_Click();
    void PreferencesMenuPlayerName_Click();
    void PreferencesMenuLogMode_Click();
    void About_Click();
    void FindBtn_Click();
    void FindNextBtn_Click();
    void ColourNickBtn_Click();
    void Go_Click();
    void Timer1_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void applySearchBoxColours();
    void Openfile(const std::string& currentLogFile);
    void finishOpen(const QString& error);
    void showReady();
    void Form_Terminate();
    std::string searchText() const;
    void say(const std::string& text);

    SettingsStore& settings_;
    UserPrompts& prompts_;
    std::unique_ptr<LogDocument> doc_;
    Progress progress_;
    BackgroundWork* work_ = nullptr;
    int shownStage_ = -1;

    // Module-level values of the main window.
    std::string nick_;
    std::string cfgpath_;
    bool logloaded_ = false;
    std::string archivecopy_;
    int findpos_ = 0;
    bool terminated_ = false;

    LogView* view_ = nullptr; // RTF1
    QLineEdit* txtSearch_ = nullptr;
    QPushButton* findBtn_ = nullptr;
    QPushButton* findNextBtn_ = nullptr;
    QPushButton* colourNickBtn_ = nullptr;
    QPushButton* getStatsBtn_ = nullptr;
    QPushButton* go_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QTimer* timer1_ = nullptr;
    QAction* openAction_ = nullptr;
};

} // namespace quorvath
