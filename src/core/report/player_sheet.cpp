#include "core/report/player_sheet.h"

#include "core/common/wrapping_int32.h"

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
    const char* label;
    int tabs;
    RowKind kind;
    Counter first;
    Counter second;
    RowShown shown = RowShown::Always;
};

constexpr Counter kNone = static_cast<Counter>(0);

// The rows in sheet order; labels are the program's report texts.
constexpr std::array<SheetRow, 48> kRows{{
    {"M1911A1", 3, RowKind::KillsDeaths, m1911a1Kills, m1911a1Deaths},
    {"US SOCOM", 2, RowKind::KillsDeaths, socomKills, socomDeaths},
    {"Silver Talon", 2, RowKind::KillsDeaths, silverTalonKills, silverTalonDeaths},
    {"AK74", 3, RowKind::KillsDeaths, ak74Kills, ak74Deaths},
    {"M4", 3, RowKind::KillsDeaths, m4Kills, m4Deaths},
    {"MP5", 3, RowKind::KillsDeaths, mp5Kills, mp5Deaths},
    {"M60", 3, RowKind::KillsDeaths, m60Kills, m60Deaths},
    {"Sig 551", 3, RowKind::KillsDeaths, sig551Kills, sig551Deaths},
    {"USAS-12 Whoring", 2, RowKind::KillsDeaths, usas12Kills, usas12Deaths},
    {"MM1 Whoring", 2, RowKind::KillsDeaths, mm1Kills, mm1Deaths},
    {"RPG7 Whoring", 2, RowKind::KillsDeaths, rpg7Kills, rpg7Deaths},
    {"MSG90A1", 3, RowKind::KillsDeaths, msg90a1Kills, msg90a1Deaths},
    {"M3A1", 3, RowKind::KillsDeaths, m3a1Kills, m3a1Deaths},
    {"M590", 3, RowKind::KillsDeaths, m590Kills, m590Deaths},
    {"Micro-Uzi", 3, RowKind::KillsDeaths, microUziKills, microUziDeaths},
    {"ANM14 Grenade", 2, RowKind::KillsDeaths, anm14Kills, anm14Deaths},
    {"SMOHG92 Grenade", 2, RowKind::KillsDeaths, smohg92Kills, smohg92Deaths},
    {"M15 Grenade", 2, RowKind::KillsDeaths, m15Kills, m15Deaths},
    {"M84 Grenade", 2, RowKind::KillsDeaths, m84Kills, m84Deaths},
    {"N00b Cannon", 2, RowKind::KillsDeaths, m203Kills, m203Deaths},
    {"M590 Bludgeon", 2, RowKind::KillsDeaths, m590BludgeonKills, m590BludgeonDeaths},
    {"Pistol Whip", 2, RowKind::KillsDeaths, pistolWhipKills, pistolWhipDeaths},
    {"AK Bayonet", 2, RowKind::KillsDeaths, bayonetKills, bayonetDeaths},
    {"Knife Kills", 3, RowKind::KillsDeaths, knifeKills, knifeDeaths},
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
