#include "core/history/sqlite/sqlite_history.h"

#include "core/history/record_coding.h"
#include "core/history/totals_keeper.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unordered_map>

namespace quorvath {

namespace {

constexpr int kSchemaVersion = 4;

// Each step takes the schema from version (its index) to the next.
constexpr const char* kMigrations[] = {
    R"(CREATE TABLE logs (
         id INTEGER PRIMARY KEY,
         path TEXT NOT NULL,
         size INTEGER NOT NULL,
         head_hash BLOB NOT NULL,
         tail_hash BLOB NOT NULL) STRICT;
       CREATE INDEX logs_by_path ON logs (path, id);
       CREATE TABLE names (
         id INTEGER PRIMARY KEY,
         name TEXT NOT NULL UNIQUE) STRICT;
       CREATE TABLE matches (
         id INTEGER PRIMARY KEY,
         fingerprint BLOB NOT NULL UNIQUE CHECK (length(fingerprint) = 16),
         log_id INTEGER NOT NULL REFERENCES logs (id),
         start_byte INTEGER NOT NULL,
         end_byte INTEGER NOT NULL,
         ended INTEGER NOT NULL,
         server TEXT NOT NULL,
         map TEXT NOT NULL,
         game_type TEXT NOT NULL,
         played_at INTEGER NOT NULL,
         unrecorded BLOB NOT NULL,
         kills BLOB NOT NULL,
         renames BLOB NOT NULL) STRICT;
       CREATE INDEX matches_in_order ON matches (played_at, log_id, start_byte);
       CREATE INDEX matches_by_place ON matches (log_id, start_byte);
       CREATE TABLE match_players (
         match_id INTEGER NOT NULL REFERENCES matches (id),
         seat INTEGER NOT NULL,
         name_id INTEGER NOT NULL REFERENCES names (id),
         counters BLOB NOT NULL,
         guid TEXT NOT NULL,
         PRIMARY KEY (match_id, seat)) STRICT, WITHOUT ROWID;)",
    // The user's merges and splits of people, apart from the imported data.
    R"(CREATE TABLE people_decisions (
         id INTEGER PRIMARY KEY AUTOINCREMENT,
         kind TEXT NOT NULL CHECK (kind IN ('merge', 'split')),
         name TEXT NOT NULL,
         other TEXT NOT NULL,
         made_at INTEGER NOT NULL) STRICT;)",
    // The whole history's totals kept at import (added up by the migration).
    R"(CREATE TABLE totals (
         id INTEGER PRIMARY KEY CHECK (id = 1),
         kept INTEGER NOT NULL,
         version INTEGER NOT NULL,
         matches INTEGER NOT NULL,
         last_played_at INTEGER NOT NULL,
         last_log_id INTEGER NOT NULL,
         last_start_byte INTEGER NOT NULL,
         unrecorded BLOB NOT NULL) STRICT;
       INSERT INTO totals VALUES (1, 0, 0, 0, 0, 0, 0, x'');
       CREATE TABLE totals_names (
         slot INTEGER PRIMARY KEY,
         totals BLOB NOT NULL) STRICT;
       CREATE TABLE totals_renames (
         number INTEGER PRIMARY KEY,
         renames BLOB NOT NULL) STRICT;
       DROP INDEX matches_by_place;
       CREATE UNIQUE INDEX matches_by_place ON matches (log_id, start_byte);)",
    // Match results: the teams' and each player's.
    R"(ALTER TABLE matches ADD COLUMN result_from TEXT NOT NULL DEFAULT 'nothing'
         CHECK (result_from IN ('nothing', 'scores', 'rounds'));
       ALTER TABLE matches ADD COLUMN red_score INTEGER NOT NULL DEFAULT 0;
       ALTER TABLE matches ADD COLUMN blue_score INTEGER NOT NULL DEFAULT 0;
       ALTER TABLE matches ADD COLUMN warmup INTEGER NOT NULL DEFAULT 0;
       ALTER TABLE match_players ADD COLUMN team INTEGER NOT NULL DEFAULT 4
         CHECK (team BETWEEN 0 AND 4);
       ALTER TABLE match_players ADD COLUMN score INTEGER;
       ALTER TABLE match_players ADD COLUMN presence INTEGER NOT NULL DEFAULT 1000;
       ALTER TABLE match_players ADD COLUMN at_end INTEGER NOT NULL DEFAULT 1;)",
};
static_assert(std::size(kMigrations) == kSchemaVersion);
constexpr int kTotalsVersion = 3; // the version that began keeping totals

