#include "cli/table_output.h"

#include "cli/stats_output.h"
#include "core/common/windows1252.h"
#include "core/rank/ranking_text.h"
#include "core/report/player_sheet.h"

#include <algorithm>
#include <cstdio>

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

std::string jsonString(const std::string& windows1252) {
    std::string out = "\"";
    for (char c : utf8FromWindows1252(windows1252)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
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

std::string jsonText(const Table& table) {
    std::string out = "[";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        out += r ? ",\n {" : "\n {";
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const std::string& cell = table.rows[r][c];
            out += (c ? ", " : "") + jsonString(table.columns[c]) + ": " +
                   (table.numeric[c] ? cell : jsonString(cell));
        }
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
