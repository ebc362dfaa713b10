#include "core/skill/history_ratings.h"

#include "core/history/history_totals.h"
#include "core/history/match_results.h"

#include <algorithm>
#include <cstdio>

namespace quorvath {

// One player in one match as the rating needs him: `who` is a name's slot
// in a kept match, a person's once the people are known.
struct Entrant {
    int who = 0;
    Team team = Team::Unknown;
    std::int32_t score = 0;
    std::int32_t presence = 0;
    bool atEnd = false;
};

// A match as the rating needs it: its names as the table's slots.
struct KeptMatch {
    std::int64_t playedAt = 0;
    std::string server;
    std::string map;
    bool teamGame = false;
    Team winner = Team::Unknown;
    std::vector<Entrant> seats;
    std::int64_t number = 0;
};

namespace {

KeptMatch kept(const MatchRecord& match, const PlayerTable& players, std::int64_t number) {
    KeptMatch k{match.playedAt,     match.server, match.map, isTeamGame(match),
                winningTeam(match), {},           number};
    for (const MatchPlayer& p : match.players)
        k.seats.push_back(
            {players.findPlayerIndex(p.name), p.team, finalScore(p), p.presence, p.atEnd});
    return k;
}

// The match's people: a person's seats together, a rename having split him
// in two; his team is the one he ended on.
std::vector<Entrant> entrantsOf(const KeptMatch& match, const std::vector<int>& personOf) {
    std::vector<Entrant> entrants;
    for (Entrant seat : match.seats) {
        seat.who = personOf[static_cast<std::size_t>(seat.who)];
        const auto same = [&seat](const Entrant& e) { return e.who == seat.who; };
        auto it = std::find_if(entrants.begin(), entrants.end(), same);
        if (it == entrants.end()) {
            entrants.push_back(seat);
            continue;
        }
        if (seat.atEnd)
            it->team = seat.team;
        it->score += seat.score;
        it->presence = std::min(1000, it->presence + seat.presence);
        it->atEnd = it->atEnd || seat.atEnd;
    }
    return entrants;
}

// Red and blue, ranked by the result; none when either has nobody or the result is unknown.
void teamSides(Team winner, const std::vector<Entrant>& entrants,
               std::vector<std::vector<int>>& sides, std::vector<double>& ranks) {
    if (winner == Team::Unknown)
        return;
    std::vector<int> red, blue;
    for (const Entrant& e : entrants)
        if (e.team == Team::Red || e.team == Team::Blue)
            (e.team == Team::Red ? red : blue).push_back(e.who);
    if (red.empty() || blue.empty())
        return;
    sides = {red, blue};
    ranks = {winner == Team::Blue ? 2.0 : 1.0, winner == Team::Red ? 2.0 : 1.0};
}

// Each player alone, ranked by score: equal scores share a place.
void playerSides(const std::vector<Entrant>& entrants, std::vector<std::vector<int>>& sides,
                 std::vector<double>& ranks) {
    for (const Entrant& e : entrants) {
        sides.push_back({e.who});
        ranks.push_back(1.0 + static_cast<double>(std::count_if(
                                  entrants.begin(), entrants.end(),
                                  [&](const Entrant& o) { return o.score > e.score; })));
    }
}

// A person's name as the table gives it: linked, his first name as he played under it.
const std::string& plainName(const PlayerRecord& record) {
    return record.originalName.empty() ? record.name : record.originalName;
}

// Rates the matches handed to it, in the order played, with a table of its
// own: the people are known only once every match is added.
class SelectionRater {
public:
    SelectionRater(std::vector<PeopleDecision> decisions, const RatingOptions& options)
        : options_(options), totals_(players_, std::move(decisions)) {}

    void add(const MatchRecord& match) {
        totals_.add(match);
        if (!match.warmup)
            matches_.push_back(kept(match, players_, 0));
    }

