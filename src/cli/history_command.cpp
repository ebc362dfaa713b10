#include "cli/history_command.h"

#include "cli/history_options.h"
#include "cli/history_people.h"
#include "cli/history_ratings.h"
#include "cli/history_tables.h"
#include "cli/html_command.h"
#include "cli/stats_command.h"
#include "core/history/database/open_history.h"
#include "core/history/history_import.h"
#include "core/history/sqlite/sqlite_history.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

namespace quorvath::cli {

namespace {

constexpr std::chrono::seconds kFollowPause{2};

constexpr const char* kDatesNote =
    "Dates: every match an import stores first is dated by its log file's modification\n"
    "time (UTC), or by import --date; DATE is YYYY-MM-DD, --until includes that day.";

// Imports each log once; with `follow`, again every few seconds until
// interrupted, saying only what changed. A match that ends is stored by the
// next round; an interruption loses at most the batch being stored. With a
// `site` folder, the history's site is written again after each round that
// stored a match (and after the first).
int importLogs(const std::string& database, const std::vector<std::string>& logs,
               const ImportOptions& options, bool follow, const std::string& site) {
    std::unique_ptr<HistoryStore> store;
    if (auto error = openHistory(database, store))
        return said(*error, kExitFailed);
    int status = 0;
    for (bool first = true; first || follow; first = false) {
        if (!first)
            std::this_thread::sleep_for(kFollowPause);
        int added = 0;
        for (const std::string& log : logs) {
            LogImport result;
            if (auto error = importLog(*store, log, result, options)) {
                status = said(*error, kExitFailed);
            } else if (result.unchanged) {
                if (first)
                    std::printf("%s: unchanged since the last import\n", log.c_str());
            } else if (first || result.added > 0) {
                std::printf("%s: %d new of %d matches\n", log.c_str(), result.added,
                            result.matches);
            }
            added += result.added;
        }
        if (auto error = store->refreshTotals()) // once all logs of the round are in
            status = said(*error, kExitFailed);
        if (std::fflush(stdout) != 0)
            return kExitFailed;
        if (!site.empty() && (first || added > 0) && writeWholeHistorySite(database, site) != 0)
            status = kExitFailed;
    }
    return status;
}

struct Query {
    SelectionArgs args;
    Options options;
    RankingMinimum minimum;
};

int runQuery(const std::string& database, Query& query) {
    Options& options = query.options;
    HistorySelection selection;
    if (auto mismatch = formatMismatch(options))
        return said(*mismatch + "; see --help", kExitUsage);
    const Encoding encoding = options.output.encoding.value_or(localeEncoding());
    if (!readSelection(query.args, encoding, selection))
        return kExitUsage;
    const std::string typedValue = options.commandValue, typedNick = options.nick;
    options.commandValue = nameFromCommandLine(options.commandValue, encoding);
    options.nick = nameFromCommandLine(options.nick, encoding);

    auto players = std::make_unique<PlayerTable>();
    CountingScope scope;
    std::vector<NameActivity> activity;
    if (!countHistory(database, selection, *players, scope, activity))
        return kExitFailed;
    StatsReport report(std::move(players), scope, options.nick, options.linked);
    report.leaveOut(rankingRule(std::move(activity), query.minimum));
    warnAboutUnknownNames(report, options, typedValue, typedNick);
    const std::string text = statsCommandOutput(report, options, encoding);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitFailed;
}

} // namespace

int runHistoryCommand(const std::vector<std::string>& args) {
    CLI::App app("The match history: logs imported once, counted over any selection.",
                 "quorvath-report history");
    app.footer(std::string("The history file is ") + defaultHistoryFile() +
               " unless --db names another.\n" + kDatesNote +
               "\nRankings leave out bots (--bots ranks them) and, with --min-kills or "
               "--min-matches,\nplayers short of that; by default nobody else.");
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast); // as for a log
    std::string database;
    addDatabaseOption(app, database);

    auto* import = app.add_subcommand("import", "adds the matches of each log not stored yet");
    std::vector<std::string> logs;
    addDatabaseOption(*import, database);
    bool follow = false;
    import->add_flag("--follow", follow,
                     "keep importing the logs as they grow, every 2 seconds, until interrupted");
    std::string date;
    import->add_option("--date", date, "date the new matches DATE instead of by the file's time")
        ->option_text("DATE");
    std::string site;
    import
        ->add_option("--html", site,
                     "write the history's web report into DIR after the import "
                     "(with --follow, after each map stored)")
        ->option_text("DIR");
    import->add_option("LOG", logs, "a log of any kind")->required();
    import->footer(kDatesNote);

    int status = 0;
    addPeopleCommands(app, database, status);
    addTableCommands(app, database, status);
    addRatingCommands(app, database, status);

    Query query;
    addSelectionOptions(app, query.args);
    app.add_option("--nick", query.options.nick, "your own player name")->option_text("NAME");
    app.add_flag("--linked", query.options.linked, "fold each person's names before the output");
    addOutputOptions(app, query.options.output);
    addRankingOptions(app, query.minimum);
    addStatisticsCommands(app, query.options);

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        return usageExit(app, e);
    }
    if (import->parsed()) {
        ImportOptions options;
        if (const std::string problem = date.empty() ? "" : readDate(date, options.date);
            !problem.empty())
            return said(problem + "; see --help", kExitUsage);
        return importLogs(database, logs, options, follow, site);
    }
    if (app.get_subcommands().empty())
        return runQuery(database, query);
    return status;
}

} // namespace quorvath::cli
