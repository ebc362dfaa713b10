#pragma once
// What a match's result is: each player's team, score and time in the game,
// and the teams' result, as the events of a log show them across its matches
// (a server log names a player's team once, not at every map).
//
//   ResultWatcher watcher;           // one per log
//   watcher.onEvent(event);          // every event, in log order
//   MatchFacts facts = watcher.closeMatch();   // where a match ends;
//   watcher.openMatch();                       // the next one begins

#include "core/history/match_record.h"
#include "core/match/match_event.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace quorvath {

// One name's part in one match.
struct SeatFacts {
    Team team = Team::Unknown;
    std::optional<std::int32_t> score;
    std::int32_t presence = 0; // per mille of the match's events
    bool atEnd = false;
};

struct MatchFacts {
    TeamResult result;
    bool warmup = false;
    std::unordered_map<std::string, SeatFacts> players; // by name; those the match names
};

class ResultWatcher {
public:
    void onEvent(const MatchEvent& event);
    // The facts of the match since openMatch(): a name whose team no line
    // gave is Free when nobody is on a team (a deathmatch).
    MatchFacts closeMatch();
    // Those in the game stay in it, everyone on his team; scores and times start over.
    void openMatch();

private:
    struct NameState {
        Team team = Team::Unknown;
        bool inGame = false;
        bool named = false; // in the current match
        std::int64_t since = 0;
        std::int64_t events = 0; // in the game in the current match
        std::optional<std::int32_t> score;
    };
    NameState& named(std::string_view name);
    void enter(std::string_view name);
    void leave(std::string_view name);

    std::unordered_map<std::string, NameState> names_;
    std::int64_t events_ = 0; // of the current match: its clock
    TeamResult scores_;       // a TeamScores line's
    TeamResult rounds_;
    bool warmup_ = false;
};

// Copies each player's facts into the match's seats, by name.
void applyFacts(MatchFacts& facts, MatchRecord& match);

// The score a player ended with: the log's, else kills less suicides and team kills.
std::int32_t finalScore(const MatchPlayer& player);

// Whether anyone played for the red or the blue team.
bool isTeamGame(const MatchRecord& match);

// Which team won: Red, Blue, Free for a draw, Unknown where the log does not say.
Team winningTeam(const MatchRecord& match);

// A player's result in a match: a team game's won, lost or draw; a
// deathmatch's place (players of equal score share it); or unknown.
struct SeatResult {
    enum class Kind { Unknown, Won, Lost, Draw, Place, Warmup };
    Kind kind = Kind::Unknown;
    int place = 0; // Place: 1 for the best score
    int of = 0;    //   among so many players
};
SeatResult seatResult(const MatchRecord& match, std::size_t seat);

} // namespace quorvath