    std::vector<PlayerRating> finish() {
        totals_.finish();
        TableRater rater(players_, options_);
        for (const KeptMatch& match : matches_)
            rater.add(match);
        return rater.finish();
    }

private:
    RatingOptions options_;
    PlayerTable players_; // the names of the matches, linked as the history links them
    HistoryTotals totals_;
    std::vector<KeptMatch> matches_;
};

} // namespace

TableRater::TableRater(const PlayerTable& players, const RatingOptions& options)
    : players_(players), options_(options) {
    const auto slots = static_cast<std::size_t>(players.playerCount()) + 1;
    personOf_.resize(slots);
    bot_.resize(slots);
    byPerson_.resize(slots);
    for (int slot = 1; slot < static_cast<int>(slots); ++slot) {
        const int master = players[slot].master;
        const int person = options.linked && master != 0 ? master : slot;
        personOf_[std::size_t(slot)] = person;
        bot_[std::size_t(person)] = bot_[std::size_t(person)] || players[slot][bots] > 0;
    }
}

TableRater::~TableRater() = default;

void TableRater::add(const MatchRecord& match, std::int64_t number) {
    if (!match.warmup)
        add(kept(match, players_, number));
}

void TableRater::add(const KeptMatch& match) {
    std::vector<Entrant> entrants = entrantsOf(match, personOf_);
    std::erase_if(entrants, [&](const Entrant& e) {
        return !e.atEnd || e.presence < kLeastPresence || (isBot(e.who) && !options_.bots);
    });
    std::vector<std::vector<int>> sides;
    std::vector<double> ranks;
    if (match.teamGame)
        teamSides(match.winner, entrants, sides, ranks);
    else
        playerSides(entrants, sides, ranks);
    if (sides.size() < 2)
        return;
    std::vector<RatedTeam> teams;
    for (const std::vector<int>& side : sides) {
        RatedTeam& team = teams.emplace_back();
        for (int person : side)
            team.push_back(byPerson_[std::size_t(person)].rating);
    }
    const std::vector<RatedTeam> rated = rateGame(std::move(teams), ranks);
    for (std::size_t t = 0; t < sides.size(); ++t)
        for (std::size_t i = 0; i < sides[t].size(); ++i) {
            PlayerRating& r = byPerson_[std::size_t(sides[t][i])];
            r.rating = rated[t][i];
            ++r.matches;
            r.steps.push_back({match.playedAt, match.server, match.map, r.rating, match.number});
        }
}

void TableRater::goOn(std::vector<PlayerRating> people) {
    people.resize(byPerson_.size());
    byPerson_ = std::move(people);
}

std::vector<PlayerRating> TableRater::finish() {
    std::vector<PlayerRating> ratings;
    for (std::size_t person = 1; person < byPerson_.size(); ++person)
        if (byPerson_[person].matches > 0) {
            PlayerRating& r = ratings.emplace_back(std::move(byPerson_[person]));
            const PlayerRecord& record = players_[static_cast<int>(person)];
            r.name = plainName(record);
            for (int a = 1; options_.linked && a <= record.aliases.count(); ++a)
                r.aliases.push_back(players_[record.aliases.item(a)].name);
        }
    std::stable_sort(ratings.begin(), ratings.end(),
                     [](const PlayerRating& a, const PlayerRating& b) {
                         return a.rating.ordinal() > b.rating.ordinal();
                     });
    return ratings;
}

std::string ratingFigure(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

HistoryError rateSelection(HistoryStore& store, const HistorySelection& selection,
                           const RatingOptions& options, std::vector<PlayerRating>& ratings,
                           Progress* progress) {
    ratings.clear();
    std::vector<PeopleDecision> decisions;
    if (auto error = store.readDecisions(decisions))
        return error;
    SelectionRater rater(std::move(decisions), options);
    if (auto error =
            readSelected(store, selection, progress, [&](const MatchRecord& m) { rater.add(m); }))
        return error;
    ratings = rater.finish();
    return std::nullopt;
}

} // namespace quorvath
