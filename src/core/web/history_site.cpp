#include "core/web/history_site.h"

#include "core/history/history_queries.h"
#include "core/rank/ranking.h"
#include "core/skill/history_ratings.h"
#include "core/web/html_text.h"
#include "core/web/site_writer.h"
#include "core/web/svg_charts.h"

#include <algorithm>

namespace quorvath::web {

namespace {

constexpr std::size_t kRecentShown = 10;
constexpr std::size_t kLeadersShown = 5;
constexpr const char* kRatingTitle = "Rating";
constexpr const char* kRatingsPage = "ratings";
constexpr const char* kRatingNote =
    "Every rated match in the order played moves the ratings (Plackett-Luce): a deathmatch "
    "by final score, a team game by the team result; a player counts when he was there at "
    "the end and for half of the match. Shown as mu - 3 sigma; provisional while sigma is "
    "above 8.";

std::string placePage(PlaceKind kind, std::size_t place) {
    return (kind == PlaceKind::Map ? "map-" : "server-") + std::to_string(place + 1);
}

std::string matchPage(std::size_t match) { return "match-" + std::to_string(match + 1) + ".html"; }

// One selected match, as the lists of matches show it.
struct MatchRow {
    std::int64_t playedAt = 0;
    std::size_t server = 0; // index of its server's summary
    std::size_t map = 0;
    std::string gameType;
    int players = 0;
};

// A match as one player (a page's owner) played it.
struct PlayedRow {
    std::size_t match = 0;
    int name = 0; // the player whose name he played under (the first, when he renamed)
    std::int64_t kills = 0;
    std::int64_t deaths = 0;
};

// A map or a server: its matches and each page owner's kills there.
struct PlaceMatches {
    std::vector<std::size_t> matches;
    std::vector<std::int64_t> kills; // by player
};

class HistoryPages final : public PageExtras {
public:
    HistoryPages(const HistorySite& site, const SiteTemplates& templates, SiteFolder& folder)
        : site_(site), table_(site.table), templates_(templates.compiled()), folder_(folder),
          links_(site.table), played_(static_cast<std::size_t>(table_.players.playerCount()) + 1),
          maps_(PlaceKind::Map), servers_(PlaceKind::Server), ratingOf_(played_.size()) {}

    HistoryError run(const SiteTemplates& templates) {
        folder_.keepManifest(pageIdentity(templates));
        std::vector<PeopleDecision> decisions;
        HistoryError error = site_.store.readDecisions(decisions);
        if (!error) {
            rater_.emplace(std::move(decisions), RatingOptions{table_.linked, site_.bots});
            error = site_.store.readMatches(site_.selection,
                                            [this](const MatchRecord& match) { addMatch(match); });
        }
        if (!error && written_)
            noteRatings(rater_->finish());
        // A page and a list of matches per place, the lists of all matches and the ratings.
        folder_.expectPages(static_cast<int>(2 * (mapMatches_.size() + serverMatches_.size())) + 2);
        const bool written = !error && written_ && writePlaces(maps_, mapMatches_) &&
                             writePlaces(servers_, serverMatches_) && writeAllMatches() &&
                             writePlayersMatches() && writeRatings() &&
                             writeTableSite(table_, templates, folder_, this);
        if (!folder_.finish() || (!error && !written))
            return folder_.error();
        return error;
    }

    void addToIndex(mustache::data& d) const override {
        d["hasMatches"] = !matches_.empty();
        d["matchCount"] = std::to_string(matches_.size());
        if (!matches_.empty()) {
            d["firstPlayed"] = dateText(matches_.front().playedAt);
            d["lastPlayed"] = dateText(matches_.back().playedAt);
        }
        fillRecent(newList(d, "matches", kRecentShown), allMatches());
        d["allMatches"] = pagedName("matches", 1);
        fillPlaceLinks(newList(d, "servers", servers_.places().size()), servers_);
        fillPlaceLinks(newList(d, "maps", maps_.places().size()), maps_);
        fillRatingLeaders(newItem(d["leaders"]));
    }

