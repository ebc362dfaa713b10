#pragma once
// The loaded log and everything that hangs on it: the shown document and the
// kind of log it was read as, the player table, the statistics window's
// state, the archive copy, the user's nick and counting choice, and the long
// work on them with its progress and its one busy state.
// Both windows act through its calls and observe its signals; they never call
// each other.
//
// The statistics it keeps are the log's, or those of a selection of the match
// history (History > Statistics), counted in the same table and shown in the
// same window.
//
// Long work (loading, highlighting the nick, the statistics pass) runs on one
// worker thread, one job at a time. While it runs the session is busy: the
// document and the table belong to the worker (loading and highlighting leave
// the document readable, for the view). A new log loads into a document of its
// own: the log on screen, its statistics and its archive copy stay until the
// new one has loaded, and only then are they replaced.
//
// A QObject rather than a core class: its signals are how the windows learn
// of the worker's results, on the interface thread.
//
// Interface thread only.

#include "core/common/progress.h"
#include "core/common/user_prompts.h"
#include "core/history/match_record.h"
#include "core/history/people.h"
#include "core/log/log_document.h"
#include "core/match/log_kind.h"
#include "core/match/statistics_counting.h"
#include "core/session/statistics_session.h"
#include "core/stats/player_table.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvath {

class BackgroundWork;
class SettingsStore;

class LogSession : public QObject {
    Q_OBJECT
public:
    enum class Work { Loading, HighlightingNick, StatisticsPass };
    Q_ENUM(Work)

    // Reads the nick and the counting choice from the preferences.
    LogSession(SettingsStore& settings, UserPrompts& prompts, QObject* parent = nullptr);
    ~LogSession() override; // stops running work and waits for it

    LogDocument& document() { return document_; }
    const PlayerTable& players() const { return players_; }
    StatisticsSession& statistics() { return *statistics_; }
    const Progress& progress() const { return progress_; }
    bool busy() const { return running_.has_value(); }

    // The log on screen, as it was chosen ("" before the first).
    const std::string& logPath() const { return logPath_; }
    const std::string& nick() const { return nick_; }
    // A new nick, kept in the preferences too.
    void setNick(const std::string& nick);
    // The statistics colours (0x00BBGGRR) kept in the preferences; every
    // control that shows them takes them at once (coloursSaved).
    void saveColours(std::uint32_t text, std::uint32_t back);
    // How the log on screen was read: its kind, told from its lines (or the
    // console rules when they were mixed or of no known kind).
    const LogKindDetection& logKind() const { return logKind_; }
    // Preferences > Counting and the warm-up setting, as kept in the preferences.
    const CountingChoice& countingChoice() const { return countingChoice_; }
    // The counting the log on screen gets: a server log is always counted Accurate.
    CountingMode countingMode() const {
        return countingModeFor(logKind_.kind, countingChoice_.preferred);
    }
    // A new counting choice, kept in the preferences. When it changes how the
    // log on screen is counted, its statistics are counted again: at once (on
    // the worker) while the statistics window shows them, else at the next
    // "Get the guff". Ignored while busy.
    void setCountingChoice(const CountingChoice& choice);
    // The copy of the log that was opened last, made beside it.
    const std::string& archiveCopy() const { return archiveCopy_; }
    // True while that copy exists and has not been asked about.
    bool hasArchiveCopy() const { return archiveCopyMade_; }

