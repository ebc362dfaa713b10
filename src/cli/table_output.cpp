#include "cli/table_output.h"

#include "cli/stats_output.h"
#include "core/common/windows1252.h"
#include "core/rank/ranking_text.h"
#include "core/report/player_sheet.h"

#include <algorithm>
#include <cstdio>

#include <nlohmann/json.hpp>

namespace quorvath::cli {

Table playerListTable(const StatsReport& report) {
    Table table{{"position", "name"}, {true, false}, {}};
    const std::vector<std::string>& names = report.playerNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        table.rows.push_back({std::to_string(i), names[i]});
    return table;
}

Table sheetsTable(const StatsReport& report) {
    Table table{{"player", "item", "column", "value"}, {false, false, false, true}, {}};
    const PlayerTable& players = report.players();
    for (int i = 0; i <= players.playerCount(); ++i)
        for (const SheetFigure& figure : sheetFigures(players[i], report.counting()))
            table.rows.push_back({players[i].name, std::string(figure.item),
                                  std::string(figure.column), std::to_string(figure.value)});
    return table;
}

Table rankedTable(const std::optional<std::vector<RankedList>>& lists) {
    Table table{{"list", "rank", "value", "name"}, {false, true, true, false}, {}};
    if (!lists)
        return table;
    for (const RankedList& list : *lists)
        for (const RankedEntry& entry : list.entries)
            table.rows.push_back({rankedListHeading(list), std::to_string(entry.place),
                                  rankedValueText(entry.value, list.wholeNumbers), entry.name});
    return table;
}

namespace {

std::string csvCell(const std::string& cell) {
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (char c : cell)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// A cell as a JSON value: a figure as the other formats write it (one JSON
// cannot hold, such as an infinite ratio, is null), a name in UTF-8.
nlohmann::json jsonCell(const std::string& cell, bool numeric) {
    if (!numeric)
        return utf8FromWindows1252(cell);
    nlohmann::json figure = nlohmann::json::parse(cell, nullptr, false);
    return figure.is_number() ? figure : nlohmann::json();
}

} // namespace

std::string csvText(const Table& table, Encoding encoding) {
    std::string out;
    const auto writeRow = [&](const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0)
                out += ',';
            out += csvCell(cells[c]);
        }
        out += "\r\n";
    };
    writeRow(table.columns);
    for (const auto& row : table.rows)
        writeRow(row);
    return textForTerminal(out, encoding);
}

// nlohmann-json writes every key and value; the layout, one row a line with
// a blank after each colon and comma, is one its dump has no option for.
std::string jsonText(const Table& table) {
    std::vector<std::string> keys;
    for (const std::string& column : table.columns)
        keys.push_back(nlohmann::json(column).dump() + ": ");
    std::string out = "[";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        out += r ? ",\n {" : "\n {";
        for (std::size_t c = 0; c < keys.size(); ++c)
            out += (c ? ", " : "") + keys[c] + jsonCell(table.rows[r][c], table.numeric[c]).dump();
        out += "}";
    }
    return out + (table.rows.empty() ? "]\n" : "\n]\n");
}

std::string alignedText(const Table& table, Encoding encoding) {
    std::vector<std::size_t> widths(table.columns.size());
    for (std::size_t c = 0; c < widths.size(); ++c) {
        widths[c] = table.columns[c].size();
        for (const auto& row : table.rows)
            widths[c] = std::max(widths[c], row[c].size()); // a byte a letter, as the log's
    }
    std::string out;
    const auto writeRow = [&](const std::vector<std::string>& cells) {
        std::string line;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const std::string pad(widths[c] - cells[c].size(), ' ');
            line += (c ? "  " : "") + (table.numeric[c] ? pad + cells[c] : cells[c] + pad);
        }
        out += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
    };
    writeRow(table.columns);
    for (const auto& row : table.rows)
        writeRow(row);
    return textForTerminal(out, encoding);
}

std::string tableText(const Table& table, OutputFormat format, Encoding encoding) {
    switch (format) {
    case OutputFormat::Text: return alignedText(table, encoding);
    case OutputFormat::Csv: return csvText(table, encoding);
    case OutputFormat::Json: return jsonText(table);
    }
    return {};
}

} // namespace quorvath::cli
