#include "core/web/site_pages.h"

#include "core/rank/ranking.h"
#include "core/rank/top_lists.h"
#include "core/report/player_sheet.h"
#include "core/web/html_text.h"
#include "core/web/site_writer.h"
#include "core/web/svg_charts.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace quorvath::web {

namespace {

constexpr std::size_t kLeadersShown = 5;
// More players than this are listed on pages of their own, not on the index.
constexpr std::size_t kIndexPlayers = 500;

// "ranking-NN": category NN, counted from 1.
std::string rankingName(std::size_t category) {
    std::string number = std::to_string(category + 1);
    if (number.size() < 2)
        number.insert(0, "0");
    return "ranking-" + number;
}

std::string rankingPage(std::size_t category, std::size_t page) {
    return pagedName(rankingName(category), page);
}

std::size_t categoryNumber(const std::string& category) {
    const auto& all = rankingCategories();
    return static_cast<std::size_t>(std::find(all.begin(), all.end(), category) - all.begin());
}

std::size_t pageCount(std::size_t entries) {
    return std::max<std::size_t>(1, (entries + kEntriesPerPage - 1) / kEntriesPerPage);
}

// A player's nemesis, as the award weighs it.
struct OneSided {
    int victim = 0;
    int killer = 0;
    double kills = 0;      // by the killer of the victim
    double killedBack = 0; // by the victim of the killer
};

class SiteWriter {
public:
    SiteWriter(const LogSite& site, const SiteTemplates& templates, SiteFolder& folder,
               const PageExtras* extras)
        : site_(site), templates_(templates.compiled()), folder_(folder), extras_(extras),
          links_(site), ranked_(rankedPlayers(site.players, context())),
          nemeses_(links_.paged().size()) {}

    // The pages on two threads, each page made where it is rendered: the
    // categories, the players (and `more`, the caller's), then the index.
    bool run(const std::vector<PageTask>& more) {
        folder_.expectPages(static_cast<int>(rankingCategories().size() + ranked_.size()) + 2);
        if (!folder_.put("style.css", templates_.style))
            return false;
        std::vector<PageTask> tasks = more;
        for (std::size_t c = 0; c < rankingCategories().size(); ++c)
            tasks.push_back([this, c] { return writeCategory(c); });
        for (std::size_t i = 0; i < links_.paged().size(); ++i)
            tasks.push_back([this, i] { return writePlayer(i); });
        if (links_.paged().size() > kIndexPlayers)
            tasks.push_back([this] { return writePlayerList(); });
        if (!onTwoThreads(tasks))
            return false;
        mustache::data index;
        fillIndex(index);
        return render(templates_.index, index, "index.html");
    }

private:
    RankingContext context() const { return {site_.linked, 0, Pane::Left, site_.leftOut}; }

    bool render(mustache::mustache& page, const mustache::data& data, const std::string& name) {
        return putPage(folder_, name, page, data);
    }

    // `list` with its entries [from, to).
    void fillList(mustache::data& d, const RankedList& list, std::size_t from,
                  std::size_t to) const {
        to = std::min(to, list.entries.size());
        mustache::data& entries = newList(d, "entries", to - std::min(from, to));
        for (std::size_t i = from; i < to; ++i)
            links_.fillEntry(newItem(entries), list.entries[i], list.wholeNumbers);
        d["title"] = escapedHtml(list.title);
        d["recorded"] = list.recorded;
        d["empty"] = list.recorded && from >= to;
    }

    std::vector<RankedList> category(const std::string& text) const {
        return rankCategory(text, site_.players, context(), site_.counting)
            .value_or(std::vector<RankedList>{});
    }

    void fillPlayerLinks(mustache::data& players) const {
        for (int player : links_.paged()) {
            mustache::data& d = newItem(players);
            d["name"] = nameHtml(site_.players[player].name);
            d["link"] = playerPage(player);
        }
    }

