// Rankings and alias linking on a synthetic table of a few hundred players:
// all 29 categories unlinked and linked (target: under 0.2 s together), and one
// link plus unlink (target: under 0.1 s).

#include "core/rank/alias_linking.h"
#include "core/rank/ranking.h"
#include "core/rank/ranking_text.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace quorvath;

constexpr int kPlayers = 400;
constexpr int kKills = 600000; // about what a 100 MB log books

// Players with weapon kills, objectives and suicides; every fourth name after
// the first hundred is a rename filed under an earlier master.
PlayerTable syntheticTable() {
    std::mt19937 rng(7);
    PlayerTable t;
    t.setName(0, kAllPlayers);
    for (int i = 1; i <= kPlayers; ++i) {
        std::string name = "Player";
        name += std::to_string(i);
        t.findOrAdd(name);
    }
    const Counter weapons[][2] = {{m4Kills, m4Deaths},      {ak74Kills, ak74Deaths},
                                  {mp5Kills, mp5Deaths},    {msg90a1Kills, msg90a1Deaths},
                                  {m60Kills, m60Deaths},    {m203Kills, m203Deaths},
                                  {knifeKills, knifeDeaths}};
    std::uniform_int_distribution<int> player(1, kPlayers);
    std::uniform_int_distribution<int> weapon(0, 6);
    for (int e = 0; e < kKills; ++e) {
        const int k = player(rng), v = player(rng);
        const auto& w = weapons[weapon(rng)];
        t[k][w[0]]++;
        t[k][totalKills]++;
        t[v][w[1]]++;
        t[v][totalDeaths]++;
        t[k].victims.add(v, 1);
        t[v].killers.add(k, 1);
    }
    std::uniform_int_distribution<int> small(0, 20);
    const Counter events[] = {flagsCaptured, flagsTaken,   flagsDropped,     flagCarrierKills,
                              bombsPlanted,  bombsDefused, targetsDestroyed, votesCalled,
                              timesKicked,   teamKills,    grenadeSuicides,  briefcasesTaken,
                              bombsTaken,    timesBanned,  briefcaseEscapes, fallSuicides};
    for (int i = 1; i <= kPlayers; ++i)
        for (Counter c : events)
            t[i][c] = small(rng) < 15 ? 0 : small(rng);
    std::uniform_int_distribution<int> earlier(1, 100);
    for (int i = 101; i <= kPlayers; i += 4) {
        const int master = earlier(rng);
        if (t[master].master == 0 && t[master].aliases.add(i, t[i].name))
            t[i].master = master;
    }
    return t;
}

void runAllCategories(PlayerTable& t, bool linked, Panes& panes) {
    for (const std::string& category : rankingCategories())
        for (const Pane pane : {Pane::Left, Pane::Right})
            if (const auto lists = rankCategory(category, t, {linked, 1, pane}))
                panes.text(pane) = rankingPaneText(*lists);
}

void BM_All29RankingsUnlinkedAndLinked(benchmark::State& state) {
    PlayerTable plain = syntheticTable();
    PlayerTable folded = syntheticTable();
    linkAliases(folded);
    Panes panes;
    for (auto _ : state) {
        runAllCategories(plain, false, panes);
        runAllCategories(folded, true, panes);
        benchmark::DoNotOptimize(panes.right.data());
    }
}
BENCHMARK(BM_All29RankingsUnlinkedAndLinked)->Unit(benchmark::kMillisecond);

void BM_LinkAndUnlink(benchmark::State& state) {
    PlayerTable t = syntheticTable();
    for (auto _ : state) {
        linkAliases(t);
        unlinkAliases(t);
        benchmark::DoNotOptimize(t[1].counters.data());
    }
}
BENCHMARK(BM_LinkAndUnlink)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
