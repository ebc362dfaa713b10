#pragma once
// The texts of the statistics window and the alias selection window, written once.

namespace quorvath::statistics_texts {

inline constexpr const char* WindowCaption = "Stats";
// What the status and percentage labels show until the first pass runs.
inline constexpr const char* StatusAtStart = "Label1";
inline constexpr const char* PercentAtStart = "Label2";
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

inline constexpr const char* TextColourTitle = "Select a Text Color";
inline constexpr const char* BackgroundColourTitle = "Select a Background Color";

inline constexpr const char* AliasSelectionCaption = "Alias Selection";
inline constexpr const char* AliasSelectionHint =
    "Aliases - Click a name to make it the master alias";

} // namespace quorvath::statistics_texts
