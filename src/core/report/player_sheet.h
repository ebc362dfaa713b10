#pragma once
// The player sheet: the fixed report of one player-table entry that the
// statistics window shows in either pane (names, kills and deaths per weapon,
// suicides, totals, objective and kick/ban events).

#include "core/common/line_end.h"
#include "core/stats/player_record.h"

#include <string>

namespace quorvath {

// The whole sheet text of `record`: 47 lines, each ending in CR LF.
std::string playerSheet(const PlayerRecord& record);

} // namespace quorvath
