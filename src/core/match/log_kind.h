#pragma once
// The three kinds of log the program reads, told apart from their lines
// before anything else is done with them: a player's console log (the
// game client's readable lines), a server's game log (machine lines after
// the game time) and a dedicated server's console log (the same machine
// lines without the time, and broadcast lines). The kind chooses how the log
// is shown and how it can be counted.

#include "core/stats/counting_scope.h"

#include <array>
#include <cstddef>
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
    // Of the lines looked at, how many only each kind writes (by LogKind).
    std::array<std::size_t, 3> lines{};
};

// Looks at up to a few thousand lines from the start, the middle and the end
// of the raw log (before any separation or rendering), each line evidence of
// the one kind that writes it: a machine line (a kill, a userinfo, InitGame,
// chat) of a server log, with the game time of the game log, without it of a
// dedicated console, as are its broadcast lines and the readable chat line
// it echoes right after a "say:" or "sayteam:"; a loading block line or a
// name closed by "^7" of a player's console log. The kind with the most
// lines wins; another with a tenth as many or more makes the log mixed.
LogKindDetection detectLogKind(std::string_view bytes);

bool isServerLog(LogKind kind);

// "player console log", "server game log", "server console log".
std::string_view logKindName(LogKind kind);
// The kind the report tool's --kind names: "player", "game" or "server".
std::optional<LogKind> logKindNamed(std::string_view word);

// What the status line and the report tool say about the kind, e.g. "server
// game log" or "mixed kinds of lines (player console log 55%, server game
// log 45%), read as a player console log".
std::string describeLogKind(const LogKindDetection& detection);
// The kind and how it was counted, as the web report names the log: "server
// game log, Accurate counting".
std::string describeLogCounting(const LogKindDetection& detection, CountingMode mode);

// The counting a log gets: server logs have no classic rules, so they are
// always counted Accurate; a console log gets the mode the user prefers.
CountingMode countingModeFor(LogKind kind, CountingMode preferred);

} // namespace quorvath