    // Every player with a page: the list of them, or when long a link to their pages.
    void fillPlayers(mustache::data& d) const {
        if (links_.paged().size() <= kIndexPlayers)
            fillPlayerLinks(newList(d, "players", links_.paged().size()));
        else
            d["allPlayers"] = pagedName("players", 1);
    }

    bool writeCategory(std::size_t c) {
        const std::string& text = rankingCategories()[c];
        const std::vector<RankedList> lists = category(text);
        std::size_t longest = 0;
        for (const RankedList& list : lists)
            longest = std::max(longest, list.entries.size());
        const std::size_t pages = pageCount(longest);
        for (std::size_t page = 1; page <= pages; ++page) {
            mustache::data d;
            startPage(d, site_, templates_, escapedHtml(text));
            d["category"] = escapedHtml(text);
            d["topLists"] = text == kCategoryTopKillers;
            if (text == kCategoryTopKillers)
                fillPlayers(d);
            fillPageLinks(d, rankingName(c), pages, page);
            // Keyed by the lists' entries, filled in only when rendered, as a player's page.
            const std::size_t from = (page - 1) * kEntriesPerPage, to = page * kEntriesPerPage;
            const std::string key = bytesKey(pageKey(d) + listsBytes(lists, from, to));
            const bool put = folder_.putPage(rankingPage(c, page), key, [&] {
                mustache::data& shown = newList(d, "lists", lists.size());
                for (const RankedList& list : lists)
                    fillList(newItem(shown), list, from, to);
                return templates_.ranking.render(d);
            });
            if (!put)
                return false;
        }
        return true;
    }

    // Every player with a page, as a ranking page lists them ("players.html", ...).
    bool writePlayerList() {
        const std::vector<int>& all = links_.paged();
        const std::size_t pages = pageCount(all.size());
        for (std::size_t page = 1; page <= pages; ++page) {
            mustache::data d;
            startPage(d, site_, templates_, "Players");
            d["category"] = "Players";
            mustache::data& list = newItem(newList(d, "lists", 1));
            list["title"] = "Players";
            list["recorded"] = true;
            list["empty"] = false;
            const std::size_t from = (page - 1) * kEntriesPerPage;
            const std::size_t to = std::min(all.size(), from + kEntriesPerPage);
            mustache::data& entries = newList(list, "entries", to - from);
            for (std::size_t i = from; i < to; ++i) {
                mustache::data& entry = newItem(entries);
                links_.fillEntry(
                    entry, {static_cast<int>(i + 1), all[i], site_.players[all[i]].name, 0}, true);
                entry["value"] = std::string();
            }
            fillPageLinks(d, "players", pages, page);
            if (!render(templates_.ranking, d, pagedName("players", page)))
                return false;
        }
        return true;
    }

    // The value of `player` in `list`, 0 when he is not in it.
    static double valueOf(const RankedList& list, int player) {
        for (const RankedEntry& e : list.entries)
            if (e.player == player)
                return e.value;
        return 0;
    }

    void fillWeapons(mustache::data& d, const PlayerRecord& record) const {
        const std::vector<WeaponFigures> figures = weaponFigures(record, site_.counting);
        d["chart"] = weaponChartSvg(figures, "Kills and deaths of " + plainNameHtml(record.name) +
                                                 " by weapon");
        mustache::data& weapons = newList(d, "weapons", figures.size());
        for (const WeaponFigures& f : figures) {
            mustache::data& w = newItem(weapons);
            w["weapon"] = escapedHtml(f.weapon);
            w["kills"] = std::to_string(f.kills);
            w["deaths"] = std::to_string(f.deaths);
        }
        d["hasWeapons"] = !figures.empty();
    }

