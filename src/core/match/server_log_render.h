#pragma once
// How the log view shows a server log: its machine lines made readable. A
// kill reads as the player's console words it ("Hawk was shot by Mullins's
// M4"), a death by its cause, a hit with the body part; chat is in the chat
// colour; userinfo lines become "joined the red team." and "renamed to"
// lines (and vanish when they change nothing); each map's InitGame line
// becomes the round banner. Names are drawn in their team's colour with their
// own colour codes rendered. The game log's time stays at the start of each
// line; every line ends in CR LF.
//
// One left-to-right sweep that writes the text over itself: almost every
// readable line is shorter than its machine line, so a loaded server log
// costs its text and its attribute runs, as a console log does.

#include "core/log/log_document.h"
#include "core/match/game_table.h"

#include <string>
#include <string_view>

namespace quorvath {

class Progress;

inline constexpr std::string_view RenderingServerLogStatus = "Rendering the server log...";

// Renders `bytes` (a whole server log as its file holds it) into `doc`.
// Returns false, with `doc` emptied, when the shown text would be longer
// than `maxLength` (its positions must stay 32-bit).
bool renderServerLog(std::string bytes, LogDocument& doc, Progress& progress, std::size_t maxLength,
                     const GameTable& table = stockGameTable());

} // namespace quorvath
