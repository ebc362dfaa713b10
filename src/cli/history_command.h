#pragma once
// quorvath-report history: the match history on the command line.
//   quorvath-report history import [--db FILE] LOG...
//   quorvath-report history [--db FILE] [SELECTION] [COMMAND]
// SELECTION: --since DATE --until DATE --server NAME --map NAME --gametype LIST;
// COMMAND as for a log (--players, --sheet P, --sheets, --ranking C, --top P,
// --counts), with --nick, --linked, --format, --encoding.

#include <string>
#include <vector>

namespace quorvath::cli {

// The arguments after "history"; returns the exit status.
int runHistoryCommand(const std::vector<std::string>& args);

} // namespace quorvath::cli
