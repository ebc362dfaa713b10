#include "cli/history_command.h"

#include "cli/stats_command.h"
#include "core/history/database/open_history.h"
#include "core/history/history_import.h"
#include "core/history/history_totals.h"
#include "core/history/sqlite/sqlite_history.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
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

constexpr const char* kDatabaseHelp =
    "the history: an SQLite file, or a PostgreSQL database (postgresql://USER@HOST/DB or "
    "libpq's key=value form; ~/.pgpass and PG* variables are honoured)";

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
    std::string format, encoding;
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
    for (const auto& [name, value] :
         {std::pair{"--format", &query.format}, std::pair{"--encoding", &query.encoding}}) {
        if (value->empty())
            continue;
        const std::vector<std::string> pair{name, *value};
        std::size_t at = 0;
        std::string problem;
        takeOutputOption(pair, at, options.output, problem);
        if (!problem.empty()) {
            std::fprintf(stderr, "quorvath-report: %s; see --help\n", problem.c_str());
            return ExitUsage;
        }
    }
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

    // a query creates no history file
    if (!namesPostgresDatabase(database) && !std::filesystem::exists(database)) {
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

// The one command given, as Options has it.
void addCommands(CLI::App& app, Options& options) {
    auto* commands = app.add_option_group("COMMAND", "at most one");
    const auto flag = [&](const char* name, Command command, const char* help) {
        commands->add_flag_callback(
            name, [&options, command] { options.command = command; }, help);
    };
    const auto valued = [&](const char* name, Command command, const char* help) {
        commands->add_option_function<std::string>(
            name,
            [&options, command](const std::string& value) {
                options.command = command;
                options.commandValue = value;
            },
            help);
    };
    flag("--players", Command::Players, "the player list");
    valued("--sheet", Command::Sheet, "the sheet of player P");
    flag("--sheets", Command::Sheets, "every sheet");
    valued("--ranking", Command::Ranking, "the rankings of category C");
    valued("--top", Command::Top, "the top victims and killers of player P");
    flag("--counts", Command::Counts, "every player's counters");
    commands->require_option(0, 1);
}

} // namespace

int runHistoryCommand(const std::vector<std::string>& args) {
    CLI::App app("The match history: logs imported once, counted over any selection.",
                 "quorvath-report history");
    app.footer(std::string("The history file is ") + defaultHistoryFile() +
               " unless --db names another.\n" + kDatesNote);
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast); // as for a log
    std::string database = defaultHistoryFile();
    app.add_option("--db", database, kDatabaseHelp)->option_text("FILE|URI");

    auto* import = app.add_subcommand("import", "adds the matches of each log not stored yet");
    std::vector<std::string> logs;
    import->add_option("--db", database, kDatabaseHelp)->option_text("FILE|URI");
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
    app.add_option("--format", query.format, "text, csv or json")->option_text("text|csv|json");
    app.add_option("--encoding", query.encoding, "utf-8 or cp1252")->option_text("utf-8|cp1252");
    addCommands(app, query.options);

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? 0 : ExitUsage;
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
