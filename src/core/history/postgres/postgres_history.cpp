#include "core/history/postgres/postgres_history.h"

#include "core/history/postgres/pg_session.h"
#include "core/history/record_coding.h"

#include <set>
#include <unordered_map>

namespace quorvath {

namespace {

constexpr int kSchemaVersion = 3;

// Each step takes the schema from version (its index) to the next.
constexpr const char* kMigrations[] = {
    R"(CREATE TABLE logs (
         id bigserial PRIMARY KEY,
         path bytea NOT NULL,
         size bigint NOT NULL,
         head_hash bytea NOT NULL,
         tail_hash bytea NOT NULL);
       CREATE INDEX logs_by_path ON logs (path, id);
       CREATE TABLE names (
         id bigserial PRIMARY KEY,
         name bytea NOT NULL UNIQUE);
       CREATE TABLE matches (
         id bigserial PRIMARY KEY,
         fingerprint bytea NOT NULL UNIQUE CHECK (length(fingerprint) = 16),
         log_id bigint NOT NULL REFERENCES logs (id),
         start_byte bigint NOT NULL,
         end_byte bigint NOT NULL,
         ended boolean NOT NULL,
         server bytea NOT NULL,
         map bytea NOT NULL,
         game_type bytea NOT NULL,
         played_at bigint NOT NULL,
         unrecorded bytea NOT NULL,
         kills bytea NOT NULL,
         renames bytea NOT NULL);
       CREATE INDEX matches_in_order ON matches (played_at, log_id, start_byte);
       CREATE INDEX matches_by_place ON matches (log_id, start_byte);
       CREATE TABLE match_players (
         match_id bigint NOT NULL REFERENCES matches (id),
         seat integer NOT NULL,
         name_id bigint NOT NULL REFERENCES names (id),
         counters bytea NOT NULL,
         guid bytea NOT NULL,
         PRIMARY KEY (match_id, seat));)",
    // The user's merges and splits of people, apart from the imported data.
    R"(CREATE TABLE people_decisions (
         id bigserial PRIMARY KEY,
         kind text NOT NULL CHECK (kind IN ('merge', 'split')),
         name bytea NOT NULL,
         other bytea NOT NULL,
         made_at bigint NOT NULL);)",
    // Match results: the teams' and each player's.
    R"(ALTER TABLE matches
         ADD COLUMN result_from text NOT NULL DEFAULT 'nothing'
           CHECK (result_from IN ('nothing', 'scores', 'rounds')),
         ADD COLUMN red_score bigint NOT NULL DEFAULT 0,
         ADD COLUMN blue_score bigint NOT NULL DEFAULT 0,
         ADD COLUMN warmup boolean NOT NULL DEFAULT false;
       ALTER TABLE match_players
         ADD COLUMN team bigint NOT NULL DEFAULT 4 CHECK (team BETWEEN 0 AND 4),
         ADD COLUMN score bigint,
         ADD COLUMN presence bigint NOT NULL DEFAULT 1000,
         ADD COLUMN at_end boolean NOT NULL DEFAULT true;)",
};
static_assert(std::size(kMigrations) == kSchemaVersion);

// One number for the migration's lock, so that two programs opening a new
// database at once migrate it one after the other.
constexpr const char* kMigrationLock = "SELECT pg_advisory_xact_lock(7215448311)";

std::string problem(const std::string& where, const std::string& what) {
    const bool ended = !what.empty() && (what.back() == '.' || what.back() == '?');
    return "The history \"" + where + "\" cannot be used: " + what + (ended ? "" : ".");
}

// Runs `work` inside a transaction; any failure rolls it back.
template <typename Work> pg::Error transaction(pg::Session& db, const char* begin, Work&& work) {
    if (auto error = db.exec(begin))
        return error;
    pg::Error error = work();
    if (!error)
        error = db.exec("COMMIT");
    if (error)
        db.exec("ROLLBACK");
    return error;
}

class PostgresHistory final : public HistoryStore {
public:
    PostgresHistory(const std::string& connection, pg::Error& error)
        : db_(connection, error), where_(error ? pg::describeConnection(connection) : db_.where()) {
    }

