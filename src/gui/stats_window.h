#pragma once
// StatsFrm, the statistics window "Stats": the player list and the category
// list on the left, the two report panes side by side, the pass's progress
// display and the menus "Aliases" and "Preferences". Its events go to the
// StatisticsSession; it redraws what each call reports as changed.
//
// It is loaded (hidden) at program start and again at the first "Get the
// guff" after it was closed, each time in its design state. The player table
// and `statisticsDone` outlive it.
//
// Interface thread only.

#include "core/session/statistics_session.h"
#include "core/stats/player_table.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;

namespace quorvath {

class DragListWidget;
class DropPaneWidget;
class MainWindow;
class SelectPLayers;
class SettingsStore;
class StatsPassRunner;
class UserPrompts;

class StatsFrm : public QMainWindow {
    Q_OBJECT
public:
    // Wires itself to the main window: "Get the guff", File > Open, closing.
    StatsFrm(MainWindow& form1, SettingsStore& settings, UserPrompts& prompts,
             QWidget* parent = nullptr);
    ~StatsFrm() override;

    // The stored colours, applied once by the program's start-up.
    void applyStartupColours();

    StatisticsSession& session() { return *session_; }
    const PlayerTable& players() const { return players_; }
    bool passRunning() const;
    std::uint32_t textColour() const { return textColour_; }
    std::uint32_t backColour() const { return backColour_; }

    // The drop handlers, given the Tag that the drag carried.
    void TxtStats_DragDrop(const QString& sourceTag);
    void TxtComp_DragDrop(const QString& sourceTag);

    // Runs the modal alias selection; tests may script it.
    using AliasSelectionRunner = std::function<void(SelectPLayers&)>;
    void setAliasSelectionRunner(AliasSelectionRunner runner) { runSelection_ = std::move(runner); }

signals:
    // The lists and panes were handed over (after "Get the guff").
    void handedOver();

public slots:
    void GetStatsBtn_Click();
    void StatsLinkAliasBtn_Click();
    void statsprefkeyalias_Click();
    void prefstxtcolor_Click();
    void prefbackcolor_Click();
    void prefssave_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void Form_Load();
    void Form_Unload();
    void passFinished(const QString& error);
    void handOver();
    void dropOnPane(Pane pane, const QString& sourceTag);
    void redraw(const SessionChanges& changes);
    void setHandedOver(bool on);
    void setColours(std::optional<std::uint32_t> text, std::optional<std::uint32_t> back);
    void logCleared();
    void mainUnloading();

    MainWindow& form1_;
    SettingsStore& settings_;
    UserPrompts& prompts_;
    PlayerTable players_;
    std::unique_ptr<StatisticsSession> session_;
    bool loaded_ = false;
    bool mainClosing_ = false;
    bool passAbandoned_ = false;
    std::uint32_t textColour_ = 0;
    std::uint32_t backColour_ = 0;
    // What the colour dialog holds: the last colour chosen while loaded.
    std::optional<std::uint32_t> dialogColour_;
    AliasSelectionRunner runSelection_;

    DragListWidget* playerlist_ = nullptr;
    DragListWidget* rankList_ = nullptr;
    DropPaneWidget* txtStats_ = nullptr;
    DropPaneWidget* txtComp_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    StatsPassRunner* pass_ = nullptr;
    QMenu* aliasesMenu_ = nullptr;
    QAction* linkAliases_ = nullptr;
};

} // namespace quorvath
