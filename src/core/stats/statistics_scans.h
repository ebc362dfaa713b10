#pragma once
// The 30 phrase scans of the statistics pass in their fixed order: the one
// home of the phrases the classic rules read, of the caption shown while each
// runs, and of what a one-player phrase counts (a two-player phrase's counters
// follow from the weapon word of its line; event_booking.h).

#include "core/stats/event_line.h"
#include "core/stats/player_record.h"

#include <array>
#include <optional>
#include <string_view>

namespace quorvath {

struct StatisticsScan {
    std::string_view caption; // empty: the caption of the row above stays
    std::string_view phrase;
    EventKind kind;
    std::optional<Counter> counter = {}; // what a one-player line raises
    bool suicide = false;                // and a death besides
};

inline constexpr int kStatisticsScanCount = 30;
extern const std::array<StatisticsScan, kStatisticsScanCount> kStatisticsScans;

// The caption shown while scan `number` (1-based) runs.
std::string_view scanCaption(int number);

} // namespace quorvath
