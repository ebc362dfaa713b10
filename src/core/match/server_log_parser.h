#pragma once
// ServerLogParser: a server's game log or a dedicated server's console log,
// line by line, into match events. Players are client numbers: the userinfo
// line names a client and gives his team, so a new name for the same client
// is a rename, team kills come from the two clients' teams, and a connect
// without an address marks a bot. Kills name the weapon by its MOD name
// ("_ALT" for the alternate attack); deaths by the world, and the causes the
// table lists, are suicides by cause; a team switch is no death. A kill is a
// head shot when the last hit line on the victim hit his head (only servers
// that log hits can tell). The console's broadcast lines give votes, kicks
// and bans. Every event names its players' client numbers and carries the
// game time where the log has it; a map start carries the map's settings, a
// player's first connect his GUID and address, the map's end its scores.
//
// One thread; feed the lines in log order.

#include "core/match/console_log_parser.h"
#include "core/match/game_table.h"
#include "core/match/match_event.h"
#include "core/match/server_clients.h"
#include "core/match/server_line.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvath {

class ServerLogParser {
public:
    ServerLogParser(const GameTable& table, MatchEventSink& sink);

    // One line, without its line end.
    void parseLine(std::string_view line);

    // Whether the log holds hit lines (the server logged hits), without which
    // it cannot tell head shots.
    bool hitsSeen() const { return hitsSeen_; }

private:
    // His name as shown.
    struct Client : ServerClient {
        std::string guid; // as his last connect line gave them
        std::string address;
        bool headHit = false; // the last hit on him was on the head
    };
    // Votes, kicks and bans of the broadcast lines go on; the rest of what
    // they say the machine lines say too.
    class BroadcastFilter final : public MatchEventSink {
    public:
        explicit BroadcastFilter(MatchEventSink& sink) : sink_(sink) {}
        void onEvent(const MatchEvent& event) override;

    private:
        MatchEventSink& sink_;
    };

    NamedPlayer named(const Client& c) const;
    void send(MatchEvent&& event); // stamped with the line's game time
    void sendConnect(const Client& c);
    void nameFromLine(Client& c, std::string_view printed);
    void onKill(const ServerLine& line);
    void onUserinfo(const ServerLine& line);
    void onConnect(const ServerLine& line);
    void onMapStart(const ServerLine& line);
    void onScore(const ServerLine& line);

    const GameTable& table_;
    MatchEventSink& sink_;
    BroadcastFilter broadcastFilter_;
    ConsoleLogParser broadcasts_;
    ServerClients<Client> clients_;
    std::string oldName_;
    std::string serverName_;  // the map's host name, as shown
    std::string printedName_; // a name shown from its line alone
    std::string_view time_;   // the line's game time
    bool hitsSeen_ = false;
};

} // namespace quorvath
