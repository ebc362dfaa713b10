#include "core/web/weapon_chart.h"

#include "core/stats/weapons.h"
#include "core/web/html_text.h"

#include <algorithm>

namespace quorvath::web {

namespace {

constexpr int kLabelWidth = 100;
constexpr int kBarsWidth = 230;
constexpr int kBarHeight = 9;
constexpr int kRowHeight = 2 * kBarHeight + 6;

std::string_view weaponName(const Weapon& w) {
    return w.rankingHeading.empty() ? w.rankingCategory : w.rankingHeading;
}

void appendBar(std::string& svg, const char* kind, int y, std::int32_t value, std::int32_t most) {
    const int width = static_cast<int>(static_cast<std::int64_t>(kBarsWidth) * value / most);
    const std::string figure = std::to_string(value);
    svg += "<rect class=\"" + std::string(kind) + "\" x=\"" + std::to_string(kLabelWidth) +
           "\" y=\"" + std::to_string(y) + "\" width=\"" + std::to_string(width) + "\" height=\"" +
           std::to_string(kBarHeight) + "\"/>";
    svg += "<text x=\"" + std::to_string(kLabelWidth + width + 4) + "\" y=\"" +
           std::to_string(y + kBarHeight - 1) + "\">" + figure + "</text>";
}

} // namespace

std::vector<WeaponFigures> weaponFigures(const PlayerRecord& record, const CountingScope& scope) {
    std::vector<WeaponFigures> figures;
    for (const Weapon& w : kWeapons) {
        const std::int32_t kills = scope.records(w.kills) ? record[w.kills] : 0;
        const std::int32_t deaths = scope.records(w.deaths) ? record[w.deaths] : 0;
        if (kills != 0 || deaths != 0)
            figures.push_back({weaponName(w), kills, deaths});
    }
    return figures;
}

std::string weaponChartSvg(const std::vector<WeaponFigures>& figures, std::string_view titleHtml) {
    std::int32_t most = 1;
    for (const WeaponFigures& f : figures)
        most = std::max({most, f.kills, f.deaths});
    if (figures.empty())
        return {};
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
        appendBar(svg, "kills", y, std::max(f.kills, 0), most);
        appendBar(svg, "deaths", y + kBarHeight + 1, std::max(f.deaths, 0), most);
        y += kRowHeight;
    }
    return svg + "</svg>";
}

} // namespace quorvath::web
