#pragma once
// The texts of the main window, its dialogs and the About window, written once.

#include <QString>

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
inline constexpr const char* NoConfigChosen = "No sof2mp.cfg chosen: the logging mode is unchanged";

inline constexpr const char* FileMenu = "&File";
inline constexpr const char* OpenAction = "&Open";
inline constexpr const char* RecentLogsMenu = "Recent &logs";
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
inline constexpr const char* PlayerNameAction = "PlayerName";
inline constexpr const char* LoggingModeAction = "Set logging mode (changes Sof2mp.cfg)";
inline constexpr const char* CountingMenu = "&Counting";
inline constexpr const char* ClassicCounting = "&Classic";
inline constexpr const char* AccurateCounting = "&Accurate";
inline constexpr const char* IncludeWarmupAction = "Include &warm-up kills";
inline constexpr const char* AboutMenu = "About";

inline constexpr const char* FindButton = "Find";
inline constexpr const char* FindNextButton = "Find Next";
inline constexpr const char* HighlightNickButton = "Highlight Nick";
inline constexpr const char* GetStatisticsButton = "Get the guff";
inline constexpr const char* ToggleLogViewButton = "?";

// Tooltips where a control does not explain itself.
inline constexpr const char* SearchBoxTip = "The text to find, letters in any case (Ctrl+F)";
inline constexpr const char* FindTip = "Find the first occurrence of the search text (Enter)";
inline constexpr const char* FindNextTip = "Find the next occurrence; past the last one the "
                                           "search starts again at the top (F3)";
inline constexpr const char* HighlightNickTip =
    "Mark every occurrence of your nick bold, italic and underlined";
inline constexpr const char* GetStatisticsTip =
    "Count the log's kills, deaths and events and show them in the statistics window";
inline constexpr const char* ToggleLogViewTip = "Show or hide the log view";
inline constexpr const char* RecentLogsTip = "The last eight logs opened";
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

inline constexpr const char* NickPrompt = "Please enter your nick exactly how it appears ingame\r\n"
                                          "(You can copy it from the log and come back)";
inline constexpr const char* KeepQuestion = "Do you want to Keep ";
inline constexpr const char* LogFilter = "Log Files|*.log|Text Files|*.txt";
inline constexpr const char* OpenDialogTitle = "Open";

inline constexpr const char* AboutCaption = "About Quorvath";
inline constexpr const char* AboutTitle = "Quorvath beta 1";
inline constexpr const char* AboutVersion = "Version 0.1";
inline constexpr const char* AboutDescription =
    "Reads Soldier of Fortune II logs (a player's console log, a server's game "
    "or console log), shows them in colour and turns them into player "
    "statistics and rankings.";
inline constexpr const char* Ok = "OK";

} // namespace quorvath::texts
