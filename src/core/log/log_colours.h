#pragma once
// The colours of the rendered log (0x00BBGGRR). The statistics scan reads the
// team colours back from the document, so these values are data, not looks.

#include "core/log/log_document.h"

#include <array>

namespace quorvath::colours {

inline constexpr Colour DefaultGrey = 0xE0E0E0; // whole log; line feeds; "*ghost* "
inline constexpr Colour RoundBanner = 0x00C0C0; // "NEW  ROUND", bold and underlined
inline constexpr Colour Chat = 0xC0FFFF;        // from "^2" to the line end
inline constexpr Colour RedTeam = 0x8080FF;     // from "^1" up to "^7"
inline constexpr Colour BlueTeam = 0xFF8080;    // from "^4" up to "^7"
inline constexpr Colour PunkBuster = 0xFFFF00;  // after "^5" through the line feed

// The colours of the game's own codes "^0".."^7" inside names and printed
// text (black is drawn grey, so that it shows on the black view).
inline constexpr std::array<Colour, 8> CodeColours = {
    0x808080, RedTeam, 0x00FF00, 0x00FFFF, BlueTeam, 0xFFFF00, 0xFF00FF, 0xFFFFFF,
};

} // namespace quorvath::colours
