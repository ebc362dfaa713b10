#pragma once
// The history's skill ratings on the command line:
//   history ratings [SELECTION] [--linked] [--bots]         name, rating, mu, sigma,
//                                                          matches, provisional; best first
//   history rating-history [SELECTION] [--linked] [--bots] P   date, server, map and his
//                                                          rating after each rated match

#include <CLI/CLI.hpp>

#include <string>

namespace quorvath::cli {

// Adds the subcommands to `app`; a used one runs as parsing ends, against
// `database`, and leaves its exit status in `status`.
void addRatingCommands(CLI::App& app, std::string& database, int& status);

} // namespace quorvath::cli
