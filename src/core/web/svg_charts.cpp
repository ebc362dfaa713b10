#include "core/web/svg_charts.h"

#include "core/web/html_text.h"

#include <algorithm>
#include <cmath>

namespace quorvath::web {

namespace {

constexpr int kLabelWidth = 100;
constexpr int kBarsWidth = 230;
constexpr int kBarHeight = 9;
constexpr int kRowHeight = 2 * kBarHeight + 6;
constexpr int kChartWidth = kLabelWidth + kBarsWidth + 30;
constexpr int kLineLeft = 50; // room for the figures at the left
constexpr int kLineTop = 8;
constexpr int kLineHeight = 120;

std::string svgStart(int height, std::string_view titleHtml) {
    std::string svg = "<svg class=\"chart\" role=\"img\" viewBox=\"0 0 " +
                      std::to_string(kChartWidth) + " " + std::to_string(height) + "\"><title>";
    svg += titleHtml;
    return svg + "</title>";
}

std::string svgText(int x, int y, std::string_view text, const char* anchor = nullptr) {
    std::string svg = "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"";
    if (anchor)
        svg += " text-anchor=\"" + std::string(anchor) + "\"";
    return svg + ">" + escapedHtml(text) + "</text>";
}

void appendBar(std::string& svg, const char* kind, int y, std::int32_t value, std::int32_t peak) {
    const int width = barLength(value, peak, kBarsWidth);
    svg += "<rect class=\"" + std::string(kind) + "\" x=\"" + std::to_string(kLabelWidth) +
           "\" y=\"" + std::to_string(y) + "\" width=\"" + std::to_string(width) + "\" height=\"" +
           std::to_string(kBarHeight) + "\"/>";
    svg += svgText(kLabelWidth + width + 4, y + kBarHeight - 1, std::to_string(std::max(value, 0)));
}

// Every value's index when there are few, else kLinePoints of them evenly
// spread, the first and the last among them.
std::vector<std::size_t> shownPoints(std::size_t count) {
    std::vector<std::size_t> points;
    const std::size_t shown = std::min(count, kLinePoints);
    for (std::size_t i = 0; i < shown; ++i)
        points.push_back(shown == 1 ? 0 : i * (count - 1) / (shown - 1));
    return points;
}

} // namespace

std::string weaponChartSvg(const std::vector<WeaponFigures>& figures, std::string_view titleHtml) {
    if (figures.empty())
        return {};
    const std::int32_t peak = weaponFiguresPeak(figures);
    std::string svg = svgStart(static_cast<int>(figures.size()) * kRowHeight, titleHtml);
    int y = 4;
    for (const WeaponFigures& f : figures) {
        svg += svgText(0, y + kBarHeight + 3, f.weapon);
        appendBar(svg, "kills", y, f.kills, peak);
        appendBar(svg, "deaths", y + kBarHeight + 1, f.deaths, peak);
        y += kRowHeight;
    }
    return svg + "</svg>";
}

std::string lineChartSvg(const LineChart& chart, std::string_view titleHtml) {
    if (chart.values.empty())
        return {};
    const auto [lowest, highest] = std::minmax_element(chart.values.begin(), chart.values.end());
    const double low = *lowest, span = std::max(*highest - low, 1e-9);
    const int right = kChartWidth - 10, width = right - kLineLeft, bottom = kLineTop + kLineHeight;
    const auto yOf = [&](double value) {
        return bottom - static_cast<int>(std::lround((value - low) / span * kLineHeight));
    };
    std::string svg = svgStart(bottom + 18, titleHtml);
    svg += svgText(kLineLeft - 4, kLineTop + 4, chart.figureText(*highest), "end");
    svg += svgText(kLineLeft - 4, bottom + 3, chart.figureText(low), "end");
    if (low < 0 && *highest > 0)
        svg += "<line x1=\"" + std::to_string(kLineLeft) + "\" x2=\"" + std::to_string(right) +
               "\" y1=\"" + std::to_string(yOf(0)) + "\" y2=\"" + std::to_string(yOf(0)) +
               "\" stroke=\"#555\" stroke-dasharray=\"3 3\"/>";
    const std::vector<std::size_t> points = shownPoints(chart.values.size());
    const std::size_t last = chart.values.size() - 1;
    svg += "<polyline fill=\"none\" stroke=\"#8cc8ff\" stroke-width=\"2\" points=\"";
    for (std::size_t i : points) {
        const long x = kLineLeft + (last == 0 ? width : static_cast<long>(i) * width / long(last));
        svg += std::to_string(x) + "," + std::to_string(yOf(chart.values[i])) + " ";
    }
    svg.back() = '"';
    svg += "/>";
    svg += svgText(kLineLeft, bottom + 15, chart.firstLabel);
    svg += svgText(right, bottom + 15, chart.lastLabel, "end");
    return svg + "</svg>";
}

} // namespace quorvath::web
