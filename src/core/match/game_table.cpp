#include "core/match/game_table.h"

namespace quorvath {

namespace {

using enum DeathCause;

constexpr std::string_view kShot = "was shot by";
constexpr std::string_view kWhipped = "was pistol whipped by";
constexpr std::string_view kPumped = "was pumped full of lead by";
constexpr std::string_view kDetonated = "was detonated by";

// The M203 blast at close range is worded "killed himself.", which is why the
// sheet has always called those lines M203 suicides.
constexpr KillForm kKillForms[] = {
    {"MOD_M1911A1_PISTOL", false, kShot, "M1911A1", m1911a1Deaths, m1911a1Kills, KilledSelf},
    {"MOD_M1911A1_PISTOL", true, kWhipped, "M1911A1", pistolWhipDeaths, pistolWhipKills,
     KilledSelf},
    {"MOD_US_SOCOM_PISTOL", false, kShot, "US SOCOM", socomDeaths, socomKills, KilledSelf},
    {"MOD_US_SOCOM_PISTOL", true, kWhipped, "US SOCOM", pistolWhipDeaths, pistolWhipKills,
     KilledSelf},
    {"MOD_SILVER_TALON", false, kShot, "Silver Talon", silverTalonDeaths, silverTalonKills,
     KilledSelf},
    {"MOD_SILVER_TALON", true, kWhipped, "Silver Talon", pistolWhipDeaths, pistolWhipKills,
     KilledSelf},
    {"MOD_KNIFE", false, "was sliced by", "", knifeDeaths, knifeKills, KilledSelf},
    {"MOD_AK74_ASSAULT_RIFLE", false, kShot, "AK74", ak74Deaths, ak74Kills, KilledSelf},
    {"MOD_AK74_ASSAULT_RIFLE", true, "was stabbed by", "", bayonetDeaths, bayonetKills, KilledSelf},
    {"MOD_M4_ASSAULT_RIFLE", false, kShot, "M4", m4Deaths, m4Kills, KilledSelf},
    {"MOD_M4_ASSAULT_RIFLE", true, kDetonated, "M203", m203Deaths, m203Kills, KilledSelf},
    {"MOD_M60_MACHINEGUN", false, kShot, "M60", m60Deaths, m60Kills, KilledSelf},
    {"MOD_MP5", false, kShot, "MP5", mp5Deaths, mp5Kills, KilledSelf},
    {"MOD_MICRO_UZI_SUBMACHINEGUN", false, kShot, "Micro Uzi", microUziDeaths, microUziKills,
     KilledSelf},
    // The spelling the classic rules look for; older logs may carry it.
    {"", false, kShot, "Micro-Uzi", microUziDeaths, microUziKills, KilledSelf},
    {"MOD_M3A1_SUBMACHINEGUN", false, kShot, "M3A1", m3a1Deaths, m3a1Kills, KilledSelf},
    {"MOD_SIG551", false, kShot, "Sig 551", sig551Deaths, sig551Kills, KilledSelf},
    {"MOD_MSG90A1_SNIPER_RIFLE", false, "was sniped by", "MSG90A1", msg90a1Deaths, msg90a1Kills,
     KilledSelf},
    {"MOD_M590_SHOTGUN", false, kPumped, "M590", m590Deaths, m590Kills, KilledSelf},
    {"MOD_M590_SHOTGUN", true, "was bludgeoned by", "M590", m590BludgeonDeaths, m590BludgeonKills,
     KilledSelf},
    {"MOD_USAS_12_SHOTGUN", false, kPumped, "USAS-12", usas12Deaths, usas12Kills, KilledSelf},
    {"MOD_MM1_GRENADE_LAUNCHER", false, kDetonated, "MM1", mm1Deaths, mm1Kills, Explosion},
    {"MOD_RPG7_LAUNCHER", false, kDetonated, "RPG7", rpg7Deaths, rpg7Kills, Explosion},
    {"MOD_M84_GRENADE", false, kDetonated, "M84", m84Deaths, m84Kills, Explosion},
    {"MOD_SMOHG92_GRENADE", false, kDetonated, "SMOHG92", smohg92Deaths, smohg92Kills, Explosion},
    {"MOD_ANM14_GRENADE", false, kDetonated, "ANM14", anm14Deaths, anm14Kills, Explosion},
    {"MOD_M15_GRENADE", false, kDetonated, "M15", m15Deaths, m15Kills, Explosion},
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