std::string problem(const std::string& path, const std::string& what) {
    return "The history \"" + path + "\" cannot be used: " + what + ".";
}

std::string blob(const SQLite::Column& column) {
    return {static_cast<const char*>(column.getBlob()),
            static_cast<std::size_t>(column.getBytes())};
}

void bindBlob(SQLite::Statement& statement, int index, const std::string& bytes) {
    statement.bind(index, bytes.data(), static_cast<int>(bytes.size()));
}

constexpr const char* kMatchColumns =
    "id, fingerprint, start_byte, end_byte, ended, server, map, game_type, played_at, "
    "unrecorded, kills, renames, log_id, result_from, red_score, blue_score, warmup";

// The selected matches' `columns`, in the order played.
std::string selectionQuery(const HistorySelection& s, const char* columns = kMatchColumns) {
    std::string sql = std::string("SELECT ") + columns + " FROM matches WHERE 1";
    if (s.since != 0)
        sql += " AND played_at >= :since";
    if (s.until != 0)
        sql += " AND played_at < :until";
    if (!s.server.empty())
        sql += " AND server = :server";
    if (!s.map.empty())
        sql += " AND map = :map";
    if (!s.gameTypes.empty()) {
        sql += " AND game_type IN (";
        for (std::size_t i = 0; i < s.gameTypes.size(); ++i)
            sql += (i ? ", :type" : ":type") + std::to_string(i);
        sql += ")";
    }
    sql += " ORDER BY played_at, log_id, start_byte";
    return s.skip != 0 ? sql + " LIMIT -1 OFFSET :skip" : sql;
}

void bindSelection(SQLite::Statement& query, const HistorySelection& s) {
    if (s.since != 0)
        query.bind(":since", s.since);
    if (s.until != 0)
        query.bind(":until", s.until);
    if (!s.server.empty())
        query.bind(":server", s.server);
    if (!s.map.empty())
        query.bind(":map", s.map);
    for (std::size_t i = 0; i < s.gameTypes.size(); ++i)
        query.bind(":type" + std::to_string(i), s.gameTypes[i]);
    if (s.skip != 0)
        query.bind(":skip", s.skip);
}

// False for a row no import wrote (its lists do not decode or name
// seats the match lacks).
bool readMatch(SQLite::Statement& query, SQLite::Statement& players, MatchRecord& m) {
    m.fingerprint = blob(query.getColumn(1));
    m.startByte = query.getColumn(2).getInt64();
    m.endByte = query.getColumn(3).getInt64();
    m.ended = query.getColumn(4).getInt() != 0;
    m.server = query.getColumn(5).getString();
    m.map = query.getColumn(6).getString();
    m.gameType = query.getColumn(7).getString();
    m.playedAt = query.getColumn(8).getInt64();
    if (!decodeScope(blob(query.getColumn(9)), m.scope) ||
        !decodeKills(blob(query.getColumn(10)), m.kills) ||
        !decodeRenames(blob(query.getColumn(11)), m.renames) ||
        !readResultFrom(query.getColumn(13).getString(), m.result.from))
        return false;
    m.result.red = query.getColumn(14).getInt();
    m.result.blue = query.getColumn(15).getInt();
    m.warmup = query.getColumn(16).getInt() != 0;
    m.players.clear();
    players.reset();
    players.bind(1, query.getColumn(0).getInt64());
    while (players.executeStep()) {
        MatchPlayer& p = m.players.emplace_back();
        p.name = players.getColumn(0).getString();
        p.guid = players.getColumn(2).getString();
        p.team = static_cast<Team>(players.getColumn(3).getInt());
        p.score = players.getColumn(4).isNull()
                      ? std::nullopt
                      : std::optional<std::int32_t>(players.getColumn(4).getInt());
        p.presence = players.getColumn(5).getInt();
        p.atEnd = players.getColumn(6).getInt() != 0;
        if (!decodeCounters(blob(players.getColumn(1)), p.counters))
            return false;
    }
    return seatsHold(m);
}

