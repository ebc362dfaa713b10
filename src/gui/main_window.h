#pragma once
// The main window: the log view, the search box and its buttons, the status
// and progress display and the menus. It hands the user's commands to the
// LogSession or to the core's search, and shows what the session reports;
// while the session is busy the commands that would disturb it are off.
//
// Interface thread only.

#include "gui/log_session.h"

#include <QMainWindow>

#include <string>

class QAction;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace quorvath {

class LogView;
class ProgressDisplay;
class SettingsStore;
class UserPrompts;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads the game's config file path and the colours from the preferences.
    MainWindow(LogSession& session, SettingsStore& settings, UserPrompts& prompts,
               QWidget* parent = nullptr);

    LogView* logView() const { return logView_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void observeSession();

    void onOpenTriggered();
    void onPlayerNameTriggered();
    void onFindClicked();
    void onFindNextClicked();
    void onHighlightNickClicked();

    void onBusyChanged(bool busy);
    void onWorkStarted(LogSession::Work work);
    void onWorkFinished(LogSession::Work work, const QString& error);
    void onLogCleared();
    void showReady();
    std::string searchText() const;

    LogSession& session_;
    SettingsStore& settings_;
    UserPrompts& prompts_;
    // The game's config file that the logging-mode dialog reads and writes.
    std::string configPath_;
    // Where the last Find or Find Next stopped (-1: nothing found).
    int findPosition_ = 0;

    LogView* logView_ = nullptr;
    QLineEdit* searchBox_ = nullptr;
    QPushButton* findButton_ = nullptr;
    QPushButton* findNextButton_ = nullptr;
    QPushButton* highlightNickButton_ = nullptr;
    QPushButton* getStatisticsButton_ = nullptr;
    QPushButton* toggleLogViewButton_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* percentLabel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    ProgressDisplay* progressDisplay_ = nullptr;
    QAction* openAction_ = nullptr;
};

} // namespace quorvath
