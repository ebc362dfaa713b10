#pragma once
// The files of loading a log: reading its text, the dated archive copy beside
// it, and removing that copy. Errors come back as a message naming the file and
// the reason (core/common/file_errors.h); nothing here throws for a bad file.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

// Largest log file loaded: 1 GiB. Memory is not what binds on a 24 GiB
// machine: a loaded log needs about 1.3 bytes per byte of log (its text and
// its attribute runs; searching makes no copy). Positions are, though:
// they are 32-bit, so the text after its line ends are made CR LF and its
// rounds are separated (each banner is longer than the block it replaces) must
// stay within MaxTextLength; the loader checks that separately.
inline constexpr std::uint64_t MaxLogBytes = 1024ull * 1024 * 1024;
inline constexpr std::size_t MaxTextLength = 2147483647; // largest 32-bit position + 1
inline constexpr std::string_view LogTooLargeReason = "logs of at most 1 GiB can be loaded.";
inline constexpr std::string_view LogTooLongReason =
    "with its line ends and round banners in place it would hold more than 2147483647 "
    "characters.";

// Turns every LF not preceded by CR into CR LF (what reading a log does).
void expandBareLineFeeds(std::string& text);

// Says why the log at `path` could not be loaded, without reading it: missing,
// a folder, too large or unreadable. Lets File > Open refuse a log before it
// makes an archive copy of it.
std::optional<std::string> checkLogFile(const std::string& path);

// Why a log file of `size` bytes is refused before it is read, if it is.
std::optional<std::string> checkLogSize(const std::string& path, std::uintmax_t size);

// Reads the whole file as bytes (one Windows-1252 character each). A bare LF
// (not after CR) becomes CR LF; CR LF and a bare CR stay as they are.
// Returns nullopt on success, else the message (text is then empty).
std::optional<std::string> readLogText(const std::string& path, std::string& text);

// The same without touching the line ends: the bytes as the file holds them.
std::optional<std::string> readLogBytes(const std::string& path, std::string& bytes);

// The archive copy's name: the path less its last 4 characters (whatever they
// are), then "hh-mm" (24-hour), "-", "mm-dd-yy" and ".log".
std::string archiveCopyName(const std::string& path, const std::tm& now);

// Byte-for-byte copy, replacing a file of that name.
std::optional<std::string> copyFileReplacing(const std::string& from, const std::string& to);

// Deletes a file; one that is already gone is no error.
std::optional<std::string> removeFile(const std::string& path);

} // namespace quorvath
