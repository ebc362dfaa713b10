#pragma once
// EventBooker: the second half of bookPhraseEvents. Books one cut event line
// into the player table: team kill, victim and killer counters, headshots,
// the killer/victim pair, the carrier credit, the bomb target check and the
// rename linking. The victim joins the table before the killer, so each line
// adds its new names in the order of first appearance that lists and
// rankings show.

#include "core/log/log_document.h"
#include "core/stats/event_line.h"
#include "core/stats/player_table.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace quorvath {

// Where the four round-ending lines of the bomb target check occur.
class RoundEnds {
public:
    enum Which { Eliminated, Defused, Destroyed, Defended };
    static constexpr std::array<std::string_view, 4> kPhrases = {"team eliminated!", "has defused",
                                                                 "team has destroyed the target!",
                                                                 "team has defended the target!"};

    // Takes the occurrences of the four phrases out of a sweep's result:
    // sweepHits[first + i] holds every occurrence (ascending) of kPhrases[i].
    RoundEnds(std::vector<std::vector<int>>& sweepHits, std::size_t first);

    // The first occurrence at or after `from`, or -1.
    int next(Which which, int from) const;
    // True when, after `from`, the next round end is the target's destruction
    // (an absent kind of round end counts as coming just after it).
    bool targetDestroyedAfter(int from) const;

private:
    std::array<std::vector<int>, 4> positions_;
};

// The counters a weapon word raises for the victim and for the killer; none
// for a word outside the table (and for "re", which links aliases instead).
std::optional<std::pair<Counter, Counter>> weaponCounters(std::string_view weapon,
                                                          std::string_view phrase);

class EventBooker {
public:
    // `roundEnds` is read only for "has planted the bomb!".
    EventBooker(const LogDocument& doc, std::string_view phrase, EventKind kind,
                PlayerTable& players, const RoundEnds& roundEnds);

    void book(const EventLine& line);

private:
    void bookOnePlayerEvent(int player, const EventLine& line);
    void bookPair(const EventLine& line);
    void creditCarrierKill(int killer, std::string_view victim, int lineEnd);
    int masterOf(int player);
    void linkRename(int master, int newName);

    enum class Drop { None, Other, Briefcase, Flag, Bomb };
    Drop dropLineAt(int at, std::string_view victim) const;
    int lineAbove(int caret) const;

    std::string_view text_;
    std::string_view phrase_;
    EventKind kind_;
    bool renamePhrase_;
    PlayerTable& players_;
    std::vector<Counter> onePlayerCounters_;
    bool plantPhrase_ = false;
    const RoundEnds& roundEnds_;

    // Alias collections as index: the lowest holder of each item and every
    // (holder, item) pair, so the rename linking needs no scan of the table.
    bool aliasIndexBuilt_ = false;
    std::unordered_map<int, int> lowestHolder_;
    std::unordered_set<std::uint64_t> held_;
};

} // namespace quorvath
