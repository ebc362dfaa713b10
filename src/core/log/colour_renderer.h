#pragma once
// The eight colour passes over a separated log: team names, chat and
// PunkBuster lines get their colours, the OSP head-shot tag becomes
// "[HeaDShoT]", every "^" code goes, ghost chat turns grey. Each pass is one
// left-to-right sweep over the document's buffers, in place (the text only
// shrinks), with the same result as finding, colouring and replacing one
// occurrence after the other would have (tests/core/log/literal_render.cpp).

#include "core/log/log_document.h"

#include <array>
#include <string_view>

namespace quorvath {

class Progress;

inline constexpr std::array<std::string_view, 8> RenderPassStatus = {
    "Recoloring linefeeds...",           "Processing chat codes...",
    "Processing OSP codes...",           "Processing codes for red team...",
    "Processing codes for blue team...", "Processing PunkBuster codes...",
    "Removing all other codes...",       "Searching for ghosts...",
};
inline constexpr std::string_view ReadyStatus = "Ready";
inline constexpr std::string_view OspHeadshotTag = "^1[ ^3HeaDShoT ^1]";
// A head-shot kill line ends in the tag after one blank; the statistics scan
// cuts it off the weapon or the killer's name.
inline constexpr std::string_view HeadshotLineEnd = " [HeaDShoT]";
inline constexpr std::string_view HeadshotTag = HeadshotLineEnd.substr(1);
inline constexpr std::string_view GhostMarker = "*ghost* ";

// Runs the passes in order on a text as separateRounds leaves it (which has
// done the line feed pass), then leaves the caret at 0 and the status "Ready".
// A large log is cut into two parts at a line break, rendered on two threads.
void renderColourCodes(LogDocument& doc, Progress& progress);
// The same with the text cut into up to `parts` parts, each on a thread of
// its own; the result is the same for any number of parts.
void renderColourCodes(LogDocument& doc, Progress& progress, int parts);

// The single passes, in their order.
void recolourLineFeeds(LogDocument& doc, Progress& progress);
void processChatCodes(LogDocument& doc, Progress& progress);
void processOspCodes(LogDocument& doc, Progress& progress);
void processRedTeamCodes(LogDocument& doc, Progress& progress);
void processBlueTeamCodes(LogDocument& doc, Progress& progress);
void processPunkBusterCodes(LogDocument& doc, Progress& progress);
void removeOtherCodes(LogDocument& doc, Progress& progress);
// The red, blue, PunkBuster and code-removing passes in one walk over the
// carets, with their result (what renderColourCodes runs).
void processCodes(LogDocument& doc, Progress& progress);
void greyGhosts(LogDocument& doc, Progress& progress);

} // namespace quorvath