    const std::string& where() const { return where_; }

    HistoryError open() {
        return named(transaction(db_, "BEGIN", [&]() -> pg::Error {
            for (const char* step :
                 {kMigrationLock, "CREATE TABLE IF NOT EXISTS schema_version (version integer "
                                  "NOT NULL)"})
                if (auto error = db_.exec(step))
                    return error;
            int version = 0;
            if (auto error = readVersion(version))
                return error;
            if (version > kSchemaVersion)
                return "it was written by a newer Quorvath (schema " + std::to_string(version) +
                       "; this one knows up to " + std::to_string(kSchemaVersion) + ")";
            for (int step = version; step < kSchemaVersion; ++step)
                if (auto error = db_.exec(kMigrations[step]))
                    return error;
            if (version == kSchemaVersion)
                return std::nullopt;
            return db_.exec("DELETE FROM schema_version; INSERT INTO schema_version VALUES (" +
                            std::to_string(kSchemaVersion) + ")");
        }));
    }

    HistoryError lastState(const std::string& path, LogState& state) override {
        state = LogState();
        state.path = path;
        std::optional<pg::Result> found;
        if (auto error = db_.query("SELECT id, size, head_hash, tail_hash FROM logs "
                                   "WHERE path = $1 ORDER BY id DESC LIMIT 1",
                                   pg::Params().bytes(path), found))
            return named(error);
        if (found->rows() == 1) {
            state.id = found->int64(0, 0);
            state.size = found->int64(0, 1);
            state.headHash = found->bytes(0, 2);
            state.tailHash = found->bytes(0, 3);
        }
        return std::nullopt;
    }

    HistoryError storeBatch(LogState& log, const std::vector<MatchRecord>& matches,
                            int& added) override {
        added = 0;
        int stored = 0;
        std::int64_t logId = log.id;
        pg::Error error;
        for (int attempt = 0; attempt < 3; ++attempt) {
            stored = 0;
            error = transaction(db_, "BEGIN",
                                [&] { return storeMatches(log, matches, logId, stored); });
            if (!error || !db_.lastFailureMayBeRetried())
                break;
            names_.clear();
        }
        if (error) {
            names_.clear(); // the rolled-back names' ids are free again
            return named(error);
        }
        log.id = logId;
        added = stored;
        return std::nullopt;
    }

    HistoryError readMatches(const HistorySelection& selection,
                             const MatchVisitor& visit) override {
        HistoryError damaged;
        const pg::Error error =
            transaction(db_, "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY",
                        [&]() { return readSelected(selection, visit, damaged); });
        return damaged ? damaged : named(error);
    }

    HistoryError addDecision(PeopleDecision& decision) override {
        std::optional<pg::Result> row;
        if (auto error = db_.query(
                "INSERT INTO people_decisions (kind, name, other, made_at) VALUES ($1, $2, $3, "
                "$4) RETURNING id",
                pg::Params()
                    .bytes(decision.kind == PeopleDecision::Kind::Merge ? "merge" : "split")
                    .bytes(decision.name)
                    .bytes(decision.other)
                    .int64(decision.madeAt),
                row))
            return named(error);
        decision.id = row->int64(0, 0);
        return std::nullopt;
    }

    HistoryError forgetDecision(std::int64_t id, bool& forgotten) override {
        std::optional<pg::Result> rows;
        if (auto error = db_.query("DELETE FROM people_decisions WHERE id = $1 RETURNING id",
                                   pg::Params().int64(id), rows))
            return named(error);
        forgotten = rows->rows() > 0;
        return std::nullopt;
    }

