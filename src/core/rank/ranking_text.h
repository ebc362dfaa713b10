#pragma once
// The pane text of a category's lists, as the statistics window shows it
// (CR LF line ends): a ranking is "Rankings for " and its title, a blank
// line and "place: " TAB value TAB name per entry, rankings one after the
// other with a blank line between; a top list is its title, a blank line,
// "place:" TAB value TAB name per entry and a line break that ends it.

#include "core/rank/ranked_list.h"

#include <string>
#include <vector>

namespace quorvath {

// The line that heads `list` in the pane.
std::string rankedListHeading(const RankedList& list);

std::string rankingPaneText(const std::vector<RankedList>& lists);

} // namespace quorvath
