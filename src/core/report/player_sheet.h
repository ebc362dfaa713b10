#pragma once
// The player sheet: the fixed report of one player-table entry that the
// statistics window shows in either pane (names, kills and deaths per weapon,
// suicides, totals, objective and kick/ban events).

#include "core/common/line_end.h"
#include "core/stats/counting_scope.h"
#include "core/stats/player_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

// The whole sheet text of `record`: 47 lines, each ending in CR LF.
std::string playerSheet(const PlayerRecord& record);

// The sheet of a table counted as `scope` tells: a classic scope gives the
// sheet above; an Accurate one adds the rows of the counters only it counts
// (more suicide causes, warm-up kills, bots) and shows every counter its log
// could not record as "not in this log".
std::string playerSheet(const PlayerRecord& record, const CountingScope& scope);

// One figure of the sheet, for tables: the row's label without its ": ", the
// column ("kills", "deaths", "count" for a suicide row, "times" for an event
// row) and the value as the sheet prints it.
struct SheetFigure {
    std::string_view item;
    std::string_view column;
    std::int32_t value;
};
// Every figure of the sheet of `record` counted as `scope` tells, in sheet
// order; a figure the log could not record is left out.
std::vector<SheetFigure> sheetFigures(const PlayerRecord& record, const CountingScope& scope = {});

} // namespace quorvath