    HistoryError readDecisions(std::vector<PeopleDecision>& decisions) override {
        decisions.clear();
        std::optional<pg::Result> rows;
        if (auto error = db_.query("SELECT id, kind, name, other, made_at FROM people_decisions "
                                   "ORDER BY id",
                                   {}, rows))
            return named(error);
        for (int r = 0; r < rows->rows(); ++r) {
            PeopleDecision& d = decisions.emplace_back();
            d.id = rows->int64(r, 0);
            d.kind = rows->bytes(r, 1) == "merge" ? PeopleDecision::Kind::Merge
                                                  : PeopleDecision::Kind::Split;
            d.name = rows->bytes(r, 2);
            d.other = rows->bytes(r, 3);
            d.madeAt = rows->int64(r, 4);
        }
        return std::nullopt;
    }

private:
    HistoryError named(const pg::Error& error) const {
        return error ? HistoryError(problem(where_, *error)) : std::nullopt;
    }

    pg::Error readVersion(int& version) {
        std::optional<pg::Result> row;
        if (auto error = db_.query("SELECT max(version) FROM schema_version", {}, row))
            return error;
        version = row->isNull(0, 0) ? 0 : row->int32(0, 0);
        return std::nullopt;
    }

    pg::Error storeMatches(const LogState& log, const std::vector<MatchRecord>& matches,
                           std::int64_t& logId, int& stored) {
        if (auto failed = rememberLog(log, logId))
            return failed;
        if (auto failed = storeNames(matches))
            return failed;
        std::string players; // COPY rows of every match stored
        for (const MatchRecord& match : matches) {
            bool isNew = false;
            if (auto failed = storeMatch(logId, match, players, isNew))
                return failed;
            stored += isNew ? 1 : 0;
        }
        if (players.empty())
            return std::nullopt;
        return db_.copyIn("COPY match_players (match_id, seat, name_id, counters, guid, team, "
                          "score, presence, at_end) FROM STDIN",
                          players);
    }

    pg::Error rememberLog(const LogState& log, std::int64_t& logId) {
        pg::Params params;
        params.bytes(log.path).int64(log.size).bytes(log.headHash).bytes(log.tailHash);
        if (log.id != 0)
            params.int64(log.id);
        std::optional<pg::Result> row;
        if (auto error =
                db_.query(log.id == 0 ? "INSERT INTO logs (path, size, head_hash, tail_hash) "
                                        "VALUES ($1, $2, $3, $4) RETURNING id"
                                      : "UPDATE logs SET path = $1, size = $2, head_hash = $3, "
                                        "tail_hash = $4 WHERE id = $5 RETURNING id",
                          params, row))
            return error;
        logId = row->int64(0, 0);
        return std::nullopt;
    }

    // `isNew` false when a match of the same content is stored already. The
    // match's players are added to `copyRows`.
    pg::Error storeMatch(std::int64_t logId, const MatchRecord& match, std::string& copyRows,
                         bool& isNew) {
        std::optional<pg::Result> result;
        if (auto error = db_.query("SELECT 1 FROM matches WHERE fingerprint = $1",
                                   pg::Params().bytes(match.fingerprint), result))
            return error;
        if (result->rows() == 1)
            return std::nullopt;
        // The same log's match that had not ended when last read, now read further.
        for (const char* sql : {"DELETE FROM match_players WHERE match_id IN (SELECT id FROM "
                                "matches WHERE log_id = $1 AND start_byte = $2 AND NOT ended)",
                                "DELETE FROM matches WHERE log_id = $1 AND start_byte = $2 AND "
                                "NOT ended"})
            if (auto error =
                    db_.query(sql, pg::Params().int64(logId).int64(match.startByte), result))
                return error;
        if (auto error = db_.query(
                "INSERT INTO matches (fingerprint, log_id, start_byte, end_byte, ended, server, "
                "map, game_type, played_at, unrecorded, kills, renames, result_from, red_score, "
                "blue_score, warmup) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, "
                "$13, $14, $15, $16) ON CONFLICT (fingerprint) DO NOTHING RETURNING id",
                pg::Params()
                    .bytes(match.fingerprint)
                    .int64(logId)
                    .int64(match.startByte)
                    .int64(match.endByte)
                    .boolean(match.ended)
                    .bytes(match.server)
                    .bytes(match.map)
                    .bytes(match.gameType)
                    .int64(match.playedAt)
                    .bytes(encodeScope(match.scope))
                    .bytes(encodeKills(match.kills))
                    .bytes(encodeRenames(match.renames))
                    .bytes(resultFromText(match.result.from))
                    .int64(match.result.red)
                    .int64(match.result.blue)
                    .boolean(match.warmup),
                result))
            return error;
        isNew = result->rows() == 1;
        if (!isNew)
            return std::nullopt;
        const std::string matchId = std::to_string(result->int64(0, 0));
        for (std::size_t seat = 0; seat < match.players.size(); ++seat) {
            const MatchPlayer& p = match.players[seat];
            std::int64_t nameId = 0;
            if (auto error = idOfName(p.name, nameId))
                return error;
            copyRows +=
                matchId + '\t' + std::to_string(seat) + '\t' + std::to_string(nameId) + '\t';
            pg::appendCopyBytes(copyRows, encodeCounters(p.counters));
            copyRows += '\t';
            pg::appendCopyBytes(copyRows, p.guid);
            copyRows += '\t' + std::to_string(static_cast<int>(p.team)) + '\t' +
                        (p.score ? std::to_string(*p.score) : "\\N") + '\t' +
                        std::to_string(p.presence) + (p.atEnd ? "\tt\n" : "\tf\n");
        }
        return std::nullopt;
    }

