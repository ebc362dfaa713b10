// Every kind of log through the one entry point, MatchEventReader, into a
// sink of the test's own: gen-log --match writes each game type as the three
// kinds of log and, in PREFIX-matches.txt, what they say of each map (its
// settings, the clients' GUIDs, round results, the end of play, its game time
// and the scores). Each log must give exactly the facts its kind holds.

#include "core/common/progress.h"
#include "core/match/kept_match_events.h"
#include "core/match/match_event_reader.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace quorvath {
namespace {

// What the events say, in the matches file's form: the facts in order, the
// clients as a set (a client's connect line comes again at every map).
struct MatchFacts final : public MatchEventSink {
    void onEvent(const MatchEvent& e) override {
        const MatchDetails& d = *e.details;
        const auto fact = [this](const std::vector<std::string>& fields) {
            std::string line;
            for (const std::string& field : fields)
                line += (line.empty() ? "" : "\t") + field;
            facts.push_back(line);
        };
        const auto number = [](std::int32_t n) { return std::to_string(n); };
        ++events;
        timed += e.time >= 0 ? 1 : 0;
        switch (e.type) {
        case MatchEventType::MapStart:
            if (!d.map.empty())
                fact({"map", std::string(d.map), std::string(d.gameType), std::string(d.server)});
            break;
        case MatchEventType::Connect:
            if (e.player.client >= 0)
                clients.insert("client\t" + number(e.player.client) + "\t" + std::string(d.guid) +
                               "\t" + std::string(d.address));
            break;
        case MatchEventType::Kill:
            numberedKills += e.player.client >= 0 && e.other.client >= 0 ? 1 : 0;
            ++kills;
            break;
        case MatchEventType::RoundEnd:
            fact({"round", e.team == Team::Red ? "red" : e.team == Team::Blue ? "blue" : "none"});
            break;
        case MatchEventType::MatchOver:
            fact({"over", std::string(d.reason)});
            if (e.time >= 0)
                fact({"ended", number(e.time)});
            break;
        case MatchEventType::TeamScores:
            fact({"scores", number(d.redScore), number(d.blueScore)});
            break;
        case MatchEventType::PlayerScore:
            fact({"score", number(e.player.client), std::string(e.player.name), number(d.score),
                  number(d.ping)});
            break;
        default: break;
        }
    }
    std::vector<std::string> facts;
    std::set<std::string> clients;
    int events = 0, timed = 0, kills = 0, numberedKills = 0;
};

// The facts of the matches file that a log of one kind holds.
MatchFacts expectedFacts(const std::string& matchesFile, const std::set<std::string>& held) {
    MatchFacts expected;
    std::istringstream in(matchesFile);
    for (std::string line; std::getline(in, line);) {
        const std::string what = line.substr(0, line.find('\t'));
        if (!held.count(what))
            continue;
        if (what == "client")
            expected.clients.insert(line);
        else
            expected.facts.push_back(line);
    }
    return expected;
}

TEST(MatchEvents, EveryKindOfLogGivesTheMapsClientsTimesAndResultsItHolds) {
    const struct {
        const char* file;
        LogKind kind;
        std::set<std::string> held;
    } kinds[] = {
        {"console", LogKind::PlayerConsole, {"round"}},
        {"games", LogKind::ServerGameLog, {"map", "client", "over", "ended", "scores", "score"}},
        {"server", LogKind::ServerConsole, {"map", "client", "over", "scores", "score"}},
    };
    const test::TempDir dir;
    for (const std::string type : {"ctf", "inf", "dem", "elim", "dm"}) {
        const std::string prefix = dir.file(type).string();
        const std::string generate =
            std::string("\"") + QUORVATH_GEN_LOG_TOOL + "\" --match " + type +
            " --seed 5 --maps 3 --players 16 --events 200 --out \"" + prefix + "\"";
        ASSERT_EQ(std::system(generate.c_str()), 0) << generate;
        const std::string matches = test::readFile(prefix + "-matches.txt");
        for (const auto& k : kinds) {
            SCOPED_TRACE(type + " " + k.file);
            MatchFacts facts;
            KeptMatchEvents kept;
            MatchEventFanOut both{&facts, &kept};
            {
                MatchEventReader reader(k.kind, stockGameTable(), both);
                Progress progress;
                ASSERT_EQ(reader.readFile(prefix + "-" + k.file + ".log", progress), std::nullopt);
            }
            const MatchFacts expected = expectedFacts(matches, k.held);
            EXPECT_EQ(facts.facts, expected.facts);
            EXPECT_EQ(facts.clients, expected.clients);
            const bool server = k.kind != LogKind::PlayerConsole;
            EXPECT_EQ(facts.timed, k.kind == LogKind::ServerGameLog ? facts.events : 0);
            ASSERT_GT(facts.kills, 100);
            EXPECT_EQ(facts.numberedKills, server ? facts.kills : 0);
            // Round results in the round-based types' consoles; the rest in server logs.
            const bool rounds = type != "ctf" && type != "dm";
            EXPECT_EQ(expected.facts.empty(), !server && !rounds);
            EXPECT_EQ(expected.clients.empty(), !server);

            // Kept events outlive the reader and its lines, texts and all.
            MatchFacts again;
            kept.sendTo(again);
            EXPECT_EQ(again.facts, facts.facts);
            EXPECT_EQ(again.clients, facts.clients);
        }
    }
}

} // namespace
} // namespace quorvath