    void fillAliases(mustache::data& d, const PlayerRecord& record) const {
        mustache::data& aliases =
            newList(d, "aliases", static_cast<std::size_t>(record.aliases.count()));
        for (int i = 1; i <= record.aliases.count(); ++i) {
            mustache::data& a = newItem(aliases);
            a["name"] = nameHtml(record.aliases.key(i));
            a["link"] = links_.linkTo(record.aliases.item(i));
        }
        d["hasAliases"] = !record.aliases.empty();
    }

    // The page of the i-th player with one.
    bool writePlayer(std::size_t i) {
        const int player = links_.paged()[i];
        const PlayerRecord& record = site_.players[player];
        const std::vector<RankedList> tops =
            topLists(player, site_.players, site_.linked, site_.counting.mode, site_.leftOut,
                     kEntriesPerPage);
        const RankedList& victims = tops.at(0);
        const RankedList& killers = tops.at(1);
        noteNemesis(i, player, victims, killers);

        mustache::data d;
        startPage(d, site_, templates_, plainNameHtml(record.name));
        d["name"] = nameHtml(record.name);
        d["you"] = links_.isNick(player);
        std::string sheet = playerSheet(record, site_.counting);
        sheet.erase(std::remove(sheet.begin(), sheet.end(), '\r'), sheet.end());
        d["sheet"] = escapedHtml(sheet);
        fillWeapons(d, record);
        if (!victims.entries.empty())
            links_.fillEntry(newObject(d, "favouriteVictim"), victims.entries.front(),
                             victims.wholeNumbers);
        if (!killers.entries.empty())
            links_.fillEntry(newObject(d, "nemesis"), killers.entries.front(),
                             killers.wholeNumbers);
        fillAliases(d, record);
        if (extras_)
            extras_->addToPlayer(player, d);
        // The top lists, the page's longest part, are keyed by what makes
        // their entries and filled in only when the page is rendered.
        const std::string key = bytesKey(pageKey(d) + listsBytes(tops, 0, kEntriesPerPage));
        return folder_.putPage(playerPage(player), key, [&] {
            mustache::data& lists = newList(d, "topLists", tops.size());
            for (const RankedList& list : tops)
                fillList(newItem(lists), list, 0, kEntriesPerPage);
            return templates_.player.render(d);
        });
    }

    // Everything fillList reads of the lists' entries from..to, as bytes.
    std::string listsBytes(const std::vector<RankedList>& lists, std::size_t from,
                           std::size_t to) const {
        KeyBytes bytes;
        for (const RankedList& list : lists) {
            bytes.addText(list.title);
            bytes.add(list.recorded);
            bytes.add(list.wholeNumbers);
            const std::size_t last = std::min(to, list.entries.size());
            const std::size_t first = std::min(from, last);
            for (const std::size_t bound : {first, last})
                bytes.add(bound);
            for (std::size_t i = first; i < last; ++i) {
                const RankedEntry& e = list.entries[i];
                bytes.addText(e.name);
                for (const int number : {e.place, e.player})
                    bytes.add(number);
                bytes.add(e.value);
                bytes.add(links_.hasPage(e.player));
                bytes.add(links_.isNick(e.player));
            }
        }
        return bytes.bytes();
    }

    // The most one-sided nemesis: the player's top killer by how many more
    // times he killed him than was killed by him (the first such player on a tie).
    // Noted by each player's page (the i-th with one), added up for the index.
    void noteNemesis(std::size_t i, int player, const RankedList& victims,
                     const RankedList& killers) {
        if (killers.entries.empty())
            return;
        const RankedEntry& nemesis = killers.entries.front();
        double killedBack = valueOf(victims, nemesis.player);
        if (killedBack == 0 && victims.entries.size() == kEntriesPerPage) // further down
            killedBack = valueOf(
                topLists(player, site_.players, site_.linked, site_.counting.mode, site_.leftOut)
                    .at(0),
                nemesis.player);
        const double margin = nemesis.value - killedBack;
        nemeses_[i] = {player, nemesis.player, nemesis.value, nemesis.value - margin};
    }

