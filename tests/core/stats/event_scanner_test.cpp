// findkill on rendered log lines: names coloured, codes gone. The random logs
// of statistics_pass_test hold the odd corners to the literal scanner; these
// cases pin each counter and the rules a reader would look up.
#include "core/stats/event_scanner.h"
#include "core/stats/stats_test_support.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using test::setLines;

struct Scan {
    LogDocument doc;
    PlayerTable table;
    Scan(std::initializer_list<std::string> lines, std::string_view phrase, int involved = 2,
         bool finalBreak = true) {
        setLines(doc, lines, finalBreak);
        findkill(doc, phrase, involved, table);
    }
    int count(const std::string& name, Counter c) const { return test::counterOf(table, name, c); }
};

TEST(FindkillCounters, EveryWeaponRowReachesItsCounters) {
    const struct {
        const char* phrase;
        const char* weapon; // nullptr: the line ends after the killer
        Counter deaths, kills;
    } cases[] = {
        {"was shot by", "AK74", ak74Deaths, ak74Kills},
        {"was detonated by", "ANM14", anm14Deaths, anm14Kills},
        {"was detonated by", "M15", m15Deaths, m15Kills},
        {"was detonated by", "M84", m84Deaths, m84Kills},
        {"was bludgeoned by", "M590", m590BludgeonDeaths, m590BludgeonKills},
        {"was pumped full of lead by", "M590", m590Deaths, m590Kills},
        {"was pumped full of lead by", "USAS-12", usas12Deaths, usas12Kills},
        {"was detonated by", "SMOHG92", smohg92Deaths, smohg92Kills},
        {"was detonated by", "RPG7", rpg7Deaths, rpg7Kills},
        {"was shot by", "M3A1", m3a1Deaths, m3a1Kills},
        {"was shot by", "M4", m4Deaths, m4Kills},
        {"was shot by", "M60", m60Deaths, m60Kills},
        {"was shot by", "MP5", mp5Deaths, mp5Kills},
        {"was sniped by", "MSG90A1", msg90a1Deaths, msg90a1Kills},
        {"was detonated by", "M203", m203Deaths, m203Kills},
        {"was pistol whipped by", "M1911A1", pistolWhipDeaths, pistolWhipKills},
        {"was shot by", "M1911A1", m1911a1Deaths, m1911a1Kills},
        {"was pistol whipped by", "US SOCOM", pistolWhipDeaths, pistolWhipKills},
        {"was shot by", "US SOCOM", socomDeaths, socomKills},
        {"was pistol whipped by", "Silver Talon", pistolWhipDeaths, pistolWhipKills},
        {"was shot by", "Silver Talon", silverTalonDeaths, silverTalonKills},
        {"was shot by", "Micro-Uzi", microUziDeaths, microUziKills},
        {"was detonated by", "MM1", mm1Deaths, mm1Kills},
        {"was stabbed by", nullptr, bayonetDeaths, bayonetKills},
        {"was sliced by", nullptr, knifeDeaths, knifeKills},
        {"was shot by", "Sig 551", sig551Deaths, sig551Kills},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.phrase) + " " + (c.weapon ? c.weapon : ""));
        const std::string kill = std::string("{r:Mullins} ") + c.phrase + " {b:Joe}" +
                                 (c.weapon ? std::string("'s ") + c.weapon : "");
        Scan scan({"Joe entered the game", kill, "Mullins: gg"}, c.phrase);
        ASSERT_EQ(scan.table.upper(), 2);
        const PlayerRecord &victim = scan.table[1], &killer = scan.table[2];
        EXPECT_EQ(victim.name + " " + killer.name, "Mullins Joe");
        EXPECT_EQ(
            std::vector({victim[c.deaths], victim[totalDeaths], killer[c.kills], killer[totalKills],
                         killer[c.deaths], killer.victims.at(1), victim.killers.at(2)}),
            std::vector({1, 1, 1, 1, 0, 1, 1}));
    }
}

TEST(FindkillCounters, EveryOnePlayerPhraseReachesItsCounter) {
    const struct {
        const char* phrase;
        Counter counter;
        bool death;
    } cases[] = {
        {"has taken the briefcase!", briefcasesTaken, false},
        {"has dropped the briefcase!", briefcasesDropped, false},
        {"has escaped with the briefcase!", briefcaseEscapes, false},
        {"blew himself up.", grenadeSuicides, true},
        {"fell to his death.", fallSuicides, true},
        {"killed himself.", m203Suicides, true},
        {"was in the wrong place.", wrongPlaceSuicides, true},
        {"called a vote.", votesCalled, false},
        {"has captured the Blue Flag!", flagsCaptured, false},
        {"has captured the Red Flag!", flagsCaptured, false},
        {"has defused the bomb!", bombsDefused, false},
        {"has planted the bomb!", bombsPlanted, false},
        {"has dropped the bomb!", bombsDropped, false},
        {"has taken the bomb!", bombsTaken, false},
        {"You were kicked off of the server!", timesKicked, false},
        {"You have been temporarily banned from this server!", timesTempBanned, false},
        {"You have been banned from this server!", timesBanned, false},
        {"has dropped the Blue Flag!", flagsDropped, false},
        {"has dropped the Red Flag!", flagsDropped, false},
        {"has taken the Blue Flag!", flagsTaken, false},
        {"has taken the Red Flag!", flagsTaken, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.phrase);
        Scan scan({"Red team eliminated!", std::string("Joe ") + c.phrase, "Round Draw!"}, c.phrase,
                  1);
        ASSERT_EQ(scan.table.upper(), 1);
        const PlayerRecord& joe = scan.table[1];
        EXPECT_EQ(std::vector({joe[c.counter], joe[totalDeaths], joe[totalKills]}),
                  std::vector({1, c.death ? 1 : 0, 0}));
    }
}

