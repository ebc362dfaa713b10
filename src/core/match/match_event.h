#pragma once
// What happened in a match, as typed events: every kind of log is parsed into
// these, and the Accurate booking reads nothing else. Names are those the game
// shows (colour codes removed); the views stay valid only during the call
// that hands the event over.

#include "core/match/game_table.h"

#include <cstdint>
#include <string_view>

namespace quorvath {

enum class MatchEventType : std::uint8_t {
    Kill,        // killer, victim, weapon (its alternate attack), head shot, team kill
    Death,       // a death without a killing player, by cause
    Objective,   // a flag, briefcase or bomb step, with its player if the line names one
    Rename,      // player: the old name, other: the new one
    Connect,     // a player connected or entered the game (a server log: is a bot)
    Disconnect,  //
    TeamChange,  // `team` is the new team
    MapStart,    // a map (or a round of loading) begins: nothing is carried
    MapEnd,      //
    WarmupStart, // until the next map start, kills are warm-up kills
    PlayerLine,  // a vote, kick or ban: `counter` says which
    Chat,        // never counts
};

// A player as a line names him. In a console log's kill and suicide lines a
// name of exactly the cut length may be a longer name cut short: `cutRaw`
// then holds it as printed, colour codes and all.
struct NamedPlayer {
    NamedPlayer(std::string_view shown = {}, std::string_view cut = {})
        : name(shown), cutRaw(cut) {}
    std::string_view name;
    std::string_view cutRaw;
};

struct MatchEvent {
    explicit MatchEvent(MatchEventType what, NamedPlayer first = {}, NamedPlayer second = {})
        : type(what), player(first), other(second) {}

    MatchEventType type;
    NamedPlayer player;             // the victim, the one who died, acted, spoke; the old name
    NamedPlayer other;              // the killer; the new name
    const KillForm* form = nullptr; // Kill: nullptr for a weapon the table lacks
    const ObjectivePhrase* objective = nullptr; // Objective
    DeathCause cause = DeathCause::Died;        // Death
    Counter counter = kNoRow;                   // PlayerLine
    bool headshot = false;
    bool teamKill = false;
    Team team = Team::Unknown; // TeamChange
    bool bot = false;          // Connect: a server log marks the player as a bot
};

// Where a parser sends its events.
class MatchEventSink {
public:
    virtual void onEvent(const MatchEvent& event) = 0;

protected:
    ~MatchEventSink() = default;
};

} // namespace quorvath
