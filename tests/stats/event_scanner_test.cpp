// findkill on rendered log lines: names coloured, codes gone.
#include "stats/event_scanner.h"
#include "stats/stats_test_support.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using test::counterOf;
using test::setLines;

struct Scan {
    LogDocument doc;
    PlayerTable table;
    int operator()(std::string_view phrase, int involved) {
        findkill(doc, phrase, involved, table);
        return table.upper();
    }
    int count(const std::string& name, Counter c) const { return counterOf(table, name, c); }
    int pair(const std::string& killer, const std::string& victim) const {
        return table[table.findByName(killer)].victims.at(table.findByName(victim));
    }
};

struct WeaponCase {
    const char* phrase;
    const char* weapon; // nullptr: the line ends after the killer
    Counter deaths;
    Counter kills;
};

TEST(FindkillWeapons, EveryWeaponRowReachesItsCounters) {
    const WeaponCase cases[] = {
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
    for (const WeaponCase& c : cases) {
        SCOPED_TRACE(std::string(c.phrase) + " " + (c.weapon ? c.weapon : ""));
        Scan scan;
        std::string line = std::string("{r:Mullins} ") + c.phrase + " {b:Joe}";
        if (c.weapon)
            line += std::string("'s ") + c.weapon;
        setLines(scan.doc, {"Joe entered the game", line, "Mullins: gg"});
        EXPECT_EQ(scan(c.phrase, 2), 2);
        EXPECT_EQ(scan.count("Mullins", c.deaths), 1);
        EXPECT_EQ(scan.count("Mullins", totalDeaths), 1);
        EXPECT_EQ(scan.count("Joe", c.kills), 1);
        EXPECT_EQ(scan.count("Joe", totalKills), 1);
        EXPECT_EQ(scan.count("Joe", c.deaths), 0);
        EXPECT_EQ(scan.pair("Joe", "Mullins"), 1);
        EXPECT_EQ(scan.table[scan.table.findByName("Mullins")].killers.at(2), 1);
    }
}

TEST(FindkillWeapons, UnknownWeaponCountsOnlyTotalsAndPair) {
    Scan scan;
    setLines(scan.doc, {"{r:Mullins} was killed by {b:Joe}'s Telefrag"});
    scan("was killed by", 2);
    EXPECT_EQ(scan.count("Mullins", totalDeaths), 1);
    EXPECT_EQ(scan.count("Joe", totalKills), 1);
    EXPECT_EQ(scan.pair("Joe", "Mullins"), 1);
}

TEST(FindkillWeapons, WeaponWordComparesCase) {
    Scan scan;
    setLines(scan.doc, {"{r:Mullins} was shot by {b:Joe}'s m4"});
    scan("was shot by", 2);
    EXPECT_EQ(scan.count("Joe", m4Kills), 0);
    EXPECT_EQ(scan.count("Joe", totalKills), 1);
}

struct OnePlayerCase {
    const char* phrase;
    Counter counter;
    bool death;
};

TEST(FindkillOnePlayer, EveryPhraseReachesItsCounter) {
    const OnePlayerCase cases[] = {
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
    for (const OnePlayerCase& c : cases) {
        SCOPED_TRACE(c.phrase);
        Scan scan;
        setLines(scan.doc, {"Red team eliminated!", std::string("Joe ") + c.phrase, "Round Draw!"});
        EXPECT_EQ(scan(c.phrase, 1), 1);
        EXPECT_EQ(scan.count("Joe", c.counter), 1);
        EXPECT_EQ(scan.count("Joe", totalDeaths), c.death ? 1 : 0);
        EXPECT_EQ(scan.count("Joe", totalKills), 0);
    }
}

TEST(FindkillOnePlayer, TwiceInOneLineBooksOnce) {
    Scan scan;
    setLines(scan.doc, {"Joe called a vote. Joe called a vote.", "Joe CALLED A VOTE."});
    scan("called a vote.", 1);
    // The second occurrence of line 1 is skipped; line 2's is found without regard to case.
    EXPECT_EQ(scan.count("Joe", votesCalled), 2);
    EXPECT_EQ(scan.table.upper(), 1);
}

TEST(FindkillOnePlayer, ChatLineBooksTheTextBeforeThePhrase) {
    Scan scan;
    setLines(scan.doc, {"{c:Joe: lol he killed himself.}"});
    scan("killed himself.", 1);
    EXPECT_EQ(scan.count("Joe: lol he", m203Suicides), 1);
    EXPECT_EQ(scan.count("Joe: lol he", totalDeaths), 1);
}

TEST(FindkillOnePlayer, OtherInvolvedValueAddsPlayersOnly) {
    Scan scan;
    setLines(scan.doc, {"{r:Mullins} was shot by {b:Joe}'s M4"});
    EXPECT_EQ(scan("was shot by", 3), 1);
    EXPECT_EQ(scan.table[1].name, "Mullins");
    EXPECT_EQ(scan.count("Mullins", totalDeaths), 0);
}

TEST(FindkillHeadshot, TaggedWeaponLine) {
    Scan scan;
    setLines(scan.doc, {"{b:Tango} was shot by {r:Quorvath}'s M4 [HeaDShoT]"});
    scan("was shot by", 2);
    EXPECT_EQ(scan.table.upper(), 2);
    EXPECT_EQ(scan.count("Tango", m4Deaths), 1);
    EXPECT_EQ(scan.count("Tango", totalDeaths), 1);
    EXPECT_EQ(scan.count("Tango", headshotDeaths), 1);
    EXPECT_EQ(scan.count("Quorvath", m4Kills), 1);
    EXPECT_EQ(scan.count("Quorvath", headshotKills), 1);
    EXPECT_EQ(scan.count("Quorvath", totalKills), 1);
}

TEST(FindkillHeadshot, KnifeLineCutsTheTagOffTheKiller) {
    Scan scan;
    setLines(scan.doc, {"{b:Tango} was sliced by {r:Quorvath} [HeaDShoT]"});
    scan("was sliced by", 2);
    EXPECT_EQ(scan.table[2].name, "Quorvath");
    EXPECT_EQ(scan.count("Quorvath", knifeKills), 1);
    EXPECT_EQ(scan.count("Quorvath", headshotKills), 1);
    EXPECT_EQ(scan.count("Tango", headshotDeaths), 1);
}

TEST(FindkillHeadshot, TagInOtherCaseIsPartOfTheWeapon) {
    Scan scan;
    setLines(scan.doc, {"{b:Tango} was shot by {r:Quorvath}'s M4 [headshot]"});
    scan("was shot by", 2);
    EXPECT_EQ(scan.count("Quorvath", m4Kills), 0);
    EXPECT_EQ(scan.count("Quorvath", headshotKills), 0);
    EXPECT_EQ(scan.count("Quorvath", totalKills), 1);
}

TEST(FindkillTeamKill, SameTeamColourIsATeamKill) {
    Scan scan;
    setLines(scan.doc, {"{r:Dirk} was shot by {r:Vex}'s MP5 [HeaDShoT]"});
    scan("was shot by", 2);
    EXPECT_EQ(scan.count("Dirk", teamKilledDeaths), 1);
    EXPECT_EQ(scan.count("Dirk", totalDeaths), 1);
    EXPECT_EQ(scan.count("Dirk", headshotDeaths), 1); // team kills keep the headshot death
    EXPECT_EQ(scan.count("Dirk", mp5Deaths), 0);
    EXPECT_EQ(scan.count("Vex", teamKills), 1);
    EXPECT_EQ(scan.count("Vex", headshotKills), 0);
    EXPECT_EQ(scan.count("Vex", totalKills), 0);
    EXPECT_TRUE(scan.table[scan.table.findByName("Vex")].victims.empty()); // no pair booked
}

TEST(FindkillTeamKill, GreyNamesAreNeverTeamKills) {
    Scan scan;
    setLines(scan.doc, {"Dirk was shot by Vex's MP5"});
    scan("was shot by", 2);
    EXPECT_EQ(scan.count("Vex", mp5Kills), 1);
    EXPECT_EQ(scan.count("Vex", teamKills), 0);
}

TEST(FindkillTeamKill, KillerNameFoundInsideTheVictimsNameIsProbedThere) {
    Scan scan;
    // "Jo" is found first inside "{r:Mojo}": its second character there is red.
    // "as" is found inside the grey "was": a real team kill goes unnoticed.
    setLines(scan.doc, {"{r:Mojo} was shot by {b:Jo}'s M4", "{r:Al} was shot by {r:as}'s M4"});
    scan("was shot by", 2);
    EXPECT_EQ(scan.count("Jo", teamKills), 1);
    EXPECT_EQ(scan.count("Mojo", teamKilledDeaths), 1);
    EXPECT_EQ(scan.count("as", teamKills), 0);
    EXPECT_EQ(scan.count("as", m4Kills), 1);
}

TEST(FindkillTeamKill, NameFoundNowhereProbesTheTextStart) {
    // Phrase at the line start and nothing after it: both names are empty, both
    // searches find nothing (-1), and both probes read position 0.
    for (bool blueStart : {true, false}) {
        Scan scan;
        setLines(scan.doc, {blueStart ? "{b:w}as stabbed by" : "was stabbed by"});
        scan("was stabbed by", 2);
        ASSERT_EQ(scan.table.upper(), 1);
        EXPECT_EQ(scan.table[1].name, "");
        EXPECT_EQ(scan.count("", teamKills), blueStart ? 1 : 0);
        EXPECT_EQ(scan.count("", bayonetKills), blueStart ? 0 : 1);
    }
}

TEST(FindkillNames, TwoNamesDifferingInCaseAreTwoPlayers) {
    Scan scan;
    setLines(scan.doc, {"Joe was shot by joe's M4", "{r:Ann} was shot by {b:ann}'s M4"});
    scan("was shot by", 2);
    EXPECT_EQ(scan.table.upper(), 4);
    EXPECT_EQ(scan.count("Joe", m4Deaths), 1);
    EXPECT_EQ(scan.count("joe", m4Kills), 1);
    // The probe finds "ann" without case at the red "Ann": a team kill.
    EXPECT_EQ(scan.count("ann", teamKills), 1);
}

TEST(FindkillNames, EmptyKillerIsNobodyForThePairOnly) {
    Scan scan;
    // The grey first line matters: an empty name's probe reads position 0.
    setLines(scan.doc, {"Round Draw!", "{r:Mullins} was shot by 's M4", "Mullins has dropped the Red Flag!"});
    scan("was shot by", 2);
    ASSERT_EQ(scan.table.upper(), 2);
    EXPECT_EQ(scan.table[2].name, "");
    EXPECT_EQ(scan.table[2][m4Kills], 1);
    EXPECT_EQ(scan.table[2][totalKills], 1);
    // No player is called "nobody": pair and carrier credit go to slot 0.
    EXPECT_EQ(scan.table[0].victims.at(1), 1);
    EXPECT_EQ(scan.table[1].killers.at(0), 1);
    EXPECT_EQ(scan.table[0][flagCarrierKills], 1);
    EXPECT_EQ(scan.table[2][flagCarrierKills], 0);
}

TEST(FindkillNames, EmptyKillerCreditsAPlayerCalledNobody) {
    Scan scan;
    setLines(scan.doc, {"x", "{r:nobody} was shot by {b:Joe}'s M4", "{r:Vex} was shot by 's M4"});
    scan("was shot by", 2);
    EXPECT_EQ(scan.pair("nobody", "Vex"), 1);
}

TEST(FindkillNames, EmptyVictimPairsWithTheFirstPlayer) {
    Scan scan;
    // Phrase at the line start: the victim's name is empty, and findplayerindex
    // matches the empty origname of index 1. The killer's length still
    // allows for the missing blank, so his name loses a letter.
    setLines(scan.doc, {"{r:Joe} was shot by {b:Vex}'s M4", "was shot by {b:Tango}'s M4"});
    scan("was shot by", 2);
    EXPECT_EQ(scan.table[3].name, "");
    EXPECT_EQ(scan.count("", m4Deaths), 1);
    EXPECT_EQ(scan.table[4].name, "Tang");
    EXPECT_EQ(scan.table[4].victims.at(1), 1);
}

TEST(FindkillLengths, WeaponLineEndingRightAfterTheApostrophe) {
    Scan scan;
    setLines(scan.doc, {"{r:Mullins} was shot by {b:Joe}'"});
    scan("was shot by", 2);
    // Weapon length -2 takes nothing; the killer keeps what the allowance leaves.
    EXPECT_EQ(scan.table[2].name, "J");
    EXPECT_EQ(scan.count("J", totalKills), 1);
}

TEST(FindkillLengths, LineWithoutApostropheTakesTheWeaponFromEarlierLines) {
    Scan scan;
    setLines(scan.doc, {"Joe's", "{r:Mullins} was shot by {b:Joe} M4"});
    scan("was shot by", 2);
    // apos is just after "Joe'": the weapon is "\r\n{r:Mullins}..." (long), so the
    // killer's length is negative and the name empty.
    EXPECT_EQ(scan.table.upper(), 2);
    EXPECT_EQ(scan.table[2].name, "");
}

TEST(FindkillLengths, NoApostropheAnywhereStopsAtTheTextStart) {
    Scan scan;
    setLines(scan.doc, {"Round Draw!", "{r:Mullins} was shot by {b:Joe} with M4"}, false);
    scan("was shot by", 2);
    // apos = 0: the weapon is the text from position 2 on; nothing is left for the killer.
    EXPECT_EQ(scan.table[2].name, "");
    EXPECT_EQ(scan.count("", totalKills), 1);
}

TEST(FindkillLengths, KnifeOnTheLastLineWithoutLineBreak) {
    Scan scan;
    setLines(scan.doc, {"x", "{b:Tango} was sliced by {r:Quorvath}"}, false);
    scan("was sliced by", 2);
    EXPECT_EQ(scan.table[2].name, "Quorvath");
    EXPECT_EQ(scan.count("Quorvath", knifeKills), 1);
}

TEST(FindkillLengths, KnifePhraseAtTheVeryEnd) {
    Scan scan;
    setLines(scan.doc, {"Tango was sliced by"}, false);
    scan("was sliced by", 2);
    EXPECT_EQ(scan.table[2].name, "");
    EXPECT_EQ(scan.count("Tango", knifeDeaths), 1);
}

TEST(FindkillLengths, KnifeKillerLosesEveryCr) {
    Scan scan;
    setLines(scan.doc, {"Tango was sliced by Qu\rorv"});
    scan("was sliced by", 2);
    EXPECT_EQ(scan.table[2].name, "Quorv");
}

TEST(FindkillRename, FilesTheNewNameUnderTheOldOnesMaster) {
    Scan scan;
    setLines(scan.doc, {"A renamed to B", "B renamed to C", "X renamed to A", "C renamed to B"});
    scan("renamed to", 2);
    ASSERT_EQ(scan.table.upper(), 4);
    const PlayerTable& t = scan.table;
    const int a = t.findByName("A"), b = t.findByName("B"), c = t.findByName("C"),
              x = t.findByName("X");
    ASSERT_EQ(t[a].aliases.count(), 2);
    EXPECT_EQ(t[a].aliases.item(1), b);
    EXPECT_EQ(t[a].aliases.key(1), "B");
    EXPECT_EQ(t[a].aliases.item(2), c);
    EXPECT_EQ(t[b].master, a);
    EXPECT_EQ(t[c].master, a);
    // X is new: its own master; A joins X's collection too.
    EXPECT_EQ(t[x].aliases.count(), 1);
    EXPECT_EQ(t[a].master, x);
    for (int i = 1; i <= t.upper(); ++i)
        for (int n = kFirstCounter; n <= kLastCounter; ++n)
            EXPECT_EQ(t[i].stat[static_cast<std::size_t>(n)], 0);
    EXPECT_TRUE(t[a].victims.empty());
}

TEST(FindkillRename, ColouredRenameIsNoTeamKill) {
    Scan scan;
    setLines(scan.doc, {"{r:Old} renamed to {r:New}"});
    scan("renamed to", 2);
    EXPECT_EQ(scan.count("Old", teamKilledDeaths), 0);
    EXPECT_EQ(scan.table[1].aliases.count(), 1);
}

TEST(FindkillRename, WeaponWordReLinksAliasesInAKill) {
    Scan scan;
    setLines(scan.doc, {"{r:Mullins} was shot by {r:Joe}'s re"});
    scan("was shot by", 2);
    // Deliberate: "re" is the rename marker; no team kill, totals still counted.
    EXPECT_EQ(scan.count("Mullins", teamKilledDeaths), 0);
    EXPECT_EQ(scan.count("Mullins", totalDeaths), 1);
    EXPECT_EQ(scan.count("Joe", totalKills), 1);
    EXPECT_EQ(scan.table[2].master, 1);
}

TEST(FindkillCarrier, DropLineAfterTheKill) {
    for (const char* object : {"Red Flag!", "Blue Flag!", "briefcase!", "bomb!", "Xmas tree!"}) {
        SCOPED_TRACE(object);
        Scan scan;
        setLines(scan.doc, {"{r:Joe} was shot by {b:Vex}'s M4", std::string("Joe has dropped the ") + object});
        scan("was shot by", 2);
        const std::string o = object;
        EXPECT_EQ(scan.count("Vex", flagCarrierKills), o.find("Flag") != std::string::npos ? 1 : 0);
        EXPECT_EQ(scan.count("Vex", briefcaseCarrierKills), o == "briefcase!" ? 1 : 0);
        EXPECT_EQ(scan.count("Vex", bombCarrierKills), o == "bomb!" ? 1 : 0);
    }
}

TEST(FindkillCarrier, DropLineOneToThreeLinesAboveButNotFour) {
    for (int above = 1; above <= 4; ++above) {
        SCOPED_TRACE(above);
        Scan scan;
        std::string markup = "Joe has dropped the Red Flag!\r\n";
        for (int i = 1; i < above; ++i)
            markup += "filler\r\n";
        markup += "{r:Joe} was shot by {b:Vex}'s M4\r\n";
        test::setMarkup(scan.doc, markup);
        scan("was shot by", 2);
        EXPECT_EQ(scan.count("Vex", flagCarrierKills), above <= 3 ? 1 : 0);
    }
}

TEST(FindkillCarrier, BothPlacesCreditTwice) {
    Scan scan;
    setLines(scan.doc, {"Joe has dropped the bomb!", "{r:Joe} was shot by {b:Vex}'s M4",
                        "Joe has dropped the briefcase!"});
    scan("was shot by", 2);
    EXPECT_EQ(scan.count("Vex", bombCarrierKills), 1);
    EXPECT_EQ(scan.count("Vex", briefcaseCarrierKills), 1);
}

TEST(FindkillCarrier, OtherDropAboveUsesUpTheRounds) {
    Scan scan;
    // The nearest line above drops something else: it is examined three times,
    // so the flag drop two lines up is never reached.
    setLines(scan.doc, {"Joe has dropped the Red Flag!", "Joe has dropped the ball",
                        "{r:Joe} was shot by {b:Vex}'s M4"});
    scan("was shot by", 2);
    EXPECT_EQ(scan.count("Vex", flagCarrierKills), 0);
}

TEST(FindkillCarrier, DropLineComparesExactly) {
    Scan scan;
    setLines(scan.doc, {"{r:Joe} was shot by {b:Vex}'s M4", "JOE has dropped the Red Flag!",
                        "{r:Ann} was shot by {b:Vex}'s M4", "Ann has Dropped the Red Flag!"});
    scan("was shot by", 2);
    EXPECT_EQ(scan.count("Vex", flagCarrierKills), 0);
}

TEST(FindkillCarrier, KillOnTheFirstLineLooksAtItself) {
    Scan scan;
    setLines(scan.doc, {"{r:Joe} was shot by {b:Vex}'s M4"}, false);
    scan("was shot by", 2);
    EXPECT_EQ(scan.count("Vex", totalKills), 1);
    EXPECT_EQ(scan.count("Vex", flagCarrierKills), 0);
}

TEST(FindkillBombTarget, DestroyedBeforeAnyOtherRoundEnd) {
    struct Case {
        std::initializer_list<std::string> after;
        int credit;
    };
    const Case cases[] = {
        {{"Blue team has destroyed the target!", "Red team eliminated!"}, 1},
        {{"Blue team has destroyed the target!"}, 1}, // nothing else after it
        {{"Red team eliminated!", "Blue team has destroyed the target!"}, 0},
        {{"Vex has defused the bomb!", "Blue team has destroyed the target!"}, 0},
        {{"Red team has defended the target!", "Blue team has destroyed the target!"}, 0},
        {{"Red team has defended the bomb site!"}, 0}, // no destruction at all
        {{"BLUE TEAM HAS DESTROYED THE TARGET!", "Round Draw!"}, 1},
    };
    for (const Case& c : cases) {
        Scan scan;
        std::string markup = "Joe has planted the bomb!\r\n";
        for (const std::string& line : c.after)
            markup += line + "\r\n";
        SCOPED_TRACE(markup);
        test::setMarkup(scan.doc, markup);
        scan("has planted the bomb!", 1);
        EXPECT_EQ(scan.count("Joe", bombsPlanted), 1);
        EXPECT_EQ(scan.count("Joe", targetsDestroyed), c.credit);
    }
}

TEST(FindkillBombTarget, EachPlantLooksFromItsOwnLine) {
    Scan scan;
    setLines(scan.doc, {"Joe has planted the bomb!", "Red team eliminated!", "Vex has planted the bomb!",
                        "Red team has destroyed the target!"});
    scan("has planted the bomb!", 1);
    EXPECT_EQ(scan.count("Joe", targetsDestroyed), 0);
    EXPECT_EQ(scan.count("Vex", targetsDestroyed), 1);
}

} // namespace
} // namespace quorvath