    // Opens the log at `path` in place of the one on screen: refuses a log that
    // cannot be loaded before copying it, stops running work, then copies and
    // loads it on the worker. Once it has loaded, the user is asked what
    // becomes of the earlier archive copy: Keep or Delete, and the document,
    // the table and the statistics are replaced (logReplaced); Cancel, like a
    // failure, leaves them as they were and removes the new copy.
    void openLog(const std::string& path);
    // Marks every occurrence of the nick bold, italic and underlined, on the
    // worker. Ignored while busy.
    void highlightNick();
    // How many occurrences the last Highlight Nick marked.
    int highlightedCount() const { return highlightedCount_; }
    // "Get the guff": the statistics are wanted. The table is filled by a pass
    // on the worker unless it already holds the loaded log's statistics.
    // Ignored while busy.
    void requestStatistics();
    // History > Statistics: the table is filled (on the worker) with the
    // matches `selection` picks from the history at `database`, counted as
    // the report tool counts them (people linked, the rankings leaving out
    // whoever `minimum` leaves out), and the statistics window shows them;
    // `description` names the selection in its title. The log's own
    // statistics give way: the next "Get the guff" counts the log again.
    // Progress counts the matches read. Ignored while busy.
    void showHistoryStatistics(const std::string& database, const HistorySelection& selection,
                               const RankingMinimum& minimum, const QString& description);
    // Stops counting the history: nothing of it is shown (workStopped).
    void stopHistoryCount();
    // The selection the statistics are of; empty when they are the log's.
    const QString& historyShown() const { return historyShown_; }
    // Where the selection shown was read from, which matches and who its
    // rankings take (bots rated too when they are ranked): its web site's.
    const std::string& historyDatabase() const { return historyDatabase_; }
    const HistorySelection& historySelection() const { return historySelection_; }
    const RankingMinimum& historyMinimum() const { return minimum_; }
    // From "Get the guff" or History > Statistics until the statistics window closes.
    bool statisticsShown() const { return statisticsShown_; }
    // The statistics window was closed: its state goes back to the start (the
    // table unlinked with the check mark), keeping the gathered statistics.
    void closeStatistics();
    // The program ends: asks what becomes of the archive copy, then stops
    // running work and closes the statistics. False when the user cancelled:
    // nothing ends. Once it has ended, later calls change nothing.
    bool end();

signals:
    void busyChanged(bool busy);
    void workStarted(LogSession::Work work);
    // `error` is empty when the work succeeded. A log refused before loading
    // also ends here, without having started.
    void workFinished(LogSession::Work work, const QString& error);
    // The work was stopped because the log is replaced or the program ends;
    // its results are thrown away.
    void workStopped(LogSession::Work work);
    // Scan `number` (1-based) of the statistics pass has begun.
    void scanStarted(int number);
    // A new log has loaded: the document holds it, the table and the
    // statistics are empty until the next pass.
    void logReplaced();
    // "Get the guff" was pressed while nothing ran.
    void statisticsRequested();
    // The table holds the loaded log's statistics: they can be shown.
    void statisticsReady();
    // The program ends: the statistics window closes.
    void ending();
    // New colours are in the preferences.
    void coloursSaved();
    // A new counting choice is in the preferences.
    void countingChoiceChanged();

private:
    void startWork(Work work, std::function<std::optional<std::string>()> job);
    void workEnded(const QString& error);
    void stopWork();
    void dropPass(); // a statistics pass stopped or cancelled
    void startStatisticsPass();
    void loadEnded(const QString& error);
    void forgetIncomingCopy();
    KeepChoice askAboutArchiveCopy();
    void settleArchiveCopy(KeepChoice choice);

    SettingsStore& settings_;
    UserPrompts& prompts_;
    LogDocument document_;
    LogDocument incoming_; // a log being loaded, until it replaces document_
    PlayerTable players_;
    std::unique_ptr<StatisticsSession> statistics_;
    bool statisticsShown_ = false; // from "Get the guff" until the statistics window closes
    QString historyShown_;
    std::string historyDatabase_;
    HistorySelection historySelection_;
    LogKindDetection logKind_;
    LogKindDetection incomingKind_;
    CountingChoice countingChoice_;
    CountingScope counted_;              // written by the worker during a pass
    std::vector<NameActivity> activity_; // written by the worker counting the history
    RankingMinimum minimum_;             // the history's rankings'
    Progress progress_;
    BackgroundWork* worker_;
    std::optional<Work> running_;
    std::vector<int> nickHits_; // written by the worker while it highlights
    int nickLength_ = 0;
    int highlightedCount_ = 0;
    std::string nick_;
    std::string logPath_;
    std::string archiveCopy_;
    bool archiveCopyMade_ = false;
    std::string incomingPath_;
    std::string incomingCopy_;
    std::atomic<bool> incomingCopyMade_{false}; // set by the worker once the copy exists
    bool ending_ = false;
};

} // namespace quorvath
