#pragma once
// The statistics pass: the 30 phrase scans of bookPhraseEvents in their fixed
// order, then the "All Players" totals in slot 0.
//
// The log is swept once for all phrases; the occurrences are then booked
// phrase by phrase in the table's order, which gives the same table as 30
// separate searches. Reads the document only; call it on any one thread while
// nothing edits the document or the table.

#include "core/log/log_document.h"
#include "core/stats/event_line.h"
#include "core/stats/player_table.h"
#include "core/stats/statistics_scans.h"

#include <functional>
#include <string_view>

namespace quorvath {

class Progress;

// Told the 1-based number of each scan as it starts (the statistics window
// quickens its progress timer from the fifth scan on).
using ScanStarted = std::function<void(int number)>;

// Cuts the table to slot 0, runs the 30 scans, then names slot 0
// "All Players" with every counter summed over slots 1..n. Each scan begins
// a Progress stage with its caption (rows without one repeat the caption
// above) and reports its positions in the text. A stop requested on
// `progress` ends the pass before its next scan, the table left unfinished.
void runStatisticsPass(const LogDocument& doc, PlayerTable& players, Progress& progress,
                       const ScanStarted& scanStarted = {});
// The same with the text cut into `parts` parts, swept and cut on up to two
// threads (the pass above takes PhraseSweep::partsFor parts: sixteen for a
// large log). The table is the same for any number of parts.
void runStatisticsPass(const LogDocument& doc, PlayerTable& players, Progress& progress,
                       const ScanStarted& scanStarted, int parts);

// Slot 0 becomes "All Players": every counter set to the sums over slots
// 1..n; its other fields are left as they are.
void sumAllPlayers(PlayerTable& players);

} // namespace quorvath
