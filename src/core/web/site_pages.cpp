#include "core/web/site_pages.h"

#include "core/rank/ranking.h"
#include "core/rank/top_lists.h"
#include "core/report/player_sheet.h"
#include "core/web/compiled_templates.h"
#include "core/web/html_text.h"
#include "core/web/weapon_chart.h"

#include <algorithm>

namespace quorvath::web {

namespace {

constexpr std::size_t kLeadersShown = 5;

std::string playerPage(int player) { return "player-" + std::to_string(player) + ".html"; }

std::string rankingPage(std::size_t category, std::size_t page) {
    std::string number = std::to_string(category + 1);
    if (number.size() < 2)
        number.insert(0, "0");
    std::string name = "ranking-" + number;
    if (page > 1)
        name += "-" + std::to_string(page);
    return name + ".html";
}

std::size_t categoryNumber(const std::string& category) {
    const auto& all = rankingCategories();
    return static_cast<std::size_t>(std::find(all.begin(), all.end(), category) - all.begin());
}

class SiteWriter {
public:
    SiteWriter(const LogSite& site, const SiteTemplates& templates, SiteFolder& folder)
        : site_(site), templates_(templates.compiled()), folder_(folder),
          ranked_(rankedPlayers(site.players, RankingContext{site.linked})) {
        nickPlayer_ = site.nick.empty() ? 0 : site.players.findPlayerIndex(site.nick);
    }

    bool run() {
        folder_.expectPages(static_cast<int>(rankingCategories().size() + ranked_.size()) + 2);
        if (!folder_.put("style.css", templates_.style))
            return false;
        for (std::size_t c = 0; c < rankingCategories().size(); ++c)
            if (!writeCategory(c))
                return false;
        for (int player : ranked_)
            if (!writePlayer(player))
                return false;
        return render(templates_.index, indexData(), "index.html");
    }

private:
    // Every page: the partials, the log and the way home; `title` is HTML.
    mustache::data pageData(const std::string& title) const {
        mustache::data d;
        d.set("title", title);
        d.set("logName", escapedHtml(site_.logName));
        d.set("description", escapedHtml(site_.description));
        d.set("header", mustache::partial([this] { return templates_.header; }));
        d.set("footer", mustache::partial([this] { return templates_.footer; }));
        return d;
    }

    bool render(mustache::mustache& page, const mustache::data& data, const std::string& name) {
        return folder_.put(name, page.render(data));
    }

    mustache::data entryData(const RankedEntry& e, const RankedList& list) const {
        mustache::data d;
        d.set("place", std::to_string(e.place));
        d.set("name", nameHtml(e.name));
        d.set("link", playerPage(e.player));
        d.set("value", rankedValueText(e.value, list.wholeNumbers));
        d.set("you", e.player == nickPlayer_ && nickPlayer_ != 0);
        return d;
    }

    // `list` with its entries [from, to).
    mustache::data listData(const RankedList& list, std::size_t from, std::size_t to) const {
        mustache::data entries{mustache::data::type::list};
        to = std::min(to, list.entries.size());
        for (std::size_t i = from; i < to; ++i)
            entries.push_back(entryData(list.entries[i], list));
        mustache::data d;
        d.set("title", escapedHtml(list.title));
        d.set("recorded", list.recorded);
        d.set("empty", list.recorded && from >= to);
        d.set("entries", entries);
        return d;
    }

    std::vector<RankedList> category(const std::string& text) const {
        return rankCategory(text, site_.players, {site_.linked, 0, Pane::Left}, site_.counting)
            .value_or(std::vector<RankedList>{});
    }

    mustache::data playerLinks() const {
        mustache::data players{mustache::data::type::list};
        for (int player : ranked_) {
            mustache::data d;
            d.set("name", nameHtml(site_.players[player].name));
            d.set("link", playerPage(player));
            players.push_back(d);
        }
        return players;
    }

