#pragma once
// The main window's History menu: Import logs... (several files), Import the
// open log, Statistics... (a selection of the history in the statistics
// window, counted on the session's worker with progress and Cancel),
// Players... (people, merges and splits) and Ratings... (a selection's skill
// ratings in a window of their own); and Preferences > History..., the
// database both programs use and whom its rankings take. An import runs on a
// worker of its own with a progress dialog whose Cancel stops it after the
// batch in progress; every outcome is said as a status (statusChanged), and a
// log or history that could not be used also in a message naming it.
//
// Interface thread only.

#include "gui/history_preferences.h"

#include <QMenu>

#include <string>
#include <vector>

class QAction;
class QProgressDialog;
class QTimer;

namespace quorvath {

class HistoryImporter;
class HistoryPlayersDialog;
class HistoryPreferencesDialog;
class HistoryRatingsDialog;
class HistorySelectionDialog;
class LogSession;
class SettingsStore;
class UserPrompts;

class HistoryMenu : public QMenu {
    Q_OBJECT
public:
    HistoryMenu(LogSession& session, SettingsStore& settings, UserPrompts& prompts,
                QWidget* parent);
    ~HistoryMenu() override;

    // Preferences > History..., for the main window's Preferences menu.
    QAction* preferencesAction() const { return preferences_; }
    // The history the menu reads and writes: the chosen database, else the default file.
    std::string historyDatabase() const { return database_.where(); }
    const HistoryImporter& importer() const { return *importer_; }

signals:
    void statusChanged(const QString& status);

private:
    void onImportLogsTriggered();
    void onImportOpenLogTriggered();
    void onStatisticsTriggered();
    void onPlayersTriggered();
    void onRatingsTriggered();
    // The selection dialog, titled `title`; false when it was cancelled.
    bool selectionChosen(const char* title);
    void onPreferencesTriggered();
    void startImport(const std::vector<std::string>& logs);
    void showImportProgress();
    void onImportFinished(const QString& status, const QStringList& problems);
    void countSelection();
    void countAgain(); // the figures changed: the selection shown is counted anew
    void showCountProgress();
    void endCount(const QString& status, bool counted);

    LogSession& session_;
    SettingsStore& settings_;
    UserPrompts& prompts_;
    HistoryDatabase database_;
    HistoryImporter* importer_;
    QAction* importLogs_;
    QAction* importOpenLog_;
    QAction* statistics_;
    QAction* players_;
    QAction* ratings_;
    QAction* preferences_;
    QProgressDialog* progressDialog_ = nullptr; // while an import runs
    QTimer* progressTimer_;
    QProgressDialog* countDialog_ = nullptr; // while a selection is counted; no parent
    QTimer* countTimer_;
    bool countingAgain_ = false; // after a decision or new preferences
    // Made at first use, kept.
    HistorySelectionDialog* selectionDialog_ = nullptr;
    HistoryPlayersDialog* playersDialog_ = nullptr; // no parent: owned here
    HistoryRatingsDialog* ratingsDialog_ = nullptr; // no parent: owned here
    HistoryPreferencesDialog* preferencesDialog_ = nullptr;
};

} // namespace quorvath
