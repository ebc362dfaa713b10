#include "core/history/match_results.h"

#include <algorithm>

namespace quorvath {

namespace {

bool onATeam(Team team) { return team == Team::Red || team == Team::Blue; }

std::int32_t perMille(std::int64_t part, std::int64_t whole) {
    return whole == 0 ? 1000 : static_cast<std::int32_t>(part * 1000 / whole);
}

} // namespace

ResultWatcher::NameState& ResultWatcher::named(std::string_view name) {
    NameState& state = names_[std::string(name)];
    state.named = true;
    return state;
}

void ResultWatcher::enter(std::string_view name) {
    if (name.empty())
        return;
    NameState& state = named(name);
    if (!state.inGame)
        state.since = events_;
    state.inGame = true;
}

void ResultWatcher::leave(std::string_view name) {
    NameState& state = named(name);
    if (state.inGame)
        state.events += events_ - state.since;
    state.inGame = false;
}

void ResultWatcher::onEvent(const MatchEvent& event) {
    switch (event.type) {
    case MatchEventType::Disconnect: leave(event.player.name); break;
    case MatchEventType::Rename: {
        const Team team = named(event.player.name).team;
        leave(event.player.name);
        enter(event.other.name);
        named(event.other.name).team = team;
        break;
    }
    case MatchEventType::TeamChange:
        enter(event.player.name);
        named(event.player.name).team = event.team;
        break;
    case MatchEventType::WarmupStart: warmup_ = true; break;
    case MatchEventType::RoundEnd:
        rounds_.from = TeamResult::From::Rounds;
        rounds_.red += event.team == Team::Red ? 1 : 0;
        rounds_.blue += event.team == Team::Blue ? 1 : 0;
        break;
    case MatchEventType::TeamScores:
        scores_ = {TeamResult::From::Scores, event.details->redScore, event.details->blueScore};
        break;
    case MatchEventType::PlayerScore: // a score may name one who has left: no entry
        named(event.player.name).score = event.details->score;
        break;
    default:
        enter(event.player.name);
        enter(event.other.name);
        break;
    }
    ++events_;
}

MatchFacts ResultWatcher::closeMatch() {
    MatchFacts facts;
    facts.result = scores_.from != TeamResult::From::Nothing ? scores_ : rounds_;
    facts.warmup = warmup_;
    bool teams = false;
    for (auto& [name, state] : names_) {
        if (!state.named)
            continue;
        const std::int64_t in = state.events + (state.inGame ? events_ - state.since : 0);
        facts.players[name] = {state.team, state.score, perMille(in, events_), state.inGame};
        teams = teams || onATeam(state.team);
    }
    if (!teams)
        for (auto& [name, seat] : facts.players)
            seat.team = seat.team == Team::Unknown ? Team::Free : seat.team;
    return facts;
}

void ResultWatcher::openMatch() {
    for (auto& [name, state] : names_) // one who comes back later is on his team still
        state = {state.team, state.inGame, false, 0, 0, std::nullopt};
    events_ = 0;
    scores_ = rounds_ = TeamResult();
    warmup_ = false;
}

void applyFacts(MatchFacts& facts, MatchRecord& match) {
    match.result = facts.result;
    match.warmup = facts.warmup;
    for (MatchPlayer& player : match.players) {
        const SeatFacts& seat = facts.players[player.name];
        player.team = seat.team;
        player.score = seat.score;
        player.presence = seat.presence;
        player.atEnd = seat.atEnd;
    }
}

std::int32_t finalScore(const MatchPlayer& player) {
    if (player.score)
        return *player.score;
    const auto& c = player.counters;
    std::int32_t suicides = 0;
    for (const Counter cause : stockGameTable().causeCounters)
        suicides += c[static_cast<std::size_t>(cause)];
    return c[totalKills] - suicides - c[teamKills];
}

bool isTeamGame(const MatchRecord& match) {
    return std::any_of(match.players.begin(), match.players.end(),
                       [](const MatchPlayer& p) { return onATeam(p.team); });
}

Team winningTeam(const MatchRecord& match) {
    const TeamResult& r = match.result;
    if (r.from == TeamResult::From::Nothing || match.warmup)
        return Team::Unknown;
    return r.red > r.blue ? Team::Red : r.blue > r.red ? Team::Blue : Team::Free;
}

SeatResult seatResult(const MatchRecord& match, std::size_t seat) {
    using Kind = SeatResult::Kind;
    if (match.warmup)
        return {Kind::Warmup};
    if (!isTeamGame(match)) {
        const std::int32_t score = finalScore(match.players[seat]);
        const auto better =
            std::count_if(match.players.begin(), match.players.end(),
                          [&](const MatchPlayer& p) { return finalScore(p) > score; });
        return {Kind::Place, static_cast<int>(better) + 1, static_cast<int>(match.players.size())};
    }
    const Team winner = winningTeam(match), team = match.players[seat].team;
    if (winner == Team::Unknown || !onATeam(team))
        return {Kind::Unknown};
    return {winner == Team::Free ? Kind::Draw : winner == team ? Kind::Won : Kind::Lost};
}

} // namespace quorvath
