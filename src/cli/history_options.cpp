#include "cli/history_options.h"

#include "core/history/database/open_history.h"
#include "core/history/sqlite/sqlite_history.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <tuple>

namespace quorvath::cli {

void addDatabaseOption(CLI::App& app, std::string& database) {
    database = defaultHistoryFile();
    app.add_option("--db", database,
                   "the history: an SQLite file, or a PostgreSQL database "
                   "(postgresql://USER@HOST/DB or libpq's key=value form; ~/.pgpass and PG* "
                   "variables are honoured)")
        ->option_text("FILE|URI");
}

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

std::unique_ptr<HistoryStore> openExistingHistory(const std::string& path) {
    // a query creates no history file
    if (!namesPostgresDatabase(path) && !std::filesystem::exists(path)) {
        said("The history \"" + path + "\" does not exist: import logs first.", kExitFailed);
        return nullptr;
    }
    std::unique_ptr<HistoryStore> store;
    if (auto error = openHistory(path, store))
        said(*error, kExitFailed);
    return store;
}

int said(const std::string& problem, int status) {
    std::fprintf(stderr, "quorvath-report: %s\n", problem.c_str());
    return status;
}

void addSelectionOptions(CLI::App& app, SelectionArgs& args) {
    app.add_option("--since", args.since, "matches on or after DATE")->option_text("DATE");
    app.add_option("--until", args.until, "matches on or before DATE")->option_text("DATE");
    app.add_option("--server", args.server, "matches on this server")->option_text("NAME");
    app.add_option("--map", args.map, "matches on this map")->option_text("NAME");
    app.add_option("--gametype", args.gameTypes, "matches of these game types (ctf,inf,...)")
        ->option_text("LIST");
}

bool readSelection(const SelectionArgs& args, Encoding encoding, HistorySelection& selection) {
    for (const auto& [text, bound, nextDay] : {std::tuple{&args.since, &selection.since, false},
                                               std::tuple{&args.until, &selection.until, true}}) {
        if (text->empty())
            continue;
        if (const std::string problem = readDate(*text, *bound); !problem.empty())
            return said(problem + "; see --help", kExitUsage) == 0;
        *bound += nextDay ? 24 * 60 * 60 : 0;
    }
    const std::string& types = args.gameTypes;
    for (std::size_t from = 0; from < types.size();) {
        const std::size_t comma = std::min(types.find(',', from), types.size());
        selection.gameTypes.push_back(types.substr(from, comma - from));
        from = comma + 1;
    }
    selection.server = nameFromCommandLine(args.server, encoding);
    selection.map = nameFromCommandLine(args.map, encoding);
    return true;
}

} // namespace quorvath::cli
