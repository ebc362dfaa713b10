#pragma once
// The texts of the main window and the About window, written once.

namespace quorvath::texts {

inline constexpr const char* AppTitle = "Quorvath";
inline constexpr const char* Ready = "Ready";
inline constexpr const char* HighlightingNick = "Highlighting Nick...";

inline constexpr const char* FileMenu = "&File";
inline constexpr const char* OpenAction = "&Open";
inline constexpr const char* PreferencesMenu = "&Preferences";
inline constexpr const char* PlayerNameAction = "PlayerName";
inline constexpr const char* LoggingModeAction = "Set logging mode (changes Sof2mp.cfg)";
inline constexpr const char* AboutMenu = "About";

inline constexpr const char* FindButton = "Find";
inline constexpr const char* FindNextButton = "Find Next";
inline constexpr const char* HighlightNickButton = "Highlight Nick";
inline constexpr const char* GetStatisticsButton = "Get the guff";
inline constexpr const char* ToggleLogViewButton = "?";

inline constexpr const char* NickPrompt = "Please enter your nick exactly how it appears ingame\r\n"
                                          "(You can copy it from the log and come back)";
inline constexpr const char* KeepQuestion = "Do you want to Keep ";
inline constexpr const char* LogFilter = "Log Files|*.log|Text Files|*.txt";
inline constexpr const char* OpenDialogTitle = "Open";

inline constexpr const char* AboutCaption = "About Quorvath";
inline constexpr const char* AboutTitle = "Quorvath beta 1";
inline constexpr const char* AboutVersion = "Version 0.1";
inline constexpr const char* AboutDescription =
    "Reads Soldier of Fortune II server console logs, shows them in colour "
    "and turns them into player statistics and rankings.";
inline constexpr const char* Ok = "OK";

} // namespace quorvath::texts
