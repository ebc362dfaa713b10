#pragma once
// Test documents as the rendered log holds them: "{r:Name}" is a red-team
// name, "{b:Name}" a blue-team name, "{c:text}" chat colour, "{0:text}" left
// uncoloured; everything else is default grey.

#include "core/log/log_document.h"
#include "core/stats/event_line.h"
#include "core/stats/player_table.h"

#include <string>

namespace quorvath::test {

inline constexpr Colour kRed = 0x8080FF;
inline constexpr Colour kBlue = 0xFF8080;
inline constexpr Colour kChat = 0xC0FFFF;
inline constexpr Colour kGrey = 0xE0E0E0;

// One markup string (line breaks as written in it).
void setMarkup(LogDocument& doc, const std::string& markup);

// Books one phrase's events as the statistics pass does: found by one sweep
// together with the round ends.
void bookOnePhrase(const LogDocument& doc, const std::string& phrase, EventKind kind,
                   PlayerTable& table);

// The counter of the player called `name` (0 when there is none).
int counterOf(const PlayerTable& table, const std::string& name, Counter c);

} // namespace quorvath::test
