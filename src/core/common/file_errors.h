#pragma once
// What the user is told when a file cannot be used: one sentence naming the
// file (in double quotes) and the reason, in the same words for the log and
// the game's configuration file. Nothing here throws for a bad file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

// "The file "PATH" does not exist."
std::string fileMissingMessage(const std::string& path);
// ""PATH" is a folder, not a file."
std::string notAFileMessage(const std::string& path);
// "The file "PATH" cannot be read: REASON."
std::string cannotReadMessage(const std::string& path, std::string_view reason);
// "The file "PATH" cannot be written: REASON."
std::string cannotWriteMessage(const std::string& path, std::string_view reason);
// "The file "PATH" cannot be deleted: REASON."
std::string cannotDeleteMessage(const std::string& path, std::string_view reason);
// "The file "PATH" is too large: REASON" (the reason brings its own full stop).
std::string tooLargeMessage(const std::string& path, std::string_view reason);
// "PATH" in double quotes.
std::string quotedPath(const std::string& path);

// Why `path` is no file to read, if it is not one: missing, a folder, or its
// state cannot be learnt.
std::optional<std::string> checkIsFile(const std::string& path);

// Why `path` cannot be read, if it cannot: opening it is the test that holds
// for every user (permission bits, access lists, a file locked away).
std::optional<std::string> checkReadable(const std::string& path);

// Reads the whole file at `path` into `bytes` (emptied on failure). A file
// larger than `maxBytes`, by its size before reading or by what reading found
// (a file that grows, a pipe), gives `tooLarge` as its message.
std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxBytes,
                                         const std::string& tooLarge, std::string& bytes);

} // namespace quorvath
