#pragma once
// A player's kills and deaths by weapon as an inline SVG bar chart that needs
// no script and no other file.

#include "core/report/weapon_figures.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvath::web {

// Two bars per weapon (kills, deaths) scaled to the largest figure, with
// `titleHtml` (escaped already) as the chart's <title>; empty for no figures.
std::string weaponChartSvg(const std::vector<WeaponFigures>& figures, std::string_view titleHtml);

} // namespace quorvath::web
