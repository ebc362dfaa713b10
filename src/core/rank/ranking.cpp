#include "core/rank/ranking.h"

#include "core/common/line_end.h"
#include "core/common/wrapping_int32.h"
#include "core/rank/alias_linking.h"
#include "core/rank/rank_order.h"
#include "core/rank/top_lists.h"
#include "core/stats/weapons.h"

#include <algorithm>
#include <array>

namespace quorvath {
namespace {

enum class CategoryKind { Plain, TopLists };

struct SubRanking {
    Counter key;               // what a RankedMeaning::Counter ranking ranks
    std::string_view heading;  // empty: the category text itself
    bool accurateOnly = false; // a counter only Accurate counting writes
    RankedMeaning meaning = RankedMeaning::Counter;
};

constexpr SubRanking kOverallScore{totalKills, "Overall Score", false, RankedMeaning::OverallScore};

struct Category {
    std::string_view text;
    CategoryKind kind;
    std::vector<SubRanking> rankings; // the first clears the pane, the others append
};

// A weapon's ranking under its heading.
consteval SubRanking weaponRanking(Counter kills) { return {kills, weapon(kills).rankingHeading}; }

// The category of a weapon ranked in one of its own.
consteval std::string_view categoryOf(Counter kills) { return weapon(kills).rankingCategory; }

// The categories in list order with their sub-rankings.
const std::vector<Category>& categories() {
    static const std::vector<Category> table{
        {"Kills", CategoryKind::Plain, {{totalKills, {}}}},
        {kCategoryOverallScore, CategoryKind::Plain, {kOverallScore, {totalKills, "Kills"}}},
        {kCategoryTopKillers, CategoryKind::TopLists, {}},
        {"Team Killing",
         CategoryKind::Plain,
         {{teamKills, {}}, {teamKilledDeaths, "Victims (lest we forget)"}}},
        {"Headshots (OSP)", CategoryKind::Plain, {{headshotKills, {}}}},
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
        {"Voting", CategoryKind::Plain, {{votesCalled, {}}}},
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
          {wrongPlaceSuicides, "In the wrong place (Doh!)"},
          {drownedSuicides, "Sank like a rock (glug)", true},
          {squishedSuicides, "Got squished (splat)", true},
          {diedSuicides, "Just died (huh?)", true}}},
        {"Handguns",
         CategoryKind::Plain,
         {weaponRanking(m1911a1Kills), weaponRanking(socomKills), weaponRanking(silverTalonKills)}},
        {"Hand-to-Hand Combat",
         CategoryKind::Plain,
         {weaponRanking(knifeKills), weaponRanking(bayonetKills), weaponRanking(pistolWhipKills),
          weaponRanking(m590BludgeonKills)}},
        {categoryOf(ak74Kills), CategoryKind::Plain, {weaponRanking(ak74Kills)}},
        {categoryOf(m4Kills),
         CategoryKind::Plain,
         {weaponRanking(m4Kills), weaponRanking(m203Kills)}},
        {categoryOf(msg90a1Kills), CategoryKind::Plain, {weaponRanking(msg90a1Kills)}},
        {categoryOf(mp5Kills), CategoryKind::Plain, {weaponRanking(mp5Kills)}},
        {categoryOf(m60Kills), CategoryKind::Plain, {weaponRanking(m60Kills)}},
        {categoryOf(sig551Kills), CategoryKind::Plain, {weaponRanking(sig551Kills)}},
        {categoryOf(m590Kills), CategoryKind::Plain, {weaponRanking(m590Kills)}},
        {categoryOf(microUziKills), CategoryKind::Plain, {weaponRanking(microUziKills)}},
        {categoryOf(usas12Kills), CategoryKind::Plain, {weaponRanking(usas12Kills)}},
        {categoryOf(mm1Kills), CategoryKind::Plain, {weaponRanking(mm1Kills)}},
        {categoryOf(rpg7Kills), CategoryKind::Plain, {weaponRanking(rpg7Kills)}},
        {categoryOf(m3a1Kills), CategoryKind::Plain, {weaponRanking(m3a1Kills)}},
        {categoryOf(anm14Kills), CategoryKind::Plain, {weaponRanking(anm14Kills)}},
        {categoryOf(smohg92Kills), CategoryKind::Plain, {weaponRanking(smohg92Kills)}},
        {categoryOf(m15Kills), CategoryKind::Plain, {weaponRanking(m15Kills)}},
        {categoryOf(m84Kills), CategoryKind::Plain, {weaponRanking(m84Kills)}},
    };
    return table;
}

