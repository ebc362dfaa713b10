#include "core/web/history_site.h"

#include "core/history/history_queries.h"
#include "core/rank/ranking.h"
#include "core/skill/history_ratings.h"
#include "core/web/html_text.h"
#include "core/web/match_list_pages.h"
#include "core/web/page_queue.h"
#include "core/web/site_state.h"
#include "core/web/site_writer.h"
#include "core/web/svg_charts.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <optional>

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

// A player's console log names neither the map nor the game type.
std::string mapHtml(const std::string& map) {
    return map.empty() ? "unknown map" : escapedHtml(map);
}

std::string gameTypeHtml(const std::string& type) {
    return type.empty() ? "unknown type" : escapedHtml(type);
}

// A map's name as its log wrote it; a server's host name with its colours.
std::string placeHtml(PlaceKind kind, const std::string& place) {
    return kind == PlaceKind::Map ? mapHtml(place) : nameHtml(place);
}

std::string placePage(PlaceKind kind, std::size_t place) {
    return (kind == PlaceKind::Map ? "map-" : "server-") + std::to_string(place + 1);
}

std::string matchPage(std::size_t match) { return "match-" + std::to_string(match + 1) + ".html"; }

class HistoryPages final : public PageExtras {
public:
    HistoryPages(const HistorySite& site, const SiteTemplates& templates, SiteFolder& folder)
        : site_(site), table_(site.table), templates_(templates.compiled()), folder_(folder),
          links_(site.table),
          ratingOf_(static_cast<std::size_t>(table_.players.playerCount()) + 1) {
        startTally();
    }

