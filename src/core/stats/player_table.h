#pragma once
// The player table: slot 0 is "All Players", slots 1..n the players in order
// of first appearance. Name look-ups go through hash maps that give exactly
// the first-index answers of a linear search from index 1.
//
// Change `name` and `originalName` only through setName()/setOriginalName(),
// so the look-up maps stay true; every other field may be written directly.

#include "core/stats/player_record.h"

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvath {

inline constexpr const char* kAllPlayers = "All Players";

class PlayerTable {
public:
    PlayerTable() { reset(); }

    // The number of players, slot 0 not counted: the players are 1..playerCount().
    int playerCount() const { return static_cast<int>(records_.size()) - 1; }
    const PlayerRecord& operator[](int i) const { return records_[static_cast<std::size_t>(i)]; }
    PlayerRecord& operator[](int i) { return records_[static_cast<std::size_t>(i)]; }
    const std::vector<PlayerRecord>& records() const { return records_; }

    // Re-creates the table as one empty slot 0 (a log was opened).
    void reset();
    // Cuts the table down to slot 0, keeping slot 0 as it is (a pass starts).
    void cutToSlotZero();

    // The scanner's look-up: the first index 1..n whose name equals `name`
    // exactly; a new slot at the end when there is none.
    int findOrAdd(std::string_view name);
    // First index 1..n whose name equals `name` exactly, 0 when none.
    int findByName(std::string_view name) const;
    // First index 1..n whose name or originalName equals `name` exactly, 0 when none.
    int findPlayerIndex(std::string_view name) const;

    // Whether a player 1..n has an original name other than "" (only alias
    // linking gives one); while none has, findPlayerIndex of a name other
    // than "" is findByName.
    bool anyOriginalName() const {
        return byOriginalName_.size() > 1 ||
               (byOriginalName_.size() == 1 && !byOriginalName_.begin()->first.empty());
    }

    void setName(int i, std::string name);
    void setOriginalName(int i, std::string originalName);

private:
    // Looked up by string_view without building a string (the scanner's names
    // are views into the log text).
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    // The indexes holding one name, lowest first; the lowest sits in the map's
    // node itself, so a look-up touches no further memory.
    struct Indexes {
        int lowest = 0;
        std::set<int> others;
        void insert(int i);
        void erase(int i);
        bool empty() const { return lowest == 0; }
    };
    using IndexMap = std::unordered_map<std::string, Indexes, NameHash, std::equal_to<>>;
    static void unlink(IndexMap& map, const std::string& key, int i);
    static int first(const IndexMap& map, std::string_view key);

    std::vector<PlayerRecord> records_;
    IndexMap byName_;
    IndexMap byOriginalName_;
};

} // namespace quorvath
