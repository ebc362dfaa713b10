#include "core/match/server_log_parser.h"

#include "core/match/shown_name.h"

#include <utility>

namespace quorvath {

namespace {

// Client numbers of a server are small; a larger one is no client line.
constexpr std::int32_t kClientLimit = 1024;

bool isTeam(Team team) { return team == Team::Red || team == Team::Blue; }

} // namespace

void ServerLogParser::BroadcastFilter::onEvent(const MatchEvent& event) {
    if (event.type == MatchEventType::PlayerLine)
        sink_.onEvent(event);
}

ServerLogParser::ServerLogParser(const GameTable& table, MatchEventSink& sink)
    : table_(table), sink_(sink), broadcastFilter_(sink), broadcasts_(table, broadcastFilter_),
      clients_(kClientLimit) {}

// Every client has his place from the start, so that one line may hold on to
// two clients at once.
ServerLogParser::Client* ServerLogParser::client(std::int32_t number) {
    if (number < 0 || number >= kClientLimit)
        return nullptr;
    return &clients_[static_cast<std::size_t>(number)];
}

void ServerLogParser::parseLine(std::string_view text) {
    const ServerLine line = cutServerLine(text);
    switch (line.type) {
    case ServerLineType::Kill: onKill(line); break;
    case ServerLineType::Hit:
        hitsSeen_ = true;
        if (Client* target = client(line.target))
            target->headHit = (line.location & table_.headBit) != 0;
        break;
    case ServerLineType::ClientUserinfoChanged: onUserinfo(line); break;
    case ServerLineType::ClientConnect:
        // Every client connects again at each map: only a new one is new.
        if (Client* c = client(line.client))
            c->bot = line.bot;
        break;
    case ServerLineType::ClientDisconnect:
        if (Client* c = client(line.client)) {
            if (c->named)
                sink_.onEvent(MatchEvent(MatchEventType::Disconnect, NamedPlayer(c->name)));
            *c = Client{};
        }
        break;
    case ServerLineType::InitGame: sink_.onEvent(MatchEvent(MatchEventType::MapStart)); break;
    case ServerLineType::ShutdownGame: sink_.onEvent(MatchEvent(MatchEventType::MapEnd)); break;
    case ServerLineType::Warmup: sink_.onEvent(MatchEvent(MatchEventType::WarmupStart)); break;
    case ServerLineType::Say:
    case ServerLineType::SayTeam:
    case ServerLineType::Tell: sink_.onEvent(MatchEvent(MatchEventType::Chat)); break;
    case ServerLineType::Broadcast:
        broadcasts_.parseLine(line.text);
        broadcasts_.finish(); // a broadcast line has no map to wait for
        break;
    default: break;
    }
}

// A client first named by a kill line (the log began after his userinfo).
void ServerLogParser::nameFromLine(Client& c, std::string_view printed) {
    if (c.named)
        return;
    c.name = shownName(printed);
    c.named = true;
    MatchEvent event(MatchEventType::Connect, NamedPlayer(c.name));
    event.bot = c.bot;
    sink_.onEvent(event);
}

void ServerLogParser::onKill(const ServerLine& line) {
    const KillMeaning meaning = meaningOfKill(line, table_);
    Client* victim = client(line.target);
    if (meaning.what == KillMeaning::What::NoDeath || victim == nullptr)
        return;
    nameFromLine(*victim, line.otherName);
    const bool headHit = std::exchange(victim->headHit, false); // the next kill needs its own hit
    MatchEvent event(MatchEventType::Death, NamedPlayer(victim->name));
    event.cause = meaning.cause;
    if (meaning.what == KillMeaning::What::Kill) {
        Client* killer = client(line.client);
        if (killer == nullptr)
            return;
        nameFromLine(*killer, line.name);
        event.type = MatchEventType::Kill;
        event.other = NamedPlayer(killer->name);
        event.form = meaning.form;
        event.headshot = headHit;
        event.teamKill = isTeam(killer->team) && killer->team == victim->team;
    }
    sink_.onEvent(event);
}

void ServerLogParser::onUserinfo(const ServerLine& line) {
    Client* c = client(line.client);
    if (c == nullptr)
        return;
    if (!line.name.empty()) {
        std::string name = shownName(line.name);
        if (!c->named) {
            c->name = std::move(name);
            c->named = true;
            MatchEvent connect(MatchEventType::Connect, NamedPlayer(c->name));
            connect.bot = c->bot;
            sink_.onEvent(connect);
        } else if (name != c->name) {
            // The same client under a new name: a rename, which links the aliases.
            oldName_ = std::exchange(c->name, std::move(name));
            sink_.onEvent(
                MatchEvent(MatchEventType::Rename, NamedPlayer(oldName_), NamedPlayer(c->name)));
        }
    }
    if (line.team != Team::Unknown && line.team != c->team) {
        c->team = line.team;
        if (c->named) {
            MatchEvent change(MatchEventType::TeamChange, NamedPlayer(c->name));
            change.team = c->team;
            sink_.onEvent(change);
        }
    }
}

} // namespace quorvath
