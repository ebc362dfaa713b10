#pragma once
// One line of a server log cut into its fields: the machine lines the game
// module writes (the game log prefixes each with the game time) and the
// dedicated console's broadcast lines. The Accurate parser and the readable
// rendering both read server lines through this one cutter, so they never
// disagree on what a line says.

#include "core/match/game_table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvath {

enum class ServerLineType : std::uint8_t {
    Other, // not a machine line: shown as it is, never counted
    Separator,
    InitGame,
    ShutdownGame,
    Warmup,
    ClientConnect,
    ClientUserinfoChanged,
    ClientBegin,
    ClientDisconnect,
    ClientKick,
    Kill,
    Hit,
    Say,
    SayTeam,
    Tell,
    Broadcast,
    Exit,
    TeamScores, // "red:3  blue:5"
    Score,      // "score: 12  ping: 50  client: 3 Mullins"
};

struct ServerLine {
    ServerLineType type = ServerLineType::Other;
    std::string_view time;     // the game log's "   3:59"; empty when the line has none
    std::string_view body;     // the line after the time and its blank
    std::int32_t client = -1;  // Kill: the killer; Hit: the attacker; else whom the line is about
    std::int32_t target = -1;  // Kill: the victim; Hit: the one hit
    std::int32_t location = 0; // Hit: the location bits
    std::int32_t damage = 0;   // Hit
    std::string_view mod;      // Kill: the MOD name, "_ALT" included
    std::string_view name; // userinfo "n\"; the speaker, the scored; Kill: the killer as printed
    std::string_view otherName; // Kill: the victim as printed; Tell: the addressee
    std::string_view text;      // what was said or printed; InitGame: the settings; Exit: why
    Team team = Team::Unknown;  // userinfo "t\"
    bool bot = false;           // a connect without an address
    std::string_view address;   // ClientConnect: "ip:port", empty for a bot
    std::string_view guid;      //   and the GUID in its brackets
    std::int32_t score = 0;     // Score: the player's; TeamScores: the red team's
    std::int32_t blueScore = 0; // TeamScores
    std::int32_t ping = 0;      // Score
};

// A line's `time` ("   3:59", as cut) in seconds; -1 for none.
std::int32_t gameSeconds(std::string_view time);

// Cuts `line` (without its line end). A line that does not hold what its
// keyword promises comes back as Other.
ServerLine cutServerLine(std::string_view line);

// What a kill line means by the game's table: no death at all (a team
// switch); a kill whenever the killer is a client other than the victim,
// whatever the MOD, in a form (nullptr: a weapon the table does not know, or
// a cause such as MOD_UNKNOWN; an alternate attack it does not list counts as
// the weapon's main one); else, the world or the victim himself killing, a
// death by the MOD's cause (his own weapon's, for a weapon).
struct KillMeaning {
    enum class What { NoDeath, Death, Kill } what = What::Kill;
    DeathCause cause = DeathCause::Died;
    const KillForm* form = nullptr;
};
KillMeaning meaningOfKill(const ServerLine& kill, const GameTable& table);

// A dedicated console echoes each public and team chat line as the players
// see it ("^1Hawk^7: ^2gg") right after its "say:" or "sayteam:" line; a
// game log, whose lines carry the time, never does.
class ChatEchoes {
public:
    // Feed every line in order: whether `line` echoes the chat line before it.
    bool isEcho(const ServerLine& line);

private:
    std::string said_;
    bool waiting_ = false;
};

// The value of `key` in a "\key\value\key\value" string (InitGame, userinfo),
// empty when it has none.
std::string_view infoValue(std::string_view info, std::string_view key);

} // namespace quorvath
