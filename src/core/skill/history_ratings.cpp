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

// A selected match as the rating needs it, kept until the people are known.
struct KeptMatch {
    std::int64_t playedAt = 0;
    std::string server;
    std::string map;
    bool teamGame = false;
    Team winner = Team::Unknown;
    std::vector<Entrant> seats;
};

namespace {

KeptMatch kept(const MatchRecord& match, const PlayerTable& players) {
    KeptMatch k{match.playedAt, match.server, match.map, isTeamGame(match), winningTeam(match), {}};
    for (const MatchPlayer& p : match.players)
        k.seats.push_back({players.findByName(p.name), p.team, finalScore(p), p.presence, p.atEnd});
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

class Rater {
public:
    explicit Rater(std::size_t people) : ratings_(people) {}

    void rate(const KeptMatch& match, const std::vector<Entrant>& entrants) {
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
                team.push_back(ratings_[std::size_t(person)].rating);
        }
        const std::vector<RatedTeam> rated = rateGame(std::move(teams), ranks);
        for (std::size_t t = 0; t < sides.size(); ++t)
            for (std::size_t i = 0; i < sides[t].size(); ++i) {
                PlayerRating& r = ratings_[std::size_t(sides[t][i])];
                r.rating = rated[t][i];
                ++r.matches;
                r.steps.push_back({match.playedAt, match.server, match.map, r.rating});
            }
    }

    std::vector<PlayerRating>& ratings() { return ratings_; }

private:
    // Red and blue, ranked by the result; none when either has nobody or the result is unknown.
    static void teamSides(Team winner, const std::vector<Entrant>& entrants,
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
    static void playerSides(const std::vector<Entrant>& entrants,
                            std::vector<std::vector<int>>& sides, std::vector<double>& ranks) {
        for (const Entrant& e : entrants) {
            sides.push_back({e.who});
            ranks.push_back(1.0 + static_cast<double>(std::count_if(
                                      entrants.begin(), entrants.end(),
                                      [&](const Entrant& o) { return o.score > e.score; })));
        }
    }

    std::vector<PlayerRating> ratings_; // by person's slot
};

// Who each name's slot is rated as (his person's slot when linked), and
// which of them are bots.
struct People {
    std::vector<int> personOf;
    std::vector<bool> bot;
};

People peopleOf(const PlayerTable& players, bool linked) {
    const auto slots = static_cast<std::size_t>(players.playerCount()) + 1;
    People people{std::vector<int>(slots), std::vector<bool>(slots, false)};
    for (int slot = 1; slot < static_cast<int>(slots); ++slot) {
        const int master = players[slot].master;
        const int person = linked && master != 0 ? master : slot;
        people.personOf[std::size_t(slot)] = person;
        people.bot[std::size_t(person)] =
            people.bot[std::size_t(person)] || players[slot][bots] > 0;
    }
    return people;
}

// The people rated at least once, in order of first appearance, named.
std::vector<PlayerRating> namedRatings(std::vector<PlayerRating>& byPerson,
                                       const PlayerTable& players, bool linked) {
    std::vector<PlayerRating> ratings;
    for (std::size_t person = 1; person < byPerson.size(); ++person)
        if (byPerson[person].matches > 0) {
            const PlayerRecord& record = players[static_cast<int>(person)];
            byPerson[person].name = record.name;
            for (int a = 1; linked && a <= record.aliases.count(); ++a)
                byPerson[person].aliases.push_back(players[record.aliases.item(a)].name);
            ratings.push_back(std::move(byPerson[person]));
        }
    return ratings;
}

} // namespace

std::string ratingFigure(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

SelectionRater::SelectionRater(std::vector<PeopleDecision> decisions, const RatingOptions& options)
    : options_(options), totals_(players_, std::move(decisions)) {}

SelectionRater::~SelectionRater() = default;

void SelectionRater::add(const MatchRecord& match) {
    totals_.add(match);
    if (!match.warmup)
        matches_.push_back(kept(match, players_));
}

std::vector<PlayerRating> SelectionRater::finish() {
    totals_.finish();
    const People people = peopleOf(players_, options_.linked);
    Rater rater(people.personOf.size());
    for (const KeptMatch& match : matches_) {
        std::vector<Entrant> entrants = entrantsOf(match, people.personOf);
        std::erase_if(entrants, [&](const Entrant& e) {
            return !e.atEnd || e.presence < kLeastPresence ||
                   (people.bot[std::size_t(e.who)] && !options_.bots);
        });
        rater.rate(match, entrants);
    }
    std::vector<PlayerRating> ratings = namedRatings(rater.ratings(), players_, options_.linked);
    std::stable_sort(ratings.begin(), ratings.end(),
                     [](const PlayerRating& a, const PlayerRating& b) {
                         return a.rating.ordinal() > b.rating.ordinal();
                     });
    return ratings;
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
