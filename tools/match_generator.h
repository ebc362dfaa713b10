#pragma once
// gen-log's match mode: one seeded, generated match written at once as the
// three kinds of log the game produces, together with its truth, so that
// counts read from each kind can be held to what really happened.
//
//   PREFIX-console.log  a player's console log (CR LF)
//   PREFIX-games.log    the server's game log, each line after the game time (LF)
//   PREFIX-server.log   the dedicated server's console log (LF)
//   PREFIX-truth.txt    per player, what happened (see truthHeader in the .cpp)
//   PREFIX-matches.txt  per map, what the logs say of it (matchesFormat)
//
// The player's console log starts when the match does: a server's warm-up is
// only in the two server logs. Server logs hold hit lines in every game type
// but deathmatch (a server without g_logHits), so both cases are written.
// Two players whose names share the first 29 characters (those kill lines
// keep) are never in the game together: one leaves before the other comes,
// in the same map or the next, or renames into that name.

#include <cstdint>
#include <string>

namespace genlog {

struct MatchOptions {
    std::string type; // ctf, inf, dem, elim or dm
    std::uint32_t seed = 1;
    int players = 14; // at least the tricky names' number
    int maps = 1;     // one match per map, the players staying
    int eventsPerMap = 300;
    bool chatty = false; // chat makes most of the lines, quoting events and machine lines
    // Each player has a hidden skill, the same under any seed (his name and
    // the players before him do not change with it): the more skilled kill
    // more and die less, and the scores follow the kills.
    bool skill = false;
    std::string prefix;
};

// Whether `type` names a game type.
bool isMatchType(const std::string& type);

// Writes the four files; false, with the reason on standard error, when one
// cannot be written.
bool writeMatch(const MatchOptions& options);

// The truth file's and the matches file's formats, for the usage text.
const char* truthFormat();
const char* matchesFormat();

} // namespace genlog
