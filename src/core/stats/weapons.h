#pragma once
// Every way of killing that has a kills and a deaths counter of its own, with
// each name the program and the game give it: the one list the player sheet,
// the rankings, the classic booking and the game table read their weapon
// names from. The texts are the program's own, so they differ on purpose:
// the sheet's "N00b Cannon" is the rankings' "M203 Grenade"; the classic rules
// look for "Micro-Uzi" where the game writes "Micro Uzi".

#include "core/stats/player_record.h"

#include <string_view>

namespace quorvath {

struct Weapon {
    Counter kills;
    Counter deaths;
    std::string_view sheetCaption;    // its row on the player sheet
    std::string_view rankingCategory; // its own ranking category; empty: ranked in a group
    std::string_view rankingHeading;  // its ranking's heading; empty: the category's text
    std::string_view classicWord;     // after "'s" where the classic rules look; empty: none
    std::string_view gameWord;        // after "'s" in the game's console lines; empty: none
    std::string_view modName;         // in server logs; empty: several weapons' attack
    bool alternate;                   // the weapon's alternate attack ("_ALT" follows)
};

// In sheet order. The pistol whip is every handgun's alternate attack, so its
// words and MOD names are the handguns'.
inline constexpr Weapon kWeapons[] = {
    {m1911a1Kills, m1911a1Deaths, "M1911A1", "", "M1911A1", "M1911A1", "M1911A1",
     "MOD_M1911A1_PISTOL", false},
    {socomKills, socomDeaths, "US SOCOM", "", "US SOCOM", "US SOCOM", "US SOCOM",
     "MOD_US_SOCOM_PISTOL", false},
    {silverTalonKills, silverTalonDeaths, "Silver Talon", "", "Silver Talon", "Silver Talon",
     "Silver Talon", "MOD_SILVER_TALON", false},
    {ak74Kills, ak74Deaths, "AK74", "AK74", "", "AK74", "AK74", "MOD_AK74_ASSAULT_RIFLE", false},
    {m4Kills, m4Deaths, "M4", "M4/M203", "", "M4", "M4", "MOD_M4_ASSAULT_RIFLE", false},
    {mp5Kills, mp5Deaths, "MP5", "MP5", "", "MP5", "MP5", "MOD_MP5", false},
    {m60Kills, m60Deaths, "M60", "M60", "", "M60", "M60", "MOD_M60_MACHINEGUN", false},
    {sig551Kills, sig551Deaths, "Sig 551", "Sig 551", "", "Sig 551", "Sig 551", "MOD_SIG551",
     false},
    {usas12Kills, usas12Deaths, "USAS-12 Whoring", "USAS-12", "", "USAS-12", "USAS-12",
     "MOD_USAS_12_SHOTGUN", false},
    {mm1Kills, mm1Deaths, "MM1 Whoring", "MM-1", "", "MM1", "MM1", "MOD_MM1_GRENADE_LAUNCHER",
     false},
    {rpg7Kills, rpg7Deaths, "RPG7 Whoring", "RPG-7", "", "RPG7", "RPG7", "MOD_RPG7_LAUNCHER",
     false},
    {msg90a1Kills, msg90a1Deaths, "MSG90A1", "MSG90A1", "", "MSG90A1", "MSG90A1",
     "MOD_MSG90A1_SNIPER_RIFLE", false},
    {m3a1Kills, m3a1Deaths, "M3A1", "M3A1", "", "M3A1", "M3A1", "MOD_M3A1_SUBMACHINEGUN", false},
    {m590Kills, m590Deaths, "M590", "M590", "", "M590", "M590", "MOD_M590_SHOTGUN", false},
    {microUziKills, microUziDeaths, "Micro-Uzi", "Micro-Uzi", "", "Micro-Uzi", "Micro Uzi",
     "MOD_MICRO_UZI_SUBMACHINEGUN", false},
    {anm14Kills, anm14Deaths, "ANM14 Grenade", "ANM14", "ANM14 Incendiary", "ANM14", "ANM14",
     "MOD_ANM14_GRENADE", false},
    {smohg92Kills, smohg92Deaths, "SMOHG92 Grenade", "SMOHG92", "SMOHG92 Frag", "SMOHG92",
     "SMOHG92", "MOD_SMOHG92_GRENADE", false},
    {m15Kills, m15Deaths, "M15 Grenade", "M15", "M15 Smoke", "M15", "M15", "MOD_M15_GRENADE",
     false},
    {m84Kills, m84Deaths, "M84 Grenade", "M84", "M84 Flash", "M84", "M84", "MOD_M84_GRENADE",
     false},
    {m203Kills, m203Deaths, "N00b Cannon", "", "M203 Grenade", "M203", "M203",
     "MOD_M4_ASSAULT_RIFLE", true},
    {m590BludgeonKills, m590BludgeonDeaths, "M590 Bludgeon", "", "Bludgeoned(shame)", "M590",
     "M590", "MOD_M590_SHOTGUN", true},
    {pistolWhipKills, pistolWhipDeaths, "Pistol Whip", "", "Pistol Whip", "", "", "", true},
    {bayonetKills, bayonetDeaths, "AK Bayonet", "", "AK Bayonet", "Bayonet", "",
     "MOD_AK74_ASSAULT_RIFLE", true},
    {knifeKills, knifeDeaths, "Knife Kills", "", "Knife", "Knife", "", "MOD_KNIFE", false},
};

// The weapon whose kills counter is `kills`; any other counter fails to compile.
consteval const Weapon& weapon(Counter kills) {
    for (const Weapon& w : kWeapons)
        if (w.kills == kills)
            return w;
    throw "not a weapon's kills counter";
}

// A kills counter names one weapon only.
consteval bool eachWeaponListedOnce() {
    for (const Weapon& a : kWeapons)
        for (const Weapon& b : kWeapons)
            if (&a != &b && (a.kills == b.kills || a.deaths == b.deaths))
                return false;
    return true;
}
static_assert(eachWeaponListedOnce());

} // namespace quorvath