TEST(FindkillCounters, HeadshotTeamKillAndCarrierCounters) {
    Scan tagged({"{b:Tango} was shot by {r:Quorvath}'s M4 [HeaDShoT]"}, "was shot by");
    EXPECT_EQ(tagged.count("Tango", headshotDeaths), 1);
    EXPECT_EQ(tagged.count("Quorvath", headshotKills), 1);
    EXPECT_EQ(tagged.count("Quorvath", m4Kills), 1);
    Scan knife({"{b:Tango} was sliced by {r:Quorvath} [HeaDShoT]"}, "was sliced by");
    EXPECT_EQ(knife.count("Quorvath", knifeKills), 1); // the tag is cut off the killer's name
    EXPECT_EQ(knife.count("Quorvath", headshotKills), 1);

    Scan team({"{r:Dirk} was shot by {r:Vex}'s MP5 [HeaDShoT]", "Dirk was shot by Vex's MP5"},
              "was shot by");
    EXPECT_EQ(team.count("Dirk", teamKilledDeaths), 1);
    EXPECT_EQ(team.count("Dirk", headshotDeaths), 1); // team kills keep the headshot death
    EXPECT_EQ(team.count("Dirk", totalDeaths), 2);
    EXPECT_EQ(team.count("Dirk", mp5Deaths), 1); // grey names are never team kills
    EXPECT_EQ(team.count("Vex", teamKills), 1);
    EXPECT_EQ(team.count("Vex", headshotKills), 0);
    EXPECT_EQ(team.count("Vex", totalKills), 1);
    EXPECT_EQ(team.table[2].victims.at(1), 1); // only the grey kill is paired

    for (const char* object : {"Red Flag!", "Blue Flag!", "briefcase!", "bomb!", "Xmas tree!"}) {
        SCOPED_TRACE(object);
        Scan scan(
            {"{r:Joe} was shot by {b:Vex}'s M4", std::string("Joe has dropped the ") + object},
            "was shot by");
        const std::string o = object;
        EXPECT_EQ(scan.count("Vex", flagCarrierKills), o.find("Flag") != std::string::npos ? 1 : 0);
        EXPECT_EQ(scan.count("Vex", briefcaseCarrierKills), o == "briefcase!" ? 1 : 0);
        EXPECT_EQ(scan.count("Vex", bombCarrierKills), o == "bomb!" ? 1 : 0);
    }
}

