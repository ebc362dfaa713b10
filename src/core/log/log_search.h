#pragma once
// Find, Find Next and Highlight Nick over the rendered log. The searches use
// the document's find (letters without case, inside words too), so a hit
// becomes the document's selection. The window keeps the last hit between
// searches (-1: none).

#include "core/log/log_document.h"

#include <string_view>
#include <vector>

namespace quorvath {

class Progress;

// Find: from position 1, deliberately, so a hit at position 0 is never found
// (a rendered log starts with the line break of its first round banner).
// Returns the hit, or -1.
int findFirst(LogDocument& doc, std::string_view what);

// Find Next: from the length of `what` past the last hit (a last hit of -1
// counts as 0). Returns the hit, or -1.
int findNext(LogDocument& doc, std::string_view what, int lastHit);

// Highlight Nick, first half: every hit of `nick` as the highlight loop meets
// them (each search continues just after the previous hit). Reads the
// document only, so it may run on a worker thread while the view paints; the
// progress position follows the hits.
std::vector<int> findNickHits(const LogDocument& doc, std::string_view nick, Progress& progress);

// Highlight Nick, second half: bold, italic and underline on every hit, the
// colours kept; then the selection collapses to position 0.
void highlightHits(LogDocument& doc, const std::vector<int>& hits, int length);

} // namespace quorvath
