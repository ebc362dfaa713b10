#pragma once
// The texts of the History menu, its import and its selection dialog, written once.

#include <QString>
#include <QStringList>

namespace quorvath::history_texts {

inline constexpr const char* HistoryMenu = "Hi&story";
inline constexpr const char* ImportLogsAction = "&Import logs...";
inline constexpr const char* ImportOpenLogAction = "Import the &open log";
inline constexpr const char* StatisticsAction = "&Statistics...";
inline constexpr const char* HistoryFileAction = "&History file...";

inline constexpr const char* ImportLogsTip =
    "Add the maps of chosen logs to the match history; a map stored already is passed over";
inline constexpr const char* ImportOpenLogTip =
    "Add the maps of the log on screen (its file as it is now) to the match history";
inline constexpr const char* StatisticsTip =
    "Open the statistics window on the history's matches of a date range, server, map or game "
    "type";
inline constexpr const char* HistoryFileTip =
    "The database file the match history is kept in (both Quorvath and quorvath-report use it)";

inline constexpr const char* ImportDialogTitle = "Import logs into the history";
inline constexpr const char* ImportProgressTitle = "Importing logs";
inline constexpr const char* CancelImport = "&Cancel";
inline constexpr const char* HistoryFileTitle = "History file (a new name starts a new history)";
inline constexpr const char* HistoryFileFilter = "History Files|*.sqlite|All Files|*";
inline constexpr const char* OpeningHistory = "Opening the history...";
inline constexpr const char* ReadingHistory = "Reading the history...";
inline constexpr const char* NoLogToImport = "No log open: File > Open first";
inline constexpr const char* ImportRunning = "An import is running: wait for it or cancel it";
inline constexpr const char* StoppingImport = "Stopping the import after the batch in progress...";

inline QString importingLog(const QString& fileName, int number, int count) {
    return QString("Importing %1 (%2 of %3)...").arg(fileName).arg(number).arg(count);
}
inline QString historyFileSet(const QString& path) {
    return QString("The history is kept in %1").arg(path);
}
inline QString historyMissing(const QString& path) {
    return QString("The history \"%1\" does not exist: import logs first.").arg(path);
}

// The status after an import: what was added (or that nothing was), whether
// it was cancelled, and the problem of a log that could not be imported.
inline QString importOutcome(int added, int logsRead, bool cancelled, const QStringList& problems) {
    QString text = cancelled ? "Import cancelled: " : "History: ";
    text += added == 0   ? QString(cancelled ? "nothing added" : "nothing new")
            : added == 1 ? QString("1 match added")
                         : QString("%1 matches added").arg(added);
    if (logsRead > 0)
        text += logsRead == 1 ? QString(" from 1 log") : QString(" from %1 logs").arg(logsRead);
    if (problems.size() == 1)
        text += "; " + problems.first();
    else if (problems.size() > 1)
        text += QString("; %1 logs not imported (see the message)").arg(problems.size());
    return text;
}

inline constexpr const char* SelectionTitle = "History statistics";
inline constexpr const char* SinceLabel = "&Since";
inline constexpr const char* UntilLabel = "&Until (that day included)";
inline constexpr const char* ServerLabel = "Se&rver";
inline constexpr const char* MapLabel = "&Map";
inline constexpr const char* GameTypesLabel = "&Game types";
inline constexpr const char* AnyServer = "any (the host name, else the log's file name)";
inline constexpr const char* AnyMap = "any (e.g. mp_shop)";
inline constexpr const char* AnyGameType = "any (e.g. ctf,inf)";
inline constexpr const char* SelectionNote =
    "Matches are dated by their log file's time when first imported. A player's console log "
    "names no map or game type: its matches count only when neither is given.";

// The window title's name for a selection: "History: all matches", "History:
// since 2026-11-01, server Clan CTF, ctf".
inline constexpr const char* HistoryCaption = "History: ";
inline constexpr const char* AllMatches = "all matches";

} // namespace quorvath::history_texts
