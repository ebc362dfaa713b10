#pragma once
// The game's configuration file sof2mp.cfg: reading and rewriting its logging
// mode and its log file name, finding it on this machine, and the texts of the
// logging-mode dialog.
//
// The mode is read and written at a fixed character position of its line,
// never by parsing quotes: the 15th character of its line whatever stands
// around it, as the game writes it. The name is a whole line of its own, so
// that it is replaced in place and never runs into another setting. Text is
// bytes (Windows-1252).
// Every write replaces the file atomically (a temporary file beside it, then a
// rename), so a failure leaves the old file whole. Errors the user can cause
// come back as a message naming the file and the reason.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorvath::gamecfg {

namespace texts {
inline constexpr const char* DialogCaption = "SOF2 Logging Mode";
inline constexpr const char* FrameCaption = "Logging mode (written on OK)";
inline constexpr const char* Option1 = "0 - Disable Logging";
inline constexpr const char* Option2 =
    "1 - Log updates when buffer full. Will be deleted whenever a new server starts up.";
inline constexpr const char* Option3 =
    "2 - Log continuously. Will be deleted whenever a new server starts up.";
inline constexpr const char* Option4 =
    "3 - Log continuously. Will be deleted whenever you restart SOF2 (Recommended)";
inline constexpr const char* OkButton = "OK";
inline constexpr const char* CancelButton = "Cancel";
inline constexpr const char* OptionsMenu = "Options";
inline constexpr const char* LogFilenameMenu = "Set the log file name";
inline constexpr const char* ConfigFilter = "Config Files|*.cfg";
inline constexpr const char* ExtensionMustBe = "Extension must be .log or .txt";
} // namespace texts

// The one file name the game reads its settings from (exact case).
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

// The log file name in effect: the value of the last line that sets it, as the
// game runs the file from top to bottom. A setting line starts (after blanks)
// with "seta logfilename" in any case and a blank; its value is the quoted text
// after it, or the word there when it has no quotes. "" when no line sets it.
std::string logFileNameInText(std::string_view text);

// Sets the log file name: the line that sets the name in effect is replaced in
// place (its line end kept); without one, a line is added at the end, after a
// line end of the file's own kind when the last line has none. Every other
// byte stays as it was.
void setLogFileNameInText(std::string& text, std::string_view name);

// The line end the text uses: its first CR LF or LF; LF when it has none (the
// game writes its own config with LF).
std::string_view lineEndOf(std::string_view text);

// The refusal for a proposed log file name, or nullopt when the game can use it.
// Refused, each with its reason: an empty name, blanks, a folder part ('/' or
// '\\'), quotes and control characters, games.log (the server's own game log)
// in any case, and a name whose last three characters are neither "txt" nor
// "log" in any case (no dot needed).
std::optional<std::string> checkLogFileName(std::string_view name);

// The setting line: seta logfilename "NAME", without a line end.
std::string logFileNameSetting(std::string_view name);

// The input box prompt, naming the current log file name.
std::string logFileNamePrompt(std::string_view currentName);

// Whether the chosen file's name without its folder ('\\' or '/') is exactly
// "sof2mp.cfg"; the refusal of another file, saying why.
bool isConfigFileName(std::string_view path);
std::string notAConfigFileMessage(const std::string& path);

// --- where the game keeps its config ----------------------------------------------------

// The places a Linux machine keeps sof2mp.cfg, most likely first: the game run
// under Wine (both "Program Files" folders of the default prefix), then a
// dedicated server's home folder.
std::vector<std::string> usualConfigPaths(const std::string& home);
// The first of those that is a file; "" when none is.
std::string findGameConfig(const std::string& home);
// The config-path menu entry, naming the default used on this machine ("" for none).
std::string chooseConfigCaption(const std::string& defaultPath);

// --- the file operations -----------------------------------------------------------

struct ModeRead {
    int mode = 0;
    std::optional<std::string> error; // the mode is 0 when set
};
ModeRead readLogMode(const std::string& cfgPath);

struct NameRead {
    std::string name;
    std::optional<std::string> error; // the name is "" when set
};
NameRead readLogFileName(const std::string& cfgPath);

// What the logging-mode dialog writes on OK: the mode, and a new log file name
// when one was entered.
struct LogSettings {
    int mode = 0;
    std::optional<std::string> logFileName; // checked with checkLogFileName first
};

// Whether writeLogSettings changed the file.
enum class ConfigWrite { Written, AlreadySet };

// Writes both settings in one atomic replacement: the mode digit as
// setLogModeInText places it (a file with no "seta logfile " line in any case
// gets one added at the end, as a new name is), the name as
// setLogFileNameInText does. A file that already holds both is not touched. A
// mode line the digit cannot be placed in (capitals only, or cut short) is
// refused with a message. A missing file is an error: it is not created.
std::variant<ConfigWrite, std::string> writeLogSettings(const std::string& cfgPath,
                                                        const LogSettings& settings);

} // namespace quorvath::gamecfg