    void addToPlayer(int player, mustache::data& d) const override {
        fillRating(d, player);
        const std::vector<PlayedRow>& played = played_[static_cast<std::size_t>(player)];
        d["hasMatches"] = !played.empty();
        d["matchCount"] = std::to_string(played.size());
        if (played.empty())
            return;
        d["firstSeen"] = dateText(matches_[played.front().match].playedAt);
        d["lastSeen"] = dateText(matches_[played.back().match].playedAt);
        d["withPlayer"] = true;
        mustache::data& recent = newList(d, "matches", kRecentShown);
        for (std::size_t i = played.size(); i-- > 0 && played.size() - i <= kRecentShown;)
            fillPlayedRow(newItem(recent), played[i]);
        if (played.size() > kRecentShown)
            d["allMatches"] = pagedName(playerMatchesName(player), 1);
    }

private:
    static std::string playerMatchesName(int player) {
        return "player-" + std::to_string(player) + "-matches";
    }

    std::vector<std::size_t> allMatches() const {
        std::vector<std::size_t> all(matches_.size());
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = i;
        return all;
    }

    // --- reading the matches ---

    void addMatch(const MatchRecord& match) {
        if (!written_)
            return;
        const std::size_t index = matches_.size();
        rater_->add(match);
        const std::size_t map = maps_.add(match), server = servers_.add(match);
        matches_.push_back(
            {match.playedAt, server, map, match.gameType, static_cast<int>(match.players.size())});
        std::vector<int> owners(match.players.size());
        for (std::size_t seat = 0; seat < match.players.size(); ++seat) {
            const MatchPlayer& player = match.players[seat];
            owners[seat] = links_.pageOf(player.name);
            if (owners[seat] != 0)
                notePlayed(index, owners[seat], player);
        }
        notePlace(mapMatches_, map, index, match, owners);
        notePlace(serverMatches_, server, index, match, owners);
        written_ = writeMatch(index, match, owners);
    }

    void notePlayed(std::size_t index, int owner, const MatchPlayer& player) {
        std::vector<PlayedRow>& rows = played_[static_cast<std::size_t>(owner)];
        if (rows.empty() || rows.back().match != index) // a rename: one row per match
            rows.push_back({index, table_.players.findPlayerIndex(player.name), 0, 0});
        rows.back().kills += player.counters[totalKills];
        rows.back().deaths += player.counters[totalDeaths];
    }

    void notePlace(std::vector<PlaceMatches>& places, std::size_t place, std::size_t index,
                   const MatchRecord& match, const std::vector<int>& owners) {
        if (place == places.size())
            places.push_back({{}, std::vector<std::int64_t>(played_.size())});
        places[place].matches.push_back(index);
        for (std::size_t seat = 0; seat < owners.size(); ++seat)
            places[place].kills[static_cast<std::size_t>(owners[seat])] +=
                match.players[seat].counters[totalKills];
    }

    // --- a match's page ---

    bool writeMatch(std::size_t index, const MatchRecord& match, const std::vector<int>& owners) {
        return folder_.putPage(matchPage(index), matchKey(index, match, owners), [&] {
            return templates_.match.render(matchData(index, match, owners));
        });
    }

    // Everything matchData reads, as a key: a match's page is the most
    // numerous, so an unchanged one is skipped before its data is built.
    std::string matchKey(std::size_t index, const MatchRecord& match,
                         const std::vector<int>& owners) const {
        const MatchRow& row = matches_[index];
        KeyBytes bytes;
        for (const std::string* text :
             {&table_.logName, &table_.description, &match.map, &match.server, &match.gameType,
              &maps_.places()[row.map].place, &servers_.places()[row.server].place})
            bytes.addText(*text);
        for (const auto value : {index, row.map, row.server, match.players.size(),
                                 match.kills.size(), static_cast<std::size_t>(row.players)})
            bytes.add(value);
        bytes.add(row.playedAt);
        for (std::size_t seat = 0; seat < match.players.size(); ++seat) {
            bytes.addText(match.players[seat].name);
            bytes.add(match.players[seat].counters);
            bytes.add(owners[seat]);
            bytes.add(links_.isNick(owners[seat]));
        }
        for (const MatchKills& k : match.kills)
            bytes.add(k);
        return bytesKey(bytes.bytes());
    }

