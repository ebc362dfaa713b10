#include "cli/history_tables.h"

#include "cli/cli_options.h"
#include "cli/history_options.h"
#include "cli/table_output.h"
#include "core/history/history_queries.h"
#include "core/history/history_totals.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace quorvath::cli {

namespace {

Table placesTable(PlaceKind kind, const std::vector<PlaceSummary>& places) {
    Table table{{kind == PlaceKind::Map ? "map" : "server", "matches", "players", "kills",
                 "first_played", "last_played"},
                {false, true, true, true, false, false},
                {}};
    for (const PlaceSummary& p : places)
        table.rows.push_back({p.place, std::to_string(p.matches), std::to_string(p.players),
                              std::to_string(p.kills), dateText(p.firstPlayed),
                              dateText(p.lastPlayed)});
    return table;
}

// "won", "lost", "draw", a deathmatch's place as "2/8", "warm-up" or "unknown".
std::string resultText(const SeatResult& result) {
    switch (result.kind) {
    case SeatResult::Kind::Won: return "won";
    case SeatResult::Kind::Lost: return "lost";
    case SeatResult::Kind::Draw: return "draw";
    case SeatResult::Kind::Place:
        return std::to_string(result.place) + "/" + std::to_string(result.of);
    case SeatResult::Kind::Warmup: return "warm-up";
    case SeatResult::Kind::Unknown: break;
    }
    return "unknown";
}

Table playedTable(const std::vector<PlayedMatch>& played) {
    Table table{{"date", "server", "map", "gametype", "name", "kills", "deaths", "result"},
                {false, false, false, false, false, true, true, false},
                {}};
    for (const PlayedMatch& m : played)
        table.rows.push_back({dateText(m.playedAt), m.server, m.map, m.gameType, m.name,
                              std::to_string(m.kills), std::to_string(m.deaths),
                              resultText(m.result)});
    return table;
}

// The options of one table command, as typed.
struct TableArgs {
    SelectionArgs selection;
    std::string player;
    bool linked = false;
};

// The names `player` stands for: his own, or with `linked` his person's in
// the selected matches.
HistoryError namesOf(HistoryStore& store, const HistorySelection& selection,
                     const std::string& player, bool linked, std::vector<std::string>& names) {
    names = {player};
    if (!linked)
        return std::nullopt;
    PlayerTable players;
    CountingScope scope;
    std::vector<NameActivity> activity;
    if (auto error = countSelection(store, selection, players, scope, activity))
        return error;
    for (const Person& person : peopleOf(players, activity))
        if (std::find(person.names.begin(), person.names.end(), player) != person.names.end())
            names = person.names;
    return std::nullopt;
}

int runTable(const std::string& database, const TableArgs& args, PlaceKind kind, bool played) {
    const OutputOptions& output = args.selection.output;
    HistorySelection selection;
    const Encoding encoding = output.encoding.value_or(localeEncoding());
    if (!readSelection(args.selection, encoding, selection))
        return kExitUsage;
    const std::unique_ptr<HistoryStore> store = openExistingHistory(database);
    if (!store)
        return kExitFailed;
    Table table;
    HistoryError error;
    if (played) {
        std::vector<std::string> names;
        std::vector<PlayedMatch> matches;
        error = namesOf(*store, selection, nameFromCommandLine(args.player, encoding), args.linked,
                        names);
        if (!error)
            error = matchesPlayed(*store, selection, names, matches);
        if (!error && matches.empty()) // an empty table without a word would look like a bug
            std::fprintf(stderr,
                         "quorvath-report: warning: no selected match has a player named \"%s\"\n",
                         args.player.c_str());
        table = playedTable(matches);
    } else {
        std::vector<PlaceSummary> places;
        error = summarizePlaces(*store, selection, kind, places);
        table = placesTable(kind, places);
    }
    if (error)
        return said(*error, kExitFailed);
    const std::string text = tableText(table, output.format, encoding);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitFailed;
}

} // namespace

void addTableCommands(CLI::App& app, std::string& database, int& status) {
    const auto sub = [&](const char* name, const char* help, PlaceKind kind, bool played) {
        auto args = std::make_shared<TableArgs>();
        CLI::App* command = app.add_subcommand(name, help);
        addDatabaseOption(*command, database);
        addSelectionOptions(*command, args->selection);
        addOutputOptions(*command, args->selection.output);
        command->callback([&database, &status, args, kind, played] {
            status = runTable(database, *args, kind, played);
        });
        return std::pair{command, args};
    };
    sub("maps", "per map: matches, players, kills, first and last played", PlaceKind::Map, false);
    sub("servers", "per server: matches, players, kills, first and last played", PlaceKind::Server,
        false);
    const auto [matches, args] =
        sub("matches", "the matches a player played: date, server, map, kills, deaths, result",
            PlaceKind::Map, true);
    matches->add_option("P", args->player, "the player's name")->required();
    matches->add_flag("--linked", args->linked, "under any of his person's names");
    matches->footer("Dates are UTC; a match's date is as history --help says. The result is won,\n"
                    "lost or draw in a team game (unknown where the log gives no team result),\n"
                    "the place among the match's players by score in a deathmatch (2/8), or\n"
                    "warm-up.");
}

} // namespace quorvath::cli
