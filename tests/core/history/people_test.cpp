// People across logs in a real SQLite history: a GUID seen under two names
// makes them one person, renames link as Link Aliases links them, and the
// user's merges and splits change who is one person, survive re-imports and
// are undone by forgetting them. A player's list of matches and the per-map
// and per-server tables add up to the Accurate counting of the log.

#include "core/history/history_queries.h"
#include "history_test_support.h"

#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>
#include <map>

namespace {

using namespace quorvath;
using namespace quorvath::test;

void import(HistoryStore& store, const std::string& path) {
    LogImport result;
    const HistoryError error = importLog(store, path, result);
    ASSERT_FALSE(error) << *error;
}

// Each name of the history's people, mapped to its person's first name.
std::map<std::string, std::string> personOfEachName(HistoryStore& store) {
    PlayerTable players;
    CountingScope scope;
    std::vector<NameActivity> activity;
    const HistoryError error = countSelection(store, {}, players, scope, activity);
    EXPECT_FALSE(error) << *error;
    std::map<std::string, std::string> person;
    for (const Person& p : peopleOf(players, activity))
        for (const std::string& name : p.names)
            person[name] = p.names.front();
    return person;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// A server log and a second one in which Joe Smith plays as "Joe Smyth"
// under his GUID.
struct TwoLogs {
    TempDir dir;
    std::string first, second;
    std::unique_ptr<HistoryStore> store;

    TwoLogs() {
        generateMatch("ctf", dir.file("m").string(), 5, 3);
        first = dir.file("m-server.log").string();
        second = dir.file("renamed.log").string();
        writeFile(second, replaced(readFile(first), "Joe Smith", "Joe Smyth"));
        store = openHistory(dir.file("h.sqlite").string());
        import(*store, first);
        import(*store, second);
    }

    void decide(PeopleDecision::Kind kind, const std::string& name, const std::string& other) {
        PeopleDecision decision{0, kind, name, other, 0};
        const HistoryError error = store->addDecision(decision);
        ASSERT_FALSE(error) << *error;
    }

    void forgetAll() {
        std::vector<PeopleDecision> decisions;
        ASSERT_FALSE(store->readDecisions(decisions));
        for (const PeopleDecision& d : decisions) {
            bool forgotten = false;
            ASSERT_FALSE(store->forgetDecision(d.id, forgotten));
            EXPECT_TRUE(forgotten);
        }
    }
};

TEST(HistoryPeople, AGuidSeenUnderTwoNamesInTwoLogsIsOnePerson) {
    TwoLogs logs;
    const auto person = personOfEachName(*logs.store);
    EXPECT_EQ(person.at("Joe Smyth"), "Joe Smith");
    EXPECT_EQ(person.at("\xD8rjan"), "J\xF6rg M\xFCller"); // a rename in the log
    EXPECT_EQ(person.at("Sam"), "Sam");
    EXPECT_EQ(person.at("Samuel"), "Samuel");
    EXPECT_EQ(person.at("Viper"), "Viper"); // bots have no GUID: nothing links them
    EXPECT_EQ(person.at("Tango"), "Tango");
}

using Kind = PeopleDecision::Kind;

struct DecisionCase {
    const char* what;
    std::vector<std::tuple<Kind, const char*, const char*>> decisions;
    std::vector<std::pair<const char*, const char*>> onePerson; // (name, his person's first name)
};

TEST(HistoryPeople, MergesAndSplitsDecideWhoIsOnePersonUntilForgotten) {
    TwoLogs logs;
    const DecisionCase cases[] = {
        {"none",
         {},
         {{"Samuel", "Samuel"}, {"Joe Smyth", "Joe Smith"}, {"\xD8rjan", "J\xF6rg M\xFCller"}}},
        {"a merge", {{Kind::Merge, "Samuel", "Sam"}}, {{"Samuel", "Sam"}, {"Big Sam", "Big Sam"}}},
        {"two merges",
         {{Kind::Merge, "Sam", "Samuel"}, {Kind::Merge, "Samuel", "Big Sam"}},
         {{"Samuel", "Sam"}, {"Big Sam", "Sam"}}},
        {"a merge, then a split",
         {{Kind::Merge, "Sam", "Samuel"}, {Kind::Split, "Samuel", ""}},
         {{"Samuel", "Samuel"}, {"Sam", "Sam"}}},
        {"a merge after the split",
         {{Kind::Merge, "Sam", "Samuel"},
          {Kind::Split, "Samuel", ""},
          {Kind::Merge, "Samuel", "Sam"}},
         {{"Samuel", "Sam"}}},
        {"a rename split off", {{Kind::Split, "\xD8rjan", ""}}, {{"\xD8rjan", "\xD8rjan"}}},
        {"a GUID link split off", {{Kind::Split, "Joe Smyth", ""}}, {{"Joe Smyth", "Joe Smyth"}}},
        // Kane appears first: his name comes first.
        {"a name merged into a renamed person",
         {{Kind::Merge, "\xD8rjan", "Kane"}},
         {{"\xD8rjan", "Kane"}, {"J\xF6rg M\xFCller", "Kane"}}},
    };
    for (const DecisionCase& c : cases) {
        SCOPED_TRACE(c.what);
        logs.forgetAll();
        for (const auto& [kind, name, other] : c.decisions)
            logs.decide(kind, name, other);
        const auto person = personOfEachName(*logs.store);
        for (const auto& [name, first] : c.onePerson)
            EXPECT_EQ(person.at(name), first) << name;
    }
}

TEST(HistoryPeople, DecisionsSurviveAReimportAndForgettingOneUndoesIt) {
    TwoLogs logs;
    logs.decide(Kind::Merge, "Sam", "Samuel");
    const std::string grown = logs.dir.file("grown.log").string();
    generateMatch("inf", logs.dir.file("n").string(), 9, 2);
    writeFile(grown, readFile(logs.first) + readFile(logs.dir.file("n-server.log").string()));
    import(*logs.store, grown);
    import(*logs.store, logs.second);
    EXPECT_EQ(personOfEachName(*logs.store).at("Samuel"), "Sam");

    std::vector<PeopleDecision> decisions;
    ASSERT_FALSE(logs.store->readDecisions(decisions));
    ASSERT_EQ(decisions.size(), 1u);
    bool forgotten = false;
    ASSERT_FALSE(logs.store->forgetDecision(decisions[0].id, forgotten));
    EXPECT_TRUE(forgotten);
    ASSERT_FALSE(logs.store->forgetDecision(decisions[0].id, forgotten));
    EXPECT_FALSE(forgotten);
    EXPECT_EQ(personOfEachName(*logs.store).at("Samuel"), "Samuel");
}

// A version-1 history (before people decisions) is migrated on open and
// keeps its matches.
TEST(HistoryPeople, AHistoryOfVersionOneGainsTheDecisionsTable) {
    if (quorvath::test::onPostgres())
        GTEST_SKIP() << "an SQLite file of version 1";
    TempDir dir;
    const std::string path = dir.file("h.sqlite").string();
    import(*openHistory(path), std::string(QUORVATH_SOURCE_DIR) + "/samples/demo.log");
    {
        SQLite::Database old(path, SQLite::OPEN_READWRITE);
        old.exec(quorvath::test::sqlDroppingResults() +
                 "DROP TABLE people_decisions; DROP TABLE totals; DROP TABLE totals_names; "
                 "DROP TABLE totals_renames; PRAGMA user_version = 1");
    }
    const auto store = openHistory(path);
    EXPECT_GT(countHistory(*store).matches, 0);
    PeopleDecision decision{0, Kind::Split, "Quorvath", "", 0};
    ASSERT_FALSE(store->addDecision(decision));
    EXPECT_EQ(decision.id, 1);
}

// Every player's list of matches adds up to his Accurate sheet, and the maps
// and servers to the whole log, for every kind of log.
TEST(HistoryQueries, AListOfMatchesAndThePlaceTablesAddUpToTheAccurateCounting) {
    TempDir dir;
    generateMatch("inf", dir.file("m").string(), 3, 4);
    for (const char* kind : {"console", "games", "server"}) {
        SCOPED_TRACE(kind);
        const std::string log = dir.file(std::string("m-") + kind + ".log").string();
        auto store = openHistory(dir.file(std::string(kind) + ".sqlite").string());
        import(*store, log);
        const auto counted = countLog(log);
        const PlayerTable& players = counted.players;
        for (int i = 1; i <= players.playerCount(); ++i) {
            std::vector<PlayedMatch> played;
            ASSERT_FALSE(matchesPlayed(*store, {}, {players[i].name}, played));
            std::int64_t kills = 0, deaths = 0;
            for (const PlayedMatch& m : played) {
                kills += m.kills;
                deaths += m.deaths;
                EXPECT_EQ(m.name, players[i].name);
            }
            EXPECT_EQ(kills, players[i][totalKills]) << players[i].name;
            EXPECT_EQ(deaths, players[i][totalDeaths]) << players[i].name;
            EXPECT_FALSE(played.empty()) << players[i].name;
        }
        // A person's matches are those any of his names played, each once.
        PlayerTable linked;
        CountingScope scope;
        std::vector<NameActivity> activity;
        ASSERT_FALSE(countSelection(*store, {}, linked, scope, activity));
        for (const Person& person : peopleOf(linked, activity)) {
            std::vector<PlayedMatch> played;
            ASSERT_FALSE(matchesPlayed(*store, {}, person.names, played));
            EXPECT_EQ(person.matches, static_cast<int>(played.size())) << person.names.front();
        }
        const int matches = countHistory(*store).matches;
        for (const PlaceKind place : {PlaceKind::Map, PlaceKind::Server}) {
            std::vector<PlaceSummary> places;
            ASSERT_FALSE(summarizePlaces(*store, {}, place, places));
            int inPlaces = 0;
            std::int64_t kills = 0;
            for (const PlaceSummary& p : places) {
                inPlaces += p.matches;
                kills += p.kills;
                EXPECT_LE(p.firstPlayed, p.lastPlayed);
                EXPECT_LE(p.players, players.playerCount());
            }
            EXPECT_EQ(inPlaces, matches);
            EXPECT_EQ(kills, players[0][totalKills]);
        }
    }
}

} // namespace
