#include "cli/stats_command.h"

#include "cli/table_output.h"
#include "core/rank/ranking.h"
#include "core/rank/ranking_text.h"

#include <algorithm>
#include <cstdio>

namespace quorvath::cli {

namespace {

// A category's lists as the pane shows them; nothing for no lists.
std::string rankingText(const std::optional<std::vector<RankedList>>& lists) {
    return lists ? rankingPaneText(*lists) : std::string();
}

std::string statsText(const StatsReport& report, const Options& options) {
    switch (options.command) {
    case Command::Players: return report.playerList();
    case Command::Sheet: return report.sheet(options.commandValue);
    case Command::Sheets: return report.allSheets();
    case Command::Ranking: return rankingText(report.rankingLists(options.commandValue));
    case Command::Top: return rankingText(report.topLists(options.commandValue));
    case Command::Counts: return report.counts();
    default: return report.summary();
    }
}

// The statistics as a table, for --format csv and json.
Table statsTable(const StatsReport& report, const Options& options) {
    switch (options.command) {
    case Command::Players: return playerListTable(report);
    case Command::Sheets: return sheetsTable(report);
    case Command::Top: return rankedTable(report.topLists(options.commandValue));
    default: return rankedTable(report.rankingLists(options.commandValue));
    }
}

} // namespace

std::string statsCommandOutput(const StatsReport& report, const Options& options,
                               Encoding encoding) {
    switch (options.output.format) {
    case OutputFormat::Text: return textForTerminal(statsText(report, options), encoding);
    case OutputFormat::Csv: return csvText(statsTable(report, options), encoding);
    case OutputFormat::Json: return jsonText(statsTable(report, options));
    }
    return {};
}

// A name or category that matches nothing would print "All Players" or
// nothing without a word: one line on standard error says so.
void warnAboutUnknownNames(const StatsReport& report, const Options& options,
                           const std::string& shownValue, const std::string& shownNick) {
    const auto warn = [](const char* what, const std::string& name) {
        std::fprintf(stderr, "quorvath-report: warning: no %s is named \"%s\"\n", what,
                     name.c_str());
    };
    if (!options.nick.empty() && !report.knowsPlayer(options.nick))
        warn("player", shownNick);
    const Command c = options.command;
    if ((c == Command::Sheet || c == Command::Top) && !report.knowsPlayer(options.commandValue))
        warn("player", shownValue);
    const auto& categories = quorvath::rankingCategories();
    if (c == Command::Ranking &&
        std::find(categories.begin(), categories.end(), options.commandValue) == categories.end())
        warn("category", shownValue);
}

} // namespace quorvath::cli
