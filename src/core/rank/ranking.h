#pragma once
// Rankings: the category list of the statistics window and the lists a
// category shows (its rankings of a counter or of the overall score, or the
// top victims and killers), as figures; ranking_text.h writes them.

#include "core/rank/ranked_list.h"
#include "core/stats/counting_scope.h"
#include "core/stats/player_table.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvath {

inline constexpr const char* kCategoryOverallScore = "Overall Score (Kills + Team Points - TK)";
inline constexpr const char* kCategoryTopKillers = "Top Killers/Victims (Drag 2 right pane)";

// The two report panes of the statistics window: the left one shows a sheet
// or a ranking, the right one a second sheet (to compare), a ranking or the
// top lists.
enum class Pane { Left, Right };

struct Panes {
    std::string left;
    std::string right;

    std::string& text(Pane pane) { return pane == Pane::Right ? right : left; }
    const std::string& text(Pane pane) const { return pane == Pane::Right ? right : left; }
};

// The 29 category texts, in list order. Each is also the command key that
// rankCategory matches exactly.
const std::vector<std::string>& rankingCategories();

// The objectives `r` reached (targets destroyed, flags captured, bombs
// defused, briefcases escaped with), as the overall score counts them.
std::int64_t objectivesOf(const PlayerRecord& r);
// Whether a log of `scope` records any of those: a log that records none
// shows no objectives, not a row of zeros.
bool recordsObjectives(const CountingScope& scope);

// A player and the key he is ranked by.
struct RankCandidate {
    int player; // index in the table; 0 for a blank entry (it holds a place, never listed)
    double key;
};

// The candidates ordered by key, largest first, equal keys in the candidates'
// order, numbered from 1; keys of 0 are left out but keep their places.
std::vector<RankedEntry> rankedEntries(const std::vector<RankCandidate>& candidates,
                                       const PlayerTable& players);

// What a rankings report reads besides the table.
struct RankingContext {
    bool linked = false;    // the "Link Aliases" check mark
    int shownPlayer = 0;    // the player whose sheet the left pane shows
    Pane pane = Pane::Left; // where the category was dropped
    // By player index: who the rankings and the top lists leave out (the
    // history's bots and players short of its minimum); none when null.
    const std::vector<bool>* leftOut = nullptr;
};

// Who the rankings, or with `topLists` the top lists, leave out of the table
// as it stands (linking changes whose names a player's figures are), by
// player index; empty: nobody.
using LeftOutRule = std::function<std::vector<bool>(const PlayerTable&, bool topLists)>;

// The players the rankings take part in, in index order: unlinked every
// player; linked a master always, anyone else unless he is somebody's alias;
// either way none the context leaves out.
std::vector<int> rankedPlayers(const PlayerTable& players, const RankingContext& context);

// The lists `category` shows in context.pane: its rankings of the players
// (unlinked every player in index order; linked the masters and everybody who
// is nobody's alias), or the top lists of the shown player (only in the right
// pane). Counted as `counting` says: a counter the log could not record is a
// list without entries, marked as not recorded. Nothing for a text that is no
// category, and for the top lists elsewhere or of a player not ranked.
std::optional<std::vector<RankedList>> rankCategory(const std::string& category,
                                                    const PlayerTable& players,
                                                    const RankingContext& context,
                                                    const CountingScope& counting = {});

} // namespace quorvath
