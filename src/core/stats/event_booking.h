#pragma once
// EventBooker: the second half of bookPhraseEvents. Books the record of one
// cut event line into the player table: team kill, victim and killer
// counters, headshots, the killer/victim pair, the carrier credit, the bomb
// target check and the rename linking. The victim joins the table before the
// killer, so each line adds its new names in the order of first appearance
// that lists and rankings show. Booking reads the records only, never the
// log's text: the cutting has taken from it all that booking needs.

#include "core/stats/event_line.h"
#include "core/stats/player_table.h"
#include "core/stats/rename_links.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
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

// The counters a weapon word raises for the victim and for the killer, in
// the lines of one phrase; none for a word outside the table (and for "re",
// which links aliases instead). Every kill line asks: the words are sorted by
// length, so a look-up compares a few words of the right length only.
class WeaponWords {
public:
    explicit WeaponWords(std::string_view phrase);
    std::optional<std::pair<Counter, Counter>> counters(std::string_view weapon) const;

    // Every word of the table is shorter.
    static constexpr std::size_t kLongest = 16;

private:
    struct Word {
        std::string_view word;
        Counter victim;
        Counter killer;
    };
    std::array<std::vector<Word>, kLongest> byLength_;
};

// Names as the cutting met them, each kept once: event records refer to a
// name by its number here, so booking reads no text.
class NamePool {
public:
    int intern(std::string_view name);
    const std::string& name(int number) const { return names_[static_cast<std::size_t>(number)]; }
    int size() const { return static_cast<int>(names_.size()); }

private:
    // Open addressing, a power of two of slots at most half used. A name up
    // to 16 characters is told apart by its length and two words read from
    // it, compared in the slot itself; a longer one is compared in full when
    // those agree. Every event line asks for its names, so this is cheaper
    // than a general-purpose map.
    struct Slot {
        std::uint64_t head = 0;
        std::uint64_t tail = 0;
        std::uint32_t length = 0;
        std::int32_t number = -1; // -1: free
    };
    static Slot keyOf(std::string_view name);
    static std::size_t hashOf(const Slot& key);
    void grow();

    std::vector<std::string> names_;
    std::vector<Slot> slots_;
};

// One cut event line as booking needs it.
struct EventRecord {
    enum Flag : std::uint8_t { Headshot = 1, TeamKill = 2, RenameWeapon = 4 };
    std::int32_t firstName = 0; // in the NamePool of the cutting
    // A two-player event's second name; where a one-player event's line
    // starts (for the bomb target check), in 12 bytes a record.
    std::int32_t secondNameOrLineStart = 0;
    std::uint8_t victimCounter = 0; // the weapon's Counters; 0 for none
    std::uint8_t killerCounter = 0;
    std::uint8_t flags = 0;
    std::uint8_t drops = 0; // dropAfter in the low half, dropAbove in the high one

    CarrierDrop dropAfter() const { return static_cast<CarrierDrop>(drops & 0xF); }
    CarrierDrop dropAbove() const { return static_cast<CarrierDrop>(drops >> 4); }
};

// The record of a cut line: names interned in `names`, the weapon word
// turned into its counters (`weapons` built for the line's phrase), the team
// kill decided ("re" is never one).
EventRecord recordEvent(const EventLine& line, EventKind kind, const WeaponWords& weapons,
                        NamePool& names);

// The player index of each name of one NamePool, found in the table (and
// added to it) the first time booking asks.
class NameIndexes {
public:
    NameIndexes(const NamePool& names, PlayerTable& players) : names_(names), players_(players) {}
    // Inline for the names looked up before: booking asks for every record's.
    int player(int name) {
        const int index = known(name);
        return index != 0 ? index : lookUp(name);
    }
    // The index of a name looked up before, else 0; nothing is added.
    int known(int name) const {
        const auto n = static_cast<std::size_t>(name);
        return n < indexes_.size() ? indexes_[n] : 0;
    }
    const std::string& name(int number) const { return names_.name(number); }

private:
    int lookUp(int name);

    const NamePool& names_;
    PlayerTable& players_;
    std::vector<int> indexes_; // 0: not looked up yet
};

