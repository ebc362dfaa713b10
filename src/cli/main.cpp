// quorvath-report: the rendered log and its statistics on the command line.

#include "cli/cli_options.h"
#include "cli/log_output.h"
#include "cli/stats_output.h"
#include "cli/table_output.h"
#include "core/common/progress.h"
#include "core/match/log_opening.h"
#include "core/match/statistics_counting.h"
#include "core/rank/ranking.h"
#include "core/rank/ranking_text.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace {

using namespace quorvath::cli;

constexpr int ExitLogError = 1;
constexpr int ExitUsage = 2;

// A category's lists as the pane shows them; nothing for no lists.
std::string rankingText(const std::optional<std::vector<quorvath::RankedList>>& lists) {
    return lists ? quorvath::rankingPaneText(*lists) : std::string();
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

// The log's kind and the counting, on standard error, unless the log is what
// the program has always read: a player's console log counted Classic.
void writeHeader(const std::string& path, const quorvath::LogKindDetection& detection,
                 quorvath::CountingMode mode) {
    if (detection.kind == quorvath::LogKind::PlayerConsole &&
        detection.evidence == quorvath::KindEvidence::Lines &&
        mode == quorvath::CountingMode::Classic)
        return;
    std::fprintf(stderr, "quorvath-report: %s: %s, %s counting\n", path.c_str(),
                 quorvath::describeLogKind(detection).c_str(),
                 std::string(quorvath::countingModeName(mode)).c_str());
}

int run(Options options) {
    if (options.command == Command::Help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    const Encoding encoding = options.output.encoding.value_or(localeEncoding());
    const std::string typedValue = options.commandValue;
    const std::string typedNick = options.nick;
    options.commandValue = nameFromCommandLine(options.commandValue, encoding);
    options.nick = nameFromCommandLine(options.nick, encoding);

    quorvath::LogDocument doc;
    quorvath::Progress progress;
    quorvath::LogKindDetection detection;
    if (auto error = quorvath::openLog(options.logPath, doc, progress, detection, options.kind)) {
        std::fprintf(stderr, "quorvath-report: %s\n", error->c_str());
        return ExitLogError;
    }
    quorvath::CountingChoice choice;
    choice.preferred = options.counting.value_or(quorvath::CountingMode::Classic);
    choice.includeWarmup = options.includeWarmup;
    writeHeader(options.logPath, detection,
                quorvath::countingModeFor(detection.kind, choice.preferred));
    std::string text;
    if (options.command == Command::Rendered) {
        writeRendered(doc, encoding, stdout); // without a whole copy of the text
    } else if (options.command == Command::Runs) {
        writeRuns(doc, stdout);
    } else {
        auto players = std::make_unique<quorvath::PlayerTable>();
        quorvath::CountingScope counting;
        if (auto error = quorvath::countStatistics(doc, options.logPath, detection.kind, choice,
                                                   *players, counting, progress)) {
            std::fprintf(stderr, "quorvath-report: %s\n", error->c_str());
            return ExitLogError;
        }
        const StatsReport report(std::move(players), counting, options.nick, options.linked);
        warnAboutUnknownNames(report, options, typedValue, typedNick);
        switch (options.output.format) {
        case OutputFormat::Text:
            text = textForTerminal(statsText(report, options), encoding);
            break;
        case OutputFormat::Csv: text = csvText(statsTable(report, options), encoding); break;
        case OutputFormat::Json: text = jsonText(statsTable(report, options)); break;
        }
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : ExitLogError;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = parseArguments(args);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        std::fprintf(stderr, "quorvath-report: %s; see --help\n", usage->message.c_str());
        return ExitUsage;
    }
    return run(std::get<Options>(parsed));
}
