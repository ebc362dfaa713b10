#pragma once
// A player's kills and deaths by weapon, the figures behind every weapons
// chart (the web report's and the statistics window's), and the same figures
// as a table of text for whoever cannot see a chart.

#include "core/stats/counting_scope.h"
#include "core/stats/player_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

struct WeaponFigures {
    std::string_view weapon; // the weapon's ranking heading ("M203 Grenade", "Knife")
    std::int32_t kills = 0;
    std::int32_t deaths = 0;

    bool operator==(const WeaponFigures&) const = default;
};

// Every weapon, in sheet order, with which `record` killed or was killed,
// leaving out what the log could not record.
std::vector<WeaponFigures> weaponFigures(const PlayerRecord& record, const CountingScope& scope);

// The figure the longest bar stands for: the largest kills or deaths, at least 1.
std::int32_t weaponFiguresPeak(const std::vector<WeaponFigures>& figures);

// The length of the bar of `value` when `peak` gets `fullLength` (a negative
// value gets none).
int barLength(std::int32_t value, std::int32_t peak, int fullLength);

// "Weapon", "Kills", "Deaths" and a line per weapon, tab-separated, CR LF lines.
std::string weaponFiguresText(const std::vector<WeaponFigures>& figures);

} // namespace quorvath
