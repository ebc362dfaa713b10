#include "core/web/weapon_chart.h"

#include "core/web/html_text.h"

#include <algorithm>

namespace quorvath::web {

namespace {

constexpr int kLabelWidth = 100;
constexpr int kBarsWidth = 230;
constexpr int kBarHeight = 9;
constexpr int kRowHeight = 2 * kBarHeight + 6;

void appendBar(std::string& svg, const char* kind, int y, std::int32_t value, std::int32_t peak) {
    const int width = barLength(value, peak, kBarsWidth);
    const std::string figure = std::to_string(std::max(value, 0));
    svg += "<rect class=\"" + std::string(kind) + "\" x=\"" + std::to_string(kLabelWidth) +
           "\" y=\"" + std::to_string(y) + "\" width=\"" + std::to_string(width) + "\" height=\"" +
           std::to_string(kBarHeight) + "\"/>";
    svg += "<text x=\"" + std::to_string(kLabelWidth + width + 4) + "\" y=\"" +
           std::to_string(y + kBarHeight - 1) + "\">" + figure + "</text>";
}

} // namespace

std::string weaponChartSvg(const std::vector<WeaponFigures>& figures, std::string_view titleHtml) {
    if (figures.empty())
        return {};
    const std::int32_t peak = weaponFiguresPeak(figures);
    const int height = static_cast<int>(figures.size()) * kRowHeight;
    std::string svg = "<svg class=\"chart\" role=\"img\" viewBox=\"0 0 " +
                      std::to_string(kLabelWidth + kBarsWidth + 30) + " " + std::to_string(height) +
                      "\"><title>";
    svg += titleHtml;
    svg += "</title>";
    int y = 4;
    for (const WeaponFigures& f : figures) {
        svg += "<text x=\"0\" y=\"" + std::to_string(y + kBarHeight + 3) + "\">" +
               escapedHtml(f.weapon) + "</text>";
        appendBar(svg, "kills", y, f.kills, peak);
        appendBar(svg, "deaths", y + kBarHeight + 1, f.deaths, peak);
        y += kRowHeight;
    }
    return svg + "</svg>";
}

} // namespace quorvath::web
