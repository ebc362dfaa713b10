// quorvath-report: the rendered log and its statistics on the command line.

#include "app/progress.h"
#include "cli/cli_options.h"
#include "cli/log_output.h"
#include "log/log_loader.h"

#include <cstdio>

namespace {

constexpr int ExitLogError = 1;
constexpr int ExitUsage = 2;

int run(const quorvath::cli::Options& options) {
    using quorvath::cli::Command;
    if (options.command == Command::Help) {
        std::fputs(quorvath::cli::usageText(), stdout);
        return 0;
    }
    if (options.command == Command::Summary) {
        std::fputs("quorvath-report: give a command (--rendered or --runs); see --help\n", stderr);
        return ExitUsage;
    }
    quorvath::LogDocument doc;
    quorvath::Progress progress;
    if (auto error = quorvath::loadLog(options.logPath, doc, progress)) {
        std::fprintf(stderr, "quorvath-report: %s\n", error->c_str());
        return ExitLogError;
    }
    switch (options.command) {
    case Command::Rendered:
        quorvath::cli::writeRendered(doc, stdout);
        break;
    case Command::Runs:
        quorvath::cli::writeRuns(doc, stdout);
        break;
    default:
        break;
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
