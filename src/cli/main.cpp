// quorvath-report: the rendered log and its statistics on the command line.

#include "cli/cli_options.h"
#include "cli/history_command.h"
#include "cli/html_command.h"
#include "cli/log_output.h"
#include "cli/stats_command.h"
#include "core/common/progress.h"
#include "core/match/log_opening.h"
#include "core/match/statistics_counting.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

using namespace quorvath::cli;

constexpr int ExitLogError = 1;
constexpr int ExitUsage = 2;

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
        text = statsCommandOutput(report, options, encoding);
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : ExitLogError;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args.front() == "history")
        return runHistoryCommand({args.begin() + 1, args.end()});
    if (!args.empty() && args.front() == "html")
        return runHtmlCommand({args.begin() + 1, args.end()});
    const auto parsed = parseArguments(args);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        std::fprintf(stderr, "quorvath-report: %s; see --help\n", usage->message.c_str());
        return ExitUsage;
    }
    return run(std::get<Options>(parsed));
}
