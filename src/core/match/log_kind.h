#pragma once
// The three kinds of log the program reads, told apart from their lines
// before anything else is done with them: a player's console log (the
// game client's readable lines), a server's game log (machine lines after
// the game time) and a dedicated server's console log (the same machine
// lines without the time, and broadcast lines). The kind chooses how the log
// is shown and how it can be counted.

#include "core/stats/counting_scope.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

enum class LogKind { PlayerConsole, ServerGameLog, ServerConsole };

// How the kind was found: plainly from the lines, by the user's choice, or
// by falling back to the console rules because the lines were of several
// kinds or of none the program knows.
enum class KindEvidence { Lines, Chosen, Mixed, Unknown };

struct LogKindDetection {
    LogKind kind = LogKind::PlayerConsole;
    KindEvidence evidence = KindEvidence::Unknown;
};

// Looks at up to a few thousand lines from the start, the middle and the end
// of the raw log (before any separation or rendering).
LogKindDetection detectLogKind(std::string_view bytes);

bool isServerLog(LogKind kind);

// "player console log", "server game log", "server console log".
std::string_view logKindName(LogKind kind);
// The kind the report tool's --kind names: "player", "game" or "server".
std::optional<LogKind> logKindNamed(std::string_view word);

// What the status line and the report tool say about the kind, e.g. "server
// game log" or "mixed kinds of lines, read as a player console log".
std::string describeLogKind(const LogKindDetection& detection);

// The counting a log gets: server logs have no classic rules, so they are
// always counted Accurate; a console log gets the mode the user prefers.
CountingMode countingModeFor(LogKind kind, CountingMode preferred);

} // namespace quorvath
