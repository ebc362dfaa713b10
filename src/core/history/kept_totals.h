#pragma once
// The whole history's totals as a store keeps them between imports, so that
// a query of the whole history reads them instead of adding up every match:
// what HistoryTotals has added up before the people are linked (each name's
// counters, victims and activity; each match's renames). People are linked
// on every query, since the user's decisions change without an import.

#include "core/history/people.h"
#include "core/stats/counting_scope.h"
#include "core/stats/opponent_counts.h"
#include "core/stats/player_record.h"

#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace quorvath {

// One name as the matches added up give it.
struct NameTotals {
    std::string name;
    std::array<std::int32_t, kLastCounter + 1> counters{}; // a bot in many matches is one bot
    std::vector<OpponentCounts::Entry> victims;            // ascending slots, counts other than 0
    NameActivity activity;                                 // `shared` left 0
};

using SlotRenames = std::vector<std::pair<std::int32_t, std::int32_t>>; // old, new: slots

struct KeptTotals {
    std::vector<NameTotals> names;    // slot 1 first, in order of first appearance
    std::vector<SlotRenames> renames; // each match with renames, in the order played
    CountingScope scope;              // what no match added could record
    std::int64_t matches = 0;
};

// Where a match stands in the order played: date, log id, start byte.
using MatchPlace = std::tuple<std::int64_t, std::int64_t, std::int64_t>;

} // namespace quorvath
