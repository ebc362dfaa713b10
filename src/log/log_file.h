#pragma once
// The files of loading a log: reading its text, the dated archive copy beside
// it, and removing that copy. Errors come back as a message naming the file and
// the reason; nothing here throws for a bad file.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace quorvath {

// Largest log loaded: 256 MiB. Positions are 32-bit, and round separation
// can make the text up to about six times longer (a 149-character banner in
// place of a 25-character loading block), so this keeps every position in range.
inline constexpr std::uint64_t MaxLogBytes = 256ull * 1024 * 1024;

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