    bool writeCategory(std::size_t c) {
        const std::string& text = rankingCategories()[c];
        const std::vector<RankedList> lists = category(text);
        std::size_t longest = 0;
        for (const RankedList& list : lists)
            longest = std::max(longest, list.entries.size());
        const std::size_t pages =
            std::max<std::size_t>(1, (longest + kEntriesPerPage - 1) / kEntriesPerPage);
        for (std::size_t page = 1; page <= pages; ++page) {
            mustache::data d = pageData(escapedHtml(text));
            d.set("category", escapedHtml(text));
            mustache::data shown{mustache::data::type::list};
            for (const RankedList& list : lists)
                shown.push_back(
                    listData(list, (page - 1) * kEntriesPerPage, page * kEntriesPerPage));
            d.set("lists", shown);
            d.set("topLists", text == kCategoryTopKillers);
            if (text == kCategoryTopKillers)
                d.set("players", playerLinks());
            d.set("paged", pages > 1);
            mustache::data numbers{mustache::data::type::list};
            for (std::size_t p = 1; p <= pages; ++p) {
                mustache::data n;
                n.set("number", std::to_string(p));
                n.set("link", rankingPage(c, p));
                n.set("current", p == page);
                numbers.push_back(n);
            }
            d.set("pages", numbers);
            if (!render(templates_.ranking, d, rankingPage(c, page)))
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

    bool writePlayer(int player) {
        const PlayerRecord& record = site_.players[player];
        const std::vector<RankedList> tops =
            topLists(player, site_.players, site_.linked, site_.counting.mode);
        const RankedList& victims = tops.at(0);
        const RankedList& killers = tops.at(1);
        noteNemesis(player, victims, killers);

        mustache::data d = pageData(plainNameHtml(record.name));
        d.set("name", nameHtml(record.name));
        d.set("you", player == nickPlayer_);
        std::string sheet = playerSheet(record, site_.counting);
        sheet.erase(std::remove(sheet.begin(), sheet.end(), '\r'), sheet.end());
        d.set("sheet", escapedHtml(sheet));
        const std::vector<WeaponFigures> figures = weaponFigures(record, site_.counting);
        d.set("chart", weaponChartSvg(figures, "Kills and deaths of " + plainNameHtml(record.name) +
                                                   " by weapon"));
        mustache::data weapons{mustache::data::type::list};
        for (const WeaponFigures& f : figures) {
            mustache::data w;
            w.set("weapon", escapedHtml(f.weapon));
            w.set("kills", std::to_string(f.kills));
            w.set("deaths", std::to_string(f.deaths));
            weapons.push_back(w);
        }
        d.set("weapons", weapons);
        d.set("hasWeapons", !figures.empty());
        mustache::data topLists{mustache::data::type::list};
        for (const RankedList& list : tops)
            topLists.push_back(listData(list, 0, list.entries.size()));
        d.set("topLists", topLists);
        if (!victims.entries.empty())
            d.set("favouriteVictim", entryData(victims.entries.front(), victims));
        if (!killers.entries.empty())
            d.set("nemesis", entryData(killers.entries.front(), killers));
        mustache::data aliases{mustache::data::type::list};
        for (int i = 1; i <= record.aliases.count(); ++i) {
            mustache::data a;
            a.set("name", nameHtml(record.aliases.key(i)));
            a.set("link", playerPage(record.aliases.item(i)));
            aliases.push_back(a);
        }
        d.set("aliases", aliases);
        d.set("hasAliases", !record.aliases.empty());
        return render(templates_.player, d, playerPage(player));
    }

    // The most one-sided nemesis: the player's top killer by how many more
    // times he killed him than was killed by him (the first such player on a tie).
    void noteNemesis(int player, const RankedList& victims, const RankedList& killers) {
        if (killers.entries.empty())
            return;
        const RankedEntry& nemesis = killers.entries.front();
        const double margin = nemesis.value - valueOf(victims, nemesis.player);
        if (margin > bestMargin_) {
            bestMargin_ = margin;
            oneSided_ = {player, nemesis.player, nemesis.value, nemesis.value - margin};
        }
    }

    // The leaders of a list: its first entries.
    mustache::data leaders(const RankedList& list, const std::string& title,
                           const std::string& link) const {
        mustache::data d = listData(list, 0, kLeadersShown);
        d.set("title", escapedHtml(title));
        if (!link.empty())
            d.set("link", link);
        return d;
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

    mustache::data award(const std::string& title, const RankedList& list) const {
        mustache::data d;
        d.set("title", title);
        if (!list.entries.empty())
            d.set("winner", entryData(list.entries.front(), list));
        return d;
    }

    mustache::data indexData() const {
        mustache::data d = pageData("Quorvath report");
        mustache::data lead{mustache::data::type::list};
        for (const char* text : {"Kills", kCategoryOverallScore, "Headshots (OSP)"}) {
            const std::vector<RankedList> lists = category(text);
            if (!lists.empty() && lists.front().recorded)
                lead.push_back(leaders(lists.front(), text, rankingPage(categoryNumber(text), 1)));
        }
        lead.push_back(leaders(
            rankingBy("Objectives",
                      [&](int p) { return static_cast<double>(objectivesOf(site_.players[p])); }),
            "Objectives", ""));
        d.set("leaders", lead);

        mustache::data awards{mustache::data::type::list};
        awards.push_back(award("Most team kills", category("Team Killing").at(0)));
        std::vector<double> suicides(static_cast<std::size_t>(site_.players.playerCount()) + 1);
        for (const RankedList& list : category("Suicide"))
            for (const RankedEntry& e : list.entries)
                suicides[static_cast<std::size_t>(e.player)] += e.value;
        awards.push_back(award("Most suicides", rankingBy("Suicides", [&](int p) {
                                   return suicides[static_cast<std::size_t>(p)];
                               })));
        awards.push_back(oneSidedAward());
        d.set("awards", awards);

        mustache::data categories{mustache::data::type::list};
        for (std::size_t c = 0; c < rankingCategories().size(); ++c) {
            mustache::data link;
            link.set("title", escapedHtml(rankingCategories()[c]));
            link.set("link", rankingPage(c, 1));
            categories.push_back(link);
        }
        d.set("categories", categories);
        d.set("players", playerLinks());
        d.set("playerCount", std::to_string(ranked_.size()));
        return d;
    }

    mustache::data oneSidedAward() const {
        RankedList list;
        if (oneSided_.killer != 0)
            list.entries.push_back(
                {1, oneSided_.killer, site_.players[oneSided_.killer].name, oneSided_.kills});
        mustache::data d = award("Most one-sided nemesis", list);
        if (oneSided_.killer == 0)
            return d;
        const RankedEntry victim{1, oneSided_.victim, site_.players[oneSided_.victim].name, 0};
        d.set("victim", entryData(victim, list));
        d.set("killedBack", rankedValueText(oneSided_.killedBack, true));
        return d;
    }

    struct OneSided {
        int victim = 0;
        int killer = 0;
        double kills = 0;      // by the killer of the victim
        double killedBack = 0; // by the victim of the killer
    };

    const LogSite& site_;
    const SiteTemplates::Compiled& templates_;
    SiteFolder& folder_;
    const std::vector<int> ranked_;
    int nickPlayer_ = 0;
    double bestMargin_ = 0;
    OneSided oneSided_;
};

} // namespace

bool writeLogSite(const LogSite& site, const SiteTemplates& templates, SiteFolder& folder) {
    return SiteWriter(site, templates, folder).run();
}

} // namespace quorvath::web
