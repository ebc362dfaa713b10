// bookPhraseEvents on rendered log lines: names coloured, codes gone. The
// random logs of statistics_pass_test hold the odd corners to the literal
// scanner; these cases pin each counter and the behaviour a reader would look up.
#include "core/stats/event_scanner.h"
#include "core/stats/stats_test_support.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

// The table after booking `phrase` on the lines of `markup` (see stats_test_support.h).
struct Scan {
    LogDocument doc;
    PlayerTable table;
    Scan(const std::string& markup, const std::string& phrase,
         EventKind kind = EventKind::TwoPlayer) {
        test::setMarkup(doc, markup);
        test::bookOnePhrase(doc, phrase, kind, table);
    }
};

TEST(EventCounters, EveryWeaponRowReachesItsCounters) {
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
        Scan scan("Joe entered the game\r\n" + kill + "\r\nMullins: gg\r\n", c.phrase);
        ASSERT_EQ(scan.table.playerCount(), 2);
        const PlayerRecord &victim = scan.table[1], &killer = scan.table[2];
        EXPECT_EQ(victim.name + " " + killer.name, "Mullins Joe");
        EXPECT_EQ(
            std::vector({victim[c.deaths], victim[totalDeaths], killer[c.kills], killer[totalKills],
                         killer[c.deaths], killer.victims.at(1), victim.killers.at(2)}),
            std::vector({1, 1, 1, 1, 0, 1, 1}));
    }
}

TEST(EventCounters, EveryOnePlayerPhraseReachesItsCounter) {
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
        Scan scan(std::string("Red team eliminated!\r\nJoe ") + c.phrase + "\r\nRound Draw!\r\n",
                  c.phrase, EventKind::OnePlayer);
        ASSERT_EQ(scan.table.playerCount(), 1);
        const PlayerRecord& joe = scan.table[1];
        EXPECT_EQ(std::vector({joe[c.counter], joe[totalDeaths], joe[totalKills]}),
                  std::vector({1, c.death ? 1 : 0, 0}));
    }
}

// The corners of the line arithmetic and of the checks around a kill or a
// plant, each a case a reader would look up.
TEST(EventCorners, EachCaseCountsWhatItShould) {
    constexpr const char* kShot = "was shot by";
    constexpr const char* kSliced = "was sliced by";
    constexpr const char* kPlanted = "has planted the bomb!"; // the one one-player phrase here
    constexpr const char* kRedFlagDrop = "Joe has dropped the Red Flag!\r\n";
    constexpr const char* kJoeShot = "{r:Joe} was shot by {b:Vex}'s M4";
    const struct {
        std::string markup;
        const char* phrase;
        const char* name;
        Counter counter;
        int value;
    } cases[] = {
        // Phrase at the line start: the victim is empty; the killer's length still
        // allows for the missing blank and loses a letter.
        {"{r:Joe} was shot by {b:Vex}'s M4\r\nwas shot by {b:Tango}'s M4\r\n", kShot, "Tang",
         totalKills, 1},
        // Weapon length -2 takes nothing; the killer keeps what the allowance leaves.
        {"{r:Mullins} was shot by {b:Joe}'\r\n", kShot, "J", totalKills, 1},
        // No apostrophe on the line: the weapon runs from an earlier line's, so long
        // that nothing is left for the killer.
        {"Joe's\r\n{r:Mullins} was shot by {b:Joe} M4\r\n", kShot, "", totalKills, 1},
        {"Round Draw!\r\n{r:Mullins} was shot by {b:Joe} with M4", kShot, "", totalKills, 1},
        // Knife lines: the killer runs to the line end, a CR inside it dropped.
        {"x\r\n{b:Tango} was sliced by {r:Quorvath}", kSliced, "Quorvath", knifeKills, 1},
        {"Tango was sliced by", kSliced, "", knifeKills, 1},
        {"Tango was sliced by Qu\rorv\r\n", kSliced, "Quorv", knifeKills, 1},
        // Such a name is looked for from each line's start: here first in the
        // victim's name at the text's start (a team kill), then in blue below.
        {"{r:Quorvath} was sliced by Qu\rorv\r\n{r:Tango} was sliced by Qu\rorv\r\n{b:Quorv}",
         kSliced, "Quorv", knifeKills, 1},
        {"{r:Quorvath} was sliced by Qu\rorv\r\n{r:Tango} was sliced by Qu\rorv\r\n{b:Quorv}",
         kSliced, "Quorv", teamKills, 1},
        // Found without case, "\x8A" as "\x9A" (letters that differ in more than
        // bit 5): the killer's name in the victim's, a team kill.
        {"{r:TOMA\x8A} was shot by {b:Toma\x9A}'s M4", kShot, "Toma\x9A", teamKills, 1},
        // A carrier's drop line counts right after the kill or one to three lines above.
        {kJoeShot + std::string("\r\n") + kRedFlagDrop, kShot, "Vex", flagCarrierKills, 1},
        {kRedFlagDrop + std::string("f\r\nf\r\n") + kJoeShot, kShot, "Vex", flagCarrierKills, 1},
        {kRedFlagDrop + std::string("f\r\nf\r\nf\r\n") + kJoeShot, kShot, "Vex", flagCarrierKills,
         0},
        // The nearest line above drops something else: it is examined three times.
        {kRedFlagDrop + std::string("Joe has dropped the ball\r\n") + kJoeShot, kShot, "Vex",
         flagCarrierKills, 0},
        // A plant destroys the target when the destruction is the next round end.
        {"Joe has planted the bomb!\r\nBlue team has destroyed the target!\r\nRed team "
         "eliminated!",
         kPlanted, "Joe", targetsDestroyed, 1},
        {"Joe has planted the bomb!\r\nBLUE TEAM HAS DESTROYED THE TARGET!", kPlanted, "Joe",
         targetsDestroyed, 1},
        {"Joe has planted the bomb!\r\nRed team eliminated!\r\nBlue team has destroyed the target!",
         kPlanted, "Joe", targetsDestroyed, 0},
        {"Joe has planted the bomb!\r\nVex has defused the bomb!\r\nBlue team has destroyed the "
         "target!",
         kPlanted, "Joe", targetsDestroyed, 0},
        {"Joe has planted the bomb!\r\nRed team has defended the target!\r\nBlue team has "
         "destroyed the target!",
         kPlanted, "Joe", targetsDestroyed, 0},
        {"Joe has planted the bomb!\r\nRed team has defended the bomb site!", kPlanted, "Joe",
         targetsDestroyed, 0},
        // Each plant looks from its own line.
        {"Joe has planted the bomb!\r\nRed team eliminated!\r\nVex has planted the bomb!\r\n"
         "Red team has destroyed the target!",
         kPlanted, "Vex", targetsDestroyed, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.markup);
        const bool plant = std::string_view(c.phrase) == kPlanted;
        Scan scan(c.markup, c.phrase, plant ? EventKind::OnePlayer : EventKind::TwoPlayer);
        EXPECT_EQ(test::counterOf(scan.table, c.name, c.counter), c.value);
    }
}

} // namespace
} // namespace quorvath
