#pragma once
// The web report of one log: the index (leaders, awards, the log), a page per
// player (sheet, weapons chart, top lists, aliases) and each ranking category
// paged, rendered from a template set into a SiteFolder. Pages are named by
// number, never by a player's name: index.html, player-N.html,
// ranking-NN.html and ranking-NN-P.html, style.css.

#include "core/stats/counting_scope.h"
#include "core/stats/player_table.h"
#include "core/web/site_folder.h"
#include "core/web/site_templates.h"

#include <string>
#include <vector>

namespace quorvath::web {

inline constexpr int kEntriesPerPage = 100;

// What a site is made of: the counted table (linked already when `linked`)
// and what the pages say about the log.
struct LogSite {
    const PlayerTable& players;
    const CountingScope& counting;
    bool linked = false;
    std::string nick;        // the user's own name (the log's bytes): his rows are marked
    std::string logName;     // the log's file name as the pages show it (the log's bytes)
    std::string description; // "server game log, Accurate counting"
    // By player: who the rankings and top lists leave out (the history's
    // bots and players short of its minimum); none when null.
    const std::vector<bool>* leftOut = nullptr;
};

// Writes every page of `site`; false (folder.error() tells why) when a page
// cannot be written.
bool writeLogSite(const LogSite& site, const SiteTemplates& templates, SiteFolder& folder);

} // namespace quorvath::web
