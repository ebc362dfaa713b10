#include "history_test_support.h"

#include "core/common/progress.h"
#include "core/match/accurate_pass.h"
#include "core/match/log_kind.h"

#include <gtest/gtest.h>

#include "core/history/database/open_history.h"
#include "core/history/postgres/pg_session.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdlib>

namespace quorvath::test {

void generateMatch(const std::string& type, const std::string& prefix, int seed, int maps) {
    const std::string command = std::string("\"") + QUORVATH_GEN_LOG_TOOL + "\" --match " + type +
                                " --seed " + std::to_string(seed) + " --maps " +
                                std::to_string(maps) + " --players 20 --out \"" + prefix + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

std::unique_ptr<HistoryStore> openHistory(const std::string& path) {
    std::unique_ptr<HistoryStore> store;
    const HistoryError error = quorvath::openHistory(historyAt(path), store);
    EXPECT_FALSE(error) << *error;
    return store;
}

void runOnHistory(const std::string& path, const std::string& sql) {
    if (!onPostgres()) {
        SQLite::Database(path, SQLite::OPEN_READWRITE).exec(sql);
        return;
    }
    pg::Error error;
    pg::Session other(historyAt(path), error);
    if (!error)
        error = other.exec(sql);
    ASSERT_FALSE(error) << *error;
}

std::string sqlDroppingResults() {
    std::string sql;
    for (const char* column : {"matches result_from", "matches red_score", "matches blue_score",
                               "matches warmup", "match_players team", "match_players score",
                               "match_players presence", "match_players at_end"}) {
        std::string tableAndColumn = column;
        tableAndColumn.replace(tableAndColumn.find(' '), 1, " DROP COLUMN ");
        sql += "ALTER TABLE " + tableAndColumn + ";";
    }
    const std::string version = std::to_string(kVersionBeforeResults);
    return sql +
           (onPostgres() ? "UPDATE schema_version SET version = " + version
                         : "PRAGMA user_version = " + version) +
           ";";
}

Counted countHistory(HistoryStore& store, const HistorySelection& selection) {
    Counted counted;
    HistoryTotals totals(counted.players);
    const HistoryError error = store.readMatches(selection, [&](const MatchRecord& match) {
        totals.add(match);
        ++counted.matches;
    });
    EXPECT_FALSE(error) << *error;
    counted.scope = totals.finish();
    return counted;
}

Counted countLog(const std::string& path) {
    Counted counted;
    Progress progress;
    const LogKind kind = detectLogKind(readFile(path)).kind;
    const auto error =
        countAccuratelyFromFile(path, kind, {}, counted.players, counted.scope, progress);
    EXPECT_FALSE(error) << *error;
    return counted;
}

void expectSameCounts(const Counted& history, const Counted& log) {
    EXPECT_EQ(history.scope.unrecorded, log.scope.unrecorded);
    ASSERT_EQ(history.players.playerCount(), log.players.playerCount());
    for (int i = 0; i <= log.players.playerCount(); ++i) {
        const PlayerRecord& h = history.players[i];
        const PlayerRecord& l = log.players[i];
        SCOPED_TRACE(l.name);
        EXPECT_EQ(h.name, l.name);
        EXPECT_EQ(h.counters, l.counters);
        EXPECT_EQ(h.victims, l.victims);
        EXPECT_EQ(h.killers, l.killers);
        EXPECT_EQ(h.master, l.master);
        ASSERT_EQ(h.aliases.count(), l.aliases.count());
        for (int a = 1; a <= l.aliases.count(); ++a) {
            EXPECT_EQ(h.aliases.key(a), l.aliases.key(a));
            EXPECT_EQ(h.aliases.item(a), l.aliases.item(a));
        }
    }
}

} // namespace quorvath::test
