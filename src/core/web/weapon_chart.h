#pragma once
// A player's kills and deaths by weapon: the figures, and the same figures
// as an inline SVG bar chart that needs no script and no other file.

#include "core/stats/counting_scope.h"
#include "core/stats/player_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath::web {

struct WeaponFigures {
    std::string_view weapon; // the weapon's ranking heading ("M203 Grenade", "Knife")
    std::int32_t kills = 0;
    std::int32_t deaths = 0;
};

// Every weapon, in sheet order, with which `record` killed or was killed,
// leaving out what the log could not record.
std::vector<WeaponFigures> weaponFigures(const PlayerRecord& record, const CountingScope& scope);

// Two bars per weapon (kills, deaths) scaled to the largest figure, with
// `titleHtml` (escaped already) as the chart's <title>; empty for no figures.
std::string weaponChartSvg(const std::vector<WeaponFigures>& figures, std::string_view titleHtml);

} // namespace quorvath::web
