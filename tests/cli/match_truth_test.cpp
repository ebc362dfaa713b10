// Accurate counts against what really happened: gen-log --match writes one
// match of each game type as the three kinds of log, with its truth, once as
// it comes and once with chat the most of the lines (quoting events and
// machine lines); players sharing their first 29 characters come and go in
// both. The report tool, told nothing but --counting accurate, must tell each
// log's kind and give every player's counts and aliases exactly, leaving out
// only the counters it says that kind cannot record. The figures per game
// type and kind go to the test's output.

#include "cli/report_tool_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

namespace {

using quorvath::test::readFile;
using quorvath::test::runReportTool;
using quorvath::test::TempDir;

// The --counts form, which the truth file shares.
struct Counts {
    std::map<std::string, std::map<std::string, std::string>> players; // aliases as "alias N"
    std::set<std::string> unrecorded;
};

Counts parseCounts(const std::string& text) {
    Counts counts;
    std::map<std::string, int> aliases;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const std::string notRecorded = "# not in this log:";
        if (line.rfind(notRecorded, 0) == 0) {
            std::istringstream names(line.substr(notRecorded.size()));
            for (std::string name; names >> name;)
                counts.unrecorded.insert(name);
        }
        const auto tab = line.find('\t'), tab2 = line.find('\t', tab + 1);
        if (line.empty() || line[0] == '#' || tab2 == std::string::npos)
            continue;
        const std::string name = line.substr(0, tab);
        std::string counter = line.substr(tab + 1, tab2 - tab - 1);
        if (counter == "alias")
            counter += " " + std::to_string(++aliases[name]);
        counts.players[name][counter] = line.substr(tab2 + 1);
    }
    return counts;
}

// "NAME: counter truth/counted, ..." for each player whose counts differ.
std::string differences(const Counts& truth, const Counts& counted, int& exact, int& players) {
    std::set<std::string> names;
    for (const auto* c : {&truth, &counted})
        for (const auto& [name, _] : c->players)
            names.insert(name);
    std::string out;
    for (const std::string& name : names) {
        std::map<std::string, std::pair<std::string, std::string>> diff;
        for (const auto& [side, c] : {std::pair{0, &truth}, std::pair{1, &counted}}) {
            const auto it = c->players.find(name);
            if (it == c->players.end())
                continue;
            for (const auto& [counter, value] : it->second)
                if (!counted.unrecorded.count(counter))
                    (side == 0 ? diff[counter].first : diff[counter].second) = value;
        }
        std::erase_if(diff, [](const auto& d) { return d.second.first == d.second.second; });
        ++players;
        if (diff.empty()) {
            ++exact;
            continue;
        }
        out += name + ":";
        for (const auto& [counter, values] : diff)
            out += " " + counter + " " + values.first + "/" + values.second;
        out += "\n";
    }
    return out;
}

struct KindRow {
    const char* file;
    const char* name; // as the report tool's header calls it
    std::set<std::string> unrecorded;
    std::set<std::string> recorded;
};

