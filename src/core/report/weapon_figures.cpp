#include "core/report/weapon_figures.h"

#include "core/stats/weapons.h"

#include <algorithm>

namespace quorvath {

namespace {

std::string_view weaponName(const Weapon& w) {
    return w.rankingHeading.empty() ? w.rankingCategory : w.rankingHeading;
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

std::int32_t weaponFiguresPeak(const std::vector<WeaponFigures>& figures) {
    std::int32_t peak = 1;
    for (const WeaponFigures& f : figures)
        peak = std::max({peak, f.kills, f.deaths});
    return peak;
}

int barLength(std::int32_t value, std::int32_t peak, int fullLength) {
    return static_cast<int>(static_cast<std::int64_t>(fullLength) * std::max(value, 0) /
                            std::max(peak, 1));
}

std::string weaponFiguresText(const std::vector<WeaponFigures>& figures) {
    std::string text = "Weapon\tKills\tDeaths\r\n";
    for (const WeaponFigures& f : figures) {
        text += f.weapon;
        text += '\t' + std::to_string(f.kills) + '\t' + std::to_string(f.deaths) + "\r\n";
    }
    return text;
}

} // namespace quorvath
