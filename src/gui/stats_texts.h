#pragma once
// The texts of the statistics window and the alias selection window, written once.

namespace quorvath::stats_texts {

inline constexpr const char* StatsCaption = "Stats";
inline constexpr const char* Label1 = "Label1";
inline constexpr const char* Label2 = "Label2";
inline constexpr const char* Ready = "Ready...";
inline constexpr const char* ScanComplete = "100% Complete";

inline constexpr const char* AliasesMenu = "Aliases";
inline constexpr const char* LinkAliases = "Link Aliases";
inline constexpr const char* SelectKeyAliases = "Select Key Aliases";
inline constexpr const char* PreferencesMenu = "Preferences";
inline constexpr const char* TextColor = "Text Color";
inline constexpr const char* BackgroundColor = "Background Color";
inline constexpr const char* Save = "Save";

inline constexpr const char* TextColorTitle = "Select a Text Color";
inline constexpr const char* BackgroundColorTitle = "Select a Background Color";

inline constexpr const char* AliasSelectionCaption = "Alias Selection";
inline constexpr const char* AliasSelectionLabel3 =
    "Aliases - Click a name to make it the master alias";

} // namespace quorvath::stats_texts
