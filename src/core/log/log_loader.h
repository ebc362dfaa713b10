#pragma once
// Loading a log into the document: read the text, separate the rounds,
// render the colour codes. The archive copy is the caller's business
// (archiveCopyName, copyFileReplacing in log_file.h).

#include "core/log/log_document.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvath {

class Progress;

// Reads `path` into `doc` and renders it. On failure returns the message
// (naming the file and the reason); `doc` is left as it was, or empty when the
// text read proved too long to separate.
std::optional<std::string> loadLog(const std::string& path, LogDocument& doc, Progress& progress);

// The same on text already read (bare LFs already turned into CR LF). Returns
// false, with `doc` emptied, when the text or its separated rounds would be
// longer than 32-bit positions reach (LogTooLongReason).
bool loadLogText(std::string text, LogDocument& doc, Progress& progress);

// The same on the raw bytes of a log file, read as loadLog reads them (bare LFs
// become CR LF). The caller keeps them within MaxLogBytes.
bool loadLogBytes(std::string bytes, LogDocument& doc, Progress& progress);

// readLogBytes (log_file.h) while a second thread first touches room for a
// document's attributes, as long as the file: fresh memory costs about as
// much to touch as the file to read into it. Give the room to the document's
// attributeBuffer() before loading it: loading keeps the room the
// attributes have.
std::optional<std::string> readLogBytesAndAttributeRoom(const std::string& path, std::string& bytes,
                                                        std::vector<std::uint8_t>& attributeRoom);

} // namespace quorvath