    // The batch's new names in one order for every importer, so that two
    // importers storing the same names never wait for each other in a circle.
    pg::Error storeNames(const std::vector<MatchRecord>& matches) {
        std::set<std::string> names;
        for (const MatchRecord& match : matches)
            for (const MatchPlayer& p : match.players)
                if (!names_.contains(p.name))
                    names.insert(p.name);
        std::int64_t id = 0;
        for (const std::string& name : names)
            if (auto error = idOfName(name, id))
                return error;
        return std::nullopt;
    }

    pg::Error idOfName(const std::string& name, std::int64_t& id) {
        if (const auto it = names_.find(name); it != names_.end()) {
            id = it->second;
            return std::nullopt;
        }
        // Nothing updated on a name stored already: an update would lock it
        // against the importers whose matches point at it.
        std::optional<pg::Result> row;
        for (const char* sql : {"INSERT INTO names (name) VALUES ($1) ON CONFLICT (name) DO "
                                "NOTHING RETURNING id",
                                "SELECT id FROM names WHERE name = $1"}) {
            if (auto error = db_.query(sql, pg::Params().bytes(name), row))
                return error;
            if (row->rows() == 1)
                break;
        }
        id = row->int64(0, 0);
        names_.emplace(name, id);
        return std::nullopt;
    }

    // The selected matches with their players, one row a player (a match
    // without players one row of nulls), a cursor's worth at a time. A row
    // no import wrote ends the reading with `damaged` set.
    pg::Error readSelected(const HistorySelection& s, const MatchVisitor& visit,
                           HistoryError& damaged) {
        pg::Params params;
        if (auto error = declareCursor(s, params))
            return error;
        MatchRecord match;
        std::int64_t current = -1;
        const auto matchDone = [&]() {
            if (current >= 0 && !seatsHold(match))
                damaged = problem(where_, "match " + std::to_string(current) + " is damaged");
            else if (current >= 0)
                visit(match);
            return !damaged;
        };
        std::optional<pg::Result> rows;
        bool bad = false;
        do {
            if (auto error = db_.query("FETCH 4096 FROM selected", {}, rows))
                return error;
            for (int r = 0; r < rows->rows() && !bad; ++r) {
                const std::int64_t id = rows->int64(r, 0);
                if (id != current) {
                    if (!matchDone())
                        return std::nullopt;
                    current = id;
                    bad = !readMatch(*rows, r, match);
                }
                bad = bad || (!rows->isNull(r, 12) && !addPlayer(*rows, r, match));
            }
        } while (!bad && rows->rows() > 0);
        if (bad)
            damaged = problem(where_, "match " + std::to_string(current) + " is damaged");
        else
            matchDone();
        return std::nullopt;
    }

