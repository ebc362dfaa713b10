#pragma once
// SelectPLayers, the modal "Alias Selection" window: each player with
// aliases and, indented by a TAB, its aliases; a click on an alias line
// makes that alias the master of its group. It has no buttons and is closed
// with the window's own close control.
//
// Interface thread only.

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace quorvath {

class SettingsStore;
class StatisticsSession;

class SelectPLayers : public QDialog {
    Q_OBJECT
public:
    // Form_Load: colours the list from the stored preferences and fills it.
    SelectPLayers(StatisticsSession& session, const SettingsStore& settings,
                  QWidget* parent = nullptr);

    // The lines as the session gives them (Windows-1252).
    const std::vector<std::string>& lines() const { return lines_; }

public slots:
    // A click on line `row` of Aliaslist.
    void Aliaslist_Click(int row);

private:
    void RefreshAliasList(std::vector<std::string> lines);

    StatisticsSession& session_;
    std::vector<std::string> lines_;
    QLabel* label3_ = nullptr;
    QListWidget* aliaslist_ = nullptr;
};

} // namespace quorvath
