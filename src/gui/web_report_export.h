#pragma once
// File > Export web report...: the statistics the statistics window shows,
// counted and linked as it shows them (the user's rows marked), as the web
// report's static site in a folder the user chooses (remembered), written on
// a worker of its own with a progress dialog and Cancel, and then opened in
// the default browser: the open log's site, or for a history selection the
// history's site (its matches, maps, servers and ratings besides), the
// matches read again from the history the selection was counted from.
// Statistics not yet counted are the log's, counted first ("Get the guff").
// Every outcome is said as a status (statusChanged); a folder or history
// that cannot be used also in a message.
//
// The site is written from a copy of the statistics taken when the export
// starts, so the windows stay usable (and may change theirs) meanwhile.
// writeSite() is the one door for any site's pages (a SiteWriting).
//
// Interface thread only.

#include "core/common/progress.h"

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QWidget;

namespace quorvath {

namespace web {
class SiteFolder;
}
class BackgroundWork;
class LogSession;
class SettingsStore;
class UserPrompts;
class WorkProgressDialog;

class WebReportExport : public QObject {
    Q_OBJECT
public:
    WebReportExport(LogSession& session, SettingsStore& settings, UserPrompts& prompts,
                    QWidget* parent);
    ~WebReportExport() override; // cancels and waits for the page in progress

    // File > Export web report... (Ctrl+E).
    QAction* action() const { return action_; }

    // Writes a site's pages into a SiteFolder, on the worker; the problem
    // when it stopped or failed (the folder's, or the history's).
    using SiteWriting = std::function<std::optional<std::string>(web::SiteFolder&)>;
    // Writes a site into `folder` with progress and Cancel, then opens its
    // index.html; false (and nothing starts) while a site is being written.
    bool writeSite(const std::string& folder, SiteWriting writing);
    void cancel();
    bool running() const;
    const Progress& progress() const { return progress_; }

    // How a written site is opened: by default in the desktop's browser.
    using BrowserOpener = std::function<bool(const QUrl&)>;
    void setBrowserOpener(BrowserOpener open) { openInBrowser_ = std::move(open); }

signals:
    void statusChanged(const QString& status);

private:
    void onTriggered();
    void observeSession();
    void exportShownStatistics(const std::string& folder);
    void exportShownHistory(const std::string& folder);
    void jobEnded(const QString& error);
    void updateEnabled();

    LogSession& session_;
    SettingsStore& settings_;
    UserPrompts& prompts_;
    QWidget* parent_;
    QAction* action_;
    BackgroundWork* worker_;
    Progress progress_;
    WorkProgressDialog* progressDialog_ = nullptr; // while a site is written
    BrowserOpener openInBrowser_;
    std::string pendingFolder_; // chosen while the log's statistics are being counted
    std::string folder_;        // the site being written
    // Written by the worker, read once it has ended.
    int written_ = 0;
    int unchanged_ = 0;
    bool stopped_ = false;
};

} // namespace quorvath
