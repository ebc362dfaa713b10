#pragma once
// The modal "Alias Selection" window: each player with aliases and, indented
// by a TAB, its aliases; a click on an alias line makes that alias the master
// of its group. It has no buttons and is closed with the window's own close
// control.
//
// Interface thread only.

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;

namespace quorvath {

class SettingsStore;
class StatisticsSession;

class AliasSelectionWindow : public QDialog {
    Q_OBJECT
public:
    // Colours the list from the stored preferences and fills it.
    AliasSelectionWindow(StatisticsSession& statistics, const SettingsStore& settings,
                         QWidget* parent = nullptr);

private:
    void chooseLine(int row);
    void showLines(std::vector<std::string> lines);

    StatisticsSession& statistics_;
    std::vector<std::string> lines_; // as the statistics give them (Windows-1252)
    QListWidget* aliasList_ = nullptr;
};

} // namespace quorvath
