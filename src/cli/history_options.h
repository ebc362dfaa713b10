#pragma once
// What the history's commands share: the history file, the selection of
// matches, the output form, dates as they are typed, and the way
// a problem is said.

#include "cli/output_options.h"
#include "core/history/history_queries.h"
#include "core/history/history_store.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvath::cli {

inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// --db: the history, by default the window's and the report tool's one file.
void addDatabaseOption(CLI::App& app, std::string& database);

// Seconds since 1970 at the start of the UTC day `date` (YYYY-MM-DD); else
// what is wrong with it.
std::string readDate(const std::string& date, std::int64_t& seconds);
// Opens the existing history at `path` for a query or a decision; nothing
// (the problem said on standard error) when it does not exist or fails.
std::unique_ptr<HistoryStore> openExistingHistory(const std::string& path);

// Opens the existing history at `path` and counts `selection` of it into
// `players` (countSelection); nothing after saying the problem.
std::unique_ptr<HistoryStore> countHistory(const std::string& path,
                                           const HistorySelection& selection, PlayerTable& players,
                                           CountingScope& scope,
                                           std::vector<NameActivity>& activity);

// "quorvath-report: PROBLEM" on standard error; returns `status`.
int said(const std::string& problem, int status);

// The selection and output options as typed.
struct SelectionArgs {
    std::string since, until, server, map, gameTypes;
    OutputOptions output; // --encoding, --format where the command takes them
};

void addSelectionOptions(CLI::App& app, SelectionArgs& args);

// --bots, --min-kills, --min-matches: who the rankings take.
void addRankingOptions(CLI::App& app, RankingMinimum& minimum);

// The typed options read; false after saying what is wrong (a usage error).
bool readSelection(const SelectionArgs& args, Encoding encoding, HistorySelection& selection);

} // namespace quorvath::cli
