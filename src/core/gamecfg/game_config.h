#pragma once
// The game's configuration file sof2mp.cfg: reading and rewriting its logging
// mode, reading and appending its log file name setting, and the texts of the
// logging-mode dialog.
//
// Settings are read and written at fixed character positions of their line,
// never by parsing quotes: the mode is the 15th character of its line whatever
// stands around it. Text is bytes (Windows-1252).
// Every write replaces the file atomically (a temporary file beside it, then a
// rename), so a failure leaves the old file whole. Errors the user can cause
// come back as a message naming the file and the reason.

#include <optional>
#include <string>
#include <string_view>

namespace quorvath::gamecfg {

namespace texts {
inline constexpr const char* DialogCaption = "SOF2 Logging Mode";
inline constexpr const char* FrameCaption = "Current Logging Mode is Displayed";
// The runs of spaces are part of the captions (they wrap in the dialog).
inline constexpr const char* Option1 = "0 - Disable Logging";
inline constexpr const char* Option2 = "1 -  Log updates when buffer full.  Will        be deleted "
                                       "whenever a new server starts up.";
inline constexpr const char* Option3 =
    "2 -  Log continuously.  Will be deleted      whenever a new server starts up.";
inline constexpr const char* Option4 =
    "3 -    Log continuously.  Will be deleted         whenever you restart SOF2   (Recommended)";
inline constexpr const char* OkButton = "OK";
inline constexpr const char* CancelButton = "Cancel";
inline constexpr const char* OptionsMenu = "Options";
inline constexpr const char* SetcfgpathMenu =
    "Set Sof2mp.cfg Path ( defaults to : c:\\program files\\Soldier of Fortune II - Double "
    "Helix\\base\\mp\\sof2mp.cfg)";
inline constexpr const char* LogFilenameMenu = "Set Logfile name";
inline constexpr const char* ConfigFilter = "Config Files|*.cfg";
inline constexpr const char* CantNameGamesLog = "Cant name a logfile games.log";
inline constexpr const char* ExtensionMustBe = "Extension must be .log or .txt";
} // namespace texts

// The one file name the config-file chooser accepts (exact case).
inline constexpr std::string_view ConfigFileName = "sof2mp.cfg";

// --- the settings in a config text ----------------------------------------------------

// Logging mode: the 15th character of the first line that contains "seta logfile "
// (letters in any case). A line ends at CR LF, LF or CR, which are not part of it.
// No such line, or a 15th character that is missing or not 0 to 3: mode 0.
int logModeInText(std::string_view text);

// Puts the digit of `mode` (0 to 3) at the 15th character counted from the first
// exact-case "seta logfile " in the whole text. False, and the text untouched,
// when there is no such phrase or the text ends before that character.
bool setLogModeInText(std::string& text, int mode);

// Log file name: the first line that contains "seta logfilename" (any case)
// without its first 18 characters and its last one; "" for no line or a line
// shorter than 19 characters.
std::string logFileNameInText(std::string_view text);

// The refusal for a proposed log file name, or nullopt when it is accepted:
// texts::CantNameGamesLog when it is games.log in any case, else
// texts::ExtensionMustBe when its last three characters are neither "txt" nor
// "log" in any case (no dot needed; an empty or shorter answer is refused).
std::optional<std::string> checkLogFileName(std::string_view name);

// The appended setting: seta logfilename "NAME", with no line break.
std::string logFileNameSetting(std::string_view name);

// The input box prompt, naming the current log file name.
std::string logFileNamePrompt(std::string_view currentName);

// Whether the chosen file's name without its folder ('\\' or '/') is exactly
// "sof2mp.cfg".
bool isConfigFileName(std::string_view path);

// --- the file operations -----------------------------------------------------------

struct ModeRead {
    int mode = 0;
    std::optional<std::string> error; // the mode is 0 when set
};
ModeRead readLogMode(const std::string& cfgPath);

// Rewrites the mode digit as setLogModeInText does; nothing else changes, byte
// for byte. When the text has no place for the digit, or already holds it, the
// file is not touched.
std::optional<std::string> writeLogMode(const std::string& cfgPath, int mode);

struct NameRead {
    std::string name;
    std::optional<std::string> error; // the name is "" when set
};
NameRead readLogFileName(const std::string& cfgPath);

// Appends logFileNameSetting(name) after the file's last byte. The caller checks
// the name first (checkLogFileName). A missing file is an error: it is not created.
std::optional<std::string> appendLogFileName(const std::string& cfgPath, std::string_view name);

} // namespace quorvath::gamecfg