// The selected matches in the order played, each with its place in it; a
// row no import wrote throws.
void forEachMatch(SQLite::Database& db, const HistorySelection& selection,
                  const TotalsTables::PlacedVisitor& visit) {
    SQLite::Statement query(db, selectionQuery(selection));
    bindSelection(query, selection);
    SQLite::Statement players(db, "SELECT n.name, p.counters, p.guid, p.team, p.score, "
                                  "p.presence, p.at_end FROM match_players p "
                                  "JOIN names n ON n.id = p.name_id "
                                  "WHERE p.match_id = ? ORDER BY p.seat");
    MatchRecord match;
    while (query.executeStep()) {
        if (!readMatch(query, players, match))
            throw SQLite::Exception("match " + std::to_string(query.getColumn(0).getInt64()) +
                                    " is damaged");
        visit(match, {match.playedAt, query.getColumn(12).getInt64(), match.startByte});
    }
}

// The kept totals' tables (a failure throws).
class Tables final : public TotalsTables {
public:
    explicit Tables(SQLite::Database& db) : db_(db) {}

    HistoryError readHead(StoredTotals& rows) override {
        SQLite::Statement head(db_, "SELECT kept, version, matches, last_played_at, last_log_id, "
                                    "last_start_byte, unrecorded FROM totals");
        if (!head.executeStep())
            throw SQLite::Exception("its totals are missing");
        rows.kept = head.getColumn(0).getInt() != 0;
        rows.version = head.getColumn(1).getInt64();
        rows.matches = head.getColumn(2).getInt64();
        rows.last = {head.getColumn(3).getInt64(), head.getColumn(4).getInt64(),
                     head.getColumn(5).getInt64()};
        rows.unrecorded = blob(head.getColumn(6));
        return std::nullopt;
    }

    HistoryError readRows(StoredTotals& rows) override {
        SQLite::Statement names(db_, "SELECT slot, totals FROM totals_names ORDER BY slot");
        rows.names.clear();
        while (names.executeStep())
            if (names.getColumn(0).getInt64() == static_cast<std::int64_t>(rows.names.size()) + 1)
                rows.names.push_back(blob(names.getColumn(1)));
            else
                rows.names.emplace_back(); // a slot missing: does not decode
        SQLite::Statement renames(db_, "SELECT renames FROM totals_renames ORDER BY number");
        rows.renames.clear();
        while (renames.executeStep())
            rows.renames.push_back(blob(renames.getColumn(0)));
        return std::nullopt;
    }

    HistoryError write(const KeptRows& rows, std::int64_t version, bool whole) override {
        SQLite::Statement head(db_, "UPDATE totals SET kept = 1, version = ?, matches = ?, "
                                    "last_played_at = ?, last_log_id = ?, last_start_byte = ?, "
                                    "unrecorded = ?");
        head.bind(1, version);
        head.bind(2, rows.matches);
        head.bind(3, std::get<0>(rows.last));
        head.bind(4, std::get<1>(rows.last));
        head.bind(5, std::get<2>(rows.last));
        bindBlob(head, 6, rows.unrecorded);
        head.exec();
        if (whole)
            db_.exec("DELETE FROM totals_names; DELETE FROM totals_renames");
        writeRows("INSERT OR REPLACE INTO totals_names (slot, totals) VALUES (?, ?)", rows.names);
        writeRows("INSERT OR REPLACE INTO totals_renames (number, renames) VALUES (?, ?)",
                  rows.renames);
        return std::nullopt;
    }

    HistoryError drop(std::int64_t version) override {
        SQLite::Statement head(db_, "UPDATE totals SET kept = 0, version = ?");
        head.bind(1, version);
        head.exec();
        db_.exec("DELETE FROM totals_names; DELETE FROM totals_renames");
        return std::nullopt;
    }

    HistoryError forEachMatch(const PlacedVisitor& visit) override {
        quorvath::forEachMatch(db_, {}, visit);
        return std::nullopt;
    }

private:
    void writeRows(const char* sql, const std::vector<std::pair<std::int64_t, std::string>>& rows) {
        SQLite::Statement insert(db_, sql);
        for (const auto& [key, bytes] : rows) {
            insert.bind(1, key);
            bindBlob(insert, 2, bytes);
            insert.exec();
            insert.reset();
        }
    }

    SQLite::Database& db_;
};

