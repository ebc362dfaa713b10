#include "core/report/player_sheet.h"

#include "core/common/wrapping_int32.h"
#include "core/stats/weapons.h"

#include <array>

namespace quorvath {
namespace {

enum class RowKind {
    KillsDeaths,      // label, TABs, kills, TAB, deaths
    Single,           // label, TABs, one value
    Times,            // label, TABs, value, " Times"
    WonWithBriefcase, // as Times, value derived from three counters
};

// Which sheets show a row: every sheet, or only those counted by the
// Accurate rules (their counters have no classic line to come from).
enum class RowShown { Always, AccurateOnly };

struct SheetRow {
    std::string_view label;
    int tabs;
    RowKind kind;
    Counter first;
    Counter second;
    RowShown shown = RowShown::Always;
};

constexpr Counter kNone = static_cast<Counter>(0);

// A weapon's row: its caption, its kills and deaths.
consteval SheetRow weaponRow(Counter kills, int tabs) {
    const Weapon& w = weapon(kills);
    return {w.sheetCaption, tabs, RowKind::KillsDeaths, w.kills, w.deaths};
}

// The rows in sheet order; labels are the program's report texts.
constexpr std::array<SheetRow, 48> kRows{{
    weaponRow(m1911a1Kills, 3),
    weaponRow(socomKills, 2),
    weaponRow(silverTalonKills, 2),
    weaponRow(ak74Kills, 3),
    weaponRow(m4Kills, 3),
    weaponRow(mp5Kills, 3),
    weaponRow(m60Kills, 3),
    weaponRow(sig551Kills, 3),
    weaponRow(usas12Kills, 2),
    weaponRow(mm1Kills, 2),
    weaponRow(rpg7Kills, 2),
    weaponRow(msg90a1Kills, 3),
    weaponRow(m3a1Kills, 3),
    weaponRow(m590Kills, 3),
    weaponRow(microUziKills, 3),
    weaponRow(anm14Kills, 2),
    weaponRow(smohg92Kills, 2),
    weaponRow(m15Kills, 2),
    weaponRow(m84Kills, 2),
    weaponRow(m203Kills, 2),
    weaponRow(m590BludgeonKills, 2),
    weaponRow(pistolWhipKills, 2),
    weaponRow(bayonetKills, 2),
    weaponRow(knifeKills, 3),
    {"Headshot Kills(OSP): ", 1, RowKind::KillsDeaths, headshotKills, headshotDeaths},
    {"Team Kills", 2, RowKind::KillsDeaths, teamKills, teamKilledDeaths},
    {"Suicide (Grenade): ", 3, RowKind::Single, grenadeSuicides, kNone},
    {"Suicide (M203): ", 3, RowKind::Single, m203Suicides, kNone},
    {"Suicide (Fall): ", 3, RowKind::Single, fallSuicides, kNone},
    {"Suicide (In the wrong place): ", 2, RowKind::Single, wrongPlaceSuicides, kNone},
    {"Suicide (Drowned): ", 3, RowKind::Single, drownedSuicides, kNone, RowShown::AccurateOnly},
    {"Suicide (Squished): ", 3, RowKind::Single, squishedSuicides, kNone, RowShown::AccurateOnly},
    {"Suicide (Died): ", 3, RowKind::Single, diedSuicides, kNone, RowShown::AccurateOnly},
    {"Total", 3, RowKind::KillsDeaths, totalKills, totalDeaths},
    {"Took the briefcase: ", 2, RowKind::Times, briefcasesTaken, kNone},
    {"Won round with briefcase: ", 1, RowKind::WonWithBriefcase, briefcasesTaken, kNone},
    {"Escaped with the briefcase: ", 1, RowKind::Times, briefcaseEscapes, kNone},
    {"Captured the flag: ", 2, RowKind::Times, flagsCaptured, kNone},
    {"Planted the bomb: ", 2, RowKind::Times, bombsPlanted, kNone},
    {"Dropped the bomb: ", 2, RowKind::Times, bombsDropped, kNone},
    {"Destroyed the target: ", 1, RowKind::Times, targetsDestroyed, kNone},
    {"Defused the bomb: ", 2, RowKind::Times, bombsDefused, kNone},
    {"Called votes: ", 2, RowKind::Times, votesCalled, kNone},
    {"Was kicked: ", 2, RowKind::Times, timesKicked, kNone},
    {"Was temporarily banned: ", 1, RowKind::Times, timesTempBanned, kNone},
    {"Was permanently banned: ", 1, RowKind::Times, timesBanned, kNone},
    {"Warm-up kills: ", 2, RowKind::Single, warmupKills, kNone, RowShown::AccurateOnly},
    {"Bots: ", 3, RowKind::Single, bots, kNone, RowShown::AccurateOnly},
}};

constexpr const char* kSheetTitle = "Stats for : ";
constexpr const char* kColumnHeading = "Weapon\t\t\tKills\tDeaths";
constexpr const char* kTimes = " Times";
constexpr Counter kTotalRowKey = totalKills; // the "Total" row is followed by an empty line

// Taken minus dropped minus escaped, wrapped to 32 bits like every counter.
std::int32_t wonWithBriefcase(const PlayerRecord& r) {
    return wrapToInt32(std::int64_t{r[briefcasesTaken]} - r[briefcasesDropped] -
                       r[briefcaseEscapes]);
}

// A row of counters only Accurate counting writes is on Accurate sheets only.
bool shownIn(const SheetRow& row, const CountingScope& scope) {
    return row.shown == RowShown::Always || scope.mode == CountingMode::Accurate;
}

// Whether the log could record the row's figures.
bool recordedIn(const SheetRow& row, const CountingScope& scope) {
    return scope.records(row.first) &&
           (row.kind != RowKind::KillsDeaths || scope.records(row.second));
}

void appendRow(std::string& out, const SheetRow& row, const PlayerRecord& r,
               const CountingScope& scope) {
    out += row.label;
    out.append(static_cast<std::size_t>(row.tabs), '\t');
    if (!recordedIn(row, scope)) {
        out += NotInThisLog;
        out += kCrLf;
        return;
    }
    switch (row.kind) {
    case RowKind::KillsDeaths:
        out += std::to_string(r[row.first]);
        out += '\t';
        out += std::to_string(r[row.second]);
        break;
    case RowKind::Single: out += std::to_string(r[row.first]); break;
    case RowKind::Times:
        out += std::to_string(r[row.first]);
        out += kTimes;
        break;
    case RowKind::WonWithBriefcase:
        out += std::to_string(wonWithBriefcase(r));
        out += kTimes;
        break;
    }
    out += kCrLf;
}

} // namespace

std::vector<SheetFigure> sheetFigures(const PlayerRecord& record, const CountingScope& scope) {
    std::vector<SheetFigure> figures;
    for (const SheetRow& row : kRows) {
        if (!shownIn(row, scope) || !recordedIn(row, scope))
            continue;
        std::string_view item = row.label;
        while (!item.empty() && (item.back() == ' ' || item.back() == ':'))
            item.remove_suffix(1);
        switch (row.kind) {
        case RowKind::KillsDeaths:
            figures.push_back({item, "kills", record[row.first]});
            figures.push_back({item, "deaths", record[row.second]});
            break;
        case RowKind::Single: figures.push_back({item, "count", record[row.first]}); break;
        case RowKind::Times: figures.push_back({item, "times", record[row.first]}); break;
        case RowKind::WonWithBriefcase:
            figures.push_back({item, "times", wonWithBriefcase(record)});
            break;
        }
    }
    return figures;
}

std::string playerSheet(const PlayerRecord& record) { return playerSheet(record, {}); }

std::string playerSheet(const PlayerRecord& record, const CountingScope& scope) {
    std::string out;
    out.reserve(1200);
    out += kSheetTitle;
    out += record.name;
    out += kCrLf;
    out += kCrLf;
    out += kColumnHeading;
    out += kCrLf;
    for (const SheetRow& row : kRows) {
        if (!shownIn(row, scope))
            continue;
        appendRow(out, row, record, scope);
        if (row.first == kTotalRowKey)
            out += kCrLf;
    }
    return out;
}

} // namespace quorvath