    mustache::data matchData(std::size_t index, const MatchRecord& match,
                             const std::vector<int>& owners) const {
        const MatchRow& row = matches_[index];
        mustache::data d;
        startPage(d, table_, templates_,
                  escapedHtml(match.map) + " on " + plainNameHtml(match.server));
        fillMatchRow(d, index);
        mustache::data& board = newList(d, "scoreboard", match.players.size());
        for (std::size_t seat : seatsByKills(match)) {
            const MatchPlayer& player = match.players[seat];
            mustache::data& line = newItem(board);
            fillName(line, player.name, owners[seat]);
            line["kills"] = std::to_string(player.counters[totalKills]);
            line["deaths"] = std::to_string(player.counters[totalDeaths]);
            line["teamKills"] = std::to_string(player.counters[teamKills]);
            PlayerRecord record;
            record.counters = player.counters;
            line["objectives"] = std::to_string(objectivesOf(record));
        }
        d["hasKills"] = fillKills(newList(d, "killers", match.players.size()), match, owners);
        d["players"] = std::to_string(row.players);
        return d;
    }

    static std::vector<std::size_t> seatsByKills(const MatchRecord& match) {
        std::vector<std::size_t> seats(match.players.size());
        for (std::size_t i = 0; i < seats.size(); ++i)
            seats[i] = i;
        std::stable_sort(seats.begin(), seats.end(), [&](std::size_t a, std::size_t b) {
            return match.players[a].counters[totalKills] > match.players[b].counters[totalKills];
        });
        return seats;
    }

    // Who killed whom: each killer with his victims, most killed first; false
    // for nobody.
    bool fillKills(mustache::data& killers, const MatchRecord& match,
                   const std::vector<int>& owners) const {
        std::vector<std::vector<MatchKills>> byKiller(match.players.size());
        for (const MatchKills& k : match.kills)
            if (k.killer >= 0 && static_cast<std::size_t>(k.killer) < byKiller.size() &&
                k.victim >= 0 && static_cast<std::size_t>(k.victim) < byKiller.size())
                byKiller[static_cast<std::size_t>(k.killer)].push_back(k);
        for (std::size_t seat : seatsByKills(match)) {
            std::vector<MatchKills>& victims = byKiller[seat];
            if (victims.empty())
                continue;
            std::stable_sort(
                victims.begin(), victims.end(),
                [](const MatchKills& a, const MatchKills& b) { return a.count > b.count; });
            mustache::data& killer = newItem(killers);
            fillName(killer, match.players[seat].name, owners[seat]);
            mustache::data& list = newList(killer, "victims", victims.size());
            for (const MatchKills& k : victims) {
                mustache::data& victim = newItem(list);
                const auto v = static_cast<std::size_t>(k.victim);
                fillName(victim, match.players[v].name, owners[v]);
                victim["count"] = std::to_string(k.count);
            }
        }
        return !itemsOf(killers).empty();
    }

    void fillName(mustache::data& d, const std::string& name, int owner) const {
        d["name"] = nameHtml(name);
        d["link"] = links_.linkTo(owner);
        d["you"] = links_.isNick(owner);
    }

    // --- lists of matches ---

