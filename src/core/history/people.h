#pragma once
// People across logs: which names are one person. The renames a log shows
// link names as Link Aliases links them; a GUID a server log gives under
// several names links those names too; and the user's decisions, kept apart
// from the imported matches, merge two names or split a name off again. A
// name split off stands alone: no rename or GUID links it, nor a merge made
// before the split; a merge made after it joins it again.

#include "core/rank/ranking.h"
#include "core/stats/player_table.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quorvath {

struct PeopleDecision {
    enum class Kind { Merge, Split };
    std::int64_t id = 0; // the store's; a later decision has a higher id
    Kind kind = Kind::Merge;
    std::string name;        // Windows-1252, as the log writes it
    std::string other;       // a merge's second name; "" for a split
    std::int64_t madeAt = 0; // seconds since 1970 (UTC)
};

// What the counted matches show of one name (a slot of the player table).
struct NameActivity {
    std::int64_t firstSeen = 0; // the date of its first match
    std::int64_t lastSeen = 0;  // the date of its last match
    int matches = 0;
    std::vector<std::string> guids; // each once, in order of first appearance
    int shared = 0; // a person's first name: matches more than one of his names played
};

// The matches of the person whose first name is slot `first` of a linked
// table: his names' matches, a match he renamed in counted once.
int personMatches(const PlayerTable& players, const std::vector<NameActivity>& activity, int first);

// Files every person's names as aliases of his first name: the renames
// (old slot, new slot, in order) as Link Aliases files them, then the names
// a GUID links, then the merges in the order made. `activity` is by slot.
void linkPeople(PlayerTable& players, const std::vector<std::pair<int, int>>& renames,
                const std::vector<NameActivity>& activity,
                const std::vector<PeopleDecision>& decisions);

// One person as the history knows him: his names (the first one first) and
// what they did, added up.
struct Person {
    std::vector<std::string> names;
    std::vector<std::string> guids;
    std::int64_t firstSeen = 0;
    std::int64_t lastSeen = 0;
    int matches = 0; // a match he renamed in counts once
    std::int64_t kills = 0;
    std::int64_t deaths = 0;
    bool bot = false; // a server log marked one of his names as a bot
};

// The people of an unlinked table whose people are linked, in order of
// first appearance.
std::vector<Person> peopleOf(const PlayerTable& players, const std::vector<NameActivity>& activity);

// Who rankings take: at least `kills` kills and `matches` matches, and no
// bot unless `bots`.
struct RankingMinimum {
    int kills = 0;
    int matches = 0;
    bool bots = false;
};

// Per slot of `players` (linked or not: a master's matches are his names'),
// whether rankings leave him out.
std::vector<bool> leftOutOfRankings(const PlayerTable& players,
                                    const std::vector<NameActivity>& activity,
                                    const RankingMinimum& minimum);

// What a selection's statistics leave out: the rankings whoever is short of
// `minimum`, the top lists only the bots (unless `minimum.bots`). `activity`
// is by slot of the unlinked table, as countSelection gives it.
LeftOutRule rankingRule(std::vector<NameActivity> activity, const RankingMinimum& minimum);

} // namespace quorvath
