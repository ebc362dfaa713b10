#pragma once
// Test documents as the rendered log holds them: "{r:Name}" is a red-team
// name, "{b:Name}" a blue-team name, "{c:text}" chat colour, "{0:text}" left
// uncoloured; everything else is default grey. Lines are joined with CR LF.

#include "core/log/log_document.h"
#include "core/stats/player_table.h"

#include <initializer_list>
#include <string>

namespace quorvath::test {

inline constexpr Colour kRed = 0x8080FF;
inline constexpr Colour kBlue = 0xFF8080;
inline constexpr Colour kChat = 0xC0FFFF;
inline constexpr Colour kGrey = 0xE0E0E0;

// One markup string (line breaks as written in it).
void setMarkup(LogDocument& doc, const std::string& markup);
// Lines joined with CR LF, the last one followed by CR LF too.
void setLines(LogDocument& doc, std::initializer_list<std::string> lines, bool finalBreak = true);

// The counter of the player called `name` (0 when there is none).
int counterOf(const PlayerTable& table, const std::string& name, Counter c);

} // namespace quorvath::test
