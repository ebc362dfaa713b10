#pragma once
// The main window: the log view, the search box and its buttons, the status
// and progress display and the menus. It hands the user's commands to the
// LogSession or to the core's search, and shows what the session reports;
// while the session is busy the commands that would disturb it are off. Every
// outcome of a command is said in the status label. Its size, position and
// state are kept in the preferences.
//
// Interface thread only.

#include "gui/log_session.h"

#include <QMainWindow>

#include <string>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;

namespace quorvath {

class LogView;
class ProgressDisplay;
class WebReportExport;
class SettingsStore;
class UserPrompts;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads the game's config file path, the colours and the window's geometry
    // from the preferences.
    MainWindow(LogSession& session, SettingsStore& settings, UserPrompts& prompts,
               QWidget* parent = nullptr);

    LogView* logView() const { return logView_; }
    WebReportExport& webReport() const { return *webReport_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void observeSession();
    void restoreWindowGeometry();
    void addDatedCopiesMenu(QMenu& prefs);
    void showLogView(bool shown);

    void onOpenTriggered();
    void fillRecentLogsMenu();
    void onRecentLogTriggered(const std::string& path);
    void onPlayerNameTriggered();
    // Asks for the nick (the current one filled in); true when one was given.
    bool askForNick();
    void onLoggingModeTriggered();
    void onFindClicked();
    void onFindNextClicked();
    void onFindSelectedText(const QString& text);
    // Selects the hit found and says how the search ended.
    void showFindResult(int hit, bool wrapped);
    void onHighlightNickClicked();

    void onBusyChanged(bool busy);
    void onWorkStarted(LogSession::Work work);
    void onWorkFinished(LogSession::Work work, const QString& error);
    void onLogReplaced();
    void showReady();
    void showStatus(const QString& text);
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
    ProgressDisplay* progressDisplay_ = nullptr;
    QAction* openAction_ = nullptr;
    QMenu* recentLogsMenu_ = nullptr;
    WebReportExport* webReport_ = nullptr;
};

} // namespace quorvath
