#pragma once
// The web report of the match history: the pages of one log's site made from
// the selection's counted table, and besides them a page per match
// (match-K.html, K counting the selected matches in the order played: the
// scoreboard and who killed whom), per map and per server (map-N.html,
// server-N.html in order of first played: its matches and leaders), the
// matches listed newest first (matches.html, and each map's, server's and
// player's: map-N-matches.html, ...), the skill ratings (ratings.html,
// paged: as `history ratings` lists them), and on the index and the players'
// pages the matches, dates and places they played, the rating's leaders and
// each player's rating over time.

#include "core/history/history_store.h"
#include "core/web/site_pages.h"

namespace quorvath::web {

struct HistorySite {
    LogSite table;       // the selection counted (linked already when table.linked)
    HistoryStore& store; // read again for the matches
    HistorySelection selection;
    bool bots = false; // bots rated too (the person's names rated as one when table.linked)
};

// Writes every page; a message naming the folder or the history when it cannot.
HistoryError writeHistorySite(const HistorySite& site, const SiteTemplates& templates,
                              SiteFolder& folder);

} // namespace quorvath::web
