#pragma once
// quorvath-report's tables for scripts and spreadsheets: the player list, the
// sheets' figures, rankings and top lists as rows of named columns, written as
// CSV (RFC 4180, CR LF, a heading row) or as JSON (an array of objects, one
// per row, keyed by the column names; always UTF-8), or aligned for reading.

#include "cli/output_options.h"
#include "core/rank/ranked_list.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvath::cli {

class StatsReport;

struct Table {
    std::vector<std::string> columns;
    std::vector<bool> numeric;                  // per column: written as a number in JSON
    std::vector<std::vector<std::string>> rows; // Windows-1252 cells
};

// position, name: the player list as the window shows it.
Table playerListTable(const StatsReport& report);
// player, item, column, value: every figure of every sheet.
Table sheetsTable(const StatsReport& report);
// list, rank, value, name: the entries of a category's lists, each list
// named by the heading the pane shows above it; no rows for no lists.
Table rankedTable(const std::optional<std::vector<RankedList>>& lists);

std::string csvText(const Table& table, Encoding encoding);
std::string jsonText(const Table& table);
// For the terminal: the heading row and the rows in columns two spaces
// apart, numbers to the right, LF line ends.
std::string alignedText(const Table& table, Encoding encoding);
// The table in `format`.
std::string tableText(const Table& table, OutputFormat format, Encoding encoding);

} // namespace quorvath::cli
