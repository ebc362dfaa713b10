// Match results against what really happened: gen-log --match writes each
// game type as the three kinds of log and, in PREFIX-matches.txt, each map's
// end: the teams' scores, round results, and every player in the game then
// with his score and team. Imported and read back from a real database, each
// match must give exactly what its kind of log holds of that.

#include "core/history/match_results.h"
#include "history_test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

using namespace quorvath;
using quorvath::test::generateMatch;
using quorvath::test::openHistory;
using quorvath::test::readFile;
using quorvath::test::TempDir;

// One map as the matches file tells its end.
struct MapTruth {
    TeamResult scores; // a server log's
    TeamResult rounds; // a console log's
    std::map<std::string, Team> teams;
    std::map<std::string, std::int32_t> scoreOf;
};

std::vector<MapTruth> mapsOf(const std::string& matchesFile) {
    std::vector<MapTruth> maps;
    std::istringstream in(matchesFile);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            f.push_back(field);
        if (f[0] == "map" && (maps.empty() || !maps.back().teams.empty()))
            maps.emplace_back(); // a warm-up's second map line starts nothing new
        MapTruth& map = maps.back();
        if (f[0] == "round") {
            map.rounds.from = TeamResult::From::Rounds;
            map.rounds.red += f[1] == "red";
            map.rounds.blue += f[1] == "blue";
        } else if (f[0] == "scores") {
            map.scores = {TeamResult::From::Scores, std::stoi(f[1]), std::stoi(f[2])};
        } else if (f[0] == "score") {
            map.scoreOf[f[2]] = std::stoi(f[3]);
        } else if (f[0] == "team") {
            map.teams[f[2]] = f[3] == "red" ? Team::Red : f[3] == "blue" ? Team::Blue : Team::Free;
        }
    }
    return maps;
}

bool operator==(const TeamResult& a, const TeamResult& b) {
    return a.from == b.from && a.red == b.red && a.blue == b.blue;
}

TEST(MatchResults, EveryKindOfLogOfEveryGameTypeStoresTheResultsItHolds) {
    TempDir dir;
    for (const char* type : {"ctf", "inf", "dem", "elim", "dm"}) {
        const std::string prefix = dir.file(type).string();
        generateMatch(type, prefix, 5, 4);
        const std::vector<MapTruth> maps = mapsOf(readFile(prefix + "-matches.txt"));
        ASSERT_EQ(maps.size(), 4u);
        for (const std::string kind : {"console", "games", "server"}) {
            SCOPED_TRACE(type + (" " + kind));
            const bool server = kind != "console";
            const std::string console = readFile(prefix + "-console.log");
            // A console log names a team only in its join lines: one who came
            // back without one (under a name never renamed from) is on no known
            // team until a later one.
            const auto teamShown = [&](const std::string& name, std::size_t map) {
                std::size_t mapEnd = 0;
                for (std::size_t m = 0; m <= map + 1 && mapEnd != std::string::npos; ++m)
                    mapEnd = console.find("FS_Startup", mapEnd + 1);
                return server || console.find(name + "^7 joined the") < mapEnd;
            };
            auto store = openHistory(dir.file(type + kind).string());
            LogImport imported;
            ASSERT_FALSE(importLog(*store, prefix + "-" + kind + ".log", imported));
            std::vector<MatchRecord> matches;
            ASSERT_FALSE(store->readMatches({}, [&](const MatchRecord& m) {
                if (!m.warmup)
                    matches.push_back(m);
            }));
            ASSERT_EQ(matches.size(), maps.size());
            for (std::size_t i = 0; i < maps.size(); ++i) {
                const MapTruth& truth = maps[i];
                const MatchRecord& match = matches[i];
                EXPECT_TRUE(match.result == (server ? truth.scores : truth.rounds)) << i;
                int atEnd = 0;
                for (const MatchPlayer& p : match.players) {
                    SCOPED_TRACE(p.name);
                    const auto team = truth.teams.find(p.name);
                    EXPECT_EQ(p.atEnd, team != truth.teams.end());
                    EXPECT_TRUE(p.presence >= 0 && p.presence <= 1000);
                    if (team == truth.teams.end())
                        continue;
                    ++atEnd;
                    if (p.team == Team::Unknown)
                        EXPECT_FALSE(teamShown(p.name, i));
                    else
                        EXPECT_EQ(p.team, team->second);
                    EXPECT_GT(p.presence, 0);
                    EXPECT_EQ(p.score,
                              server ? std::optional(truth.scoreOf.at(p.name)) : std::nullopt);
                }
                EXPECT_EQ(atEnd, static_cast<int>(truth.teams.size()));
            }
        }
    }
}

// A history of the version before results gains them on open: its matches
// come back with no team result, their players on no known team.
TEST(MatchResults, AHistoryFromBeforeResultsKeepsItsMatchesWithoutThem) {
    TempDir dir;
    const std::string path = dir.file("old.sqlite").string();
    LogImport imported;
    ASSERT_FALSE(importLog(*openHistory(path),
                           std::string(QUORVATH_SOURCE_DIR) + "/samples/demo.log", imported));
    quorvath::test::runOnHistory(path, quorvath::test::sqlDroppingResults());
    int matches = 0;
    ASSERT_FALSE(openHistory(path)->readMatches({}, [&](const MatchRecord& m) {
        ++matches;
        EXPECT_EQ(m.result.from, TeamResult::From::Nothing);
        for (const MatchPlayer& p : m.players)
            EXPECT_TRUE(p.team == Team::Unknown && !p.score && p.presence == 1000 && p.atEnd);
    }));
    EXPECT_EQ(matches, imported.matches);
}

} // namespace