    pg::Error declareCursor(const HistorySelection& s, pg::Params& params) {
        std::string where = "TRUE";
        const auto bound = [&](const char* test) {
            where += std::string(" AND m.") + test + std::to_string(params.count());
        };
        if (s.since != 0)
            params.int64(s.since), bound("played_at >= $");
        if (s.until != 0)
            params.int64(s.until), bound("played_at < $");
        if (!s.server.empty())
            params.bytes(s.server), bound("server = $");
        if (!s.map.empty())
            params.bytes(s.map), bound("map = $");
        if (!s.gameTypes.empty()) {
            where += " AND m.game_type IN (";
            for (std::size_t i = 0; i < s.gameTypes.size(); ++i) {
                params.bytes(s.gameTypes[i]);
                where += (i ? ", $" : "$") + std::to_string(params.count());
            }
            where += ")";
        }
        std::optional<pg::Result> declared;
        return db_.query(
            "DECLARE selected BINARY NO SCROLL CURSOR FOR SELECT m.id, "
            "m.fingerprint, m.start_byte, m.end_byte, m.ended, m.server, m.map, "
            "m.game_type, m.played_at, m.unrecorded, m.kills, m.renames, n.name, "
            "p.counters, p.guid, m.result_from, m.red_score, m.blue_score, m.warmup, "
            "p.team, p.score, p.presence, p.at_end FROM matches m LEFT JOIN match_players p ON "
            "p.match_id = m.id LEFT JOIN names n ON n.id = p.name_id WHERE " +
                where + " ORDER BY m.played_at, m.log_id, m.start_byte, p.seat",
            params, declared);
    }

    static bool readMatch(const pg::Result& row, int r, MatchRecord& m) {
        m.fingerprint = row.bytes(r, 1);
        m.startByte = row.int64(r, 2);
        m.endByte = row.int64(r, 3);
        m.ended = row.boolean(r, 4);
        m.server = row.bytes(r, 5);
        m.map = row.bytes(r, 6);
        m.gameType = row.bytes(r, 7);
        m.playedAt = row.int64(r, 8);
        m.players.clear();
        m.result.red = static_cast<std::int32_t>(row.int64(r, 16));
        m.result.blue = static_cast<std::int32_t>(row.int64(r, 17));
        m.warmup = row.boolean(r, 18);
        return decodeScope(row.bytes(r, 9), m.scope) && decodeKills(row.bytes(r, 10), m.kills) &&
               decodeRenames(row.bytes(r, 11), m.renames) &&
               readResultFrom(row.bytes(r, 15), m.result.from);
    }

    static bool addPlayer(const pg::Result& row, int r, MatchRecord& m) {
        MatchPlayer& p = m.players.emplace_back();
        p.name = row.bytes(r, 12);
        p.guid = row.bytes(r, 14);
        p.team = static_cast<Team>(row.int64(r, 19));
        p.score = row.isNull(r, 20) ? std::nullopt
                                    : std::optional(static_cast<std::int32_t>(row.int64(r, 20)));
        p.presence = static_cast<std::int32_t>(row.int64(r, 21));
        p.atEnd = row.boolean(r, 22);
        return decodeCounters(row.bytes(r, 13), p.counters);
    }

    // Whether the match's lists name only seats it has.
    static bool seatsHold(const MatchRecord& m) {
        const auto seats = static_cast<std::int32_t>(m.players.size());
        const auto seated = [seats](std::int32_t seat) { return seat >= 0 && seat < seats; };
        for (const MatchKills& k : m.kills)
            if (!seated(k.killer) || !seated(k.victim))
                return false;
        for (const auto& [old, renamed] : m.renames)
            if (!seated(old) || !seated(renamed))
                return false;
        return true;
    }

    pg::Session db_;
    std::string where_;
    std::unordered_map<std::string, std::int64_t> names_; // ids of names stored
};

} // namespace

HistoryError openPostgresHistory(const std::string& connection,
                                 std::unique_ptr<HistoryStore>& store) {
    store.reset();
    pg::Error error;
    auto history = std::make_unique<PostgresHistory>(connection, error);
    if (error)
        return problem(history->where(), *error);
    if (auto failed = history->open())
        return failed;
    store = std::move(history);
    return std::nullopt;
}

} // namespace quorvath
