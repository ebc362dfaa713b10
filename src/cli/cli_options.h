#pragma once
// The command line of quorvath-report:
//   quorvath-report LOG [--kind K] [--counting M] [--warmup] [--nick NAME] [--linked] [COMMAND]
// One log, modifiers that shape the statistics, at most one command. A
// command is a table row (name, whether it takes a value); adding one is a
// row here and a case in main.

#include "cli/output_options.h"
#include "core/match/log_kind.h"
#include "core/stats/counting_scope.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quorvath::cli {

enum class Command {
    Summary, // no command given
    Help,
    Rendered,
    Runs,
    Players,
    Sheet,
    Sheets,
    Ranking,
    Top,
    Counts,
};

struct Options {
    std::string logPath;
    Command command = Command::Summary;
    std::string commandValue;             // for commands that take one
    std::string nick;                     // --nick: the user's own player name
    bool linked = false;                  // --linked: fold aliases before the output
    OutputOptions output;                 // --encoding, --format
    std::optional<LogKind> kind;          // --kind: instead of telling it from the lines
    std::optional<CountingMode> counting; // --counting
    bool includeWarmup = false;           // --warmup: count a server's warm-up too
};

struct UsageError {
    std::string message;
};

std::variant<Options, UsageError> parseArguments(const std::vector<std::string>& args);

const char* usageText();

// Tables exist for the commands that print lists of names and figures: what
// is wrong with asking another command for csv or json.
std::optional<std::string> formatMismatch(const Options& options);

} // namespace quorvath::cli