    // The match's date, place, type and page.
    void fillMatchRow(mustache::data& d, std::size_t index) const {
        const MatchRow& row = matches_[index];
        d["matchLink"] = matchPage(index);
        d["date"] = dateText(row.playedAt);
        d["map"] = escapedHtml(maps_.places()[row.map].place);
        d["mapLink"] = placePage(PlaceKind::Map, row.map) + ".html";
        d["server"] = nameHtml(servers_.places()[row.server].place);
        d["serverLink"] = placePage(PlaceKind::Server, row.server) + ".html";
        d["gameType"] = escapedHtml(row.gameType);
        d["players"] = std::to_string(row.players);
        d["player"] = false; // a row of a player's matches says what he did
    }

    void fillPlayedRow(mustache::data& d, const PlayedRow& played) const {
        fillMatchRow(d, played.match);
        mustache::data& player = newObject(d, "player");
        player["name"] = nameHtml(displayName(played.name));
        player["kills"] = std::to_string(played.kills);
        player["deaths"] = std::to_string(played.deaths);
    }

    // A name as he played under it: linked, a first name's table entry also lists his aliases.
    const std::string& displayName(int player) const {
        const PlayerRecord& record = table_.players[player];
        return record.originalName.empty() ? record.name : record.originalName;
    }

    // The newest of `matches` (in the order played) first.
    void fillRecent(mustache::data& list, const std::vector<std::size_t>& matches) const {
        for (std::size_t i = matches.size(); i-- > 0 && matches.size() - i <= kRecentShown;)
            fillMatchRow(newItem(list), matches[i]);
    }

    // Pages "NAME.html", "NAME-2.html", ... of `count` rows, newest first;
    // `fill(list, i)` adds row i (counted in the order played).
    template <class Fill>
    bool writeMatchList(const std::string& name, const std::string& titleHtml, std::size_t count,
                        bool withPlayer, Fill fill) {
        const std::size_t pages =
            std::max<std::size_t>(1, (count + kEntriesPerPage - 1) / kEntriesPerPage);
        for (std::size_t page = 1; page <= pages; ++page) {
            mustache::data d;
            startPage(d, table_, templates_, titleHtml);
            d["heading"] = titleHtml;
            d["withPlayer"] = withPlayer;
            const std::size_t skip = (page - 1) * kEntriesPerPage;
            const std::size_t shown =
                std::min<std::size_t>(kEntriesPerPage, count - std::min(count, skip));
            mustache::data& rows = newList(d, "matches", shown);
            for (std::size_t i = 0; i < shown; ++i)
                fill(newItem(rows), count - 1 - skip - i);
            d["empty"] = count == 0;
            fillPageLinks(d, name, pages, page);
            if (!putPage(folder_, pagedName(name, page), templates_.matches, d))
                return false;
        }
        return true;
    }

    bool writeAllMatches() {
        return writeMatchList("matches", "Matches", matches_.size(), false,
                              [this](mustache::data& d, std::size_t i) { fillMatchRow(d, i); });
    }

    bool writePlayersMatches() {
        for (int player : links_.paged()) {
            const std::vector<PlayedRow>& played = played_[static_cast<std::size_t>(player)];
            if (played.size() > kRecentShown &&
                !writeMatchList(
                    playerMatchesName(player),
                    "Matches of " + nameHtml(table_.players[player].name), played.size(), true,
                    [&](mustache::data& d, std::size_t i) { fillPlayedRow(d, played[i]); }))
                return false;
        }
        return true;
    }

    // --- ratings ---

    void noteRatings(std::vector<PlayerRating> ratings) {
        ratings_ = std::move(ratings);
        ratingPlaces_.resize(ratings_.size());
        for (std::size_t i = 0; i < ratings_.size(); ++i) {
            const bool tie =
                i > 0 && ratings_[i].rating.ordinal() == ratings_[i - 1].rating.ordinal();
            ratingPlaces_[i] = tie ? ratingPlaces_[i - 1] : i + 1;
            if (const int player = links_.pageOf(ratings_[i].name))
                ratingOf_[static_cast<std::size_t>(player)] = &ratings_[i];
        }
    }