// What storing a match did: added it (else its content was stored already),
// replaced what an earlier import read of it while it had not ended.
struct Stored {
    bool added = false;
    bool completed = false;
};

class SqliteHistory final : public HistoryStore {
public:
    SqliteHistory(const std::string& path, std::chrono::milliseconds busyTimeout)
        : path_(path), busyTimeout_(busyTimeout),
          db_(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE,
              static_cast<int>(busyTimeout.count())) {}

    HistoryError open() {
        return guarded([&] {
            if (auto newer = refuseNewer())
                return newer;
            db_.exec("PRAGMA synchronous = NORMAL");
            if (schemaVersion() == kSchemaVersion)
                return HistoryError(); // nothing to write: a read-only history can be read
            switchToWal();
            SQLite::Transaction migration(db_, SQLite::TransactionBehavior::IMMEDIATE);
            if (auto newer = refuseNewer()) // another program migrated it meanwhile
                return newer;
            const int from = schemaVersion();
            for (int step = from; step < kSchemaVersion; ++step)
                db_.exec(kMigrations[step]);
            if (from < kTotalsVersion) {
                Tables tables(db_);
                keeper_.rebuild(tables, true);
            }
            db_.exec("PRAGMA user_version = " + std::to_string(kSchemaVersion));
            migration.commit();
            return HistoryError();
        });
    }

    HistoryError lastState(const std::string& path, LogState& state) override {
        return guarded([&] {
            state = LogState();
            state.path = path;
            SQLite::Statement query(db_, "SELECT id, size, head_hash, tail_hash FROM logs "
                                         "WHERE path = ? ORDER BY id DESC LIMIT 1");
            query.bind(1, path);
            if (query.executeStep()) {
                state.id = query.getColumn(0).getInt64();
                state.size = query.getColumn(1).getInt64();
                state.headHash = blob(query.getColumn(2));
                state.tailHash = blob(query.getColumn(3));
            }
            return HistoryError();
        });
    }

    HistoryError storeBatch(LogState& log, const std::vector<MatchRecord>& matches,
                            int& added) override {
        added = 0;
        int stored = 0;
        std::int64_t logId = log.id;
        const HistoryError error = guarded([&] {
            SQLite::Transaction batch(db_, SQLite::TransactionBehavior::IMMEDIATE);
            logId = rememberLog(log);
            std::vector<BatchMatch> changed;
            for (const MatchRecord& match : matches) {
                const Stored how = storeMatch(logId, match);
                stored += how.added ? 1 : 0;
                if (how.added || how.completed)
                    changed.push_back(
                        {&match, {match.playedAt, logId, match.startByte}, how.completed});
            }
            Tables tables(db_);
            keeper_.update(tables, changed);
            batch.commit();
            return HistoryError();
        });
        if (error) {
            names_.clear();   // the rolled-back names' ids are free again
            keeper_.forget(); // and the totals as the rows held them
            return error;
        }
        log.id = logId;
        added = stored;
        return std::nullopt;
    }

    HistoryError readMatches(const HistorySelection& selection,
                             const MatchVisitor& visit) override {
        return guarded([&] {
            SQLite::Transaction reading(db_); // one snapshot, however long the visits take
            forEachMatch(db_, selection,
                         [&](const MatchRecord& match, const MatchPlace&) { visit(match); });
            reading.commit();
            return HistoryError();
        });
    }

    HistoryError readFingerprints(const HistorySelection& selection,
                                  std::vector<std::string>& fingerprints) override {
        fingerprints.clear();
        return guarded([&] {
            SQLite::Statement query(db_, selectionQuery(selection, "fingerprint"));
            bindSelection(query, selection);
            while (query.executeStep())
                fingerprints.push_back(blob(query.getColumn(0)));
            return HistoryError();
        });
    }

    HistoryError readTotals(KeptTotals& totals, bool& kept) override {
        return guarded([&] {
            SQLite::Transaction reading(db_);
            Tables tables(db_);
            readKeptTotals(tables, totals, kept);
            reading.commit();
            return HistoryError();
        });
    }

    HistoryError refreshTotals() override {
        return guarded([&] {
            Tables tables(db_);
            StoredTotals head;
            tables.readHead(head);
            if (head.kept)
                return HistoryError(); // the usual case: nothing to write
            SQLite::Transaction adding(db_, SQLite::TransactionBehavior::IMMEDIATE);
            keeper_.rebuild(tables, false);
            adding.commit();
            return HistoryError();
        });
    }