const Category* findCategory(const std::string& text) {
    for (const Category& c : categories())
        if (text == c.text)
            return &c;
    return nullptr;
}

// Kills, 5 per carrier killed and 10 per objective, less the team kills.
std::int32_t overallScoreOf(const PlayerRecord& r) {
    const std::int64_t carriers =
        std::int64_t(r[flagCarrierKills]) + r[briefcaseCarrierKills] + r[bombCarrierKills];
    return wrapToInt32(std::int64_t(r[totalKills]) + 5 * carriers + 10 * objectivesOf(r) -
                       r[teamKills]);
}

RankedList rankingOf(const SubRanking& sub, const std::string& category,
                     const std::vector<int>& ranked, const PlayerTable& players,
                     const CountingScope& counting) {
    RankedList list;
    list.title = sub.heading.empty() ? category : std::string(sub.heading);
    list.meaning = sub.meaning;
    if (sub.meaning == RankedMeaning::Counter) {
        list.counter = sub.key;
        list.recorded = counting.records(sub.key);
    }
    if (!list.recorded)
        return list;
    std::vector<RankCandidate> candidates;
    candidates.reserve(ranked.size());
    for (int i : ranked)
        candidates.push_back({i, static_cast<double>(list.meaning == RankedMeaning::OverallScore
                                                         ? overallScoreOf(players[i])
                                                         : players[i][sub.key])});
    // With aliases linked the overall score runs over as many entries as the
    // table has players: blank ones scoring 0, so a negative score is
    // numbered after them.
    if (list.meaning == RankedMeaning::OverallScore)
        candidates.resize(static_cast<std::size_t>(players.playerCount()), RankCandidate{0, 0});
    list.entries = rankedEntries(candidates, players);
    return list;
}

} // namespace

std::int64_t objectivesOf(const PlayerRecord& r) {
    return std::int64_t(r[targetsDestroyed]) + r[flagsCaptured] + r[bombsDefused] +
           r[briefcaseEscapes];
}

bool recordsObjectives(const CountingScope& scope) {
    return std::ranges::any_of(
        std::array{targetsDestroyed, flagsCaptured, bombsDefused, briefcaseEscapes},
        [&](Counter c) { return scope.records(c); });
}

std::vector<int> rankedPlayers(const PlayerTable& players, const RankingContext& context) {
    const int n = players.playerCount();
    const std::vector<bool> isAlias = aliasMembers(players);
    std::vector<int> ranked;
    ranked.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if ((!context.linked || !players[i].aliases.empty() || !isAlias[at]) &&
            !(context.leftOut && (*context.leftOut)[at]))
            ranked.push_back(i);
    }
    return ranked;
}

const std::vector<std::string>& rankingCategories() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> out;
        for (const Category& c : categories())
            out.emplace_back(c.text);
        return out;
    }();
    return texts;
}

std::vector<RankedEntry> rankedEntries(const std::vector<RankCandidate>& candidates,
                                       const PlayerTable& players) {
    const auto keyOf = [&](int i) { return candidates[static_cast<std::size_t>(i)].key; };
    std::vector<RankedEntry> entries;
    int place = 0;
    for (int i : descendingOrder(0, static_cast<int>(candidates.size()) - 1, keyOf)) {
        ++place; // deliberate: skipped zero keys keep their place in the numbering
        const RankCandidate& c = candidates[static_cast<std::size_t>(i)];
        if (c.key != 0)
            entries.push_back({place, c.player, players[c.player].name, c.key});
    }
    return entries;
}

std::optional<std::vector<RankedList>> rankCategory(const std::string& category,
                                                    const PlayerTable& players,
                                                    const RankingContext& context,
                                                    const CountingScope& counting) {
    const Category* found = findCategory(category);
    if (found == nullptr)
        return std::nullopt;
    const std::vector<int> ranked = rankedPlayers(players, context);

    if (found->kind == CategoryKind::TopLists) {
        if (context.pane != Pane::Right || context.shownPlayer < 0 ||
            context.shownPlayer > players.playerCount())
            return std::nullopt;
        // Found by name among the ranked: linked, an alias has no top lists of its own.
        const std::string& shown = players[context.shownPlayer].name;
        for (int i : ranked)
            if (players[i].name == shown)
                return topLists(i, players, context.linked, counting.mode, context.leftOut);
        return std::nullopt;
    }

    std::vector<RankedList> lists;
    for (const SubRanking& sub : found->rankings)
        if (!sub.accurateOnly || counting.mode == CountingMode::Accurate)
            lists.push_back(rankingOf(sub, category, ranked, players, counting));
    return lists;
}

} // namespace quorvath
