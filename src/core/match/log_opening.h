#pragma once
// Opening a log of any kind: its bytes are read, its kind is told from its
// lines (or taken from the user's choice) before anything else, and the kind
// chooses how the log is shown: a player's console log exactly as it has
// always been (rounds separated, colour codes rendered; loadLog), a server
// log as readable lines (renderServerLog), since it has no loading blocks for
// the round separation to find and would otherwise vanish whole.

#include "core/log/log_document.h"
#include "core/match/log_kind.h"

#include <optional>
#include <string>

namespace quorvath {

class Progress;

// Reads `path` into `doc` as its kind is shown and sets `detection`. On
// failure returns the message naming the file and the reason; `doc` is then
// left as loadLog leaves it.
std::optional<std::string> openLog(const std::string& path, LogDocument& doc, Progress& progress,
                                   LogKindDetection& detection,
                                   std::optional<LogKind> chosen = std::nullopt);

// The same on the bytes of a log file (within MaxLogBytes). Returns false,
// with `doc` emptied, when the shown text would outgrow 32-bit positions.
bool loadLogOfKind(std::string bytes, LogDocument& doc, Progress& progress,
                   LogKindDetection& detection, std::optional<LogKind> chosen = std::nullopt);

} // namespace quorvath
