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

NamedPlayer ServerLogParser::named(const Client& c) const {
    return NamedPlayer(c.name, {}, static_cast<std::int32_t>(&c - clients_.data()));
}

void ServerLogParser::send(MatchEvent&& event) {
    event.time = gameSeconds(time_);
    sink_.onEvent(event);
}

void ServerLogParser::parseLine(std::string_view text) {
    const ServerLine line = cutServerLine(text);
    time_ = line.time;
    switch (line.type) {
    case ServerLineType::Kill: onKill(line); break;
    case ServerLineType::Hit:
        hitsSeen_ = true;
        if (Client* target = client(line.target))
            target->headHit = (line.location & table_.headBit) != 0;
        break;
    case ServerLineType::ClientUserinfoChanged: onUserinfo(line); break;
    case ServerLineType::ClientConnect: onConnect(line); break;
    case ServerLineType::ClientDisconnect:
        if (Client* c = client(line.client)) {
            if (c->named)
                send(MatchEvent(MatchEventType::Disconnect, named(*c)));
            *c = Client{};
        }
        break;
    case ServerLineType::InitGame: onMapStart(line); break;
    case ServerLineType::ShutdownGame: send(MatchEvent(MatchEventType::MapEnd)); break;
    case ServerLineType::Warmup: send(MatchEvent(MatchEventType::WarmupStart)); break;
    case ServerLineType::Say:
    case ServerLineType::SayTeam:
    case ServerLineType::Tell: send(MatchEvent(MatchEventType::Chat)); break;
    case ServerLineType::Broadcast:
        broadcasts_.parseLine(line.text);
        broadcasts_.finish(); // a broadcast line has no map to wait for
        break;
    case ServerLineType::Exit: {
        MatchDetails end;
        end.reason = line.text;
        MatchEvent over(MatchEventType::MatchOver);
        over.details = &end;
        send(std::move(over));
        break;
    }
    case ServerLineType::TeamScores: {
        MatchDetails teams;
        teams.redScore = line.score;
        teams.blueScore = line.blueScore;
        MatchEvent scores(MatchEventType::TeamScores);
        scores.details = &teams;
        send(std::move(scores));
        break;
    }
    case ServerLineType::Score: onScore(line); break;
    default: break;
    }
}

// Every client connects again at each map: only a new one is new, and his
// first name makes him known (sendConnect).
void ServerLogParser::onConnect(const ServerLine& line) {
    if (Client* c = client(line.client)) {
        c->bot = line.bot;
        c->guid.assign(line.guid);
        c->address.assign(line.address);
    }
}

void ServerLogParser::sendConnect(const Client& c) {
    MatchDetails connection;
    connection.guid = c.guid;
    connection.address = c.address;
    MatchEvent event(MatchEventType::Connect, named(c));
    event.bot = c.bot;
    event.details = &connection;
    send(std::move(event));
}

void ServerLogParser::onMapStart(const ServerLine& line) {
    serverName_ = shownName(infoValue(line.text, "sv_hostname"));
    MatchDetails settings;
    settings.map = infoValue(line.text, "mapname");
    settings.gameType = infoValue(line.text, "g_gametype");
    settings.server = serverName_;
    MatchEvent start(MatchEventType::MapStart);
    start.details = &settings;
    send(std::move(start));
}

// A score names a client the log may never have named otherwise (it began
// late): he is not made known by it.
void ServerLogParser::onScore(const ServerLine& line) {
    const Client* c = client(line.client);
    MatchDetails scored;
    scored.score = line.score;
    scored.ping = line.ping;
    MatchEvent event(MatchEventType::PlayerScore);
    event.details = &scored;
    if (c && c->named) {
        event.player = named(*c);
    } else {
        printedName_ = shownName(line.name);
        event.player = NamedPlayer(printedName_, {}, line.client);
    }
    send(std::move(event));
}

// A client first named by a kill line (the log began after his userinfo).
void ServerLogParser::nameFromLine(Client& c, std::string_view printed) {
    if (c.named)
        return;
    c.name = shownName(printed);
    c.named = true;
    sendConnect(c);
}

void ServerLogParser::onKill(const ServerLine& line) {
    const KillMeaning meaning = meaningOfKill(line, table_);
    Client* victim = client(line.target);
    if (meaning.what == KillMeaning::What::NoDeath || victim == nullptr)
        return;
    nameFromLine(*victim, line.otherName);
    const bool headHit = std::exchange(victim->headHit, false); // the next kill needs its own hit
    MatchEvent event(MatchEventType::Death, named(*victim));
    event.cause = meaning.cause;
    if (meaning.what == KillMeaning::What::Kill) {
        Client* killer = client(line.client);
        if (killer == nullptr)
            return;
        nameFromLine(*killer, line.name);
        event.type = MatchEventType::Kill;
        event.other = named(*killer);
        event.form = meaning.form;
        event.headshot = headHit;
        event.teamKill = isTeam(killer->team) && killer->team == victim->team;
    }
    send(std::move(event));
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
            sendConnect(*c);
        } else if (name != c->name) {
            // The same client under a new name: a rename, which links the aliases.
            oldName_ = std::exchange(c->name, std::move(name));
            send(MatchEvent(MatchEventType::Rename, NamedPlayer(oldName_, {}, line.client),
                            named(*c)));
        }
    }
    if (line.team != Team::Unknown && line.team != c->team) {
        c->team = line.team;
        if (c->named) {
            MatchEvent change(MatchEventType::TeamChange, named(*c));
            change.team = c->team;
            send(std::move(change));
        }
    }
}

} // namespace quorvath
