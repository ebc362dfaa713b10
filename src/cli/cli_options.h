#pragma once
// The command line of quorvath-report, one CLI11 parser for the whole tool:
//   quorvath-report LOG [--kind K] [--counting M] [--warmup] [--nick NAME] [--linked] [COMMAND]
//   quorvath-report history ...   (history_command.h)
// The log form: one log, modifiers that shape the statistics, at most one
// command. Adding a command is a line in addStatisticsCommands (or in
// addLogOptions for the log form's own) and a case where it is printed.

#include "cli/output_options.h"
#include "core/match/log_kind.h"
#include "core/stats/counting_scope.h"

#include <optional>
#include <string>

namespace CLI {
class App;
class Error;
class Option_group;
} // namespace CLI

namespace quorvath::cli {

enum class Command {
    Summary, // no command given
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

// The statistics commands, at most one of them, as a log and the history
// take them; the group they are in, for a form's own commands.
CLI::Option_group& addStatisticsCommands(CLI::App& app, Options& options);

// --encoding and --format, as every command that prints names takes them.
void addOutputOptions(CLI::App& app, OutputOptions& output);
// --encoding alone, for a command that only reads names.
void addEncodingOption(CLI::App& app, std::optional<Encoding>& encoding, const char* help);

// The log form on the tool's command line: LOG, its modifiers and commands.
void addLogOptions(CLI::App& app, Options& options);

// What CLI11 cannot tell of the log form once parsed: the log is missing,
// or a format was asked of a command that has no table. Throws a
// CLI::ParseError that usageExit writes.
void checkLogForm(const Options& options);

// Tables exist for the commands that print lists of names and figures: what
// is wrong with asking another command for csv or json.
std::optional<std::string> formatMismatch(const Options& options);

// A command line CLI11 refused, answered as the whole tool does: the help on
// standard output (status 0), or what is wrong and the usage line on
// standard error (status 2).
int usageExit(CLI::App& app, const CLI::Error& error);

} // namespace quorvath::cli
