#pragma once
// The player sheet: the fixed report of one player-table entry that the
// statistics window shows in either pane (names, kills and deaths per weapon,
// suicides, totals, objective and kick/ban events).

#include "core/common/line_end.h"
#include "core/stats/player_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

// The whole sheet text of `record`: 47 lines, each ending in CR LF.
std::string playerSheet(const PlayerRecord& record);

// One figure of the sheet, for tables: the row's label without its ": ", the
// column ("kills", "deaths", "count" for a suicide row, "times" for an event
// row) and the value as the sheet prints it.
struct SheetFigure {
    std::string_view item;
    std::string_view column;
    std::int32_t value;
};
// Every figure of the sheet of `record`, in sheet order.
std::vector<SheetFigure> sheetFigures(const PlayerRecord& record);

} // namespace quorvath
