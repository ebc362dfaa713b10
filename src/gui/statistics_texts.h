#pragma once
// The texts of the statistics window and the alias selection window, written once.

#include "core/stats/counting_scope.h"

#include <QString>

#include <string_view>

namespace quorvath::statistics_texts {

inline constexpr const char* WindowCaption = "Stats";
// The caption once statistics are shown: Accurate ones are named ("Stats -
// Accurate"); Classic ones keep the caption they have always had.
inline QString windowCaption(CountingMode mode) {
    if (mode == CountingMode::Classic)
        return WindowCaption;
    const std::string_view name = countingModeName(mode);
    return QString(WindowCaption) + " - " +
           QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}
inline constexpr const char* Ready = "Ready...";
inline constexpr const char* ScanComplete = "100% Complete";
// Followed by the reason, e.g. an allocation that failed.
inline constexpr const char* PassFailed = "The statistics could not be gathered: ";

inline constexpr const char* AliasesMenu = "Aliases";
inline constexpr const char* LinkAliases = "Link Aliases";
inline constexpr const char* SelectKeyAliases = "Select Key Aliases";
inline constexpr const char* PreferencesMenu = "Preferences";
inline constexpr const char* TextColour = "Text Color";
inline constexpr const char* BackgroundColour = "Background Color";
inline constexpr const char* SaveColours = "Save";

inline constexpr const char* ShowInLeftPane = "Show in the &left pane";
inline constexpr const char* ShowInRightPane = "Show in the &right pane";
inline constexpr const char* ColoursSaved = "Colors saved";
inline constexpr const char* TopListsGoRight = "Top lists: right pane only";
// The top lists' entry in the category list, in plain words (the report tool
// keeps the category's own text).
inline constexpr const char* TopListsEntry = "Top Killers/Victims (right pane only)";
// Above the panes: what each shows.
inline constexpr const char* SheetCaption = "Sheet of ";
inline constexpr const char* RankingCaption = "Ranking: ";
inline constexpr const char* TopListsCaption = "Top victims and killers of ";
inline constexpr const char* WeaponChartCaption = "Kills and deaths by weapon of ";

inline constexpr const char* ChartInLeftPane = "Weapons &chart in the left pane";
inline constexpr const char* ChartInRightPane = "Weapons c&hart in the right pane";
inline constexpr const char* ChartTip =
    "The kills and deaths by weapon of the player chosen in the player list, as bars";
inline constexpr const char* ChooseAPlayerFirst = "Choose a player in the player list first";
inline constexpr const char* KillsLegend = "Kills";
inline constexpr const char* DeathsLegend = "Deaths";
inline constexpr const char* NoWeaponFigures = "No kills or deaths by weapon";
inline QString weaponFiguresLine(const QString& weapon, int kills, int deaths) {
    return QString("%1: %2 kills, %3 deaths").arg(weapon).arg(kills).arg(deaths);
}

inline constexpr const char* PlayerListTip =
    "Double-click or Enter: the player's sheet in the left pane; with Shift: in the right "
    "pane. Dragging onto a pane works too. Ctrl+Enter: the player's weapons chart.";
inline constexpr const char* CategoryListTip =
    "Double-click or Enter: the category's ranking in the left pane; with Shift: in the right "
    "pane. Dragging onto a pane works too.";
inline constexpr const char* LinkAliasesTip =
    "Count every player's renamed names under the player's first name";
inline constexpr const char* SelectKeyAliasesTip =
    "Choose which name of a renamed player the others are counted under";
inline constexpr const char* SaveColoursTip =
    "Keep these colours: the search box takes them now, and the lists and panes at every start";

inline constexpr const char* TextColourTitle = "Select a Text Color";
inline constexpr const char* BackgroundColourTitle = "Select a Background Color";

inline constexpr const char* AliasSelectionCaption = "Alias Selection";
inline constexpr const char* AliasSelectionHint =
    "Aliases - Click a name to make it the master alias";

} // namespace quorvath::statistics_texts
