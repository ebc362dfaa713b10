#pragma once
// The texts of the main window, its dialogs and the About window, written once.

#include <QString>

#include <string>

namespace quorvath::texts {

inline constexpr const char* AppTitle = "Quorvath";
inline constexpr const char* Ready = "Ready";
inline constexpr const char* HighlightingNick = "Highlighting Nick...";

inline constexpr const char* MakingArchiveCopy = "Making the archive copy...";
inline constexpr const char* NothingToFind = "Nothing to find: the search box is empty";
inline constexpr const char* NotFound = "Not found: ";
inline constexpr const char* WrappedToTop = "Search wrapped to the top";
inline constexpr const char* NoNickNothingHighlighted = "No nick set: nothing highlighted";
inline constexpr const char* NickSet = "Nick set to ";
inline constexpr const char* NoLogToCount = "No log open: File > Open first";
inline constexpr const char* NoLogToExport = "No log open: File > Open first";
inline constexpr const char* WebReportFolderTitle = "Export web report: the site's folder";
inline constexpr const char* NoWebReportFolder = "No folder chosen: no web report written";
inline constexpr const char* WebReportRunning =
    "Busy: wait for the work in progress, then export the web report";
inline constexpr const char* CountingForWebReport = "Counting the statistics for the web report...";
inline constexpr const char* WebReportNotCounted =
    "No web report written: the statistics were not counted";
inline constexpr const char* WritingWebReport = "Writing the web report...";
inline constexpr const char* WebReportProgressTitle = "Web report";
inline constexpr const char* CancelWebReport = "&Cancel";
inline constexpr const char* StoppingWebReport =
    "Stopping the web report after the page in progress...";
inline QString webReportWritten(int written, int unchanged, const QString& folder, bool opened) {
    return QString("Web report: %1 pages written, %2 unchanged, in %3%4")
        .arg(written)
        .arg(unchanged)
        .arg(folder, opened ? QString() : QString("; no browser opened it: open index.html there"));
}
inline QString webReportCancelled(int written, const QString& folder) {
    return QString("Web report cancelled: %1 pages written in %2, each one whole")
        .arg(written)
        .arg(folder);
}
inline constexpr const char* NoConfigChosen = "No sof2mp.cfg chosen: the logging mode is unchanged";

inline constexpr const char* FileMenu = "&File";
inline constexpr const char* OpenAction = "&Open";
inline constexpr const char* RecentLogsMenu = "Recent &logs";
inline constexpr const char* ExportWebReportAction = "&Export web report...";
inline constexpr const char* NoRecentLogs = "(none yet)";
inline constexpr const char* QuitAction = "&Quit";
inline constexpr const char* ViewMenu = "&View";
inline constexpr const char* ZoomInAction = "Zoom &in";
inline constexpr const char* ZoomOutAction = "Zoom &out";
inline constexpr const char* ZoomResetAction = "&Reset zoom";
inline constexpr const char* CopyAction = "&Copy";
inline constexpr const char* SelectAllAction = "Select &All";
inline constexpr const char* FindSelectedAction = "&Find the selected text";
inline constexpr const char* PreferencesMenu = "&Preferences";
inline constexpr const char* PlayerNameAction = "Player &name...";
inline constexpr const char* LoggingModeAction = "Set &logging mode (changes sof2mp.cfg)...";
inline constexpr const char* CountingMenu = "&Counting";
inline constexpr const char* ClassicCounting = "&Classic";
inline constexpr const char* AccurateCounting = "&Accurate";
inline constexpr const char* IncludeWarmupAction = "Include &warm-up kills";
inline constexpr const char* HelpMenu = "&Help";
inline constexpr const char* QuickGuideAction = "&Quick guide";
inline constexpr const char* AboutAction = "&About Quorvath";

inline constexpr const char* FindButton = "Find";
inline constexpr const char* FindNextButton = "Find Next";
inline constexpr const char* HighlightNickButton = "Highlight Nick";
inline constexpr const char* GetStatisticsButton = "Get the guff";
// The log view's toggle says what a press does.
inline constexpr const char* HideLogButton = "Hide log";
inline constexpr const char* ShowLogButton = "Show log";

// Tooltips where a control does not explain itself.
inline constexpr const char* SearchBoxTip = "The text to find, letters in any case (Ctrl+F)";
inline constexpr const char* FindTip = "Find the first occurrence of the search text (Enter)";
inline constexpr const char* FindNextTip = "Find the next occurrence; past the last one the "
                                           "search starts again at the top (F3)";
inline constexpr const char* HighlightNickTip =
    "Mark every occurrence of your nick bold, italic and underlined";
inline constexpr const char* GetStatisticsTip =
    "Count the log's kills, deaths and events and show them in the statistics window";
inline constexpr const char* ToggleLogViewTip =
    "Hide the log view (and show it again), for a plain window while the statistics are open";
inline constexpr const char* RecentLogsTip = "The last eight logs opened";
inline constexpr const char* ExportWebReportTip =
    "Write the statistics as a web site (pages that need no server) into a folder and open it "
    "in the browser";
inline constexpr const char* PlayerNameTip =
    "Your nick as the game shows it: Highlight Nick marks it and the statistics start on its sheet";
inline constexpr const char* LoggingModeTip =
    "Switch the game's console log on or off and name its file, in the game's sof2mp.cfg";
inline constexpr const char* AboutTip = "The program's name and version";
inline constexpr const char* ClassicCountingTip =
    "Count a player's console log by the phrase rules Quorvath has always used";
inline constexpr const char* ClassicOffTip =
    "A server log is always counted Accurate: the classic rules read only a player's console log";
inline constexpr const char* AccurateCountingTip =
    "Count the log's kills, deaths and events as they happened, from any kind of log";
inline constexpr const char* IncludeWarmupTip =
    "Count the kills and deaths of a server's warm-up too (left out by default)";
inline constexpr const char* LoggingOkTip = "Write the chosen mode and log file name to the file";
inline constexpr const char* LoggingCancelTip = "Close without writing anything";
inline constexpr const char* ChooseConfigTip = "Choose which sof2mp.cfg this dialog edits";
inline constexpr const char* LogFileNameTip =
    "Name the file the game writes its console log to; written on OK";

inline constexpr const char* ConfigFileLabel = "Config file: ";
inline constexpr const char* LogFileNameLabel = "Log file name: ";
inline constexpr const char* NoLogFileName = "(none set: the game's own default)";
inline constexpr const char* WrittenOnOkNote = "  (written on OK)";
inline constexpr const char* ChooseConfigTitle = "Choose sof2mp.cfg";

inline QString settingsWritten(const QString& file, int mode, const QString& newName) {
    if (newName.isEmpty())
        return QString("Logging mode %1 written to %2").arg(mode).arg(file);
    return QString("Logging mode %1 and log file name %2 written to %3")
        .arg(mode)
        .arg(newName, file);
}
inline QString settingsAlreadySet(const QString& file, int mode) {
    return QString("%1 already holds logging mode %2: nothing to write").arg(file).arg(mode);
}
inline QString titleWithLog(const QString& fileName) {
    return QString(AppTitle) + " - " + fileName;
}
// After loading: how the log was read, e.g. "Ready - server game log".
inline QString readyWithLogKind(const QString& kind) { return QString(Ready) + " - " + kind; }
inline QString nickHighlighted(int count, const QString& nick) {
    return QString("%1 highlighted %2 times").arg(nick).arg(count);
}
inline QString recentLogMissing(const QString& path) {
    return QString("The file \"%1\" no longer exists. It is removed from the recent logs.")
        .arg(path);
}

inline constexpr const char* NickPrompt =
    "Please enter your nick exactly as it appears in the game\n"
    "(you can copy it from the log and come back).";
inline QString keepQuestion(const std::string& copy) {
    return QString("Keep the dated copy of the log?\n\n%1\n\n"
                   "Quorvath made this copy when the log was opened, so that the log as it "
                   "was then stays at hand after the game writes the log anew. Delete "
                   "removes only the copy.")
        .arg(QString::fromStdString(copy));
}
inline constexpr const char* KeepButton = "&Keep";
inline constexpr const char* DeleteButton = "&Delete";
inline constexpr const char* DoNotAskAgain = "Do not ask again (Preferences > Dated copies)";
inline constexpr const char* DatedCopiesMenu = "&Dated copies";
inline constexpr const char* AskAboutCopies = "&Ask each time";
inline constexpr const char* AlwaysKeepCopies = "Always &keep";
inline constexpr const char* AlwaysDeleteCopies = "Always &delete";
inline constexpr const char* DatedCopiesTip =
    "The copy made of each log when it is opened, dated: kept or deleted when another log is "
    "opened or the program ends";
inline constexpr const char* LogFilter = "Log Files|*.log|Text Files|*.txt";
inline constexpr const char* OpenDialogTitle = "Open";

inline constexpr const char* QuickGuideCaption = "Quorvath quick guide";
inline constexpr const char* QuickGuide =
    "<h3>Opening a log</h3>"
    "<p>File &gt; Open (Ctrl+O) or File &gt; Recent logs. Quorvath reads a player's console "
    "log or a server's game or console log and shows it in the game's colours. It makes a "
    "dated copy beside the log and asks later whether to keep it.</p>"
    "<h3>Searching</h3>"
    "<p>Type in the box at the bottom (Ctrl+F takes you there): Enter finds the first "
    "occurrence, F3 or Find Next the next one. In the log, drag or double-click to select, "
    "Shift+arrows to widen the selection, Ctrl+C to copy; the right button finds the selected "
    "text. Highlight Nick marks every occurrence of your nick (Preferences &gt; Player "
    "name).</p>"
    "<h3>Statistics</h3>"
    "<p>\"Get the guff\" counts the log and opens the statistics window: the players above, "
    "the categories below, two panes to the right. Enter or a double-click shows an entry in "
    "the left pane, with Shift in the right one; dragging works too. Aliases &gt; Link Aliases "
    "counts a renamed player under one name.</p>"
    "<h3>History</h3>"
    "<p>History &gt; Import logs (Ctrl+I) keeps every map of chosen logs in one database, "
    "once: a log imported again, or a copy of it, adds nothing, and a log that grew adds its "
    "new maps. Import the open log (Ctrl+Shift+I) does the same for the log on screen. History "
    "&gt; Statistics (Ctrl+H) counts the matches of a date range, server, map or game types "
    "(Accurate) in the statistics window; \"Get the guff\" counts the log again. History "
    "&gt; Players (Ctrl+Shift+H) merges two players into one person, splits a name off and "
    "undoes a decision. The database (a file, or a shared PostgreSQL database) and the "
    "rankings' minimum are set in Preferences &gt; History.</p>"
    "<h3>Keyboard</h3>"
    "<p>Tab moves between the controls, arrows within a list, Enter acts. Ctrl++ and Ctrl+- "
    "zoom, Ctrl+0 resets, Ctrl+Q quits from either window.</p>"
    "<h3>Counting</h3>"
    "<p>Preferences &gt; Counting: <b>Classic</b> counts a player's console log by the phrase "
    "rules Quorvath has always used; <b>Accurate</b> counts the kills, deaths and events as "
    "they happened, from any kind of log. A server log is always counted Accurate.</p>";
inline constexpr const char* AboutCaption = "About Quorvath";
inline constexpr const char* AboutTitle = "Quorvath";
// Followed by the version the program was built as.
inline constexpr const char* AboutVersion = "Version ";
inline constexpr const char* AboutDescription =
    "Reads Soldier of Fortune II logs (a player's console log, a server's game "
    "or console log), shows them in colour and turns them into player "
    "statistics and rankings.";
inline constexpr const char* Ok = "OK";

} // namespace quorvath::texts
