#pragma once
// The texts of the History menu, its import and its selection dialog, written once.

#include <QString>
#include <QStringList>

namespace quorvath::history_texts {

inline constexpr const char* HistoryMenu = "Hi&story";
inline constexpr const char* ImportLogsAction = "&Import logs...";
inline constexpr const char* ImportOpenLogAction = "Import the &open log";
inline constexpr const char* StatisticsAction = "&Statistics...";
inline constexpr const char* PlayersAction = "&Players...";
inline constexpr const char* RatingsAction = "&Ratings...";
inline constexpr const char* PreferencesAction = "&History...";

inline constexpr const char* ImportLogsTip =
    "Add the maps of chosen logs to the match history; a map stored already is passed over";
inline constexpr const char* ImportOpenLogTip =
    "Add the maps of the log on screen (its file as it is now) to the match history";
inline constexpr const char* StatisticsTip =
    "Open the statistics window on the history's matches of a date range, server, map or game "
    "type";
inline constexpr const char* PlayersTip =
    "List the history's players; merge two into one person, split a name off, undo a decision";
inline constexpr const char* RatingsTip =
    "The skill ratings of the history's matches of a date range, server, map or game type";
inline constexpr const char* PreferencesTip =
    "Where the match history is kept (a file, or a shared PostgreSQL database) and whom its "
    "rankings take";

inline constexpr const char* ImportDialogTitle = "Import logs into the history";
inline constexpr const char* ImportProgressTitle = "Importing logs";
inline constexpr const char* CancelWork = "&Cancel";
inline constexpr const char* HistoryFileTitle = "History file (a new name starts a new history)";
inline constexpr const char* HistoryFileFilter = "History Files|*.sqlite|All Files|*";
inline constexpr const char* OpeningHistory = "Opening the history...";
inline constexpr const char* ReadingHistory = "Reading the history...";
inline constexpr const char* NoLogToImport = "No log open: File > Open first";
inline constexpr const char* ImportRunning = "An import is running: wait for it or cancel it";
inline constexpr const char* StoppingImport = "Stopping the import after the batch in progress...";
inline constexpr const char* CountProgressTitle = "History statistics";
inline constexpr const char* CountCancelled = "Counting cancelled: nothing shown";

inline constexpr const char* PreferencesTitle = "History preferences";
inline constexpr const char* DatabaseLabel = "&Database";
inline constexpr const char* BrowseLabel = "&Browse...";
inline constexpr const char* ApplyButton = "&Apply";
inline constexpr const char* DatabaseNote =
    "A database file, or a PostgreSQL database shared by several servers: "
    "postgresql://USER@HOST/DB, postgres://... or host=HOST dbname=DB. A password is never "
    "saved: ~/.pgpass or PGPASSWORD supply it; one typed here lasts until Quorvath ends.";
inline constexpr const char* MinKillsLabel = "Rank only players of at least &N kills";
inline constexpr const char* MinMatchesLabel = "Rank only players of at least &M matches";
inline constexpr const char* NoMinimum = "no minimum";
inline constexpr const char* RankBotsLabel = "Rank &bots too, and list them in top lists";
inline constexpr const char* TestingHistory = "Opening the history to try it...";

inline QString importingLog(const QString& fileName, int number, int count) {
    return QString("Importing %1 (%2 of %3)...").arg(fileName).arg(number).arg(count);
}
// After Preferences > History...: where the history is, and that a typed
// password lasts this session only.
inline QString historyChosen(const QString& where, bool passwordForSession) {
    return QString("The history is kept in %1").arg(where) +
           (passwordForSession ? "; its password is kept until Quorvath ends, never saved "
                                 "(~/.pgpass or PGPASSWORD keep it)"
                               : "");
}
inline QString unreadableConnection(const QString& typed) {
    return QString("\"%1\" is no connection string libpq can read: nothing was kept.").arg(typed);
}
inline QString countingHistory(qint64 matches) {
    return QString("Counting the history: %1 matches read...").arg(matches);
}
inline QString historyCounted(qint64 matches) {
    return matches == 1 ? QString("History statistics: 1 match counted")
                        : QString("History statistics: %1 matches counted").arg(matches);
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

// History > Players.
inline constexpr const char* PlayersTitle = "History players";
inline constexpr const char* FindLabel = "&Find";
inline constexpr const char* FindHint = "part of a name, an alias or a GUID";
inline constexpr const char* NamesLabel = "&Names of the selected player";
inline constexpr const char* DecisionsLabel = "&Decisions (undo one to count as before it)";
inline constexpr const char* MergeButton = "&Merge the two selected";
inline constexpr const char* SplitButton = "&Split the name off";
inline constexpr const char* UndoButton = "&Undo the decision";
inline constexpr const char* CloseButton = "Close";
inline const QStringList PeopleColumns{"Name",   "Aliases",    "GUIDs",     "Matches", "Kills",
                                       "Deaths", "First seen", "Last seen", "Bot"};
inline const QStringList DecisionColumns{"Id", "Made", "Decision", "Name", "Other"};
inline constexpr const char* ReadingPlayers = "Reading the players...";
inline constexpr const char* SelectTwo =
    "Select the two players to merge (Ctrl+Space or Ctrl+click)";
inline constexpr const char* SelectName = "Select the name to split off among the player's names";
inline constexpr const char* SelectDecision = "Select the decision to undo";
inline constexpr const char* NothingChanged = "Nothing changed";

inline QString playersRead(qsizetype people, qsizetype decisions) {
    return QString("History: %1 player%2, %3 decision%4")
        .arg(people)
        .arg(people == 1 ? "" : "s")
        .arg(decisions)
        .arg(decisions == 1 ? "" : "s");
}
inline QString mergeQuestion(const QString& name, const QString& other) {
    return QString("Make \"%1\" and \"%2\" one person? Their names count as one player in every "
                   "sheet, ranking and top list of the history until the decision is undone.")
        .arg(name, other);
}
inline QString splitQuestion(const QString& name) {
    return QString("Split \"%1\" off to stand alone? No rename, GUID or earlier merge links it "
                   "to another name until the decision is undone.")
        .arg(name);
}
inline QString undoQuestion(qint64 id, const QString& decision) {
    return QString("Undo decision %1 (%2)? The history is counted as before it.")
        .arg(id)
        .arg(decision);
}
inline QString merged(const QString& name, const QString& other, qint64 id) {
    return QString("\"%1\" and \"%2\" are one person (decision %3)").arg(name, other).arg(id);
}
inline QString splitOff(const QString& name, qint64 id) {
    return QString("\"%1\" stands alone (decision %2)").arg(name).arg(id);
}
inline QString undone(qint64 id) { return QString("Decision %1 undone").arg(id); }
// History > Ratings.
inline constexpr const char* RatingsTitle = "History ratings";
inline constexpr const char* LinkAliasesCheck = "&Link aliases (each person's names rated as one)";
inline const QStringList RatingColumns{"Name", "Rating", "Mu", "Sigma", "Matches", "Provisional"};
inline constexpr const char* RatingsNote =
    "Each selected match is rated in the order played: a deathmatch by final score, a team game "
    "by the team result. A player counts when he was there at the end and for half of the match. "
    "The rating is mu - 3 sigma, provisional while sigma is above 8; bots are rated when "
    "Preferences > History ranks them.";
inline constexpr const char* RatingHistory = "Rating the history...";
inline constexpr const char* RatingRunning = "The ratings are being counted: wait or cancel";
inline constexpr const char* RatingCancelled = "Rating cancelled: nothing shown";
inline QString ratingsDone(qsizetype players, qint64 matches) {
    if (players == 0)
        return QString("History ratings: nobody rated in %1 match%2 (none has a result that "
                       "rates its players)")
            .arg(matches)
            .arg(matches == 1 ? "" : "es");
    return QString("History ratings: %1 player%2 rated from %3 match%4")
        .arg(players)
        .arg(players == 1 ? "" : "s")
        .arg(matches)
        .arg(matches == 1 ? "" : "es");
}

inline QString decisionGone(qint64 id) {
    return QString("There is no decision %1 any more: the list is read again").arg(id);
}

} // namespace quorvath::history_texts
