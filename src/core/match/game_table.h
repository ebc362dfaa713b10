#pragma once
// The game's words as data: how each way of killing and dying, each objective
// and each kick reads in a player's console log and in a server log, and which
// counters it raises. The parsers and the Accurate booking read only this
// table, so a mod that words things differently is a new table, not new code.

#include "core/stats/player_record.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorvath {

// A counter number that no row uses: the event counts in Total only.
inline constexpr Counter kNoRow = static_cast<Counter>(0);

// How a death without a killing player came about: every one is a suicide on
// the sheet, booked under its own cause.
enum class DeathCause : std::uint8_t {
    Explosion,  // blown up by his own grenade or launcher
    KilledSelf, // the M203 at close range, /kill, any other own weapon
    Fall,
    WrongPlace, // a hurting trigger of the map
    Drowned,
    Squished,
    Died, // anything else the world did
};
inline constexpr std::size_t kDeathCauseCount = 7;

// One way of killing: a weapon's attack (its alternate one when `alternate`),
// or a telefrag.
struct KillForm {
    std::string_view modName; // in server logs; "_ALT" follows for the alternate attack
    bool alternate;
    std::string_view phrase; // in console logs: "was shot by"
    std::string_view word;   // after the killer's "'s"; empty: the line ends with his name
    Counter deaths;          // the sheet row; kNoRow: Total only
    Counter kills;
    DeathCause selfKill; // the cause when a player kills himself this way
};

// A console message that ends a suicide line: "Name^7 fell to his death."
struct CauseMessage {
    std::string_view message;
    DeathCause cause;
};

// A server log's MOD name that is a cause, whoever the killer field names.
struct CauseMod {
    std::string_view modName;
    DeathCause cause;
};

// What a carrier carries (a kill of him is a carrier kill).
enum class Carried : std::uint8_t { None, RedFlag, BlueFlag, Briefcase, Bomb };

enum class ObjectiveStep : std::uint8_t {
    Taken,
    Dropped,
    Captured,
    Escaped,
    Planted,
    Defused,
    TargetDestroyed, // credited to the player who planted the bomb; the team named wins the round
    RoundWon,        // the team the line names won the round: nothing is carried or planted
    RoundLost,       // the team the line names lost it (the same)
    RoundDrawn,      // nobody won it (the same)
};

// A console line about an objective: "Name has taken the Blue Flag!"; a team
// line ("Blue team has destroyed the target!") names no player.
struct ObjectivePhrase {
    std::string_view phrase;
    ObjectiveStep step;
    Carried object;
    Counter counter; // kNoRow for none
    bool namesPlayer;
};

// A line that names one player and raises one counter: votes, kicks, bans.
struct PlayerPhrase {
    std::string_view phrase;
    Counter counter;
};

// The teams of a server log's userinfo ("t\1"), and of the console's colours.
enum class Team : std::uint8_t { Free, Red, Blue, Spectator, Unknown };

// A console line about a player coming, going or changing team:
// "Name^7 entered the game", "Name^7 joined the red team.".
enum class PresenceStep : std::uint8_t { Connect, Disconnect, TeamChange };
struct PresencePhrase {
    std::string_view phrase;
    PresenceStep step;
    Team team; // TeamChange: the new team
};

// A hit location of a server log's hit line: the bits of the body part.
struct HitLocation {
    std::int32_t bits;
    std::string_view name;
};

struct GameTable {
    std::string_view name;
    std::span<const KillForm> killForms;
    std::span<const CauseMessage> causeMessages;
    std::span<const CauseMod> causeMods;
    std::span<const std::string_view> noDeathMods; // a team switch, not a death
    std::span<const ObjectivePhrase> objectives;
    std::span<const PlayerPhrase> playerPhrases;
    std::span<const PresencePhrase> presencePhrases;
    std::span<const HitLocation> hitLocations;
    std::array<Counter, kDeathCauseCount> causeCounters;
    std::array<Counter, 5> carrierKills; // by Carried
    std::string_view renamePhrase;       // between the old and the new name
    std::string_view headshotTag;   // the console's head-shot mark after a kill, one blank before
    std::int32_t worldClient;       // the killer number of a server log's world deaths
    std::int32_t headBit;           // a hit there makes the kill a head shot
    std::size_t killLineNameLength; // kill and suicide lines cut names to this many bytes
};

// Soldier of Fortune II - Double Helix 1.03, the stock game.
const GameTable& stockGameTable();

// The console's words for a death cause (the first message the table has).
std::string_view causeMessage(const GameTable& table, DeathCause cause);

// The counter a death cause raises.
inline Counter causeCounter(const GameTable& table, DeathCause cause) {
    return table.causeCounters[static_cast<std::size_t>(cause)];
}

} // namespace quorvath