    // Rating i of the ranking, as a ranking's entry with its mark.
    void fillRatingEntry(mustache::data& d, std::size_t i) const {
        const PlayerRating& r = ratings_[i];
        const int player = links_.pageOf(r.name);
        d["place"] = std::to_string(ratingPlaces_[i]);
        d["name"] = nameHtml(r.name);
        d["link"] = links_.linkTo(player);
        d["value"] = ratingFigure(r.rating.ordinal());
        d["provisional"] = r.provisional();
        d["you"] = links_.isNick(player);
    }

    void fillRatingEntries(mustache::data& d, std::size_t from, std::size_t to) const {
        to = std::min(to, ratings_.size());
        mustache::data& entries = newList(d, "entries", to - std::min(from, to));
        for (std::size_t i = from; i < to; ++i)
            fillRatingEntry(newItem(entries), i);
        d["title"] = kRatingTitle;
        d["recorded"] = true;
        d["empty"] = from >= to;
    }

    void fillRatingLeaders(mustache::data& card) const {
        fillRatingEntries(card, 0, kLeadersShown);
        card["link"] = pagedName(kRatingsPage, 1);
    }

    // "ratings.html", "ratings-2.html", ...: the whole ranking, as a category's pages.
    bool writeRatings() {
        const std::size_t pages =
            std::max<std::size_t>(1, (ratings_.size() + kEntriesPerPage - 1) / kEntriesPerPage);
        for (std::size_t page = 1; page <= pages; ++page) {
            mustache::data d;
            startPage(d, table_, templates_, kRatingTitle);
            d["category"] = kRatingTitle;
            d["note"] = kRatingNote;
            d["wrapNames"] = true; // a long name wraps on a phone, the rating beside it not
            fillRatingEntries(newItem(newList(d, "lists", 1)), (page - 1) * kEntriesPerPage,
                              page * kEntriesPerPage);
            fillPageLinks(d, kRatingsPage, pages, page);
            if (!putPage(folder_, pagedName(kRatingsPage, page), templates_.ranking, d))
                return false;
        }
        return true;
    }

    // A player's rating over time: a chart of every rated match, a table of the latest.
    void fillRating(mustache::data& d, int player) const {
        d["hasRatings"] = true;
        const PlayerRating* r = ratingOf_[static_cast<std::size_t>(player)];
        d["rated"] = r != nullptr;
        if (!r)
            return;
        d["rating"] = ratingFigure(r->rating.ordinal());
        d["provisional"] = r->provisional();
        d["ratedMatches"] = std::to_string(r->matches);
        LineChart chart{{},
                        ratingFigure,
                        dateText(r->steps.front().playedAt),
                        dateText(r->steps.back().playedAt)};
        for (const RatingStep& step : r->steps)
            chart.values.push_back(step.after.ordinal());
        d["ratingChart"] =
            lineChartSvg(chart, "Rating of " + plainNameHtml(r->name) + " after each rated match");
        const std::size_t shown = std::min(r->steps.size(), kRecentShown);
        mustache::data& steps = newList(d, "ratingSteps", shown);
        for (std::size_t i = r->steps.size(); i-- > r->steps.size() - shown;) {
            const RatingStep& step = r->steps[i];
            mustache::data& row = newItem(steps);
            row["date"] = dateText(step.playedAt);
            row["map"] = escapedHtml(step.map);
            row["server"] = nameHtml(step.server);
            row["value"] = ratingFigure(step.after.ordinal());
            row["provisional"] = step.after.sigma > kProvisionalSigma;
        }
        d["moreSteps"] = r->steps.size() > shown;
        d["shownSteps"] = std::to_string(shown);
    }

    // --- maps and servers ---

