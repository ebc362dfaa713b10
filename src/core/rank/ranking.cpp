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

enum class CategoryKind { Plain, OverallScore, TopLists };

struct SubRanking {
    Counter key;
    const char* heading;       // nullptr: the category text itself
    bool accurateOnly = false; // a counter only Accurate counting writes
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
          {wrongPlaceSuicides, "In the wrong place (Doh!)"},
          {drownedSuicides, "Sank like a rock (glug)", true},
          {squishedSuicides, "Got squished (splat)", true},
          {diedSuicides, "Just died (huh?)", true}}},
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
    to.counters = from.counters;
    to.victims = from.victims.range(1, n);
    to.killers = from.killers.range(1, n);
}

// Whether player i takes part in the rankings while aliases are linked: a
// master always, anyone else unless he is somebody's alias.
std::vector<bool> rankedWhenLinked(const PlayerTable& players) {
    const int n = players.playerCount();
    const std::vector<bool> isAlias = aliasMembers(players);
    std::vector<bool> ranked(static_cast<std::size_t>(n + 1), false);
    for (int i = 1; i <= n; ++i)
        ranked[static_cast<std::size_t>(i)] =
            !players[i].aliases.empty() || !isAlias[static_cast<std::size_t>(i)];
    return ranked;
}

// Counter 80 of every entry, over as many entries as the table has players:
// with aliases linked the list grows back to that count, and the added
// entries are blank and score 0 (so a negative score is numbered after them).
void computeOverallScore(std::vector<PlayerRecord>& entries, int playerCount) {
    entries.resize(static_cast<std::size_t>(playerCount + 1));
    for (std::size_t i = 1; i < entries.size(); ++i) {
        PlayerRecord& r = entries[i];
        const std::int64_t carriers =
            std::int64_t(r[flagCarrierKills]) + r[briefcaseCarrierKills] + r[bombCarrierKills];
        const std::int64_t objectives = std::int64_t(r[targetsDestroyed]) + r[flagsCaptured] +
                                        r[bombsDefused] + r[briefcaseEscapes];
        r[overallScore] = wrapToInt32(std::int64_t(r[totalKills]) + 5 * carriers + 10 * objectives -
                                      r[teamKills]);
    }
}

} // namespace

const std::vector<std::string>& rankingCategories() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> out;
        for (const Category& c : categories())
            out.emplace_back(c.text);
        return out;
    }();
    return texts;
}

std::vector<PlayerRecord> rankingEntries(const PlayerTable& players, bool linked) {
    const int n = players.playerCount();
    std::vector<PlayerRecord> entries(1);
    if (!linked) {
        entries.resize(static_cast<std::size_t>(n + 1));
        for (int i = 1; i <= n; ++i)
            copyForRanking(entries[static_cast<std::size_t>(i)], players[i], n);
        return entries;
    }
    const std::vector<bool> ranked = rankedWhenLinked(players);
    for (int i = 1; i <= n; ++i)
        if (ranked[static_cast<std::size_t>(i)])
            copyForRanking(entries.emplace_back(), players[i], n);
    return entries;
}

void writeRanking(const std::vector<PlayerRecord>& entries, Counter key, std::string_view heading,
                  PaneWrite write, std::string& pane, const CountingScope& scope) {
    const int n = static_cast<int>(entries.size()) - 1;
    const auto keyOf = [&](int i) { return entries[static_cast<std::size_t>(i)][key]; };
    const std::vector<int> order = descendingOrder(1, n, keyOf);

    if (write == PaneWrite::Replace)
        pane.clear();
    else
        pane.append(kCrLf).append(kCrLf);
    pane.append(kRankingsFor).append(heading).append(kCrLf).append(kCrLf);
    if (!scope.records(key)) {
        pane.append(NotInThisLog).append(kCrLf);
        return;
    }

    int rank = 0;
    for (int i : order) {
        ++rank; // deliberate: skipped zero keys keep their place in the numbering
        const std::int32_t value = keyOf(i);
        if (value == 0)
            continue;
        pane.append(std::to_string(rank)).append(": \t").append(std::to_string(value));
        pane.append("\t").append(entries[static_cast<std::size_t>(i)].name).append(kCrLf);
    }
}

std::optional<Pane> writeRankings(const std::string& category, const PlayerTable& players,
                                  const RankingContext& context, Panes& panes,
                                  const CountingScope& counting) {
    const Category* found = findCategory(category);
    if (found == nullptr)
        return std::nullopt;
    std::vector<PlayerRecord> entries = rankingEntries(players, context.linked);

    if (found->kind == CategoryKind::TopLists) {
        if (context.pane != Pane::Right || context.shownPlayer < 0 ||
            context.shownPlayer > players.playerCount())
            return std::nullopt;
        // Found by name among the ranked: linked, an alias has no top lists of its own.
        const std::string& shown = players[context.shownPlayer].name;
        for (std::size_t p = 1; p < entries.size(); ++p)
            if (entries[p].name == shown) {
                writeTopLists(entries[p], players, context.linked, panes.right, counting.mode);
                return Pane::Right;
            }
        return std::nullopt;
    }

    if (found->kind == CategoryKind::OverallScore)
        computeOverallScore(entries, players.playerCount());
    PaneWrite write = PaneWrite::Replace;
    for (const SubRanking& sub : found->rankings) {
        if (sub.accurateOnly && counting.mode != CountingMode::Accurate)
            continue;
        writeRanking(entries, sub.key, sub.heading ? sub.heading : category, write,
                     panes.text(context.pane), counting);
        write = PaneWrite::Append;
    }
    return context.pane;
}

} // namespace quorvath
