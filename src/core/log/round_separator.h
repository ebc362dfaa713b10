#pragma once
// Round separation of a freshly loaded log: the whole text turns light grey,
// everything up to the first "msec" and every later map-loading block (from
// "Current search path:" to the next "msec") becomes a "NEW  ROUND" banner,
// and the shutdown tail is cut off. One left-to-right sweep.

#include "core/log/log_document.h"

#include <string_view>

namespace quorvath {

class Progress;

// Spelt as users have always seen it in the status line.
inline constexpr std::string_view SeparatingStatus = "Separating rounds.....";
inline constexpr std::string_view BlockStartPhrase = "Current search path:";
inline constexpr std::string_view BlockEndWord = "msec";
inline constexpr std::string_view ShutdownLine = "----- CL_Shutdown -----";

// CR LF CR LF, 65 spaces, "NEW  ROUND", 70 spaces.
const std::string& roundBanner();

// The document's attributes are ignored (they may even be missing) and
// rebuilt: before separation every character is in the default style. The
// banners' line feeds are left as the first colour pass would leave them.
// Returns false, leaving the document as it was, when the separated text would
// be longer than `maxLength` (its positions must stay 32-bit).
bool separateRounds(LogDocument& doc, Progress& progress, std::size_t maxLength = 2147483647);

} // namespace quorvath
