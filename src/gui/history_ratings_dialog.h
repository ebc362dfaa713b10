#pragma once
// History > Ratings: the skill ratings of a selection of the history as
// `history ratings` lists them (name, rating, mu, sigma, rated matches, the
// provisional mark; best first) in a read-only table; each person's names are
// rated as one while "Link aliases" is checked, bots only when the
// preferences rank them. The selection is rated on a worker of the dialog's
// own, with a progress dialog whose Cancel passes over the rest of the
// matches and shows nothing; every outcome is said as a status. A window of
// its own (not modal); its place is kept in the preferences.
//
// Interface thread only.

#include "core/common/progress.h"
#include "core/history/match_record.h"
#include "core/skill/history_ratings.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QTableWidget;

namespace quorvath {

class BackgroundWork;
class SettingsStore;
class UserPrompts;
class WorkProgressDialog;

class HistoryRatingsDialog : public QDialog {
    Q_OBJECT
public:
    HistoryRatingsDialog(SettingsStore& settings, UserPrompts& prompts, QWidget* parent);
    ~HistoryRatingsDialog() override; // stops the rating and waits for it

    // Shows the dialog and rates `selection` of the history at `database`,
    // named `description` ("History: all matches"); bots too when `bots`.
    // Said and ignored while a rating runs.
    void rate(const std::string& database, const HistorySelection& selection,
              const QString& description, bool bots);
    void done(int result) override; // keeps the dialog's place
    bool rating() const;
    const std::vector<PlayerRating>& ratings() const { return ratings_; }

signals:
    void statusChanged(const QString& status);

private:
    void buildControls();
    void start(); // rates the selection asked for last, linked as checked
    void onRated(const QString& error);
    void showRatings();
    void said(const QString& status);

    SettingsStore& settings_;
    UserPrompts& prompts_;
    QLabel* selectionLabel_;
    QCheckBox* linked_;
    QTableWidget* table_;
    QLabel* state_;
    BackgroundWork* worker_;
    Progress progress_;
    WorkProgressDialog* progressDialog_ = nullptr; // while a rating runs
    std::string database_;
    HistorySelection selection_;
    bool bots_ = false;
    std::vector<PlayerRating> ratings_;
    std::vector<PlayerRating> rated_; // written by the worker, taken once it has ended
};

} // namespace quorvath
