#include "cli/html_command.h"

#include "cli/cli_options.h"

#include "cli/history_options.h"
#include "cli/output_options.h"
#include "cli/stats_output.h"
#include "core/common/progress.h"
#include "core/match/log_opening.h"
#include "core/match/statistics_counting.h"
#include "core/web/history_site.h"
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
    "style.css into OUT_DIR, created if missing. With --history instead of LOG,\n"
    "the selected matches of the history, and besides a page per match\n"
    "(match-K.html), map (map-N.html) and server (server-N.html), the lists of\n"
    "matches (matches.html, ...) and the skill ratings (ratings.html, as\n"
    "history ratings rates them; --bots rates bots too, --linked a person's names\n"
    "as one). A page is written only when it changed. The\n"
    "pages load nothing from elsewhere and need no script.\n"
    "--templates DIR takes every template (index.mustache, ..., style.css; see the\n"
    "built-in ones) from DIR instead. A log, history, folder or template that\n"
    "cannot be used is reported on standard error (exit status 1); a wrong command\n"
    "line exits with status 2.";

struct HtmlOptions {
    std::string folder;
    std::string logPath;
    std::string templates;
    std::string nick;
    bool linked = false;
    bool history = false;
    std::string database;
    SelectionArgs selection;
    RankingMinimum minimum;
};

int fail(const std::string& message) {
    std::fprintf(stderr, "quorvath-report: %s\n", message.c_str());
    return ExitFailed;
}

int reportWritten(const web::SiteFolder& folder, const std::string& path) {
    std::printf("quorvath-report: %d pages written, %d unchanged, in %s\n", folder.pagesWritten(),
                folder.pagesUnchanged(), path.c_str());
    return std::fflush(stdout) == 0 ? 0 : ExitFailed;
}

int writeLogSite(const HtmlOptions& options, const web::SiteTemplates& templates) {
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
    if (folder.error() || !web::writeLogSite(site, templates, folder))
        return fail(*folder.error());
    return reportWritten(folder, options.folder);
}

// "History: all matches", "History: since 2026-11-01, server Clan CTF, ctf":
// the selection as typed, as the window's title names it.
std::string selectionTitle(const SelectionArgs& args) {
    std::string parts;
    for (const auto& [label, value] : {std::pair{"since ", &args.since},
                                       {"until ", &args.until},
                                       {"server ", &args.server},
                                       {"map ", &args.map},
                                       {"", &args.gameTypes}})
        if (!value->empty())
            parts += (parts.empty() ? "" : ", ") + std::string(label) + *value;
    return "History: " + (parts.empty() ? std::string("all matches") : parts);
}

int writeHistorySite(const HtmlOptions& options, const web::SiteTemplates& templates) {
    const Encoding encoding = localeEncoding();
    HistorySelection selection;
    if (!readSelection(options.selection, encoding, selection))
        return kExitUsage;
    auto players = std::make_unique<PlayerTable>();
    CountingScope scope;
    std::vector<NameActivity> activity;
    const std::unique_ptr<HistoryStore> store =
        countHistory(options.database, selection, *players, scope, activity);
    if (!store)
        return ExitFailed;
    const std::string nick = nameFromCommandLine(options.nick, encoding);
    const StatsReport report(std::move(players), scope, nick, options.linked);
    const std::vector<bool> leftOut =
        leftOutOfRankings(report.players(), activity, options.minimum);
    const web::HistorySite site{{report.players(), report.counting(), options.linked, nick,
                                 nameFromCommandLine(selectionTitle(options.selection), encoding),
                                 "Accurate counting", &leftOut},
                                *store,
                                selection};
    web::SiteFolder folder(options.folder);
    if (auto error = web::writeHistorySite(site, templates, folder))
        return fail(*error);
    return reportWritten(folder, options.folder);
}

int writeSite(const HtmlOptions& options) {
    auto templates =
        options.templates.empty()
            ? std::variant<web::SiteTemplates, std::string>(web::SiteTemplates::builtIn())
            : web::SiteTemplates::fromFolder(options.templates);
    if (auto* error = std::get_if<std::string>(&templates))
        return fail(*error);
    return options.history ? writeHistorySite(options, std::get<0>(templates))
                           : writeLogSite(options, std::get<0>(templates));
}

} // namespace

int writeWholeHistorySite(const std::string& database, const std::string& folder) {
    HtmlOptions options;
    options.folder = folder;
    options.history = true;
    options.database = database;
    return writeSite(options);
}

int runHtmlCommand(const std::vector<std::string>& args) {
    CLI::App app("Writes the web report of one log or of the match history: a static site that "
                 "needs no server and no script.",
                 "quorvath-report html");
    app.footer(kFooter);
    HtmlOptions options;
    app.add_option("OUT_DIR", options.folder, "the site's folder")->required();
    CLI::Option* log = app.add_option("LOG", options.logPath, "the log");
    CLI::Option* history =
        app.add_flag("--history", options.history, "the match history instead of a log");
    log->excludes(history);
    addDatabaseOption(app, options.database);
    addSelectionOptions(app, options.selection);
    addRankingOptions(app, options.minimum);
    for (const char* name : {"--db", "--since", "--until", "--server", "--map", "--gametype",
                             "--bots", "--min-kills", "--min-matches"})
        app.get_option(name)->needs(history);
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
    if (!options.history && options.logPath.empty())
        return usageExit(app, CLI::RequiredError("LOG or --history"));
    return writeSite(options);
}

} // namespace quorvath::cli
