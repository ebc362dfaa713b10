#pragma once
// What happened in a match, as typed events: every kind of log is parsed into
// these (MatchEventReader), and the Accurate booking reads nothing else. Names
// are those the game shows (colour codes removed); the views stay valid only
// during the call that hands the event over (KeptMatchEvents keeps copies).

#include "core/match/game_table.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace quorvath {

enum class MatchEventType : std::uint8_t {
    Kill,        // killer, victim, weapon (its alternate attack), head shot, team kill
    Death,       // a death without a killing player, by cause
    Objective,   // a flag, briefcase or bomb step, with its player if the line names one
    Rename,      // player: the old name, other: the new one
    Connect,     // a player connected or entered the game (a server log: is a bot, GUID, address)
    Disconnect,  //
    TeamChange,  // `team` is the new team
    MapStart,    // a map (or a round of loading) begins: a server log gives its settings
    MapEnd,      //
    WarmupStart, // until the next map start, kills are warm-up kills
    PlayerLine,  // a vote, kick or ban: `counter` says which
    Chat,        // never counts
    RoundEnd,    // `team` won the round (Unknown: a draw); follows the objective line
    MatchOver,   // the map's play ended (a server's "Exit:"), for a reason
    TeamScores,  // the teams' final scores
    PlayerScore, // a player's final score and ping
};

// A player as a line names him. In a console log's kill and suicide lines a
// name of exactly the cut length may be a longer name cut short: `cutRaw`
// then holds it as printed, colour codes and all. A server log numbers its
// clients: a number stays with one player until he disconnects.
struct NamedPlayer {
    NamedPlayer(std::string_view shown = {}, std::string_view cut = {}, std::int32_t number = -1)
        : name(shown), cutRaw(cut), client(number) {}
    std::string_view name;
    std::string_view cutRaw;
    std::int32_t client; // -1 where the log numbers no clients
};

// What a few events carry beyond their players: the map's settings, a
// player's connection, the end of play and the scores.
struct MatchDetails {
    std::string_view map;      // MapStart: the map's name,
    std::string_view gameType; //   its game type ("ctf")
    std::string_view server;   //   and the server's name (shown)
    std::string_view guid;     // Connect: a server log's GUID of the player (none for a bot)
    std::string_view address;  //   and his address ("ip:port")
    std::string_view reason;   // MatchOver: "Timelimit hit."
    std::int32_t redScore = 0; // TeamScores
    std::int32_t blueScore = 0;
    std::int32_t score = 0; // PlayerScore
    std::int32_t ping = 0;

    std::array<std::string_view*, 6> texts() {
        return {&map, &gameType, &server, &guid, &address, &reason};
    }
};
// The details of an event that has none: all empty.
inline constexpr MatchDetails kNoDetails{};

struct MatchEvent {
    explicit MatchEvent(MatchEventType what, NamedPlayer first = {}, NamedPlayer second = {})
        : type(what), player(first), other(second) {}

    MatchEventType type;
    NamedPlayer player;             // the victim, the one who died, acted, spoke; the old name
    NamedPlayer other;              // the killer; the new name
    const KillForm* form = nullptr; // Kill: nullptr for a weapon the table lacks
    const ObjectivePhrase* objective = nullptr; // Objective
    // MapStart, MatchOver, TeamScores, PlayerScore, a server log's Connect;
    // never nullptr (kNoDetails), kept apart as few events have them.
    const MatchDetails* details = &kNoDetails;
    DeathCause cause = DeathCause::Died; // Death
    Counter counter = kNoRow;            // PlayerLine
    bool headshot = false;
    bool teamKill = false;
    Team team = Team::Unknown; // TeamChange, RoundEnd; Objective: the team a team line names
    bool bot = false;          // Connect: a server log marks the player as a bot
    std::int32_t time = -1;    // game seconds since the map began; -1: the log has no clock

    // The names of the event, for whoever copies them.
    std::array<std::string_view*, 4> names() {
        return {&player.name, &player.cutRaw, &other.name, &other.cutRaw};
    }
};

// Where a parser sends its events.
class MatchEventSink {
public:
    virtual void onEvent(const MatchEvent& event) = 0;

protected:
    ~MatchEventSink() = default;
};

// Hands each event to several sinks, in the order given.
class MatchEventFanOut final : public MatchEventSink {
public:
    MatchEventFanOut(std::initializer_list<MatchEventSink*> sinks) : sinks_(sinks) {}
    void onEvent(const MatchEvent& event) override {
        for (MatchEventSink* sink : sinks_)
            sink->onEvent(event);
    }

private:
    std::vector<MatchEventSink*> sinks_;
};

} // namespace quorvath
