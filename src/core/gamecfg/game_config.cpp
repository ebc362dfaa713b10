#include "core/gamecfg/game_config.h"

#include "core/common/file_errors.h"
#include "core/common/file_replace.h"
#include "core/common/folded_search.h"
#include "core/common/text_case.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace quorvath::gamecfg {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view ModePhrase = "seta logfile ";
constexpr std::string_view NamePhrase = "seta logfilename";
constexpr std::size_t ModeOffset = 14; // the 15th character, 1-based
constexpr std::uint64_t MaxConfigBytes = 64ull * 1024 * 1024;

// The first line (without its CR LF, LF or CR) that contains `phrase` in any
// case: the line around the phrase's first hit, as no hit spans a line end.
std::optional<std::string_view> firstLineWith(std::string_view text, std::string_view phrase) {
    const std::size_t hit = FoldedNeedle(phrase).find(text);
    if (hit == std::string_view::npos)
        return std::nullopt;
    const std::size_t before = text.find_last_of("\r\n", hit);
    const std::size_t start = before == std::string_view::npos ? 0 : before + 1;
    const std::size_t end = std::min(text.find_first_of("\r\n", hit), text.size());
    return text.substr(start, end - start);
}

std::string tooLargeForAConfig(const std::string& path) {
    return cannotReadMessage(path, "it is larger than 64 MiB, too large for a configuration file");
}

std::optional<std::string> readWhole(const std::string& path, std::string& text) {
    return readWholeFile(path, MaxConfigBytes, tooLargeForAConfig(path), text);
}

// A read-only file is refused even where the rename below could replace it
// (the folder is writable, or we run with rights that ignore the flag).
std::optional<std::string> checkWritable(const std::string& path) {
    std::error_code ec;
    const fs::perms perms = fs::status(path, ec).permissions();
    if (!ec && (perms & fs::perms::owner_write) == fs::perms::none)
        return cannotWriteMessage(path, "it is read-only");
    std::FILE* probe = std::fopen(path.c_str(), "r+b"); // opens without changing a byte
    if (!probe)
        return cannotWriteMessage(path, std::strerror(errno));
    std::fclose(probe);
    return std::nullopt;
}

// Replaces the whole file with `bytes`, through its symbolic link if it is one.
std::optional<std::string> replaceFile(const std::string& path, std::string_view bytes) {
    if (auto error = checkWritable(path))
        return error;
    std::error_code ec;
    // Write through a symbolic link rather than replacing the link itself.
    const fs::path target = fs::is_symlink(path, ec) ? fs::canonical(path, ec) : fs::path(path);
    if (ec)
        return cannotWriteMessage(path, ec.message());
    if (auto why = replaceWholeFile(target, bytes, Flush::ToDisk))
        return cannotWriteMessage(path, *why);
    return std::nullopt;
}

// A line of the text without its line end: [start, end), and where the next begins.
struct Line {
    std::size_t start;
    std::size_t end;
    std::size_t next;
};

Line lineAt(std::string_view text, std::size_t start) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    std::size_t next = end;
    if (next < text.size())
        next += text.compare(next, 2, "\r\n") == 0 ? 2u : 1u;
    return {start, end, next};
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The value of a line that sets the log file name, or nothing for another line.
std::optional<std::string_view> nameSettingValue(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && isBlank(line[at]))
        ++at;
    if (!equalFolded(line.substr(at, NamePhrase.size()), NamePhrase))
        return std::nullopt;
    at += NamePhrase.size();
    if (at >= line.size() || !isBlank(line[at]))
        return std::nullopt; // "seta logfilenames" or the phrase alone
    while (at < line.size() && isBlank(line[at]))
        ++at;
    const std::string_view rest = line.substr(at);
    if (!rest.empty() && rest[0] == '"')
        return rest.substr(1, std::min(rest.find('"', 1), rest.size()) - 1);
    return rest.substr(0, std::min(rest.find_first_of(" \t"), rest.size()));
}

// The last line that sets the log file name.
std::optional<Line> lastNameLine(std::string_view text) {
    std::optional<Line> found;
    for (std::size_t start = 0; start < text.size();) {
        const Line line = lineAt(text, start);
        if (nameSettingValue(text.substr(line.start, line.end - line.start)))
            found = line;
        start = line.next;
    }
    return found;
}

// `line` on a line of its own at the end, with the text's own line ends.
void appendLine(std::string& text, std::string_view line) {
    const std::string_view end = lineEndOf(text);
    if (!text.empty() && text.back() != '\n' && text.back() != '\r')
        text += end;
    text += line;
    text += end;
}

std::string modeSetting(int mode) { return "seta logfile \"" + std::to_string(mode) + "\""; }

} // namespace

int logModeInText(std::string_view text) {
    const auto line = firstLineWith(text, ModePhrase);
    if (!line || line->size() <= ModeOffset)
        return 0;
    const char digit = (*line)[ModeOffset];
    return digit >= '0' && digit <= '3' ? digit - '0' : 0;
}

