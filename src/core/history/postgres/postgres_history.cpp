#include "core/history/postgres/postgres_history.h"

#include "core/history/postgres/pg_session.h"
#include "core/history/record_coding.h"
#include "core/history/totals_keeper.h"

#include <set>
#include <unordered_map>

namespace quorvath {

namespace {

constexpr int kSchemaVersion = 4;

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
    // The whole history's totals kept at import (added up by the migration).
    R"(CREATE TABLE totals (
         id integer PRIMARY KEY CHECK (id = 1),
         kept boolean NOT NULL,
         version bigint NOT NULL,
         matches bigint NOT NULL,
         last_played_at bigint NOT NULL,
         last_log_id bigint NOT NULL,
         last_start_byte bigint NOT NULL,
         unrecorded bytea NOT NULL);
       INSERT INTO totals VALUES (1, false, 0, 0, 0, 0, 0, '');
       CREATE TABLE totals_names (
         slot bigint PRIMARY KEY,
         totals bytea NOT NULL);
       CREATE TABLE totals_renames (
         number bigint PRIMARY KEY,
         renames bytea NOT NULL);
       DROP INDEX matches_by_place;
       CREATE UNIQUE INDEX matches_by_place ON matches (log_id, start_byte);)",
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
constexpr int kTotalsVersion = 3; // the version that began keeping totals

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
            Tables tables(*this, true);
            if (version < kTotalsVersion)
                if (auto error = keeper_.rebuild(tables, true))
                    return error;
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
            keeper_.forget();
        }
        if (error) {
            names_.clear();   // the rolled-back names' ids are free again
            keeper_.forget(); // and the totals as the rows held them
            return named(error);
        }
        log.id = logId;
        added = stored;
        return std::nullopt;
    }

    HistoryError readMatches(const HistorySelection& selection,
                             const MatchVisitor& visit) override {
        return named(transaction(db_, "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY", [&]() {
            return readSelected(selection,
                                [&](const MatchRecord& match, const MatchPlace&) { visit(match); });
        }));
    }

    HistoryError readFingerprints(const HistorySelection& selection,
                                  std::vector<std::string>& fingerprints) override {
        fingerprints.clear();
        pg::Params params;
        const std::string matches = selectedMatches(selection, params);
        std::optional<pg::Result> rows;
        if (auto error = db_.query("SELECT m.fingerprint FROM " + matches +
                                       " ORDER BY m.played_at, m.log_id, m.start_byte",
                                   params, rows))
            return named(error);
        for (int r = 0; r < rows->rows(); ++r)
            fingerprints.push_back(rows->bytes(r, 0));
        return std::nullopt;
    }

    HistoryError readTotals(KeptTotals& totals, bool& kept) override {
        Tables tables(*this, false);
        return named(transaction(db_, "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY",
                                 [&]() { return readKeptTotals(tables, totals, kept); }));
    }

    HistoryError refreshTotals() override {
        StoredTotals head;
        Tables reading(*this, false);
        if (auto error = reading.readHead(head))
            return named(error);
        if (head.kept)
            return std::nullopt; // the usual case: nothing to write
        Tables tables(*this, true);
        const pg::Error error =
            transaction(db_, "BEGIN", [&]() { return keeper_.rebuild(tables, false); });
        if (error)
            keeper_.forget();
        return named(error);
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
    // What storing a match did: added it (else its content was stored
    // already), replaced what an earlier import read of it while it had not
    // ended.
    struct Stored {
        bool added = false;
        bool completed = false;
    };

    // The kept totals' tables; `forWriting` locks the head row against other
    // writers until the transaction ends.
    class Tables final : public TotalsTables {
    public:
        Tables(PostgresHistory& history, bool forWriting)
            : history_(history), forWriting_(forWriting) {}

        HistoryError readHead(StoredTotals& rows) override {
            std::optional<pg::Result> head;
            if (auto error = history_.db_.query(
                    std::string("SELECT kept, version, matches, last_played_at, last_log_id, "
                                "last_start_byte, unrecorded FROM totals") +
                        (forWriting_ ? " FOR UPDATE" : ""),
                    {}, head))
                return error;
            if (head->rows() != 1)
                return "its totals are missing";
            rows.kept = head->boolean(0, 0);
            rows.version = head->int64(0, 1);
            rows.matches = head->int64(0, 2);
            rows.last = {head->int64(0, 3), head->int64(0, 4), head->int64(0, 5)};
            rows.unrecorded = head->bytes(0, 6);
            return std::nullopt;
        }

        HistoryError readRows(StoredTotals& rows) override {
            std::optional<pg::Result> names, renames;
            if (auto error = history_.db_.query(
                    "SELECT slot, totals FROM totals_names ORDER BY slot", {}, names))
                return error;
            rows.names.clear();
            for (int r = 0; r < names->rows(); ++r)
                rows.names.push_back(names->int64(r, 0) == r + 1 ? names->bytes(r, 1)
                                                                 : std::string()); // a gap
            if (auto error = history_.db_.query(
                    "SELECT renames FROM totals_renames ORDER BY number", {}, renames))
                return error;
            rows.renames.clear();
            for (int r = 0; r < renames->rows(); ++r)
                rows.renames.push_back(renames->bytes(r, 0));
            return std::nullopt;
        }

        HistoryError write(const KeptRows& rows, std::int64_t version, bool whole) override {
            std::optional<pg::Result> done;
            if (auto error = history_.db_.query(
                    "UPDATE totals SET kept = true, version = $1, matches = $2, "
                    "last_played_at = $3, last_log_id = $4, last_start_byte = $5, "
                    "unrecorded = $6",
                    pg::Params()
                        .int64(version)
                        .int64(rows.matches)
                        .int64(std::get<0>(rows.last))
                        .int64(std::get<1>(rows.last))
                        .int64(std::get<2>(rows.last))
                        .bytes(rows.unrecorded),
                    done))
                return error;
            if (whole)
                if (auto error =
                        history_.db_.exec("DELETE FROM totals_names; DELETE FROM totals_renames"))
                    return error;
            if (auto error = writeRows("totals_names", "slot", "totals", rows.names))
                return error;
            return writeRows("totals_renames", "number", "renames", rows.renames);
        }

        HistoryError drop(std::int64_t version) override {
            std::optional<pg::Result> done;
            if (auto error = history_.db_.query("UPDATE totals SET kept = false, version = $1",
                                                pg::Params().int64(version), done))
                return error;
            return history_.db_.exec("DELETE FROM totals_names; DELETE FROM totals_renames");
        }

        HistoryError forEachMatch(const PlacedVisitor& visit) override {
            return history_.readSelected({}, visit);
        }

    private:
        // Sent with COPY to a temporary table of this session, then upserted.
        pg::Error writeRows(const char* table, const char* key, const char* value,
                            const std::vector<std::pair<std::int64_t, std::string>>& rows) {
            if (rows.empty())
                return std::nullopt;
            std::string copy;
            for (const auto& [number, bytes] : rows) {
                copy += std::to_string(number) + '\t';
                pg::appendCopyBytes(copy, bytes);
                copy += '\n';
            }
            pg::Session& db = history_.db_;
            if (auto error = db.exec("CREATE TEMPORARY TABLE IF NOT EXISTS totals_rows (key "
                                     "bigint, value bytea) ON COMMIT DELETE ROWS"))
                return error;
            if (auto error = db.copyIn("COPY totals_rows FROM STDIN", copy))
                return error;
            return db.exec(std::string("INSERT INTO ") + table + " SELECT key, value FROM " +
                           "totals_rows ON CONFLICT (" + key + ") DO UPDATE SET " + value +
                           " = excluded." + value + "; DELETE FROM totals_rows");
        }

        PostgresHistory& history_;
        bool forWriting_;
    };

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
        std::vector<BatchMatch> changed;
        for (const MatchRecord& match : matches) {
            Stored how;
            if (auto failed = storeMatch(logId, match, players, how))
                return failed;
            stored += how.added ? 1 : 0;
            if (how.added || how.completed)
                changed.push_back(
                    {&match, {match.playedAt, logId, match.startByte}, how.completed});
        }
        if (!players.empty())
            if (auto failed = db_.copyIn("COPY match_players (match_id, seat, name_id, counters, "
                                         "guid, team, score, presence, at_end) FROM STDIN",
                                         players))
                return failed;
        Tables tables(*this, true);
        return keeper_.update(tables, changed);
    }

    // The log's id: a new row, else its row moved on to `log` (never back:
    // another importer may have read further). Importers of one path take
    // turns here, so that two reading a new log at once remember it once.
    pg::Error rememberLog(const LogState& log, std::int64_t& logId) {
        std::optional<pg::Result> row;
        logId = log.id;
        if (logId == 0) {
            if (auto error = db_.query("SELECT pg_advisory_xact_lock(hashtextextended(encode($1, "
                                       "'hex'), 7215448311))",
                                       pg::Params().bytes(log.path), row))
                return error;
            if (auto error = db_.query("SELECT max(id) FROM logs WHERE path = $1",
                                       pg::Params().bytes(log.path), row))
                return error;
            if (!row->isNull(0, 0) && row->int64(0, 0) > log.seenId)
                logId = row->int64(0, 0); // another importer's of this log
        }
        pg::Params params;
        params.bytes(log.path).int64(log.size).bytes(log.headHash).bytes(log.tailHash);
        if (logId != 0)
            params.int64(logId);
        if (auto error =
                db_.query(logId == 0 ? "INSERT INTO logs (path, size, head_hash, tail_hash) "
                                       "VALUES ($1, $2, $3, $4) RETURNING id"
                                     : "UPDATE logs SET path = $1, size = $2, head_hash = $3, "
                                       "tail_hash = $4 WHERE id = $5 AND size <= $2",
                          params, row))
            return error;
        if (logId == 0)
            logId = row->int64(0, 0);
        return std::nullopt;
    }

    // The match's players are added to `copyRows` when it is added.
    pg::Error storeMatch(std::int64_t logId, const MatchRecord& match, std::string& copyRows,
                         Stored& how) {
        std::optional<pg::Result> result;
        // The same log's match that had not ended when last read, now read
        // further: replaced (or dropped, when its whole was stored meanwhile
        // from another log).
        for (const char* sql : {"DELETE FROM match_players WHERE match_id IN (SELECT id FROM "
                                "matches WHERE log_id = $1 AND start_byte = $2 AND NOT ended)",
                                "DELETE FROM matches WHERE log_id = $1 AND start_byte = $2 AND "
                                "NOT ended RETURNING id"})
            if (auto error =
                    db_.query(sql, pg::Params().int64(logId).int64(match.startByte), result))
                return error;
        how.completed = result->rows() > 0;
        if (auto error = db_.query("SELECT 1 FROM matches WHERE fingerprint = $1",
                                   pg::Params().bytes(match.fingerprint), result))
            return error;
        if (result->rows() == 1)
            return std::nullopt;
        if (auto error = db_.query(
                "INSERT INTO matches (fingerprint, log_id, start_byte, end_byte, ended, server, "
                "map, game_type, played_at, unrecorded, kills, renames, result_from, red_score, "
                "blue_score, warmup) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, "
                "$13, $14, $15, $16) ON CONFLICT DO NOTHING RETURNING id",
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
        how.added = result->rows() == 1;
        if (!how.added)
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
    // no import wrote ends the reading with a failure.
    pg::Error readSelected(const HistorySelection& s, const TotalsTables::PlacedVisitor& visit) {
        pg::Params params;
        if (auto error = declareCursor(s, params))
            return error;
        MatchRecord match;
        std::int64_t current = -1;
        std::int64_t logId = 0;
        pg::Error damaged;
        const auto matchDone = [&]() {
            if (current >= 0 && !seatsHold(match))
                damaged = "match " + std::to_string(current) + " is damaged";
            else if (current >= 0)
                visit(match, {match.playedAt, logId, match.startByte});
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
                        return damaged;
                    current = id;
                    logId = rows->int64(r, 23);
                    bad = !readMatch(*rows, r, match);
                }
                bad = bad || (!rows->isNull(r, 12) && !addPlayer(*rows, r, match));
            }
        } while (!bad && rows->rows() > 0);
        if (bad)
            return "match " + std::to_string(current) + " is damaged";
        matchDone();
        return damaged;
    }

    // The selected matches `m` (their first `skip` passed over), for a query to join.
    static std::string selectedMatches(const HistorySelection& s, pg::Params& params) {
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
        if (s.skip == 0)
            return "matches m WHERE " + where;
        params.int64(s.skip);
        return "(SELECT * FROM matches m WHERE " + where +
               " ORDER BY m.played_at, m.log_id, m.start_byte OFFSET $" +
               std::to_string(params.count()) + ") m WHERE TRUE";
    }

    pg::Error declareCursor(const HistorySelection& s, pg::Params& params) {
        const std::string matches = selectedMatches(s, params);
        const std::size_t where = matches.rfind(" WHERE ");
        std::optional<pg::Result> declared;
        return db_.query("DECLARE selected BINARY NO SCROLL CURSOR FOR SELECT m.id, "
                         "m.fingerprint, m.start_byte, m.end_byte, m.ended, m.server, m.map, "
                         "m.game_type, m.played_at, m.unrecorded, m.kills, m.renames, n.name, "
                         "p.counters, p.guid, m.result_from, m.red_score, m.blue_score, m.warmup, "
                         "p.team, p.score, p.presence, p.at_end, m.log_id FROM " +
                             matches.substr(0, where) +
                             " LEFT JOIN match_players p ON p.match_id = m.id LEFT JOIN names n ON "
                             "n.id = p.name_id" +
                             matches.substr(where) +
                             " ORDER BY m.played_at, m.log_id, m.start_byte, p.seat",
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

    pg::Session db_;
    std::string where_;
    std::unordered_map<std::string, std::int64_t> names_; // ids of names stored
    TotalsKeeper keeper_;
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