    HistoryError run(const SiteTemplates& templates) {
        const std::string pages = pageIdentity(templates);
        identity_ = stateIdentity(pages);
        std::string kept;
        std::future<std::optional<SiteState>> decoding; // beside the manifest's reading
        if (folder_.readFile(kStateName, kept))
            decoding = std::async(std::launch::async, [&kept] { return decodeState(kept); });
        folder_.keepManifest(pages);
        std::optional<SiteState> state = decoding.valid() ? decoding.get() : std::nullopt;
        folder_.removeFile(kStateName); // before any page changes: a stopped write leaves none
        HistoryError error = state ? goOn(std::move(*state)) : std::nullopt;
        if (!error)
            error = readMatches();
        if (!error && raced_) { // matches came in between: every one read anew
            startTally();
            error = readMatches();
        }
        std::string read; // the tally and the ratings as read, stored once every page is
        if (!error && written_) {
            read = encodeState(identity_, namesKey(played_.size()), tally_, rater_->people());
            noteRatings(rater_->finish());
        }
        // A page and a list of matches per place, the lists of all matches and the ratings.
        folder_.expectPages(static_cast<int>(2 * (mapMatches_.size() + serverMatches_.size())) + 2);
        const bool written =
            !error && written_ && writeTableSite(table_, templates, folder_, this, pageTasks());
        if (!folder_.finish() || (!error && !written))
            return folder_.error();
        if (error)
            return error;
        if (!folder_.keepFile(kStateName, read))
            return folder_.error();
        return std::nullopt;
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
    // A match as a row shows it: its row and its places' names.
    struct ShownMatch {
        std::size_t index;
        const MatchRow& row;
        const std::string& map;
        const std::string& server;
    };

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

    // Nothing read yet: the tally and the rater start empty.
    void startTally() {
        tally_ = HistoryTally{};
        played_.resize(ratingOf_.size());
        rater_.emplace(table_.players, RatingOptions{table_.linked, site_.bots});
        expected_.clear();
        raced_ = false;
        kept_ = {};
    }

    // What the kept state must have been written for besides the table: the
    // pages' identity, the selection and the options.
    std::string stateIdentity(const std::string& pages) const {
        KeyBytes bytes;
        for (const std::string* text : {&pages, &table_.logName, &table_.description, &table_.nick,
                                        &site_.selection.server, &site_.selection.map})
            bytes.addText(*text);
        for (const std::string& type : site_.selection.gameTypes)
            bytes.addText(type);
        for (const auto bound : {site_.selection.since, site_.selection.until})
            bytes.add(bound);
        for (const bool option : {table_.linked, site_.bots})
            bytes.add(option);
        return bytes.key();
    }

    // What the table says of each name of the matches read (the slots the
    // tally knows, in the order of first appearance): the player his name
    // stands for, the page it links to, whether it is the user's, and the
    // person he is rated as. A kept tally goes on only where this stayed.
    std::string namesKey(std::size_t slots) const {
        KeyBytes bytes;
        for (int slot = 1; slot < static_cast<int>(slots); ++slot) {
            const PlayerRecord& record = table_.players[slot];
            const std::string& name =
                record.originalName.empty() ? record.name : record.originalName;
            const int player = table_.players.findPlayerIndex(name);
            const int owner = links_.pageOf(name);
            const int person = rater_->personOf(player);
            bytes.addText(name);
            for (const int number : {player, owner, person})
                bytes.add(number);
            for (const bool flag : {links_.isNick(owner), rater_->isBot(person)})
                bytes.add(flag);
        }
        return bytes.key();
    }

    // Goes on from `state` when it was written for this site and the history
    // only grew since: the matches it read are still the first selected, the
    // table says the same of their names, and their pages are as it left
    // them (in the manifest and the folder). Else every match is read.
    HistoryError goOn(SiteState state) {
        HistoryTally& kept = state.tally;
        if (state.identity != identity_ || kept.played.size() > played_.size())
            return std::nullopt;
        if (auto error = site_.store.readFingerprints(site_.selection, expected_))
            return error;
        if (expected_.size() < kept.fingerprints.size() ||
            !std::equal(kept.fingerprints.begin(), kept.fingerprints.end(), expected_.begin())) {
            expected_.clear();
            return std::nullopt;
        }
        const bool sameNames = namesKey(kept.played.size()) == state.names;
        std::vector<std::string> pages(kept.matches.size());
        for (std::size_t i = 0; i < pages.size(); ++i)
            pages[i] = matchPage(i);
        if (!sameNames || !folder_.keepPages(pages)) {
            expected_.clear();
            return std::nullopt;
        }
        const std::size_t slots = played_.size();
        tally_ = std::move(kept);
        played_.resize(slots);
        for (std::vector<PlaceMatches>* places : {&mapMatches_, &serverMatches_})
            for (PlaceMatches& place : *places)
                place.kills.resize(slots);
        rater_->goOn(std::move(state.people));
        noteKeptLists();
        return std::nullopt;
    }

    // How long each list of matches was when its pages were written.
    void noteKeptLists() {
        kept_.all = matches_.size();
        for (const std::vector<PlayedRow>& rows : played_)
            kept_.played.push_back(rows.size());
        for (const PlaceMatches& place : mapMatches_)
            kept_.maps.push_back(place.matches.size());
        for (const PlaceMatches& place : serverMatches_)
            kept_.servers.push_back(place.matches.size());
    }

    static std::size_t keptOf(const std::vector<std::size_t>& lists, std::size_t list) {
        return list < lists.size() ? lists[list] : 0;
    }

    // The selected matches not in the tally yet.
    HistoryError readMatches() {
        HistorySelection selection = site_.selection;
        selection.skip = static_cast<std::int64_t>(matches_.size());
        matchPages_.emplace([this](MatchJob& job) { writeMatch(job); });
        HistoryError error = site_.store.readMatches(
            selection, [this](const MatchRecord& match) { addMatch(match); });
        matchPages_.reset(); // every page done
        return error;
    }

    void addMatch(const MatchRecord& match) {
        const std::size_t index = matches_.size();
        if (!expected_.empty() &&
            (index >= expected_.size() || expected_[index] != match.fingerprint))
            raced_ = true;
        if (!written_ || raced_)
            return;
        tally_.fingerprints.push_back(match.fingerprint);
        rater_->add(match, static_cast<std::int64_t>(index));
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
        matchPages_->push({match, std::move(owners), index, matches_.back()});
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

    // Every input of a match's page, its own copy: it may be made on the other thread.
    struct MatchJob {
        MatchRecord match;
        std::vector<int> owners; // by seat: the player whose page his name links to
        std::size_t index = 0;
        MatchRow row;
        ShownMatch shown() const { return {index, row, match.map, match.server}; }
    };

    void writeMatch(const MatchJob& job) {
        if (written_ && !folder_.putPage(matchPage(job.index), matchKey(job),
                                         [&] { return templates_.match.render(matchData(job)); }))
            written_ = false;
    }

    // Everything matchData reads, as a key: a match's page is the most
    // numerous, so an unchanged one is skipped before its data is built.
    std::string matchKey(const MatchJob& job) const {
        const MatchRecord& match = job.match;
        const std::vector<int>& owners = job.owners;
        KeyBytes bytes;
        for (const std::string* text :
             {&table_.logName, &table_.description, &match.map, &match.server})
            bytes.addText(*text);
        addMatchRow(bytes, job.shown());
        bytes.add(recordsObjectives(match.scope));
        for (const auto value : {match.players.size(), match.kills.size()})
            bytes.add(value);
        for (std::size_t seat = 0; seat < match.players.size(); ++seat) {
            bytes.addText(match.players[seat].name);
            bytes.add(match.players[seat].counters);
            bytes.add(owners[seat]);
            bytes.add(links_.isNick(owners[seat]));
        }
        for (const MatchKills& k : match.kills)
            bytes.add(k);
        return bytes.key();
    }

    mustache::data matchData(const MatchJob& job) const {
        const MatchRecord& match = job.match;
        const std::vector<int>& owners = job.owners;
        mustache::data d;
        startPage(d, table_, templates_, mapHtml(match.map) + " on " + plainNameHtml(match.server));
        fillMatchRow(d, job.shown());
        mustache::data& board = newList(d, "scoreboard", match.players.size());
        d["objectivesRecorded"] = recordsObjectives(match.scope);
        std::vector<SeatName> names;
        names.reserve(match.players.size());
        for (std::size_t seat = 0; seat < match.players.size(); ++seat)
            names.push_back({nameHtml(match.players[seat].name), links_.linkTo(owners[seat]),
                             links_.isNick(owners[seat])});
        const std::vector<std::size_t> seats = seatsByKills(match);
        for (std::size_t seat : seats) {
            const MatchPlayer& player = match.players[seat];
            mustache::data& line = newItem(board);
            fillName(line, names[seat]);
            line["kills"] = std::to_string(player.counters[totalKills]);
            line["deaths"] = std::to_string(player.counters[totalDeaths]);
            line["teamKills"] = std::to_string(player.counters[teamKills]);
            PlayerRecord record;
            record.counters = player.counters;
            line["objectives"] = std::to_string(objectivesOf(record)); // shown where recorded
        }
        d["hasKills"] = fillKills(newList(d, "killers", match.players.size()), match, seats, names);
        d["players"] = std::to_string(job.row.players);
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

    // A seat's name and link, made once: on its match's page a name stands
    // in the scoreboard, as a killer and as each killer's victim.
    struct SeatName {
        mustache::data name, link;
        bool you = false;
    };

    static void fillName(mustache::data& d, const SeatName& seat) {
        d["name"] = mustache::data(seat.name);
        d["link"] = mustache::data(seat.link);
        d["you"] = seat.you;
    }

    // Who killed whom: each killer (the seats in the scoreboard's order) with
    // his victims, most killed first; false for nobody.
    static bool fillKills(mustache::data& killers, const MatchRecord& match,
                          const std::vector<std::size_t>& seats,
                          const std::vector<SeatName>& names) {
        std::vector<std::vector<MatchKills>> byKiller(match.players.size());
        for (const MatchKills& k : match.kills)
            if (k.killer >= 0 && static_cast<std::size_t>(k.killer) < byKiller.size() &&
                k.victim >= 0 && static_cast<std::size_t>(k.victim) < byKiller.size())
                byKiller[static_cast<std::size_t>(k.killer)].push_back(k);
        for (std::size_t seat : seats) {
            std::vector<MatchKills>& victims = byKiller[seat];
            if (victims.empty())
                continue;
            std::stable_sort(
                victims.begin(), victims.end(),
                [](const MatchKills& a, const MatchKills& b) { return a.count > b.count; });
            mustache::data& killer = newItem(killers);
            fillName(killer, names[seat]);
            mustache::data& list = newList(killer, "victims", victims.size());
            for (const MatchKills& k : victims) {
                mustache::data& victim = newItem(list);
                fillName(victim, names[static_cast<std::size_t>(k.victim)]);
                victim["count"] = std::to_string(k.count);
            }
        }
        return !itemsOf(killers).empty();
    }

    // --- lists of matches ---

    ShownMatch shownMatch(std::size_t index) const {
        const MatchRow& row = matches_[index];
        return {index, row, maps_.places()[row.map].place, servers_.places()[row.server].place};
    }

    // The match's date, place, type and page.
    void fillMatchRow(mustache::data& d, const ShownMatch& match) const {
        const MatchRow& row = match.row;
        d["matchLink"] = matchPage(match.index);
        d["date"] = dateText(row.playedAt);
        d["map"] = mapHtml(match.map);
        d["mapLink"] = placePage(PlaceKind::Map, row.map) + ".html";
        d["server"] = nameHtml(match.server);
        d["serverLink"] = placePage(PlaceKind::Server, row.server) + ".html";
        d["gameType"] = gameTypeHtml(row.gameType);
        d["players"] = std::to_string(row.players);
        d["player"] = false; // a row of a player's matches says what he did
    }

    void fillPlayedRow(mustache::data& d, const PlayedRow& played) const {
        fillMatchRow(d, shownMatch(played.match));
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
            fillMatchRow(newItem(list), shownMatch(matches[i]));
    }

    // Everything fillMatchRow reads.
    void addMatchRow(KeyBytes& bytes, const ShownMatch& match) const {
        const MatchRow& row = match.row;
        for (const std::string* text : {&match.map, &match.server, &row.gameType})
            bytes.addText(*text);
        for (const auto value :
             {match.index, row.map, row.server, static_cast<std::size_t>(row.players)})
            bytes.add(value);
        bytes.add(row.playedAt);
    }

    // A list's pages (matchListPages) of `count` rows, `kept` of them when its
    // pages were written; `row(i)` is row i (counted in the order played): a
    // match, and with `withPlayer` what the page's player did in it. The blocks
    // that cannot have changed are kept unread; a page is keyed by its rows'
    // inputs, so an unchanged one is passed over before its data is built.
    template <class Row>
    bool writeMatchList(const std::string& name, const std::string& titleHtml, std::size_t count,
                        std::size_t kept, bool withPlayer, Row row) {
        std::vector<MatchListPage> pages = matchListPages(name, count, kEntriesPerPage);
        std::vector<std::string> same;
        for (const MatchListPage& page : pages)
            if (unchangedSince(page, kept))
                same.push_back(page.file);
        if (!same.empty() && folder_.keepPages(same))
            std::erase_if(pages,
                          [&](const MatchListPage& page) { return unchangedSince(page, kept); });
        for (const MatchListPage& page : pages) {
            KeyBytes key;
            for (const std::string* text :
                 {&page.file, &page.newest, &page.newer, &page.older, &page.oldest, &titleHtml,
                  &table_.logName, &table_.description})
                key.addText(*text);
            for (const std::size_t value : {page.from, page.to})
                key.add(value);
            key.add(withPlayer);
            for (std::size_t i = page.to; i-- > page.from;) {
                const PlayedRow played = row(i);
                addMatchRow(key, shownMatch(played.match));
                if (withPlayer) {
                    key.addText(displayName(played.name));
                    key.add(played.kills);
                    key.add(played.deaths);
                }
            }
            const bool put = folder_.putPage(page.file, key.key(), [&] {
                mustache::data d;
                startPage(d, table_, templates_, titleHtml);
                d["heading"] = titleHtml;
                d["withPlayer"] = withPlayer;
                mustache::data& rows = newList(d, "matches", page.to - page.from);
                for (std::size_t i = page.to; i-- > page.from;) {
                    const PlayedRow played = row(i);
                    if (withPlayer)
                        fillPlayedRow(newItem(rows), played);
                    else
                        fillMatchRow(newItem(rows), shownMatch(played.match));
                }
                d["empty"] = count == 0;
                fillListLinks(d, page);
                return templates_.matches.render(d);
            });
            if (!put)
                return false;
        }
        return true;
    }

    // The links to a list's other pages; a block names its matches by number.
    static void fillListLinks(mustache::data& d, const MatchListPage& page) {
        d["paged"] = !page.older.empty() || page.block;
        for (const auto& [link, file] : {std::pair{"newest", &page.newest},
                                         {"newer", &page.newer},
                                         {"older", &page.older},
                                         {"oldest", &page.oldest}})
            if (!file->empty())
                d[link] = *file;
        if (page.block) {
            d["first"] = std::to_string(page.from + 1);
            d["last"] = std::to_string(page.to);
        }
    }

    static PlayedRow matchOnly(std::size_t match) { return {match, 0, 0, 0}; }

    bool writeAllMatches() {
        return writeMatchList("matches", "Matches", matches_.size(), kept_.all, false, matchOnly);
    }

    // A player's matches, when his page cannot show them all.
    bool writePlayerMatches(int player) {
        const std::vector<PlayedRow>& played = played_[static_cast<std::size_t>(player)];
        return played.size() <= kRecentShown ||
               writeMatchList(playerMatchesName(player),
                              "Matches of " + nameHtml(table_.players[player].name), played.size(),
                              keptOf(kept_.played, static_cast<std::size_t>(player)), true,
                              [&](std::size_t i) { return played[i]; });
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
            row["map"] = mapHtml(step.map);
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
        const PlaceKind kind = &tally == &maps_ ? PlaceKind::Map : PlaceKind::Server;
        for (std::size_t i = 0; i < places.size(); ++i) {
            mustache::data& d = newItem(list);
            d["name"] = placeHtml(kind, places[i].place);
            d["link"] = placePage(kind, i) + ".html";
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

    // Place i of `tally`: its page and its list of matches.
    bool writePlace(const PlaceTally& tally, const std::vector<PlaceMatches>& places,
                    std::size_t i) {
        const bool maps = &tally == &maps_;
        const PlaceKind kind = maps ? PlaceKind::Map : PlaceKind::Server;
        const PlaceSummary& summary = tally.places()[i];
        const std::string name = placePage(kind, i);
        const std::string title = placeHtml(kind, summary.place);
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
        return putPage(folder_, name + ".html", templates_.place, d) &&
               writeMatchList(name + "-matches",
                              "Matches " + std::string(maps ? "on " : "of ") + title,
                              matches.size(), keptOf(maps ? kept_.maps : kept_.servers, i), false,
                              [&](std::size_t m) { return matchOnly(matches[m]); });
    }

    // The history's pages besides the matches' and the table's, each list a task.
    std::vector<PageTask> pageTasks() {
        std::vector<PageTask> tasks{[this] { return writeAllMatches(); }};
        for (int player : links_.paged())
            tasks.push_back([this, player] { return writePlayerMatches(player); });
        for (const PlaceTally* tally : {&maps_, &servers_}) {
            const auto& places = tally == &maps_ ? mapMatches_ : serverMatches_;
            for (std::size_t i = 0; i < places.size(); ++i)
                tasks.push_back(
                    [this, tally, &places, i] { return writePlace(*tally, places, i); });
        }
        tasks.push_back([this] { return writeRatings(); });
        return tasks;
    }

    const HistorySite& site_;
    const LogSite& table_;
    const SiteTemplates::Compiled& templates_;
    SiteFolder& folder_;
    const PlayerLinks links_;
    std::string identity_; // what a kept state must have been written for
    HistoryTally tally_;
    // Aliases of the tally's parts.
    std::vector<MatchRow>& matches_ = tally_.matches;
    std::vector<std::vector<PlayedRow>>& played_ = tally_.played;
    PlaceTally &maps_ = tally_.maps, &servers_ = tally_.servers;
    std::vector<PlaceMatches>&mapMatches_ = tally_.mapMatches,
    &serverMatches_ = tally_.serverMatches;
    std::optional<TableRater> rater_; // fed the matches as they are read
    struct {
        std::size_t all = 0;
        std::vector<std::size_t> played, maps, servers; // by player, map, server
    } kept_;                                            // going on: each list's rows written before
    std::vector<std::string> expected_;             // going on: every selected match's fingerprint
    bool raced_ = false;                            // going on: the history changed meanwhile
    std::vector<PlayerRating> ratings_;             // best first
    std::vector<std::size_t> ratingPlaces_;         // by rating: equal ratings share one
    std::vector<const PlayerRating*> ratingOf_;     // by player with a page
    std::atomic<bool> written_ = true;              // every page so far
    std::optional<PageQueue<MatchJob>> matchPages_; // while the matches are read
};

} // namespace

HistoryError writeHistorySite(const HistorySite& site, const SiteTemplates& templates,
                              SiteFolder& folder) {
    if (folder.error())
        return folder.error();
    return HistoryPages(site, templates, folder).run(templates);
}

} // namespace quorvath::web
