#pragma once
// Preferences > History...: where the match history is kept (a database
// file, or a PostgreSQL connection string: postgresql://..., postgres://...
// or libpq's key=value) and whom the history's rankings take (at least N
// kills, M matches; bots or not). Apply and OK first open the database on a
// worker (a far server may take its time); a database that cannot be used
// is not kept, and a message says why. The dialog's fields show what is kept
// each time it opens.
//
// Interface thread only.

#include <QDialog>

#include <string>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace quorvath {

class BackgroundWork;
class HistoryDatabase;
class SettingsStore;
class UserPrompts;

class HistoryPreferencesDialog : public QDialog {
    Q_OBJECT
public:
    HistoryPreferencesDialog(HistoryDatabase& database, SettingsStore& settings,
                             UserPrompts& prompts, QWidget* parent);

    // Shows what is kept, then the dialog (not modal).
    void open() override;

signals:
    // What became of Apply or OK: kept, or why not.
    void statusChanged(const QString& status);
    // The choices were tried and kept.
    void applied();

private:
    void onBrowse();
    void apply(bool closeAfter);
    void onTested(const QString& error);
    void setTesting(bool testing);
    void refuse(const QString& problem); // said, shown, nothing kept
    void showState(const QString& text);

    HistoryDatabase& database_;
    SettingsStore& settings_;
    UserPrompts& prompts_;
    QLineEdit* where_;
    QSpinBox* minKills_;
    QSpinBox* minMatches_;
    QCheckBox* rankBots_;
    QLabel* state_;
    QDialogButtonBox* buttons_;
    BackgroundWork* tester_;
    std::string typed_; // the database field when Apply or OK was pressed
    bool closeAfter_ = false;
};

} // namespace quorvath
