#pragma once
// Loading a log into the document: read the text, separate the rounds,
// render the colour codes. The archive copy is the caller's business
// (archiveCopyName, copyFileReplacing in log_file.h).

#include "core/log/log_document.h"

#include <optional>
#include <string>

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

} // namespace quorvath