// Odd corners of the name and weapon arithmetic, each as the game's rules have it.
TEST(FindkillCorners, NamesCutAsTheRulesCutThem) {
    const struct {
        std::initializer_list<std::string> lines;
        const char* phrase;
        bool finalBreak;
        int slot;
        const char* name;
    } cases[] = {
        // Phrase at the line start: the victim is empty and pairs with index 1; the
        // killer's length still allows for the missing blank and loses a letter.
        {{"{r:Joe} was shot by {b:Vex}'s M4", "was shot by {b:Tango}'s M4"},
         "was shot by",
         true,
         4,
         "Tang"},
        // Weapon length -2 takes nothing; the killer keeps what the allowance leaves.
        {{"{r:Mullins} was shot by {b:Joe}'"}, "was shot by", true, 2, "J"},
        // No apostrophe on the line: the weapon runs from an earlier line's, so long
        // that nothing is left for the killer.
        {{"Joe's", "{r:Mullins} was shot by {b:Joe} M4"}, "was shot by", true, 2, ""},
        {{"Round Draw!", "{r:Mullins} was shot by {b:Joe} with M4"}, "was shot by", false, 2, ""},
        {{"x", "{b:Tango} was sliced by {r:Quorvath}"}, "was sliced by", false, 2, "Quorvath"},
        {{"Tango was sliced by"}, "was sliced by", false, 2, ""},
        {{"Tango was sliced by Qu\rorv"}, "was sliced by", true, 2, "Quorv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(*c.lines.begin());
        Scan scan(c.lines, c.phrase, 2, c.finalBreak);
        ASSERT_EQ(scan.table.upper(), c.slot);
        EXPECT_EQ(scan.table[c.slot].name, c.name);
        EXPECT_EQ(scan.table[c.slot][totalKills], 1);
    }
}

TEST(FindkillCorners, TeamProbeAndNobody) {
    // "Jo" is found first inside "{r:Mojo}" (red there); "as" inside the grey "was".
    Scan probe({"{r:Mojo} was shot by {b:Jo}'s M4", "{r:Al} was shot by {r:as}'s M4"},
               "was shot by");
    EXPECT_EQ(probe.count("Jo", teamKills), 1);
    EXPECT_EQ(probe.count("as", m4Kills), 1);

    // An empty killer is nobody: pair and carrier credit go to slot 0 ...
    Scan empty(
        {"Round Draw!", "{r:Mullins} was shot by 's M4", "Mullins has dropped the Red Flag!"},
        "was shot by");
    EXPECT_EQ(empty.table[2][m4Kills], 1);
    EXPECT_EQ(empty.table[0].victims.at(1), 1);
    EXPECT_EQ(empty.table[1].killers.at(0), 1);
    EXPECT_EQ(empty.table[0][flagCarrierKills], 1);
    // ... unless a player is called "nobody".
    Scan named({"x", "{r:nobody} was shot by {b:Joe}'s M4", "{r:Vex} was shot by 's M4"},
               "was shot by");
    EXPECT_EQ(
        named.table[named.table.findByName("nobody")].victims.at(named.table.findByName("Vex")), 1);
}

TEST(FindkillRename, FilesTheNewNameUnderTheOldOnesMaster) {
    Scan scan({"A renamed to B", "B renamed to C", "X renamed to A", "{r:C} renamed to {r:B}"},
              "renamed to");
    const PlayerTable& t = scan.table;
    ASSERT_EQ(t.upper(), 4);
    const int a = t.findByName("A"), b = t.findByName("B"), c = t.findByName("C"),
              x = t.findByName("X");
    ASSERT_EQ(t[a].aliases.count(), 2);
    EXPECT_EQ(t[a].aliases.item(1), b);
    EXPECT_EQ(t[a].aliases.key(1), "B");
    EXPECT_EQ(t[a].aliases.item(2), c);
    EXPECT_EQ(std::vector({t[b].master, t[c].master, t[a].master}), std::vector({a, a, x}));
    EXPECT_EQ(t[x].aliases.count(), 1);  // X is new: its own master; A joins its collection too
    for (int i = 1; i <= t.upper(); ++i) // renames count nothing, coloured or not
        EXPECT_EQ(t[i].stat, PlayerRecord().stat);
}

TEST(FindkillRename, WeaponWordReLinksAliasesInAKill) {
    // Deliberate: "re" is the rename marker; no team kill, totals still counted.
    Scan scan({"{r:Mullins} was shot by {r:Joe}'s re"}, "was shot by");
    EXPECT_EQ(scan.count("Mullins", teamKilledDeaths), 0);
    EXPECT_EQ(scan.count("Joe", totalKills), 1);
    EXPECT_EQ(scan.table[2].master, 1);
}

TEST(FindkillCarrier, DropLineOneToThreeLinesAboveButNotFour) {
    for (int above = 1; above <= 4; ++above) {
        SCOPED_TRACE(above);
        std::string markup = "Joe has dropped the Red Flag!\r\n";
        for (int i = 1; i < above; ++i)
            markup += "filler\r\n";
        Scan scan({markup + "{r:Joe} was shot by {b:Vex}'s M4"}, "was shot by");
        EXPECT_EQ(scan.count("Vex", flagCarrierKills), above <= 3 ? 1 : 0);
    }
    // The nearest line above drops something else: it is examined three times.
    Scan other({"Joe has dropped the Red Flag!", "Joe has dropped the ball",
                "{r:Joe} was shot by {b:Vex}'s M4"},
               "was shot by");
    EXPECT_EQ(other.count("Vex", flagCarrierKills), 0);
}

TEST(FindkillBombTarget, DestroyedBeforeAnyOtherRoundEnd) {
    const struct {
        std::initializer_list<std::string> after;
        int credit;
    } cases[] = {
        {{"Blue team has destroyed the target!", "Red team eliminated!"}, 1},
        {{"Blue team has destroyed the target!"}, 1}, // nothing else after it
        {{"Red team eliminated!", "Blue team has destroyed the target!"}, 0},
        {{"Vex has defused the bomb!", "Blue team has destroyed the target!"}, 0},
        {{"Red team has defended the target!", "Blue team has destroyed the target!"}, 0},
        {{"Red team has defended the bomb site!"}, 0}, // no destruction at all
        {{"BLUE TEAM HAS DESTROYED THE TARGET!", "Round Draw!"}, 1},
    };
    for (const auto& c : cases) {
        std::string markup = "Joe has planted the bomb!";
        for (const std::string& line : c.after)
            markup += "\r\n" + line;
        SCOPED_TRACE(markup);
        Scan scan({markup}, "has planted the bomb!", 1);
        EXPECT_EQ(scan.count("Joe", targetsDestroyed), c.credit);
    }
    // Each plant looks from its own line.
    Scan two({"Joe has planted the bomb!", "Red team eliminated!", "Vex has planted the bomb!",
              "Red team has destroyed the target!"},
             "has planted the bomb!", 1);
    EXPECT_EQ(two.count("Joe", targetsDestroyed), 0);
    EXPECT_EQ(two.count("Vex", targetsDestroyed), 1);
}

} // namespace
} // namespace quorvath
