#include "cli/history_ratings.h"

#include "cli/cli_options.h"
#include "cli/history_options.h"
#include "cli/table_output.h"
#include "core/skill/history_ratings.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace quorvath::cli {

namespace {

constexpr const char* kRatingNote =
    "Each selected match is rated in the order played (Plackett-Luce, as OpenSkill rates):\n"
    "a deathmatch ranks its players by final score, a team game its teams by the team\n"
    "result (a match whose log gives none is not rated). A player counts only when he\n"
    "was in the game at the end and for at least half of the match; a warm-up counts for\n"
    "nobody; bots only with --bots. The rating is mu - 3 sigma, provisional while sigma\n"
    "is above 8 (it starts at 8.33).";

Table ratingsTable(const std::vector<PlayerRating>& ratings) {
    Table table{{"name", "rating", "mu", "sigma", "matches", "provisional"},
                {false, true, true, true, true, false},
                {}};
    for (const PlayerRating& r : ratings)
        table.rows.push_back({r.name, ratingFigure(r.rating.ordinal()), ratingFigure(r.rating.mu),
                              ratingFigure(r.rating.sigma), std::to_string(r.matches),
                              r.provisional() ? kProvisionalMark : ""});
    return table;
}

Table stepsTable(const PlayerRating& player) {
    Table table{{"date", "server", "map", "rating", "mu", "sigma"},
                {false, false, false, true, true, true},
                {}};
    for (const RatingStep& step : player.steps)
        table.rows.push_back({dateText(step.playedAt), step.server, step.map,
                              ratingFigure(step.after.ordinal()), ratingFigure(step.after.mu),
                              ratingFigure(step.after.sigma)});
    return table;
}

struct RatingArgs {
    SelectionArgs selection;
    RatingOptions options;
    std::string player; // rating-history's
};

const PlayerRating* ratingOf(const std::vector<PlayerRating>& ratings, const std::string& name) {
    for (const PlayerRating& r : ratings)
        if (r.name == name ||
            std::find(r.aliases.begin(), r.aliases.end(), name) != r.aliases.end())
            return &r;
    return nullptr;
}

int runRatings(const std::string& database, const RatingArgs& args, bool steps) {
    const OutputOptions& output = args.selection.output;
    const Encoding encoding = output.encoding.value_or(localeEncoding());
    HistorySelection selection;
    if (!readSelection(args.selection, encoding, selection))
        return kExitUsage;
    const std::unique_ptr<HistoryStore> store = openExistingHistory(database);
    if (!store)
        return kExitFailed;
    std::vector<PlayerRating> ratings;
    if (auto error = rateSelection(*store, selection, args.options, ratings))
        return said(*error, kExitFailed);
    Table table = ratingsTable(ratings);
    if (steps) {
        const PlayerRating* player = ratingOf(ratings, nameFromCommandLine(args.player, encoding));
        if (!player) // an empty table without a word would look like a bug
            std::fprintf(stderr,
                         "quorvath-report: warning: no selected match rates a player "
                         "named \"%s\"\n",
                         args.player.c_str());
        table = stepsTable(player ? *player : PlayerRating());
    }
    const std::string text = tableText(table, output.format, encoding);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitFailed;
}

} // namespace

void addRatingCommands(CLI::App& app, std::string& database, int& status) {
    const auto sub = [&](const char* name, const char* help, bool steps) {
        auto args = std::make_shared<RatingArgs>();
        CLI::App* command = app.add_subcommand(name, help);
        addDatabaseOption(*command, database);
        addSelectionOptions(*command, args->selection);
        addOutputOptions(*command, args->selection.output);
        command->add_flag("--linked", args->options.linked, "rate each person's names as one");
        command->add_flag("--bots", args->options.bots, "rate bots too");
        command->footer(kRatingNote);
        command->callback(
            [&database, &status, args, steps] { status = runRatings(database, *args, steps); });
        return std::pair{command, args};
    };
    sub("ratings", "the skill ratings: name, rating, mu, sigma, matches, provisional", false);
    const auto [history, args] =
        sub("rating-history", "a player's rating after each rated match", true);
    history->add_option("P", args->player, "the player's name")->required();
}

} // namespace quorvath::cli
