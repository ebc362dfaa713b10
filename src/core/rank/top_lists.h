#pragma once
// The "Top Victims" / "Top Killers" lists of the player shown in the left pane.

#include "core/rank/ranked_list.h"
#include "core/stats/counting_scope.h"
#include "core/stats/player_table.h"

#include <cstddef>
#include <limits>
#include <vector>

namespace quorvath {

// Both lists of `player`: each opponent with a count other than 0 (negative
// ones too), largest count first, equal counts in ascending index order. The
// opponents are the players of the table; an alias opponent is shown under
// its master's name when `linked`. Counted Accurate, a linked list also adds
// up each person's names into one entry, under the master's name, where the
// classic lists show him once per name with the counts split. An opponent
// `leftOut` marks (by index, as listed) is not listed. Only the first `most`
// entries of each list are made (a page shows its first hundred).
std::vector<RankedList> topLists(int player, const PlayerTable& players, bool linked,
                                 CountingMode counting = CountingMode::Classic,
                                 const std::vector<bool>* leftOut = nullptr,
                                 std::size_t most = std::numeric_limits<std::size_t>::max());

} // namespace quorvath