    HistoryError addDecision(PeopleDecision& decision) override {
        return guarded([&] {
            SQLite::Statement insert(db_, "INSERT INTO people_decisions (kind, name, other, "
                                          "made_at) VALUES (?, ?, ?, ?)");
            insert.bind(1, decision.kind == PeopleDecision::Kind::Merge ? "merge" : "split");
            insert.bind(2, decision.name);
            insert.bind(3, decision.other);
            insert.bind(4, decision.madeAt);
            insert.exec();
            decision.id = db_.getLastInsertRowid();
            return HistoryError();
        });
    }

    HistoryError forgetDecision(std::int64_t id, bool& forgotten) override {
        return guarded([&] {
            SQLite::Statement remove(db_, "DELETE FROM people_decisions WHERE id = ?");
            remove.bind(1, id);
            forgotten = remove.exec() > 0;
            return HistoryError();
        });
    }

    HistoryError readDecisions(std::vector<PeopleDecision>& decisions) override {
        return guarded([&] {
            decisions.clear();
            SQLite::Statement query(db_, "SELECT id, kind, name, other, made_at FROM "
                                         "people_decisions ORDER BY id");
            while (query.executeStep()) {
                PeopleDecision& d = decisions.emplace_back();
                d.id = query.getColumn(0).getInt64();
                d.kind = query.getColumn(1).getString() == "merge" ? PeopleDecision::Kind::Merge
                                                                   : PeopleDecision::Kind::Split;
                d.name = query.getColumn(2).getString();
                d.other = query.getColumn(3).getString();
                d.madeAt = query.getColumn(4).getInt64();
            }
            return HistoryError();
        });
    }

private:
    int schemaVersion() { return db_.execAndGet("PRAGMA user_version").getInt(); }

    HistoryError refuseNewer() {
        const int version = schemaVersion();
        if (version <= kSchemaVersion)
            return std::nullopt;
        return problem(path_, "it was written by a newer Quorvath (schema " +
                                  std::to_string(version) + "; this one knows up to " +
                                  std::to_string(kSchemaVersion) + ")");
    }

    template <typename Work> HistoryError guarded(const Work& work) {
        try {
            return work();
        } catch (const SQLite::Exception& e) {
            return problem(path_, e.what());
        }
    }

