#pragma once
// How a player table was counted: by the classic phrase rules or by the
// Accurate rules from typed match events, and which counters its log could
// not record at all (objectives in a server log, bots in a console log). A
// sheet or ranking shows such a counter as "not in this log", never as 0:
// users compare these numbers with what they saw happen.

#include "core/stats/player_record.h"

#include <bitset>
#include <optional>
#include <string_view>

namespace quorvath {

enum class CountingMode { Classic, Accurate };

inline constexpr std::string_view NotInThisLog = "not in this log";

struct CountingScope {
    CountingMode mode = CountingMode::Classic;
    std::bitset<kLastCounter + 1> unrecorded;

    bool records(Counter c) const { return !unrecorded.test(static_cast<std::size_t>(c)); }
    void setUnrecorded(Counter c) { unrecorded.set(static_cast<std::size_t>(c)); }
};

// "Classic" or "Accurate": the statistics window's title, the report tool's
// header, the saved preference.
std::string_view countingModeName(CountingMode mode);
// The mode named `name` (letter case ignored), nothing for another word.
std::optional<CountingMode> countingModeNamed(std::string_view name);

} // namespace quorvath
