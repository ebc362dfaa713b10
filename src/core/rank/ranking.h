#pragma once
// Rankings: the category list of the statistics window, the numbered list of
// one counter, and the rankings report of a category (its sub-rankings, the
// overall score, the top victims and killers).

#include "core/stats/counting_scope.h"
#include "core/stats/player_table.h"

#include <optional>
#include <string>
#include <string_view>
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
// writeRankings matches exactly.
const std::vector<std::string>& rankingCategories();

// The players a ranking takes part in, as copies of their names, counters and
// per-opponent counts; entry 0 is unused. Unlinked, every player in index
// order; linked, the masters and everybody who is nobody's alias.
std::vector<PlayerRecord> rankingEntries(const PlayerTable& players, bool linked);

// Whether a ranking starts its pane afresh or follows the text already there.
enum class PaneWrite { Replace, Append };

// Ranks entries 1..n by counter `key`, largest first, equal keys in ascending
// entry order, and writes the heading and the numbered list into `pane`; a
// key `scope` says the log could not record gets "not in this log" instead.
void writeRanking(const std::vector<PlayerRecord>& entries, Counter key, std::string_view heading,
                  PaneWrite write, std::string& pane, const CountingScope& scope = {});

// What a rankings report reads besides the table.
struct RankingContext {
    bool linked = false;    // the "Link Aliases" check mark
    int shownPlayer = 0;    // the player whose sheet the left pane shows
    Pane pane = Pane::Left; // where the category was dropped
};

// The rankings report of `category`, written into context.pane (the top lists
// only into the right pane, for the shown player). Counted as `counting` says:
// a ranking of a counter the log could not record says "not in this log"
// under its heading. Returns the
// pane that was written, nothing when none was.
std::optional<Pane> writeRankings(const std::string& category, const PlayerTable& players,
                                  const RankingContext& context, Panes& panes,
                                  const CountingScope& counting = {});

} // namespace quorvath