    // Two programs switching a new history to WAL at once may each hold the
    // lock the other waits for; SQLite then says "locked" at once instead of
    // waiting, so the switch is tried again for as long as a lock is waited for.
    void switchToWal() {
        const auto until = std::chrono::steady_clock::now() + busyTimeout_;
        for (;;) {
            try {
                db_.exec("PRAGMA journal_mode = WAL");
                return;
            } catch (const SQLite::Exception& e) {
                if (e.getErrorCode() != SQLITE_BUSY || std::chrono::steady_clock::now() >= until)
                    throw;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    // The log's id: a new row, else its row moved on to `log` (never back:
    // another importer may have read further).
    std::int64_t rememberLog(const LogState& log) {
        std::int64_t id = log.id;
        if (id == 0) {
            SQLite::Statement latest(db_, "SELECT max(id) FROM logs WHERE path = ?");
            latest.bind(1, log.path);
            if (latest.executeStep() && latest.getColumn(0).getInt64() > log.seenId)
                id = latest.getColumn(0).getInt64(); // another importer's of this log
        }
        SQLite::Statement statement(
            db_, id == 0 ? "INSERT INTO logs (path, size, head_hash, tail_hash) VALUES (?, ?, ?, ?)"
                         : "UPDATE logs SET path = ?, size = ?, head_hash = ?, tail_hash = ? "
                           "WHERE id = ? AND size <= ?2");
        statement.bind(1, log.path);
        statement.bind(2, log.size);
        bindBlob(statement, 3, log.headHash);
        bindBlob(statement, 4, log.tailHash);
        if (id != 0)
            statement.bind(5, id);
        statement.exec();
        return id == 0 ? db_.getLastInsertRowid() : id;
    }

    Stored storeMatch(std::int64_t logId, const MatchRecord& match) {
        // The same log's match that had not ended when last read, now read
        // further: replaced (or dropped, when its whole was stored meanwhile
        // from another log).
        Stored how;
        for (const char* sql : {"DELETE FROM match_players WHERE match_id IN (SELECT id FROM "
                                "matches WHERE log_id = ?1 AND start_byte = ?2 AND ended = 0)",
                                "DELETE FROM matches WHERE log_id = ?1 AND start_byte = ?2 AND "
                                "ended = 0"}) {
            SQLite::Statement unfinished(db_, sql);
            unfinished.bind(1, logId);
            unfinished.bind(2, match.startByte);
            how.completed = unfinished.exec() > 0;
        }
        SQLite::Statement known(db_, "SELECT 1 FROM matches WHERE fingerprint = ?");
        bindBlob(known, 1, match.fingerprint);
        if (known.executeStep())
            return how;
        SQLite::Statement insert(
            db_, "INSERT INTO matches (fingerprint, log_id, start_byte, end_byte, ended, server, "
                 "map, game_type, played_at, unrecorded, kills, renames, result_from, red_score, "
                 "blue_score, warmup) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                 "ON CONFLICT DO NOTHING");
        bindBlob(insert, 1, match.fingerprint);
        insert.bind(2, logId);
        insert.bind(3, match.startByte);
        insert.bind(4, match.endByte);
        insert.bind(5, match.ended ? 1 : 0);
        insert.bind(6, match.server);
        insert.bind(7, match.map);
        insert.bind(8, match.gameType);
        insert.bind(9, match.playedAt);
        bindBlob(insert, 10, encodeScope(match.scope));
        bindBlob(insert, 11, encodeKills(match.kills));
        bindBlob(insert, 12, encodeRenames(match.renames));
        insert.bind(13, resultFromText(match.result.from));
        insert.bind(14, match.result.red);
        insert.bind(15, match.result.blue);
        insert.bind(16, match.warmup ? 1 : 0);
        how.added = insert.exec() > 0; // not when its place holds a match that ended
        if (!how.added)
            return how;
        const std::int64_t matchId = db_.getLastInsertRowid();
        SQLite::Statement player(db_, "INSERT INTO match_players (match_id, seat, name_id, "
                                      "counters, guid, team, score, presence, at_end) "
                                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (std::size_t seat = 0; seat < match.players.size(); ++seat) {
            const MatchPlayer& p = match.players[seat];
            player.bind(1, matchId);
            player.bind(2, static_cast<std::int64_t>(seat));
            player.bind(3, nameId(p.name));
            bindBlob(player, 4, encodeCounters(p.counters));
            player.bind(5, p.guid);
            player.bind(6, static_cast<int>(p.team));
            if (p.score)
                player.bind(7, *p.score);
            else
                player.bind(7);
            player.bind(8, p.presence);
            player.bind(9, p.atEnd ? 1 : 0);
            player.exec();
            player.reset();
        }
        return how;
    }

    std::int64_t nameId(const std::string& name) {
        if (const auto it = names_.find(name); it != names_.end())
            return it->second;
        SQLite::Statement upsert(db_, "INSERT INTO names (name) VALUES (?) ON CONFLICT (name) "
                                      "DO UPDATE SET name = excluded.name RETURNING id");
        upsert.bind(1, name);
        upsert.executeStep();
        const std::int64_t id = upsert.getColumn(0).getInt64();
        names_.emplace(name, id);
        return id;
    }

    std::string path_;
    std::chrono::milliseconds busyTimeout_;
    SQLite::Database db_;
    std::unordered_map<std::string, std::int64_t> names_; // ids of names stored
    TotalsKeeper keeper_;
};

} // namespace

std::string defaultHistoryFile() {
    namespace fs = std::filesystem;
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const fs::path folder =
        data && *data ? fs::path(data) : fs::path(home ? home : ".") / ".local" / "share";
    return (folder / "quorvath" / "history.sqlite").string();
}

HistoryError openSqliteHistory(const std::string& path, std::unique_ptr<HistoryStore>& store,
                               std::chrono::milliseconds busyTimeout) {
    store.reset();
    std::error_code ec; // a folder that cannot be made is named by the open below
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    try {
        auto history = std::make_unique<SqliteHistory>(path, busyTimeout);
        if (auto error = history->open())
            return error;
        store = std::move(history);
        return std::nullopt;
    } catch (const SQLite::Exception& e) {
        return problem(path, e.what());
    }
}

} // namespace quorvath
