#include "core/history/sqlite/sqlite_history.h"

#include "core/history/record_coding.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdlib>
#include <filesystem>
#include <unordered_map>

namespace quorvath {

namespace {

constexpr int kSchemaVersion = 3;

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

class SqliteHistory final : public HistoryStore {
public:
    SqliteHistory(const std::string& path, std::chrono::milliseconds busyTimeout)
        : path_(path), db_(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE,
                           static_cast<int>(busyTimeout.count())) {}

    HistoryError open() {
        return guarded([&] {
            if (auto newer = refuseNewer())
                return newer;
            db_.exec("PRAGMA synchronous = NORMAL");
            if (schemaVersion() == kSchemaVersion)
                return HistoryError(); // nothing to write: a read-only history can be read
            db_.exec("PRAGMA journal_mode = WAL");
            SQLite::Transaction migration(db_, SQLite::TransactionBehavior::IMMEDIATE);
            if (auto newer = refuseNewer()) // another program migrated it meanwhile
                return newer;
            for (int step = schemaVersion(); step < kSchemaVersion; ++step)
                db_.exec(kMigrations[step]);
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
            for (const MatchRecord& match : matches)
                stored += storeMatch(logId, match) ? 1 : 0;
            batch.commit();
            return HistoryError();
        });
        if (error) {
            names_.clear(); // the rolled-back names' ids are free again
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
            SQLite::Statement query(db_, selectionQuery(selection));
            bindSelection(query, selection);
            SQLite::Statement players(db_, "SELECT n.name, p.counters, p.guid, p.team, p.score, "
                                           "p.presence, p.at_end FROM match_players p "
                                           "JOIN names n ON n.id = p.name_id "
                                           "WHERE p.match_id = ? ORDER BY p.seat");
            MatchRecord match;
            while (query.executeStep()) {
                if (!readMatch(query, players, match))
                    return HistoryError(
                        problem(path_, "match " + std::to_string(query.getColumn(0).getInt64()) +
                                           " is damaged"));
                visit(match);
            }
            reading.commit();
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

    std::int64_t rememberLog(const LogState& log) {
        SQLite::Statement statement(
            db_, log.id == 0
                     ? "INSERT INTO logs (path, size, head_hash, tail_hash) VALUES (?, ?, ?, ?)"
                     : "UPDATE logs SET path = ?, size = ?, head_hash = ?, tail_hash = ? "
                       "WHERE id = ?");
        statement.bind(1, log.path);
        statement.bind(2, log.size);
        bindBlob(statement, 3, log.headHash);
        bindBlob(statement, 4, log.tailHash);
        if (log.id != 0)
            statement.bind(5, log.id);
        statement.exec();
        return log.id == 0 ? db_.getLastInsertRowid() : log.id;
    }

    // False when a match of the same content is stored already.
    bool storeMatch(std::int64_t logId, const MatchRecord& match) {
        SQLite::Statement known(db_, "SELECT 1 FROM matches WHERE fingerprint = ?");
        bindBlob(known, 1, match.fingerprint);
        if (known.executeStep())
            return false;
        // The same log's match that had not ended when last read, now read further.
        for (const char* sql : {"DELETE FROM match_players WHERE match_id IN (SELECT id FROM "
                                "matches WHERE log_id = ?1 AND start_byte = ?2 AND ended = 0)",
                                "DELETE FROM matches WHERE log_id = ?1 AND start_byte = ?2 AND "
                                "ended = 0"}) {
            SQLite::Statement unfinished(db_, sql);
            unfinished.bind(1, logId);
            unfinished.bind(2, match.startByte);
            unfinished.exec();
        }
        SQLite::Statement insert(
            db_, "INSERT INTO matches (fingerprint, log_id, start_byte, end_byte, ended, server, "
                 "map, game_type, played_at, unrecorded, kills, renames, result_from, red_score, "
                 "blue_score, warmup) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
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
        insert.exec();
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
        return true;
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

    static std::string selectionQuery(const HistorySelection& s) {
        std::string sql =
            "SELECT id, fingerprint, start_byte, end_byte, ended, server, map, "
            "game_type, played_at, unrecorded, kills, renames, result_from, red_score, "
            "blue_score, warmup FROM matches "
            "WHERE 1";
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
        return sql + " ORDER BY played_at, log_id, start_byte";
    }

    static void bindSelection(SQLite::Statement& query, const HistorySelection& s) {
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
    }

    // False for a row no import wrote (its lists do not decode or name
    // seats the match lacks).
    static bool readMatch(SQLite::Statement& query, SQLite::Statement& players, MatchRecord& m) {
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
            !readResultFrom(query.getColumn(12).getString(), m.result.from))
            return false;
        m.result.red = query.getColumn(13).getInt();
        m.result.blue = query.getColumn(14).getInt();
        m.warmup = query.getColumn(15).getInt() != 0;
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

    std::string path_;
    SQLite::Database db_;
    std::unordered_map<std::string, std::int64_t> names_; // ids of names stored
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
