#pragma once
// Rankings: the category list of the statistics window, the ranking sort that
// prints one numbered list into a pane, and the rankings report of a category
// (its sub-rankings, the overall score, the top victims and killers).

#include "core/stats/player_table.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvath {

inline constexpr const char* kDropTargetStats = "Stats";
inline constexpr const char* kDropTargetComp = "Comp";
inline constexpr const char* kCategoryOverallScore = "Overall Score (Kills + Team Points - TK)";
inline constexpr const char* kCategoryTopKillers = "Top Killers/Victims (Drag 2 right pane)";

enum class Pane { Stats, Comp };

// Where a ranking goes: the right pane only for exactly "Comp".
inline Pane paneOf(const std::string& droptarget) {
    return droptarget == kDropTargetComp ? Pane::Comp : Pane::Stats;
}

// The texts of the two panes of the statistics window.
struct Panes {
    std::string TxtStats; // left pane
    std::string TxtComp;  // right pane

    std::string& text(Pane pane) { return pane == Pane::Comp ? TxtComp : TxtStats; }
    const std::string& text(Pane pane) const { return pane == Pane::Comp ? TxtComp : TxtStats; }
};

// The ranking arrays. Only the key copy matters to the output: the sorted
// output and the linked-mode work array are held in locals.
struct RankScratch {
    std::vector<PlayerRecord> tempplayersA; // entries 1..n ranked; entry 0 never takes part
    int playerupper = 0;

    // Re-creates the arrays with index range 0..size, every record empty.
    void createtempplayerarrays(int size);
};

// The 29 category texts, in list order (`PopulateRankList`). Each is also the
// command key that dorankings matches exactly.
const std::vector<std::string>& PopulateRankList();

// Ranks entries 1..n of scratch.tempplayersA by counter `sortkey`, largest first,
// equal keys in ascending index order, and writes the heading and the numbered
// list into `pane` (replacing it when `blankfirst`, else appending). The used
// keys are consumed: counter `sortkey` of every entry becomes -1000.
void sortbyrank(RankScratch& scratch, int sortkey, const std::string& display, bool blankfirst,
                std::string& pane);

// What a rankings report reads besides the table.
struct RankingContext {
    bool linked = false;    // the "Link Aliases" check mark
    int sheetplayer = 0;    // the player shown in the left pane
    std::string droptarget; // "Stats" or "Comp"
};

// The rankings report of category `theSource`, written into the pane that
// ctx.droptarget names (the top lists always into the right pane). Collects the
// keys from `players` anew. Returns the pane that was written, nothing when
// none was.
std::optional<Pane> dorankings(const std::string& theSource, const PlayerTable& players,
                               const RankingContext& ctx, RankScratch& scratch, Panes& panes);

} // namespace quorvath