// One match of game type `type` as every kind of log; `chatty`: the
// generator's option for players who chat a lot, or none.
void expectEveryPlayersTruth(const std::string& type, const std::string& chatty) {
    const KindRow kinds[] = {
        {"console", "player console log", {"bots", "warmupKills"}, {"flagsTaken", "votesCalled"}},
        {"games",
         "server game log",
         {"flagsTaken", "bombsPlanted", "votesCalled", "timesKicked"},
         {"teamKills", "bots", "warmupKills"}},
        {"server", "server console log", {"flagCarrierKills"}, {"votesCalled", "timesBanned"}},
    };
    TempDir dir;
    const std::string prefix = dir.file(type).string();
    const std::string generate = std::string("\"") + QUORVATH_GEN_LOG_TOOL + "\" --match " + type +
                                 chatty + " --seed 11 --maps 24 --players 20 --out \"" + prefix +
                                 "\"";
    ASSERT_EQ(std::system(generate.c_str()), 0) << generate;
    const Counts truth = parseCounts(readFile(prefix + "-truth.txt"));
    ASSERT_GE(truth.players.size(), 20u);
    // The three who share their first 29 characters all played.
    EXPECT_EQ(std::count_if(truth.players.begin(), truth.players.end(),
                            [](const auto& p) {
                                return p.first.starts_with("=[Elite]=The_Terminator_Of_Do");
                            }),
              3);
    for (const KindRow& kind : kinds) {
        SCOPED_TRACE(type + chatty + " " + kind.file);
        const std::string log = prefix + "-" + kind.file + ".log";
        const auto run =
            runReportTool(dir, "\"" + log + "\" --counting accurate --counts --encoding cp1252");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "quorvath-report: " + log + ": " + kind.name + ", Accurate counting\n");
        const Counts counted = parseCounts(run.out);
        for (const std::string& counter : kind.unrecorded)
            EXPECT_TRUE(counted.unrecorded.count(counter)) << counter;
        for (const std::string& counter : kind.recorded)
            EXPECT_FALSE(counted.unrecorded.count(counter)) << counter;
        // Only servers that log hits can tell head shots; deathmatch ones here do not.
        const bool noHits = type == "dm" && std::string(kind.file) != "console";
        EXPECT_EQ(counted.unrecorded.count("headshotKills"), noHits ? 1u : 0u);
        int exact = 0, players = 0;
        const std::string diff = differences(truth, counted, exact, players);
        EXPECT_EQ(exact, players) << diff;
        std::printf("%s%s %s: %d/%d players exact\n", type.c_str(), chatty.c_str(), kind.file,
                    exact, players);
    }
}

// Each game type a test of its own, as it comes and with chatty players, so
// that they run side by side.
class EveryPlayersTruth : public testing::TestWithParam<std::tuple<std::string, bool>> {};

TEST_P(EveryPlayersTruth, InEveryKindOfLog) {
    const auto [type, chatty] = GetParam();
    expectEveryPlayersTruth(type, chatty ? " --chatty" : "");
}

INSTANTIATE_TEST_SUITE_P(GameTypes, EveryPlayersTruth,
                         testing::Combine(testing::Values<std::string>("ctf", "inf", "dem", "elim",
                                                                       "dm"),
                                          testing::Bool()),
                         [](const auto& test) {
                             return std::get<0>(test.param) +
                                    (std::get<1>(test.param) ? "Chatty" : "");
                         });

// The warm-up is left out unless asked for; asked for, its kills join the
// totals. The kind can be given instead of told.
TEST(MatchTruth, WarmupKillsJoinTheTotalsWhenAskedForAndTheKindCanBeGiven) {
    TempDir dir;
    const std::string prefix = dir.file("m").string();
    const std::string generate = std::string("\"") + QUORVATH_GEN_LOG_TOOL +
                                 "\" --match ctf --seed 3 --out \"" + prefix + "\"";
    ASSERT_EQ(std::system(generate.c_str()), 0);
    const auto total = [](const Counts& c, const std::string& counter) {
        int sum = 0;
        for (const auto& [_, counters] : c.players)
            if (counters.count(counter))
                sum += std::stoi(counters.at(counter));
        return sum;
    };
    const std::string log = "\"" + prefix + "-games.log\" --counts --encoding cp1252";
    const Counts left = parseCounts(runReportTool(dir, log).out);
    const Counts joined = parseCounts(runReportTool(dir, log + " --warmup").out);
    ASSERT_GT(total(left, "warmupKills"), 0);
    EXPECT_EQ(total(joined, "totalKills"), total(left, "totalKills") + total(left, "warmupKills"));

    const auto given = runReportTool(dir, log + " --kind game");
    EXPECT_EQ(given.out, runReportTool(dir, log).out);
    EXPECT_NE(given.err.find(": server game log, Accurate counting"), std::string::npos);
}

} // namespace
