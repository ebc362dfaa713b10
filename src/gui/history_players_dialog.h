#pragma once
// History > Players: the people of the whole history as the report tool's
// `history people` lists them (name, aliases, GUIDs, matches, kills, deaths,
// first and last seen, bot), filtered by what is typed into Find; the user
// merges two players into one person, splits a name off to stand alone, and
// undoes a decision from the list of decisions made. Every decision is
// confirmed first (it changes the figures), stored apart from the imported
// matches, and the list is read again; reading and deciding run on a worker
// of the dialog's own. Its place is kept in the preferences.
//
// Interface thread only.

#include "core/history/people.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;
class QTableWidget;

namespace quorvath {

class BackgroundWork;
class HistoryDatabase;
class HistoryStore;
class SettingsStore;
class UserPrompts;

class HistoryPlayersDialog : public QDialog {
    Q_OBJECT
public:
    HistoryPlayersDialog(HistoryDatabase& database, SettingsStore& settings, UserPrompts& prompts,
                         QWidget* parent);

    // Shows the dialog (not modal) and reads the players again.
    void open() override;
    void done(int result) override; // keeps the dialog's place
    bool reading() const;
    const std::vector<Person>& people() const { return people_; }

signals:
    void statusChanged(const QString& status);
    // A decision was made or undone: the history's figures changed.
    void decided();

private:
    // Stores a decision (on the worker), saying what it did in `outcome`.
    using Change = std::function<std::optional<std::string>(HistoryStore&, QString& outcome)>;

    void buildControls();
    // On the worker: `change` (if any), then the people and the decisions read again.
    void run(const Change& change);
    void onRunEnded(const QString& error);
    void showPeople();
    void showDecisions();
    void showNames();
    void updateEnabled();
    std::vector<int> selectedPeople() const;
    void onMerge();
    void onSplit();
    void onUndo();
    bool confirmed(const QString& question);
    void said(const QString& status);

    HistoryDatabase& database_;
    SettingsStore& settings_;
    UserPrompts& prompts_;
    QLineEdit* filter_;
    QStandardItemModel* peopleModel_;
    QSortFilterProxyModel* shownPeople_;
    QTableView* peopleView_;
    QListWidget* names_;
    QTableWidget* decisionsView_;
    QPushButton* merge_;
    QPushButton* split_;
    QPushButton* undo_;
    QLabel* state_;
    BackgroundWork* worker_;
    std::vector<Person> people_;
    std::vector<PeopleDecision> decisions_;
    // Written by the worker, taken once it has ended.
    std::vector<Person> readPeople_;
    std::vector<PeopleDecision> readDecisions_;
    QString outcome_; // a decision's, else empty
};

} // namespace quorvath
