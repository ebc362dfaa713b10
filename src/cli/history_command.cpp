#include "cli/history_command.h"

#include "cli/stats_command.h"
#include "core/history/history_import.h"
#include "core/history/history_totals.h"
#include "core/history/sqlite/sqlite_history.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <thread>

namespace quorvath::cli {

namespace {

constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;
constexpr std::chrono::seconds kFollowPause{2};

constexpr const char* kDatesNote =
    "Dates: every match an import stores first is dated by its log file's modification\n"
    "time (UTC), or by import --date; DATE is YYYY-MM-DD, --until includes that day.";

// $XDG_DATA_HOME/quorvath/history.sqlite, else ~/.local/share/quorvath/.
std::string defaultDatabase() {
    namespace fs = std::filesystem;
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const fs::path folder =
        data && *data ? fs::path(data) : fs::path(home ? home : ".") / ".local" / "share";
    return (folder / "quorvath" / "history.sqlite").string();
}

// Seconds since 1970 at the start of the UTC day `date` (YYYY-MM-DD).
std::string readDate(const std::string& date, std::int64_t& seconds) {
    std::tm day{};
    int year = 0, month = 0, dayOfMonth = 0;
    char end = 0;
    if (std::sscanf(date.c_str(), "%4d-%2d-%2d%c", &year, &month, &dayOfMonth, &end) != 3 ||
        month < 1 || month > 12 || dayOfMonth < 1 || dayOfMonth > 31)
        return "a date is YYYY-MM-DD, not \"" + date + "\"";
    day.tm_year = year - 1900;
    day.tm_mon = month - 1;
    day.tm_mday = dayOfMonth;
    seconds = static_cast<std::int64_t>(::timegm(&day));
    return {};
}

HistoryError openHistory(const std::string& path, std::unique_ptr<HistoryStore>& store) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    return openSqliteHistory(path, store);
}

// Imports each log once; with `follow`, again every few seconds until
// interrupted, saying only what changed. A match that ends is stored by the
// next round; an interruption loses at most the batch being stored.
int importLogs(const std::string& database, const std::vector<std::string>& logs,
               const ImportOptions& options, bool follow) {
    std::unique_ptr<HistoryStore> store;
    if (auto error = openHistory(database, store)) {
        std::fprintf(stderr, "quorvath-report: %s\n", error->c_str());
        return ExitFailed;
    }
    int status = 0;
    for (bool first = true; first || follow; first = false) {
        if (!first)
            std::this_thread::sleep_for(kFollowPause);
        for (const std::string& log : logs) {
            LogImport result;
            if (auto error = importLog(*store, log, result, options)) {
                std::fprintf(stderr, "quorvath-report: %s\n", error->c_str());
                status = ExitFailed;
            } else if (result.unchanged) {
                if (first)
                    std::printf("%s: unchanged since the last import\n", log.c_str());
            } else if (first || result.added > 0) {
                std::printf("%s: %d new of %d matches\n", log.c_str(), result.added,
                            result.matches);
            }
        }
        if (std::fflush(stdout) != 0)
            return ExitFailed;
    }
    return status;
}

struct Query {
    HistorySelection selection;
    std::string since, until, gameTypes;
    Options options;
};

int runQuery(const std::string& database, Query& query) {
    HistorySelection& selection = query.selection;
    for (const auto& [text, bound, nextDay] : {std::tuple{&query.since, &selection.since, false},
                                               std::tuple{&query.until, &selection.until, true}}) {
        if (text->empty())
            continue;
        if (const std::string problem = readDate(*text, *bound); !problem.empty()) {
            std::fprintf(stderr, "quorvath-report: %s; see --help\n", problem.c_str());
            return ExitUsage;
        }
        *bound += nextDay ? 24 * 60 * 60 : 0;
    }
    for (std::size_t from = 0; from < query.gameTypes.size();) {
        const std::size_t comma = std::min(query.gameTypes.find(',', from), query.gameTypes.size());
        selection.gameTypes.push_back(query.gameTypes.substr(from, comma - from));
        from = comma + 1;
    }
    Options& options = query.options;
    if (auto mismatch = formatMismatch(options)) {
        std::fprintf(stderr, "quorvath-report: %s; see --help\n", mismatch->c_str());
        return ExitUsage;
    }
    const Encoding encoding = options.output.encoding.value_or(localeEncoding());
    const std::string typedValue = options.commandValue, typedNick = options.nick;
    options.commandValue = nameFromCommandLine(options.commandValue, encoding);
    options.nick = nameFromCommandLine(options.nick, encoding);
    selection.server = nameFromCommandLine(selection.server, encoding);
    selection.map = nameFromCommandLine(selection.map, encoding);

    if (!std::filesystem::exists(database)) { // a query creates no history
        std::fprintf(stderr,
                     "quorvath-report: The history \"%s\" does not exist: import logs first.\n",
                     database.c_str());
        return ExitFailed;
    }
    std::unique_ptr<HistoryStore> store;
    auto players = std::make_unique<PlayerTable>();
    HistoryTotals totals(*players);
    HistoryError error = openHistory(database, store);
    if (!error)
        error = store->readMatches(selection, [&](const MatchRecord& m) { totals.add(m); });
    if (error) {
        std::fprintf(stderr, "quorvath-report: %s\n", error->c_str());
        return ExitFailed;
    }
    const CountingScope scope = totals.finish();
    const StatsReport report(std::move(players), scope, options.nick, options.linked);
    warnAboutUnknownNames(report, options, typedValue, typedNick);
    const std::string text = statsCommandOutput(report, options, encoding);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : ExitFailed;
}

} // namespace

int runHistoryCommand(const std::vector<std::string>& args) {
    CLI::App app("The match history: logs imported once, counted over any selection.",
                 "quorvath-report history");
    app.footer(std::string("The history file is ") + defaultDatabase() +
               " unless --db names another.\n" + kDatesNote);
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast); // as for a log
    std::string database = defaultDatabase();
    app.add_option("--db", database, "the history file")->option_text("FILE");

    auto* import = app.add_subcommand("import", "adds the matches of each log not stored yet");
    std::vector<std::string> logs;
    import->add_option("--db", database, "the history file")->option_text("FILE");
    bool follow = false;
    import->add_flag("--follow", follow,
                     "keep importing the logs as they grow, every 2 seconds, until interrupted");
    std::string date;
    import->add_option("--date", date, "date the new matches DATE instead of by the file's time")
        ->option_text("DATE");
    import->add_option("LOG", logs, "a log of any kind")->required();

    Query query;
    app.add_option("--since", query.since, "matches on or after DATE")->option_text("DATE");
    app.add_option("--until", query.until, "matches on or before DATE")->option_text("DATE");
    app.add_option("--server", query.selection.server, "matches on this server")
        ->option_text("NAME");
    app.add_option("--map", query.selection.map, "matches on this map")->option_text("NAME");
    app.add_option("--gametype", query.gameTypes, "matches of these game types (ctf,inf,...)")
        ->option_text("LIST");
    app.add_option("--nick", query.options.nick, "your own player name")->option_text("NAME");
    app.add_flag("--linked", query.options.linked, "fold aliases before the output");
    addOutputOptions(app, query.options.output);
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
            !problem.empty()) {
            std::fprintf(stderr, "quorvath-report: %s; see --help\n", problem.c_str());
            return ExitUsage;
        }
        return importLogs(database, logs, options, follow);
    }
    return runQuery(database, query);
}

} // namespace quorvath::cli
