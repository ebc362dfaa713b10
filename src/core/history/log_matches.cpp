#include "core/history/log_matches.h"

#include "core/history/match_results.h"
#include "core/match/accurate_pass.h"
#include "core/match/match_event_reader.h"
#include "core/match/match_tally.h"
#include "core/stats/player_table.h"

#include <xxhash.h>

#include <memory>
#include <unordered_map>

namespace quorvath {

namespace {

// A match being read: its tally, and what the tally does not keep.
struct OpenMatch {
    MatchRecord record;
    std::unique_ptr<MatchTally> tally;
    std::vector<std::pair<std::string, std::string>> renames; // old name, new name
    std::unordered_map<std::string, std::string> guids;       // by name
    bool anyone = false;                                      // a player appeared
    std::string identity; // what its fingerprint hashes (see identify)
    bool anyDeath = false;
    MatchFacts facts; // its result, once it ended
};

void note(std::string& identity, std::string_view text) {
    const auto size = static_cast<std::uint32_t>(text.size());
    identity.append(reinterpret_cast<const char*>(&size), sizeof size).append(text);
}

// Adds what identifies the match in any log that records it: a server's
// games.log and its dedicated console log give these events alike (the
// console's broadcast lines, chat echoes and missing clock left out): the
// map's settings, connects with client number, address and GUID, and each
// kill and death in order with names, weapon and cause.
void identify(OpenMatch& match, const MatchEvent& event) {
    std::string& id = match.identity;
    switch (event.type) {
    case MatchEventType::MapStart:
        id += 'M';
        for (std::string_view text :
             {event.details->server, event.details->map, event.details->gameType})
            note(id, text);
        break;
    case MatchEventType::Connect:
        id += 'C';
        note(id, std::to_string(event.player.client));
        for (std::string_view text :
             {event.player.name, event.details->guid, event.details->address})
            note(id, text);
        break;
    case MatchEventType::Kill:
        id += event.headshot ? 'H' : 'K';
        id += event.teamKill ? 'T' : '-';
        note(id, event.player.name);
        note(id, event.other.name);
        note(id, event.form ? event.form->modName : std::string_view());
        id += event.form && event.form->alternate ? 'A' : '-';
        match.anyDeath = true;
        break;
    case MatchEventType::Death:
        id += 'D';
        id += static_cast<char>(event.cause);
        note(id, event.player.name);
        match.anyDeath = true;
        break;
    default: break;
    }
}

// Starts a new match at each map start that follows anything at all.
class MatchCutter final : public MatchEventSink {
public:
    MatchCutter(const GameTable& table, const std::string& fileName)
        : table_(table), fileName_(fileName) {
        open(0);
    }

    void lineStarts(std::int64_t at) { lineStart_ = at; }

    void onEvent(const MatchEvent& event) override {
        if (event.type == MatchEventType::MapStart && eventsInMatch_ > 0) {
            matches_.back().record.endByte = lineStart_;
            matches_.back().record.ended = true;
            matches_.back().facts = results_.closeMatch();
            results_.openMatch();
            open(lineStart_);
        }
        ++eventsInMatch_;
        OpenMatch& match = matches_.back();
        if (event.type == MatchEventType::MapStart) {
            match.record.map = event.details->map;
            match.record.gameType = event.details->gameType;
            if (!event.details->server.empty())
                match.record.server = event.details->server;
        }
        if (event.type == MatchEventType::Rename)
            match.renames.emplace_back(event.player.name, event.other.name);
        if (event.type == MatchEventType::Connect && !event.details->guid.empty())
            match.guids[std::string(event.player.name)] = event.details->guid;
        match.anyone = match.anyone || !event.player.name.empty();
        identify(match, event);
        match.tally->onEvent(event);
        results_.onEvent(event);
    }

    // The matches, the last one's result taken as it stands.
    std::vector<OpenMatch>& matches() {
        matches_.back().facts = results_.closeMatch();
        return matches_;
    }

private:
    void open(std::int64_t at) {
        OpenMatch& match = matches_.emplace_back();
        match.record.startByte = at;
        match.record.server = fileName_;
        match.tally = std::make_unique<MatchTally>(table_, false);
        eventsInMatch_ = 0;
    }

    const GameTable& table_;
    const std::string& fileName_;
    std::vector<OpenMatch> matches_;
    std::int64_t lineStart_ = 0;
    std::int64_t eventsInMatch_ = 0;
    ResultWatcher results_;
};

// The match's players, kills and renames by seat, from its own table.
void fillRecord(OpenMatch& match, const PlayerTable& table) {
    MatchRecord& record = match.record;
    for (int i = 1; i <= table.playerCount(); ++i) {
        MatchPlayer& player = record.players.emplace_back();
        player.name = table[i].name;
        player.counters = table[i].counters;
        if (const auto it = match.guids.find(player.name); it != match.guids.end())
            player.guid = it->second;
        for (const OpponentCounts::Entry& victim : table[i].victims)
            record.kills.push_back({i - 1, victim.index - 1, victim.count});
    }
    for (const auto& [old, renamed] : match.renames)
        record.renames.emplace_back(table.findByName(old) - 1, table.findByName(renamed) - 1);
    std::erase_if(record.renames, [](const auto& r) { return r.first < 0 || r.second < 0; });
    applyFacts(match.facts, record);
}

} // namespace

std::string fingerprintOf(std::string_view bytes) {
    const XXH128_hash_t hash = XXH3_128bits(bytes.data(), bytes.size());
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, hash);
    return {reinterpret_cast<const char*>(canonical.digest), sizeof canonical.digest};
}

std::vector<MatchRecord> readLogMatches(std::string_view bytes, LogKind kind,
                                        const GameTable& table, const std::string& fileName) {
    MatchCutter cutter(table, fileName);
    MatchEventReader reader(kind, table, cutter);
    // A line at a time, so that each event is known to start at its line
    // (a last line without its line end is read by finish()).
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t lf = bytes.find('\n', at);
        const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
        cutter.lineStarts(static_cast<std::int64_t>(at));
        reader.feed(bytes.substr(at, end - at));
        at = end;
    }
    reader.finish();

    const CountingScope scope = accurateScope(kind, table, reader.headshotsMarked());
    std::vector<MatchRecord> records;
    std::vector<OpenMatch>& matches = cutter.matches();
    matches.back().record.endByte = static_cast<std::int64_t>(bytes.size());
    for (OpenMatch& match : matches) {
        if (!match.anyone)
            continue;
        PlayerTable players;
        match.tally->fillTable(players);
        match.tally.reset();
        fillRecord(match, players);
        MatchRecord& record = records.emplace_back(std::move(match.record));
        record.scope = scope;
        // Without a kill or a death too little identifies a match: its bytes do.
        const auto length = static_cast<std::size_t>(record.endByte - record.startByte);
        record.fingerprint = fingerprintOf(
            match.anyDeath ? std::string_view(match.identity)
                           : bytes.substr(static_cast<std::size_t>(record.startByte), length));
    }
    return records;
}

} // namespace quorvath
