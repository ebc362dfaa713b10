#pragma once
// The files of loading a log: reading its text, the dated archive copy beside
// it, and removing that copy. Errors come back as a message naming the file and
// the reason; nothing here throws for a bad file.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

// Largest log loaded: 256 MiB. Positions are 32-bit, and round separation can
// make a text up to 149/24 times longer (a 149-character banner in place of a
// 24-character "Current search path:" ... "msec" block), so a file of at most
// about 330 MiB always fits; 256 MiB keeps a margin below that. Memory is not
// what binds: a loaded log needs about 3 bytes per byte of log (text, one
// attribute per character, the case-folded copy for find), far below 24 GiB
// even for the worst growth (see docs/behaviour.md, "Robustness and limits").
inline constexpr std::uint64_t MaxLogBytes = 256ull * 1024 * 1024;
inline constexpr std::string_view LogTooLargeReason = "logs of at most 256 MiB can be loaded.";
static_assert(MaxLogBytes * 149 / 24 + 149 <= 2147483647ull,
              "every position of the separated text must fit in an int");

// Turns every LF not preceded by CR into CR LF (what reading a log does).
void expandBareLineFeeds(std::string& text);

// Says why the log at `path` could not be loaded, without reading it: missing,
// a folder, too large or unreadable. Lets File > Open refuse a log before it
// makes an archive copy of it.
std::optional<std::string> checkLogFile(const std::string& path);

// Reads the whole file as bytes (one Windows-1252 character each). A bare LF
// (not after CR) becomes CR LF; CR LF and a bare CR stay as they are.
// Returns nullopt on success, else the message (text is then empty).
std::optional<std::string> readLogText(const std::string& path, std::string& text);

// The archive copy's name: the path less its last 4 characters (whatever they
// are), then "hh-mm" (24-hour), "-", "mm-dd-yy" and ".log".
std::string archiveCopyName(const std::string& path, const std::tm& now);

// Byte-for-byte copy, replacing a file of that name.
std::optional<std::string> copyFileReplacing(const std::string& from, const std::string& to);

// Deletes a file; one that is already gone is no error.
std::optional<std::string> removeFile(const std::string& path);

} // namespace quorvath