bool setLogModeInText(std::string& text, int mode) {
    const std::size_t at = text.find(ModePhrase); // exact case, deliberately
    if (at == std::string::npos || at + ModeOffset >= text.size() || mode < 0 || mode > 3)
        return false;
    text[at + ModeOffset] = static_cast<char>('0' + mode);
    return true;
}

std::string logFileNameInText(std::string_view text) {
    const auto line = lastNameLine(text);
    if (!line)
        return "";
    return std::string(*nameSettingValue(text.substr(line->start, line->end - line->start)));
}

void setLogFileNameInText(std::string& text, std::string_view name) {
    const std::string setting = logFileNameSetting(name);
    if (const auto line = lastNameLine(text))
        text.replace(line->start, line->end - line->start, setting);
    else
        appendLine(text, setting);
}

std::string_view lineEndOf(std::string_view text) {
    const std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos)
        return "\n";
    return lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
}

std::optional<std::string> checkLogFileName(std::string_view name) {
    const std::string quoted = "The name \"" + std::string(name) + "\" ";
    if (name.empty())
        return std::string("Please enter a name for the log file, such as Sof2.log.");
    if (name.find_first_of(" \t") != std::string_view::npos)
        return quoted + "has a blank in it: the game cannot use a log file name with blanks.";
    if (name.find_first_of("/\\") != std::string_view::npos)
        return quoted + "has a / or \\ in it: the game writes its log into its own folder, so the "
                        "name cannot hold a folder.";
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == '"' || c == 0x7F;
    });
    if (control)
        return quoted + "has a quote or a control character in it, which the config file "
                        "cannot hold.";
    if (equalFolded(name, "games.log"))
        return std::string("The log file cannot be named games.log: the server writes its own "
                           "game log under that name.");
    const std::string_view ending = name.size() >= 3 ? name.substr(name.size() - 3) : name;
    if (!equalFolded(ending, "txt") && !equalFolded(ending, "log"))
        return std::string(texts::ExtensionMustBe);
    return std::nullopt;
}

std::string logFileNameSetting(std::string_view name) {
    return "seta logfilename \"" + std::string(name) + "\"";
}

std::string logFileNamePrompt(std::string_view currentName) {
    const std::string current = currentName.empty()
                                    ? std::string("none is set (the game's default)")
                                    : "the current name is " + std::string(currentName);
    return "Enter the name of the log file (Sof2.log is recommended);\r\n" + current + ".";
}

bool isConfigFileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return path.substr(slash == std::string_view::npos ? 0 : slash + 1) == ConfigFileName;
}

std::string notAConfigFileMessage(const std::string& path) {
    return "The file " + quotedPath(path) +
           " is not sof2mp.cfg: the game reads its logging settings only from a file named "
           "exactly sof2mp.cfg.";
}

std::vector<std::string> usualConfigPaths(const std::string& home) {
    const std::string game = "/Soldier of Fortune II - Double Helix/base/mp/sof2mp.cfg";
    return {home + "/.wine/drive_c/Program Files" + game,
            home + "/.wine/drive_c/Program Files (x86)" + game, home + "/.sof2/base/mp/sof2mp.cfg"};
}

std::string findGameConfig(const std::string& home) {
    if (home.empty())
        return "";
    for (const std::string& path : usualConfigPaths(home)) {
        std::error_code ec;
        if (fs::is_regular_file(path, ec))
            return path;
    }
    return "";
}

std::string chooseConfigCaption(const std::string& defaultPath) {
    if (defaultPath.empty())
        return "Set the sof2mp.cfg path (no sof2mp.cfg found in the usual places)";
    return "Set the sof2mp.cfg path (defaults to: " + defaultPath + ")";
}

ModeRead readLogMode(const std::string& cfgPath) {
    std::string text;
    if (auto error = readWhole(cfgPath, text))
        return {0, error};
    return {logModeInText(text), std::nullopt};
}

NameRead readLogFileName(const std::string& cfgPath) {
    std::string text;
    if (auto error = readWhole(cfgPath, text))
        return {"", error};
    return {logFileNameInText(text), std::nullopt};
}

std::variant<ConfigWrite, std::string> writeLogSettings(const std::string& cfgPath,
                                                        const LogSettings& settings) {
    if (settings.mode < 0 || settings.mode > 3)
        return cannotWriteMessage(cfgPath, "the logging mode " + std::to_string(settings.mode) +
                                               " is not 0 to 3");
    std::string text;
    if (auto error = readWhole(cfgPath, text))
        return *error;
    const std::string before = text;
    if (!firstLineWith(text, ModePhrase))
        appendLine(text, modeSetting(settings.mode));
    else if (!setLogModeInText(text, settings.mode))
        return cannotWriteMessage(cfgPath, "its \"seta logfile\" line is not written as the game "
                                           "writes it (seta logfile \"3\")");
    if (settings.logFileName)
        setLogFileNameInText(text, *settings.logFileName);
    if (text == before)
        return ConfigWrite::AlreadySet; // the file is left alone
    if (auto error = replaceFile(cfgPath, text))
        return *error;
    return ConfigWrite::Written;
}

} // namespace quorvath::gamecfg
