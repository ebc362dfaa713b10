#pragma once
// The main window's History menu: Import logs... (several files), Import the
// open log, and Statistics... (a selection of the history in the statistics
// window); and Preferences > History file..., the database both programs use
// (the report tool's default unless another was chosen). An import runs on a
// worker of its own with a progress dialog whose Cancel stops it after the
// batch in progress; every outcome is said as a status (statusChanged), and a
// log or history that could not be used also in a message naming it.
//
// Interface thread only.

#include <QMenu>

#include <string>
#include <vector>

class QAction;
class QProgressDialog;
class QTimer;

namespace quorvath {

class HistoryImporter;
class HistorySelectionDialog;
class LogSession;
class SettingsStore;
class UserPrompts;

class HistoryMenu : public QMenu {
    Q_OBJECT
public:
    HistoryMenu(LogSession& session, SettingsStore& settings, UserPrompts& prompts,
                QWidget* parent);

    // Preferences > History file..., for the main window's Preferences menu.
    QAction* historyFileAction() const { return historyFile_; }
    // The history the menu reads and writes: the chosen file, else the default.
    std::string historyFile() const;
    const HistoryImporter& importer() const { return *importer_; }

signals:
    void statusChanged(const QString& status);

private:
    void onImportLogsTriggered();
    void onImportOpenLogTriggered();
    void onStatisticsTriggered();
    void onHistoryFileTriggered();
    void startImport(const std::vector<std::string>& logs);
    void showImportProgress();
    void onImportFinished(const QString& status, const QStringList& problems);

    LogSession& session_;
    SettingsStore& settings_;
    UserPrompts& prompts_;
    HistoryImporter* importer_;
    QAction* importLogs_;
    QAction* importOpenLog_;
    QAction* statistics_;
    QAction* historyFile_;
    QProgressDialog* progressDialog_ = nullptr; // while an import runs
    QTimer* progressTimer_;
    HistorySelectionDialog* selectionDialog_ = nullptr; // made at first use, kept
};

} // namespace quorvath
