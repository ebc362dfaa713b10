#include "core/rank/ranking.h"

#include "core/common/line_end.h"
#include "core/common/wrapping_int32.h"
#include "core/rank/alias_linking.h"
#include "core/rank/rank_order.h"
#include "core/rank/top_lists.h"

#include <algorithm>

namespace quorvath {
namespace {

constexpr const char* kRankingsFor = "Rankings for ";
constexpr std::int32_t kPlaced = -1000; // the sort's "already placed" mark

enum class CategoryKind { Plain, OverallScore, TopLists };

struct SubRanking {
    Counter key;
    const char* heading; // nullptr: the category text itself
};

struct Category {
    const char* text;
    CategoryKind kind;
    std::vector<SubRanking> rankings; // the first clears the pane, the others append
};

// The categories in list order with their sub-rankings.
const std::vector<Category>& categories() {
    static const std::vector<Category> table{
        {"Kills", CategoryKind::Plain, {{totalKills, nullptr}}},
        {kCategoryOverallScore,
         CategoryKind::OverallScore,
         {{overallScore, "Overall Score"}, {totalKills, "Kills"}}},
        {kCategoryTopKillers, CategoryKind::TopLists, {}},
        {"Team Killing",
         CategoryKind::Plain,
         {{teamKills, nullptr}, {teamKilledDeaths, "Victims (lest we forget)"}}},
        {"Headshots (OSP)", CategoryKind::Plain, {{headshotKills, nullptr}}},
        {"The Briefcase",
         CategoryKind::Plain,
         {{briefcasesTaken, "Took the Briefcase"},
          {briefcasesDropped, "Dropped the Briefcase"},
          {briefcaseEscapes, "Escaped with the Briefcase"},
          {briefcaseCarrierKills, "Killed the Case carrier"}}},
        {"The Flag",
         CategoryKind::Plain,
         {{flagsTaken, "Took the Flag"},
          {flagsDropped, "Dropped the Flag"},
          {flagsCaptured, "Captured the Flag"},
          {flagCarrierKills, "Killed the Flag Carrier"}}},
        {"The Bomb",
         CategoryKind::Plain,
         {{bombsTaken, "Took the Bomb"},
          {bombsDropped, "Dropped the Bomb"},
          {bombsPlanted, "Planted the Bomb"},
          {bombsDefused, "Defused the Bomb"},
          {bombCarrierKills, "Killed the Bomb carrier"},
          {targetsDestroyed, "Destroyed the Target"}}},
        {"Voting", CategoryKind::Plain, {{votesCalled, nullptr}}},
        {"Kicks/Bans",
         CategoryKind::Plain,
         {{timesKicked, "Was Kicked"},
          {timesTempBanned, "Was Banned"},
          {timesBanned, "Was Permanently Banned"}}},
        {"Suicide",
         CategoryKind::Plain,
         {{grenadeSuicides, "Blew themselves up (hahahaha)"},
          {m203Suicides, "M203 panic button (shame)"},
          {fallSuicides, "Fell to their deaths (ROFL)"},
          {wrongPlaceSuicides, "In the wrong place (Doh!)"}}},
        {"Handguns",
         CategoryKind::Plain,
         {{m1911a1Kills, "M1911A1"}, {socomKills, "US SOCOM"}, {silverTalonKills, "Silver Talon"}}},
        {"Hand-to-Hand Combat",
         CategoryKind::Plain,
         {{knifeKills, "Knife"},
          {bayonetKills, "AK Bayonet"},
          {pistolWhipKills, "Pistol Whip"},
          {m590BludgeonKills, "Bludgeoned(shame)"}}},
        {"AK74", CategoryKind::Plain, {{ak74Kills, nullptr}}},
        {"M4/M203", CategoryKind::Plain, {{m4Kills, nullptr}, {m203Kills, "M203 Grenade"}}},
        {"MSG90A1", CategoryKind::Plain, {{msg90a1Kills, nullptr}}},
        {"MP5", CategoryKind::Plain, {{mp5Kills, nullptr}}},
        {"M60", CategoryKind::Plain, {{m60Kills, nullptr}}},
        {"Sig 551", CategoryKind::Plain, {{sig551Kills, nullptr}}},
        {"M590", CategoryKind::Plain, {{m590Kills, nullptr}}},
        {"Micro-Uzi", CategoryKind::Plain, {{microUziKills, nullptr}}},
        {"USAS-12", CategoryKind::Plain, {{usas12Kills, nullptr}}},
        {"MM-1", CategoryKind::Plain, {{mm1Kills, nullptr}}},
        {"RPG-7", CategoryKind::Plain, {{rpg7Kills, nullptr}}},
        {"M3A1", CategoryKind::Plain, {{m3a1Kills, nullptr}}},
        {"ANM14", CategoryKind::Plain, {{anm14Kills, "ANM14 Incendiary"}}},
        {"SMOHG92", CategoryKind::Plain, {{smohg92Kills, "SMOHG92 Frag"}}},
        {"M15", CategoryKind::Plain, {{m15Kills, "M15 Smoke"}}},
        {"M84", CategoryKind::Plain, {{m84Kills, "M84 Flash"}}},
    };
    return table;
}

const Category* findCategory(const std::string& text) {
    for (const Category& c : categories())
        if (text == c.text)
            return &c;
    return nullptr;
}

// Copies name, counters and the per-opponent counts 1..n of `from` into `to`.
void copyForRanking(PlayerRecord& to, const PlayerRecord& from, int n) {
    to.name = from.name;
    to.stat = from.stat;
    to.victims = from.victims.range(1, n);
    to.killers = from.killers.range(1, n);
}

// Whether player i takes part in the rankings while aliases are linked: a
// master always, anyone else unless he is somebody's alias.
std::vector<bool> rankedWhenLinked(const PlayerTable& players) {
    const int n = players.upper();
    const std::vector<bool> isAlias = aliasMembers(players);
    std::vector<bool> ranked(static_cast<std::size_t>(n + 1), false);
    for (int i = 1; i <= n; ++i)
        ranked[static_cast<std::size_t>(i)] =
            !players[i].aliases.empty() || !isAlias[static_cast<std::size_t>(i)];
    return ranked;
}

// Fills tempplayersA entries 1..m with the ranked players; playerupper is the
// table's upper bound in both modes.
void collectKeys(const PlayerTable& players, bool linked, RankScratch& scratch) {
    const int n = players.upper();
    scratch.playerupper = n;
    auto& a = scratch.tempplayersA;
    if (!linked) {
        a.resize(static_cast<std::size_t>(n + 1));
        for (int i = 1; i <= n; ++i)
            copyForRanking(a[static_cast<std::size_t>(i)], players[i], n);
        return;
    }
    const std::vector<bool> ranked = rankedWhenLinked(players);
    const auto m = static_cast<std::size_t>(std::count(ranked.begin(), ranked.end(), true));
    a.resize(m + 1); // entries beyond m are dropped, as the array shrinks
    std::size_t k = 0;
    for (int i = 1; i <= n; ++i)
        if (ranked[static_cast<std::size_t>(i)])
            copyForRanking(a[++k], players[i], n);
}

// Counter 80 of every entry 1..playerupper. With aliases linked the array grows
// back to the full player count first; the added entries are blank and score 0.
void computeOverallScore(RankScratch& scratch) {
    auto& a = scratch.tempplayersA;
    a.resize(static_cast<std::size_t>(scratch.playerupper + 1));
    for (std::size_t i = 1; i < a.size(); ++i) {
        PlayerRecord& r = a[i];
        const std::int64_t carriers =
            std::int64_t(r[flagCarrierKills]) + r[briefcaseCarrierKills] + r[bombCarrierKills];
        const std::int64_t objectives = std::int64_t(r[targetsDestroyed]) + r[flagsCaptured] +
                                        r[bombsDefused] + r[briefcaseEscapes];
        r[overallScore] = wrapToInt32(std::int64_t(r[totalKills]) + 5 * carriers + 10 * objectives -
                                      r[teamKills]);
    }
}

} // namespace

void RankScratch::createtempplayerarrays(int size) {
    tempplayersA.assign(static_cast<std::size_t>(std::max(size, 0) + 1), PlayerRecord{});
}

const std::vector<std::string>& PopulateRankList() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> out;
        for (const Category& c : categories())
            out.emplace_back(c.text);
        return out;
    }();
    return texts;
}