    OneSided mostOneSided() const {
        OneSided most;
        double bestMargin = 0;
        for (const OneSided& n : nemeses_)
            if (n.killer != 0 && n.kills - n.killedBack > bestMargin) {
                bestMargin = n.kills - n.killedBack;
                most = n;
            }
        return most;
    }

    // The leaders of a list: its first entries.
    void fillLeaders(mustache::data& d, const RankedList& list, const std::string& title,
                     const std::string& link) const {
        fillList(d, list, 0, kLeadersShown);
        d["title"] = escapedHtml(title);
        if (!link.empty())
            d["link"] = link;
    }

    // A ranking of the ranked players by `key`, as a category's list is.
    template <class Key> RankedList rankingBy(const std::string& title, Key key) const {
        std::vector<RankCandidate> candidates;
        for (int player : ranked_)
            candidates.push_back({player, key(player)});
        RankedList list;
        list.title = title;
        list.entries = rankedEntries(candidates, site_.players);
        return list;
    }

    void fillAward(mustache::data& d, const std::string& title, const RankedList& list) const {
        d["title"] = title;
        if (!list.entries.empty())
            links_.fillEntry(newObject(d, "winner"), list.entries.front(), list.wholeNumbers);
    }

    void fillLeaderCards(mustache::data& lead) const {
        for (const char* text : {"Kills", kCategoryOverallScore, "Headshots (OSP)"}) {
            const std::vector<RankedList> lists = category(text);
            if (!lists.empty() && lists.front().recorded)
                fillLeaders(newItem(lead), lists.front(), text,
                            rankingPage(categoryNumber(text), 1));
        }
        if (recordsObjectives(site_.counting))
            fillLeaders(newItem(lead),
                        rankingBy("Objectives",
                                  [&](int p) {
                                      return static_cast<double>(objectivesOf(site_.players[p]));
                                  }),
                        "Objectives", "");
    }

    void fillAwards(mustache::data& awards) const {
        fillAward(newItem(awards), "Most team kills", category("Team Killing").at(0));
        std::vector<double> suicides(static_cast<std::size_t>(site_.players.playerCount()) + 1);
        for (const RankedList& list : category("Suicide"))
            for (const RankedEntry& e : list.entries)
                suicides[static_cast<std::size_t>(e.player)] += e.value;
        fillAward(newItem(awards), "Most suicides", rankingBy("Suicides", [&](int p) {
                      return suicides[static_cast<std::size_t>(p)];
                  }));
        fillOneSidedAward(newItem(awards));
    }

    void fillIndex(mustache::data& d) const {
        startPage(d, site_, templates_, "Quorvath report");
        fillLeaderCards(newList(d, "leaders", 5)); // the history adds the rating's
        fillAwards(newList(d, "awards", 3));
        mustache::data& categories = newList(d, "categories", rankingCategories().size());
        for (std::size_t c = 0; c < rankingCategories().size(); ++c) {
            mustache::data& link = newItem(categories);
            link["title"] = escapedHtml(rankingCategories()[c]);
            link["link"] = rankingPage(c, 1);
        }
        fillPlayers(d);
        d["playerCount"] = std::to_string(links_.paged().size());
        if (extras_)
            extras_->addToIndex(d);
    }

    void fillOneSidedAward(mustache::data& d) const {
        const OneSided most = mostOneSided();
        RankedList list;
        if (most.killer != 0)
            list.entries.push_back({1, most.killer, site_.players[most.killer].name, most.kills});
        fillAward(d, "Most one-sided nemesis", list);
        if (most.killer == 0)
            return;
        const RankedEntry victim{1, most.victim, site_.players[most.victim].name, 0};
        links_.fillEntry(newObject(d, "victim"), victim, list.wholeNumbers);
        d["killedBack"] = rankedValueText(most.killedBack, true);
    }

