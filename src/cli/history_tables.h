#pragma once
// The history's tables on the command line:
//   history maps [SELECTION]          per map: matches, players, kills, first and last played
//   history servers [SELECTION]       the same per server
//   history matches [SELECTION] P     the matches P played: date, server, map, kills, deaths,
//                                     result (--linked: under any of his person's names)

#include <CLI/CLI.hpp>

#include <string>

namespace quorvath::cli {

// Adds the subcommands to `app`; a used one runs as parsing ends, against
// `database`, and leaves its exit status in `status`.
void addTableCommands(CLI::App& app, std::string& database, int& status);

} // namespace quorvath::cli
