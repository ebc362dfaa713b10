#pragma once
// A ranking or a top list as figures: its entries in order, each a place, a
// player and a value, with what the values mean. The computation fills it
// (ranking.h, top_lists.h); writers turn it into the window's pane text
// (ranking_text.h) or the report tool's tables, and never compute.

#include "core/stats/player_record.h"

#include <string>
#include <vector>

namespace quorvath {

// What the values of a list are.
enum class RankedMeaning {
    Counter,      // how often each player did what `RankedList::counter` counts
    OverallScore, // kills + 5 per carrier killed + 10 per objective - team kills
    Victims,      // how often the shown player killed each one (a top list)
    Killers,      // how often each one killed the shown player (a top list)
};

struct RankedEntry {
    int place = 0;    // 1-based; a ranking leaves out keys of 0, but they keep their places
    int player = 0;   // the player's index in the table
    std::string name; // as the lists show it (linked: with its aliases)
    double value = 0;
};

struct RankedList {
    std::string title; // "Kills", "Victims (lest we forget)", "Top Victims"
    RankedMeaning meaning = RankedMeaning::Counter;
    Counter counter = totalKills; // what a RankedMeaning::Counter list counts
    bool wholeNumbers = true;     // false for a key such as a rating or a ratio
    bool recorded = true;         // false: the log could not record it ("not in this log")
    std::vector<RankedEntry> entries;
};

// A value as every writer shows it: a whole number without a point, any other
// in the shortest form that reads back as the same double.
std::string rankedValueText(double value, bool wholeNumber);

} // namespace quorvath