    const LogSite& site_;
    const SiteTemplates::Compiled& templates_;
    SiteFolder& folder_;
    const PageExtras* extras_;
    const PlayerLinks links_;
    const std::vector<int> ranked_; // who the rankings list
    std::vector<OneSided> nemeses_; // by player with a page: his nemesis, noted by his page
};

} // namespace

bool putPage(SiteFolder& folder, const std::string& name, mustache::mustache& page,
             const mustache::data& data) {
    return folder.putPage(name, pageKey(data), [&] { return page.render(data); });
}

std::string pageIdentity(const SiteTemplates& templates) {
    constexpr int kPageFormat = 2; // counted up when the same data makes other pages
    return std::to_string(kPageFormat) + " " + templates.compiled().identity;
}

std::string playerPage(int player) { return "player-" + std::to_string(player) + ".html"; }

PlayerLinks::PlayerLinks(const LogSite& site)
    : players_(site.players), paged_(rankedPlayers(site.players, RankingContext{site.linked})),
      hasPage_(static_cast<std::size_t>(site.players.playerCount()) + 1),
      nickPlayer_(site.nick.empty() ? 0 : site.players.findPlayerIndex(site.nick)) {
    for (int player : paged_)
        hasPage_[static_cast<std::size_t>(player)] = true;
}

mustache::data PlayerLinks::linkTo(int player) const {
    if (hasPage(player))
        return playerPage(player);
    return false;
}

int PlayerLinks::pageOf(std::string_view name) const {
    int player = players_.findPlayerIndex(name);
    if (player != 0 && players_[player].master != 0 && !hasPage(player))
        player = players_[player].master;
    return hasPage(player) ? player : 0;
}

void PlayerLinks::fillEntry(mustache::data& d, const RankedEntry& e, bool wholeNumbers) const {
    d["place"] = std::to_string(e.place);
    d["name"] = nameHtml(e.name);
    d["link"] = linkTo(e.player);
    d["value"] = rankedValueText(e.value, wholeNumbers);
    d["you"] = isNick(e.player);
}

std::string pagedName(const std::string& name, std::size_t page) {
    return page > 1 ? name + "-" + std::to_string(page) + ".html" : name + ".html";
}

void startPage(mustache::data& page, const LogSite& site, const SiteTemplates::Compiled& templates,
               const std::string& title) {
    page["title"] = title;
    page["logName"] = escapedHtml(site.logName);
    page["description"] = escapedHtml(site.description);
    page["header"] = mustache::partial([&templates] { return templates.header; });
    page["footer"] = mustache::partial([&templates] { return templates.footer; });
    page["matchtable"] = mustache::partial([&templates] { return templates.matchTable; });
}

void fillPageLinks(mustache::data& page, const std::string& name, std::size_t pages,
                   std::size_t current) {
    page["paged"] = pages > 1;
    mustache::data& numbers = newList(page, "pages", pages);
    for (std::size_t p = 1; p <= pages; ++p) {
        mustache::data& n = newItem(numbers);
        n["number"] = std::to_string(p);
        n["link"] = pagedName(name, p);
        n["current"] = p == current;
    }
}

bool onTwoThreads(const std::vector<PageTask>& tasks) {
    std::atomic<std::size_t> next = 0;
    std::atomic<bool> failed = false;
    const auto work = [&] {
        for (std::size_t i; !failed && (i = next++) < tasks.size();)
            if (!tasks[i]())
                failed = true;
    };
    {
        const std::jthread other(work);
        work();
    }
    return !failed;
}

bool writeTableSite(const LogSite& site, const SiteTemplates& templates, SiteFolder& folder,
                    const PageExtras* extras, const std::vector<PageTask>& more) {
    return SiteWriter(site, templates, folder, extras).run(more);
}

bool writeLogSite(const LogSite& site, const SiteTemplates& templates, SiteFolder& folder) {
    return writeTableSite(site, templates, folder, nullptr) && folder.finish();
}

} // namespace quorvath::web
