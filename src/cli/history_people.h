#pragma once
// The history's people on the command line:
//   history people [SELECTION]   each person: his names, GUIDs, matches, kills,
//                                deaths, first and last seen, whether a bot
//   history merge NAME NAME      the two names are one person from now on
//   history split NAME           NAME stands alone from now on
//   history decisions            the merges and splits made, with their ids
//   history forget ID            undoes decision ID

#include <CLI/CLI.hpp>

#include <string>

namespace quorvath::cli {

// Adds the subcommands to `app`; a used one runs as parsing ends, against
// `database`, and leaves its exit status in `status`.
void addPeopleCommands(CLI::App& app, std::string& database, int& status);

} // namespace quorvath::cli
