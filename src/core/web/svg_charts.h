#pragma once
// The site's charts as inline SVG that needs no script and no other file:
// a player's kills and deaths by weapon as bars, his rating over time as a
// line. Both scale to the page's width (class "chart") and carry a <title>.

#include "core/report/weapon_figures.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvath::web {

// Two bars per weapon (kills, deaths) scaled to the largest figure, with
// `titleHtml` (escaped already) as the chart's <title>; empty for no figures.
std::string weaponChartSvg(const std::vector<WeaponFigures>& figures, std::string_view titleHtml);

// What a line chart shows: figures evenly spaced in their order, how a
// figure is written, and the texts under the line's two ends (plain text).
struct LineChart {
    std::vector<double> values;
    std::string (*figureText)(double) = nullptr;
    std::string firstLabel;
    std::string lastLabel;
};

// A line through the values between the lowest and highest (both written at
// the left, with a dashed line at 0 when it lies between), at most
// kLinePoints points of it (a longer line is thinned, its ends kept);
// empty for no values.
inline constexpr std::size_t kLinePoints = 300;
std::string lineChartSvg(const LineChart& chart, std::string_view titleHtml);

} // namespace quorvath::web
