#pragma once
// bookPhraseEvents: books every occurrence of one event phrase of the log
// into the player table. An occurrence is the first hit of the phrase in its
// line (letters without case); its line is cut into names, weapon word and
// headshot tag (EventLineCutter), then booked (EventBooker), occurrence by
// occurrence in text order.
//
// Reads the document only; the document must not change during a call. The
// walk over the text is reported to `progress` as positions, ending at the
// text's length when all occurrences are booked.

#include "core/log/log_document.h"
#include "core/stats/event_booking.h"
#include "core/stats/event_line.h"
#include "core/stats/player_table.h"

#include <string_view>
#include <vector>

namespace quorvath {

class Progress;

// `hits` holds every position where the phrase occurs (ascending, overlaps
// included), as one sweep over the text for all phrases gives them;
// `roundEnds` serves the bomb target check.
void bookPhraseEvents(const LogDocument& doc, std::string_view phrase, EventKind kind,
                      PlayerTable& players, const std::vector<int>& hits,
                      const RoundEnds& roundEnds, Progress* progress = nullptr);

} // namespace quorvath