void sortbyrank(RankScratch& scratch, int sortkey, const std::string& display, bool blankfirst,
                std::string& pane) {
    auto& a = scratch.tempplayersA;
    const int n = static_cast<int>(a.size()) - 1;
    scratch.playerupper = n;
    const auto key = [&](int i) {
        return a[static_cast<std::size_t>(i)].stat[static_cast<std::size_t>(sortkey)];
    };
    const std::vector<int> order = descendingOrder(1, n, key);

    if (blankfirst)
        pane.clear();
    else
        pane.append(kCrLf).append(kCrLf);
    pane.append(kRankingsFor).append(display).append(kCrLf).append(kCrLf);

    int rank = 0;
    for (int i : order) {
        ++rank; // deliberate: skipped zero keys keep their place in the numbering
        const std::int32_t value = key(i);
        if (value == 0)
            continue;
        pane.append(std::to_string(rank)).append(": \t").append(std::to_string(value));
        pane.append("\t").append(a[static_cast<std::size_t>(i)].name).append(kCrLf);
    }
    for (int i = 1; i <= n; ++i)
        a[static_cast<std::size_t>(i)].stat[static_cast<std::size_t>(sortkey)] =
            kPlaced; // the keys are used up
}

std::optional<Pane> dorankings(const std::string& theSource, const PlayerTable& players,
                               const RankingContext& ctx, RankScratch& scratch, Panes& panes) {
    collectKeys(players, ctx.linked, scratch);
    const Category* category = findCategory(theSource);
    if (category == nullptr)
        return std::nullopt;

    if (category->kind == CategoryKind::TopLists) {
        if (ctx.droptarget == kDropTargetStats || ctx.sheetplayer < 0 ||
            ctx.sheetplayer > players.upper())
            return std::nullopt;
        const std::string& shown = players[ctx.sheetplayer].name;
        const auto& a = scratch.tempplayersA;
        for (std::size_t p = 1; p < a.size(); ++p)
            if (a[p].name == shown) {
                writeTopLists(a[p], scratch.playerupper, players, ctx.linked, panes.TxtComp);
                return Pane::Comp;
            }
        return std::nullopt;
    }

    if (category->kind == CategoryKind::OverallScore)
        computeOverallScore(scratch);
    const Pane pane = paneOf(ctx.droptarget);
    bool first = true;
    for (const SubRanking& sub : category->rankings) {
        sortbyrank(scratch, sub.key, sub.heading ? sub.heading : theSource, first,
                   panes.text(pane));
        first = false;
    }
    return pane;
}

} // namespace quorvath
