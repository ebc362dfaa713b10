#include "cli/html_command.h"

#include "cli/cli_options.h"

#include "cli/output_options.h"
#include "cli/stats_output.h"
#include "core/common/progress.h"
#include "core/match/log_opening.h"
#include "core/match/statistics_counting.h"
#include "core/web/site_pages.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace quorvath::cli {

namespace {

constexpr int ExitFailed = 1;

constexpr const char* kFooter =
    "Writes index.html (leaders, awards, the log), a page per player\n"
    "(player-N.html), each ranking category (ranking-NN.html, 100 a page) and\n"
    "style.css into OUT_DIR, created if missing. A page is written only when it\n"
    "changed. The pages load nothing from elsewhere and need no script.\n"
    "--templates DIR takes index.mustache, player.mustache, ranking.mustache,\n"
    "header.mustache, footer.mustache and style.css from DIR instead of the\n"
    "built-in ones. A log, folder or template that cannot be used is reported on\n"
    "standard error (exit status 1); a wrong command line exits with status 2.";

struct HtmlOptions {
    std::string folder;
    std::string logPath;
    std::string templates;
    std::string nick;
    bool linked = false;
};

int fail(const std::string& message) {
    std::fprintf(stderr, "quorvath-report: %s\n", message.c_str());
    return ExitFailed;
}

int writeSite(const HtmlOptions& options) {
    auto templates =
        options.templates.empty()
            ? std::variant<web::SiteTemplates, std::string>(web::SiteTemplates::builtIn())
            : web::SiteTemplates::fromFolder(options.templates);
    if (auto* error = std::get_if<std::string>(&templates))
        return fail(*error);

    LogDocument doc;
    Progress progress;
    LogKindDetection detection;
    if (auto error = openLog(options.logPath, doc, progress, detection, std::nullopt))
        return fail(*error);
    auto players = std::make_unique<PlayerTable>();
    CountingScope counting;
    if (auto error = countStatistics(doc, options.logPath, detection.kind, CountingChoice{},
                                     *players, counting, progress))
        return fail(*error);
    const std::string nick = nameFromCommandLine(options.nick, localeEncoding());
    const StatsReport report(std::move(players), counting, nick, options.linked);
    if (!nick.empty() && !report.knowsPlayer(nick))
        std::fprintf(stderr, "quorvath-report: warning: no player is named \"%s\"\n",
                     options.nick.c_str());

    const web::LogSite site{
        report.players(),
        report.counting(),
        options.linked,
        nick,
        nameFromCommandLine(std::filesystem::path(options.logPath).filename().string(),
                            localeEncoding()),
        describeLogCounting(detection, counting.mode)};
    web::SiteFolder folder(options.folder);
    if (folder.error() || !web::writeLogSite(site, std::get<0>(templates), folder))
        return fail(*folder.error());
    std::printf("quorvath-report: %d pages written, %d unchanged, in %s\n", folder.pagesWritten(),
                folder.pagesUnchanged(), options.folder.c_str());
    return std::fflush(stdout) == 0 ? 0 : ExitFailed;
}

} // namespace

int runHtmlCommand(const std::vector<std::string>& args) {
    CLI::App app("Writes the web report of one log: a static site that needs no server and "
                 "no script.",
                 "quorvath-report html");
    app.footer(kFooter);
    HtmlOptions options;
    app.add_option("OUT_DIR", options.folder, "the site's folder")->required();
    app.add_option("LOG", options.logPath, "the log")->required();
    app.add_option("--templates", options.templates, "the templates' folder")->type_name("DIR");
    app.add_option("--nick", options.nick, "your player name: your rows are marked")
        ->type_name("NAME");
    app.add_flag("--linked", options.linked, "fold every player's aliases into his master name");
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        return usageExit(app, e);
    }
    return writeSite(options);
}

} // namespace quorvath::cli