    void fillPlaceLinks(mustache::data& list, const PlaceTally& tally) const {
        const std::vector<PlaceSummary>& places = tally.places();
        for (std::size_t i = 0; i < places.size(); ++i) {
            mustache::data& d = newItem(list);
            d["name"] = &tally == &maps_ ? escapedHtml(places[i].place) : nameHtml(places[i].place);
            d["link"] =
                placePage(&tally == &maps_ ? PlaceKind::Map : PlaceKind::Server, i) + ".html";
            d["matches"] = std::to_string(places[i].matches);
        }
    }

    // The place's leaders by kills, among the players the rankings list.
    RankedList placeLeaders(const PlaceMatches& place) const {
        std::vector<RankCandidate> candidates;
        for (int player :
             rankedPlayers(table_.players, {table_.linked, 0, Pane::Left, table_.leftOut}))
            candidates.push_back(
                {player, static_cast<double>(place.kills[static_cast<std::size_t>(player)])});
        RankedList list;
        list.title = "Kills";
        list.entries = rankedEntries(candidates, table_.players);
        if (list.entries.size() > kLeadersShown)
            list.entries.resize(kLeadersShown);
        return list;
    }

    bool writePlaces(const PlaceTally& tally, const std::vector<PlaceMatches>& places) {
        const bool maps = &tally == &maps_;
        for (std::size_t i = 0; i < places.size(); ++i) {
            const PlaceSummary& summary = tally.places()[i];
            const std::string name = placePage(maps ? PlaceKind::Map : PlaceKind::Server, i);
            const std::string title = maps ? escapedHtml(summary.place) : nameHtml(summary.place);
            mustache::data d;
            startPage(d, table_, templates_, maps ? title : plainNameHtml(summary.place));
            d["name"] = title;
            d["kind"] = maps ? "Map" : "Server";
            d["matchCount"] = std::to_string(summary.matches);
            d["players"] = std::to_string(summary.players);
            d["kills"] = std::to_string(summary.kills);
            d["firstPlayed"] = dateText(summary.firstPlayed);
            d["lastPlayed"] = dateText(summary.lastPlayed);
            const RankedList leaders = placeLeaders(places[i]);
            mustache::data& entries = newList(d, "leaders", leaders.entries.size());
            for (const RankedEntry& e : leaders.entries)
                links_.fillEntry(newItem(entries), e, true);
            d["noLeaders"] = leaders.entries.empty();
            fillRecent(newList(d, "matches", kRecentShown), places[i].matches);
            d["allMatches"] = pagedName(name + "-matches", 1);
            const std::vector<std::size_t>& matches = places[i].matches;
            if (!putPage(folder_, name + ".html", templates_.place, d) ||
                !writeMatchList(
                    name + "-matches", "Matches " + std::string(maps ? "on " : "of ") + title,
                    matches.size(), false,
                    [&](mustache::data& row, std::size_t m) { fillMatchRow(row, matches[m]); }))
                return false;
        }
        return true;
    }

    const HistorySite& site_;
    const LogSite& table_;
    const SiteTemplates::Compiled& templates_;
    SiteFolder& folder_;
    const PlayerLinks links_;
    std::vector<MatchRow> matches_;              // in the order played
    std::vector<std::vector<PlayedRow>> played_; // by player: the matches on his page
    PlaceTally maps_, servers_;
    std::vector<PlaceMatches> mapMatches_, serverMatches_; // as maps_ and servers_ list them
    std::optional<SelectionRater> rater_;                  // fed the matches as they are read
    std::vector<PlayerRating> ratings_;                    // best first
    std::vector<std::size_t> ratingPlaces_;                // by rating: equal ratings share one
    std::vector<const PlayerRating*> ratingOf_;            // by player with a page
    bool written_ = true;                                  // every page so far
};

} // namespace

HistoryError writeHistorySite(const HistorySite& site, const SiteTemplates& templates,
                              SiteFolder& folder) {
    if (folder.error())
        return folder.error();
    return HistoryPages(site, templates, folder).run(templates);
}

} // namespace quorvath::web
