// quorvath-report: the rendered log and its statistics on the command line.

#include "cli/cli_options.h"
#include "cli/log_output.h"
#include "cli/stats_output.h"
#include "core/common/progress.h"
#include "core/log/log_loader.h"

#include <cstdio>
#include <string>

namespace {

constexpr int ExitLogError = 1;
constexpr int ExitUsage = 2;

std::string statsText(const quorvath::cli::StatsReport& report,
                      const quorvath::cli::Options& options) {
    using quorvath::cli::Command;
    switch (options.command) {
    case Command::Players: return report.playerList();
    case Command::Sheet: return report.sheet(options.commandValue);
    case Command::Sheets: return report.allSheets();
    case Command::Ranking: return report.ranking(options.commandValue);
    case Command::Top: return report.topLists(options.commandValue);
    default: return report.summary();
    }
}

int run(const quorvath::cli::Options& options) {
    using quorvath::cli::Command;
    if (options.command == Command::Help) {
        std::fputs(quorvath::cli::usageText(), stdout);
        return 0;
    }
    quorvath::LogDocument doc;
    quorvath::Progress progress;
    if (auto error = quorvath::loadLog(options.logPath, doc, progress)) {
        std::fprintf(stderr, "quorvath-report: %s\n", error->c_str());
        return ExitLogError;
    }
    if (options.command == Command::Rendered) {
        quorvath::cli::writeRendered(doc, stdout);
    } else if (options.command == Command::Runs) {
        quorvath::cli::writeRuns(doc, stdout);
    } else {
        const quorvath::cli::StatsReport report(doc, options.nick, options.linked);
        const std::string text = statsText(report, options);
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : ExitLogError;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = quorvath::cli::parseArguments(args);
    if (const auto* usage = std::get_if<quorvath::cli::UsageError>(&parsed)) {
        std::fprintf(stderr, "quorvath-report: %s; see --help\n", usage->message.c_str());
        return ExitUsage;
    }
    return run(std::get<quorvath::cli::Options>(parsed));
}
