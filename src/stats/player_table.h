#pragma once
// The player table: slot 0 is "All Players", slots 1..n the players in order
// of first appearance. Name look-ups go through hash maps that give exactly
// the first-index answers of a linear search from index 1.
//
// Change `name` and `origname` only through setName()/setOrigname(), so the
// look-up maps stay true; every other field may be written directly.

#include "stats/player_record.h"

#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorvath {

inline constexpr const char* kAllPlayers = "All Players";

class PlayerTable {
public:
    PlayerTable() { reset(); }

    // Upper bound of the table (the number of players; slot 0 not counted).
    int upper() const { return static_cast<int>(records_.size()) - 1; }
    const PlayerRecord& operator[](int i) const { return records_[static_cast<std::size_t>(i)]; }
    PlayerRecord& operator[](int i) { return records_[static_cast<std::size_t>(i)]; }
    const std::vector<PlayerRecord>& records() const { return records_; }

    // Re-creates the table as one empty slot 0 (a log was opened).
    void reset();
    // Cuts the table down to slot 0, keeping slot 0 as it is (a pass starts).
    void cutToSlotZero();

    // The scanner's look-up: the first index 1..n whose name equals `name`
    // exactly; a new slot at the end when there is none.
    int findOrAdd(const std::string& name);
    // First index 1..n whose name equals `name` exactly, 0 when none.
    int findByName(const std::string& name) const;
    // First index 1..n whose name or origname equals `name` exactly, 0 when none.
    int findplayerindex(const std::string& name) const;

    void setName(int i, std::string name);
    void setOrigname(int i, std::string origname);

private:
    using IndexMap = std::unordered_map<std::string, std::set<int>>;
    static void unlink(IndexMap& map, const std::string& key, int i);
    static int first(const IndexMap& map, const std::string& key);

    std::vector<PlayerRecord> records_;
    IndexMap byName_;
    IndexMap byOrigname_;
};

} // namespace quorvath
