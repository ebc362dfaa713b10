#pragma once
// The compact forms a match's lists are stored in: unsigned LEB128 numbers
// one after the other. A player's counters keep only those other than 0
// (counter, value); kills are (killer, victim, count), renames (old, new).
// A sheet's 86 counters take a few bytes where most are 0. A name's kept
// totals are its name, counters, victims (slot, count) and activity.

#include "core/history/kept_totals.h"
#include "core/history/match_record.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

std::string encodeCounters(const std::array<std::int32_t, kLastCounter + 1>& counters);
std::string encodeKills(const std::vector<MatchKills>& kills);
std::string encodeRenames(const std::vector<std::pair<std::int32_t, std::int32_t>>& renames);
std::string encodeScope(const CountingScope& scope); // the unrecorded counters' numbers
std::string encodeNameTotals(const NameTotals& name);
// Matches' renames one after the other, each its number of renames first.
std::string encodeMatchRenames(const std::vector<SlotRenames>& renames, std::size_t from);

// The decoders say false for bytes no encoder wrote (a damaged row).
bool decodeCounters(std::string_view bytes, std::array<std::int32_t, kLastCounter + 1>& counters);
bool decodeKills(std::string_view bytes, std::vector<MatchKills>& kills);
bool decodeRenames(std::string_view bytes,
                   std::vector<std::pair<std::int32_t, std::int32_t>>& renames);
bool decodeScope(std::string_view bytes, CountingScope& scope);
bool decodeNameTotals(std::string_view bytes, NameTotals& name);
// Appends each match's renames to `renames` (none of them empty).
bool decodeMatchRenames(std::string_view bytes, std::vector<SlotRenames>& renames);
// Whether a decoded match's kills and renames name only seats it has.
bool seatsHold(const MatchRecord& match);

// Where a team result comes from, as the databases keep it: "nothing",
// "scores" or "rounds"; false for any other text.
const char* resultFromText(TeamResult::From from);
bool readResultFrom(std::string_view text, TeamResult::From& from);

} // namespace quorvath
