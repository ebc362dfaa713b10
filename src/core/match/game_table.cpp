#include "core/match/game_table.h"

#include "core/stats/weapons.h"

namespace quorvath {

namespace {

using enum DeathCause;

constexpr std::string_view kShot = "was shot by";
constexpr std::string_view kWhipped = "was pistol whipped by";
constexpr std::string_view kPumped = "was pumped full of lead by";
constexpr std::string_view kDetonated = "was detonated by";

// A kill by `kills`'s weapon, worded `phrase`.
consteval KillForm kill(Counter kills, std::string_view phrase, DeathCause selfKill = KilledSelf) {
    const Weapon& w = weapon(kills);
    return {w.modName, w.alternate, phrase, w.gameWord, w.deaths, w.kills, selfKill};
}

// A pistol whip with `handgun`.
consteval KillForm whip(Counter handgun) {
    const Weapon& gun = weapon(handgun);
    const Weapon& w = weapon(pistolWhipKills);
    return {gun.modName, true, kWhipped, gun.gameWord, w.deaths, w.kills, KilledSelf};
}

// The M203 blast at close range is worded "killed himself.", which is why the
// sheet has always called those lines M203 suicides.
constexpr KillForm kKillForms[] = {
    kill(m1911a1Kills, kShot),
    whip(m1911a1Kills),
    kill(socomKills, kShot),
    whip(socomKills),
    kill(silverTalonKills, kShot),
    whip(silverTalonKills),
    kill(knifeKills, "was sliced by"),
    kill(ak74Kills, kShot),
    kill(bayonetKills, "was stabbed by"),
    kill(m4Kills, kShot),
    kill(m203Kills, kDetonated),
    kill(m60Kills, kShot),
    kill(mp5Kills, kShot),
    kill(microUziKills, kShot),
    // The spelling the classic rules look for; older logs may carry it.
    {"", false, kShot, weapon(microUziKills).classicWord, microUziDeaths, microUziKills,
     KilledSelf},
    kill(m3a1Kills, kShot),
    kill(sig551Kills, kShot),
    kill(msg90a1Kills, "was sniped by"),
    kill(m590Kills, kPumped),
    kill(m590BludgeonKills, "was bludgeoned by"),
    kill(usas12Kills, kPumped),
    kill(mm1Kills, kDetonated, Explosion),
    kill(rpg7Kills, kDetonated, Explosion),
    kill(m84Kills, kDetonated, Explosion),
    kill(smohg92Kills, kDetonated, Explosion),
    kill(anm14Kills, kDetonated, Explosion),
    kill(m15Kills, kDetonated, Explosion),
    // The game's words for a kill by a means without words of its own.
    {"", false, "was killed by", "", kNoRow, kNoRow, KilledSelf},
    // "Victim^7 tried to invade Killer^7's personal space": a kill with no weapon row.
    {"MOD_TELEFRAG", false, "tried to invade", "personal space", kNoRow, kNoRow, Died},
};

constexpr CauseMessage kCauseMessages[] = {
    {"blew himself up.", Explosion},
    {"blew herself up.", Explosion},
    {"killed himself.", KilledSelf},
    {"killed herself.", KilledSelf},
    {"fell to his death.", Fall},
    {"fell to her death.", Fall},
    {"was in the wrong place.", WrongPlace},
    {"sank like a rock.", Drowned},
    {"was squished.", Squished},
    {"died.", Died},
};

constexpr CauseMod kCauseMods[] = {
    {"MOD_FALLING", Fall},
    {"MOD_WATER", Drowned},
    {"MOD_CRUSH", Squished},
    {"MOD_TRIGGER_HURT", WrongPlace},
    {"MOD_TRIGGER_HURT_NOSUICIDE", WrongPlace},
    {"MOD_SUICIDE", KilledSelf},
    {"MOD_UNKNOWN", Died},
    {"MOD_TARGET_LASER", Died},
};

constexpr std::string_view kNoDeathMods[] = {"MOD_TEAMCHANGE"};

using enum ObjectiveStep;
using enum Carried;

constexpr ObjectivePhrase kObjectives[] = {
    {"has taken the Blue Flag!", Taken, BlueFlag, flagsTaken, true},
    {"has taken the Red Flag!", Taken, RedFlag, flagsTaken, true},
    {"has dropped the Blue Flag!", Dropped, BlueFlag, flagsDropped, true},
    {"has dropped the Red Flag!", Dropped, RedFlag, flagsDropped, true},
    {"has captured the Blue Flag!", Captured, BlueFlag, flagsCaptured, true},
    {"has captured the Red Flag!", Captured, RedFlag, flagsCaptured, true},
    {"has taken the briefcase!", Taken, Briefcase, briefcasesTaken, true},
    {"has dropped the briefcase!", Dropped, Briefcase, briefcasesDropped, true},
    {"has escaped with the briefcase!", Escaped, Briefcase, briefcaseEscapes, true},
    {"has taken the bomb!", Taken, Bomb, bombsTaken, true},
    {"has dropped the bomb!", Dropped, Bomb, bombsDropped, true},
    {"has planted the bomb!", Planted, Bomb, bombsPlanted, true},
    {"has defused the bomb!", Defused, Bomb, bombsDefused, true},
    {"team has destroyed the target!", TargetDestroyed, Bomb, targetsDestroyed, false},
    {"team has defended the briefcase!", RoundWon, None, kNoRow, false},
    {"team has defended the bomb site!", RoundWon, None, kNoRow, false},
    {"team eliminated!", RoundLost, None, kNoRow, false},
    {"Round Draw!", RoundDrawn, None, kNoRow, false},
};

constexpr PlayerPhrase kPlayerPhrases[] = {
    {"called a vote.", votesCalled},
    {"You were kicked off of the server!", timesKicked},
    {"You have been temporarily banned from this server!", timesTempBanned},
    {"You have been banned from this server!", timesBanned},
};

using enum PresenceStep;

constexpr PresencePhrase kPresencePhrases[] = {
    {"is connecting...", Connect, Team::Unknown},
    {"entered the game", Connect, Team::Unknown},
    {"disconnected", Disconnect, Team::Unknown},
    {"joined the red team.", TeamChange, Team::Red},
    {"joined the blue team.", TeamChange, Team::Blue},
    {"joined the spectators.", TeamChange, Team::Spectator},
};

constexpr HitLocation kHitLocations[] = {
    {0x400, "head"}, {0x40000, "neck"}, {0x38000, "chest"}, {0x7000, "back"}, {0x800, "waist"},
    {0x300, "arm"},  {0xC0, "hand"},    {0x3C, "leg"},      {0x3, "foot"},
};

constexpr GameTable kStock{
    "Soldier of Fortune II - Double Helix 1.03",
    kKillForms,
    kCauseMessages,
    kCauseMods,
    kNoDeathMods,
    kObjectives,
    kPlayerPhrases,
    kPresencePhrases,
    kHitLocations,
    {grenadeSuicides, m203Suicides, fallSuicides, wrongPlaceSuicides, drownedSuicides,
     squishedSuicides, diedSuicides},
    {kNoRow, flagCarrierKills, flagCarrierKills, briefcaseCarrierKills, bombCarrierKills},
    " renamed to ",
    "^1[ ^3HeaDShoT ^1]",
    1022,
    0x400,
    29,
};

} // namespace

const GameTable& stockGameTable() { return kStock; }

std::string_view causeMessage(const GameTable& table, DeathCause cause) {
    for (const CauseMessage& m : table.causeMessages)
        if (m.cause == cause)
            return m.message;
    return {};
}

} // namespace quorvath
