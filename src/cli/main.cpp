// quorvath-report: the rendered log and its statistics on the command line.

#include "cli/cli_options.h"
#include "cli/history_command.h"
#include "cli/html_command.h"
#include "cli/log_output.h"
#include "cli/stats_command.h"
#include "core/common/progress.h"
#include "core/match/log_opening.h"
#include "core/match/statistics_counting.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace quorvath::cli;

constexpr int ExitLogError = 1;

constexpr const char* kDescription =
    "Loads a Soldier of Fortune II log as Quorvath shows it and prints it or its\n"
    "statistics: a player's console log with its rounds separated and its colour\n"
    "codes rendered, a server's game log or console log with its machine lines\n"
    "made readable. Report texts are the program's own: CR LF line ends.";
constexpr const char* kFooter =
    "Without a command: the sheet of NAME (or of \"All Players\" when no player has\n"
    "exactly that name), a blank line, the overall-score ranking.\n"
    "\n"
    "Unless the log is a player's console log counted Classic, standard error\n"
    "first names the log's kind and the counting, e.g.\n"
    "\"quorvath-report: games.log: server game log, Accurate counting\".\n"
    "\n"
    "A name (or category) that matches nothing is warned about on standard error.\n"
    "A log that cannot be read is reported on standard error (exit status 1);\n"
    "a wrong command line exits with status 2.";

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
        text = statsCommandOutput(report, options, encoding);
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : ExitLogError;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App tool(kDescription, "quorvath-report");
    tool.footer(kFooter);
    Options options;
    addLogOptions(tool, options);
    // Its own parser takes the rest: quorvath-report history --help.
    CLI::App& history =
        *tool.add_subcommand("history", "the match history: see quorvath-report history --help")
             ->prefix_command();
    history.set_help_flag();
    CLI::App& html =
        *tool.add_subcommand("html", "a static web site: see quorvath-report html --help")
             ->prefix_command();
    html.set_help_flag();
    try {
        tool.parse(argc, argv);
        for (CLI::App* form : {&history, &html})
            if (form->parsed() && std::string_view(argv[1]) != form->get_name())
                throw CLI::ValidationError(form->get_name(), "comes first, before its own options");
        if (!history.parsed() && !html.parsed())
            checkLogForm(options);
    } catch (const CLI::ParseError& e) {
        return usageExit(tool, e);
    }
    if (history.parsed())
        return runHistoryCommand(history.remaining());
    if (html.parsed())
        return runHtmlCommand(html.remaining());
    return run(std::move(options));
}