// A kill's killer and victim as booking met them, for KillPairs to count.
struct BookedPair {
    std::int32_t killer;
    std::int32_t victim;
};

// Killer/victim pairs counted while booking and added to the per-opponent
// counts once at the end, in index order: cheaper than keeping those sparse
// counts in order kill by kill. While the indexes stay small the counts sit in
// a square of every pair; past that in an open-addressed table of the
// distinct pairs, so they take room by pairs, not by kills.
class KillPairs {
public:
    void add(int killer, int victim, std::uint32_t count = 1) {
        const auto k = static_cast<std::size_t>(killer);
        const auto v = static_cast<std::size_t>(victim);
        if (k < side_ && v < side_)
            square_[k * side_ + v] += count;
        else
            addPast(killer, victim, count);
    }
    // Adds the pairs booking met, each once: what add() of each would do,
    // each pair's count asked into cache some pairs ahead (the square spreads
    // the counts over megabytes, and a kill's pair is mostly one not counted lately).
    void addAll(const std::vector<BookedPair>& booked);
    // Adds each pair's count to the killer's victims and the victim's
    // killers, then forgets the pairs.
    void bookInto(PlayerTable& players);
    // Calls visit(killer, victim, count) for each pair, in no set order.
    template <typename Visit> void forEachPair(const Visit& visit) const {
        for (std::size_t k = 0; k < side_; ++k)
            for (std::size_t v = 0; v < side_; ++v)
                if (const std::uint32_t count = square_[k * side_ + v])
                    visit(static_cast<int>(k), static_cast<int>(v), count);
        for (std::size_t i = 0; i < pairs_.size(); ++i)
            if (pairs_[i] != kEmpty)
                visit(static_cast<int>(pairs_[i] >> 32), static_cast<int>(pairs_[i] & 0xFFFFFFFFu),
                      counts_[i]);
    }

    // bookInto in two steps, the first of which reads no table, so that it
    // may run on a thread of its own while booking goes on: the victims and
    // killers lists by player index, the pairs forgotten; then their counts
    // added to the players' lists (the players must be in the table).
    struct OpponentLists {
        std::vector<OpponentCounts> victims;
        std::vector<OpponentCounts> killers;
    };
    OpponentLists takeLists();
    static void addLists(OpponentLists& lists, PlayerTable& players);

private:
    // 4 MiB of counts at most.
    static constexpr std::size_t kLargestSide = 1024;
    static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};
    void addPast(int killer, int victim, std::uint32_t count);
    void addToTable(std::uint64_t pair, std::uint32_t count);
    void grow();

    std::vector<std::uint32_t> square_; // side_ x side_, killer by victim
    std::size_t side_ = 0;

    // Slots, a power of two of them, at most three quarters used: the pair
    // (killer in the high half, victim in the low one) and its count.
    std::vector<std::uint64_t> pairs_;
    std::vector<std::uint32_t> counts_;
    std::size_t used_ = 0;
};

class EventBooker {
public:
    // `roundEnds` is read only for "has planted the bomb!"; the killer/victim
    // pairs are appended to `pairs`, for the caller to count.
    EventBooker(std::string_view phrase, EventKind kind, PlayerTable& players,
                const RoundEnds& roundEnds, std::vector<BookedPair>& pairs);

    void book(const EventRecord& event, NameIndexes& names);

private:
    void bookOnePlayerEvent(int player, const EventRecord& event);
    void bookPair(int victim, int killer, const EventRecord& event, NameIndexes& names);
    void creditCarrierKill(int killer, CarrierDrop drop);
    RenameLinks& renameLinks();

    EventKind kind_;
    bool renamePhrase_;
    PlayerTable& players_;
    std::vector<Counter> onePlayerCounters_;
    bool plantPhrase_ = false;
    const RoundEnds& roundEnds_;
    std::vector<BookedPair>& pairs_;
    // While no player has an original name, a name's pair index is the one
    // the booking just found for it; otherwise it is looked up again.
    bool pairIndexesFound_;
    std::optional<RenameLinks> renameLinks_;
};

} // namespace quorvath
