#pragma once
// The statistics window "Stats": the player list and the category list on
// the left, the two report panes side by side (each with a caption naming what
// it shows), the pass's progress display and the menus "Aliases", "View" and
// "Preferences". An entry reaches a pane by drag and drop, by double-click or
// Enter (Shift for the right pane) or by the lists' context menu. A pane shows
// a report's text or a player's weapons chart (View's chart commands,
// Ctrl+Enter, the player list's context menu). Its commands go to the
// statistics state the LogSession keeps; it redraws what each call reports as
// changed, and follows the session's signals.
//
// It is set up (hidden) at program start and again at the first "Get the
// guff" after the user closed it, each time with its lists and panes as at
// start; the player table and the gathered statistics outlive it.
//
// Interface thread only.

#include "gui/log_session.h"
#include "gui/zoom_actions.h"

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QGridLayout;
class QLabel;
class QMenu;
class QStackedWidget;

namespace quorvath {

class AliasSelectionWindow;
class DragListWidget;
class DropPaneWidget;
class ProgressDisplay;
class WeaponChartView;
class SettingsStore;
class UserPrompts;

class StatisticsWindow : public QMainWindow {
    Q_OBJECT
public:
    StatisticsWindow(LogSession& session, SettingsStore& settings, UserPrompts& prompts,
                     QWidget* parent = nullptr);

    // The stored colours on the lists and panes.
    void applyStoredColours();

    // The selected entry of `list` dropped on `pane`.
    void dropOnPane(Pane pane, DraggedList list);

    // The weapons chart of the player chosen in the player list, in `pane`.
    void showChartOfChosenPlayer(Pane pane);

    // Runs the modal alias selection; tests script it.
    using AliasSelectionRunner = std::function<void(AliasSelectionWindow&)>;
    void setAliasSelectionRunner(AliasSelectionRunner runner) { runSelection_ = std::move(runner); }

signals:
    // The lists and panes show the statistics (after "Get the guff").
    void statisticsShown();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void observeSession();
    void showStartState();
    void showBesideMainWindow();
    void showStatistics();
    void onWorkStarted(LogSession::Work work);
    void onWorkFinished(LogSession::Work work, const QString& error);
    void onLogCleared();
    void redraw(const SessionChanges& changes);
    // `pane` as the session has it: its text or its chart, and its caption.
    void showPane(Pane pane);
    void clearPanes();
    void setHandedOver(bool on);
    void updateEnabled();

    void onLinkAliasesTriggered();
    void onSelectKeyAliasesTriggered();
    void onTextColourTriggered();
    void onBackgroundColourTriggered();
    void onSaveColoursTriggered();
    void setColours(std::optional<std::uint32_t> text, std::optional<std::uint32_t> back);
    void zoomPanes(Zoom step);
    void sharePaneRoom();
    // The caption above `pane`: what it shows.
    QString paneCaption(Pane pane) const;
    QString playerName(int player) const;

    LogSession& session_;
    SettingsStore& settings_;
    UserPrompts& prompts_;
    // Set up since start or since the last "Get the guff", until closed.
    bool loaded_ = false;
    bool handedOver_ = false;
    std::uint32_t textColour_ = 0;
    std::uint32_t backColour_ = 0;
    AliasSelectionRunner runSelection_;

    DragListWidget* playerList_ = nullptr;
    DragListWidget* rankingList_ = nullptr;
    DropPaneWidget* leftPane_ = nullptr;
    DropPaneWidget* rightPane_ = nullptr;
    QGridLayout* paneGrid_ = nullptr;
    QLabel* leftCaption_ = nullptr;
    QLabel* rightCaption_ = nullptr;
    // Each pane's text and chart, one shown at a time.
    QStackedWidget* leftStack_ = nullptr;
    QStackedWidget* rightStack_ = nullptr;
    WeaponChartView* leftChart_ = nullptr;
    WeaponChartView* rightChart_ = nullptr;
    QAction* chartLeftAction_ = nullptr;
    QAction* chartRightAction_ = nullptr;
    ProgressDisplay* progressDisplay_ = nullptr;
    QMenu* aliasesMenu_ = nullptr;
    QAction* linkAliasesAction_ = nullptr;
};

} // namespace quorvath
