// The history on a PostgreSQL server: what a shared database adds to a file.
// Several importers at once store each match once; a refused login, a
// server that is not there, a database of a newer schema and a connection
// that drops mid-import each get a message naming the database without its
// password, and nothing stored is damaged.

#include "history_test_support.h"

#include "core/history/database/open_history.h"
#include "core/history/postgres/pg_session.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <thread>

namespace {

using namespace quorvath;
using quorvath::test::countHistory;
using quorvath::test::countLog;
using quorvath::test::expectSameCounts;
using quorvath::test::generateMatch;
using quorvath::test::historyAt;
using quorvath::test::openHistory;
using quorvath::test::TempDir;

class HistoryOnPostgres : public ::testing::Test {
protected:
    void SetUp() override {
        if (!quorvath::test::onPostgres())
            GTEST_SKIP() << "what a PostgreSQL server adds";
    }
    // A statement run on the database as another program would run it.
    static void runOn(const std::string& where, const std::string& sql) {
        pg::Error error;
        pg::Session other(where, error);
        if (!error)
            error = other.exec(sql);
        ASSERT_FALSE(error) << *error;
    }
};

std::string openingError(const std::string& where) {
    std::unique_ptr<HistoryStore> store;
    const HistoryError error = openHistory(where, store);
    EXPECT_EQ(store == nullptr, error.has_value());
    return error.value_or("");
}

TEST_F(HistoryOnPostgres, AServerItCannotUseIsNamedWithoutThePassword) {
    const std::string cluster = std::getenv("QUORVATH_TEST_POSTGRES");
    runOn(cluster, "DO $$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = "
                   "'quorvath_password') THEN CREATE ROLE quorvath_password LOGIN PASSWORD "
                   "'right'; END IF; END $$");
    const std::string refused = openingError(cluster + " user=quorvath_password password=wrong");
    EXPECT_NE(refused.find("postgresql://quorvath_password@"), std::string::npos) << refused;
    // libpq's reason as one line, its closing line feed gone.
    EXPECT_TRUE(refused.ends_with("password authentication failed for user \"quorvath_password\"."))
        << refused;
    EXPECT_EQ(refused.find("wrong"), std::string::npos) << refused;

    const std::string away = openingError("postgresql://me:secret@/nowhere?host=/nonexistent");
    EXPECT_NE(away.find("\"postgresql://me@/nowhere?host=/nonexistent\""), std::string::npos)
        << away;
    EXPECT_EQ(away.find("secret"), std::string::npos) << away;
}

TEST_F(HistoryOnPostgres, ADatabaseOfANewerSchemaIsRefusedAndLeftAsItWas) {
    TempDir dir;
    const std::string where = historyAt(dir.file("newer").string());
    auto store = openHistory(dir.file("newer").string());
    LogImport result;
    ASSERT_FALSE(importLog(*store, std::string(QUORVATH_SOURCE_DIR) + "/samples/demo.log", result));
    runOn(where, "UPDATE schema_version SET version = 99");
    const std::string tooNew = openingError(where);
    EXPECT_NE(tooNew.find("newer Quorvath (schema 99"), std::string::npos) << tooNew;
    runOn(where, "UPDATE schema_version SET version = 1");
    EXPECT_EQ(countHistory(*store).matches, result.matches);
}

// Every player's counters by name: importers at once store a log's matches
// under the copy each read them from, so the order of first appearance may
// differ from the log's.
std::map<std::string, std::array<std::int32_t, kLastCounter + 1>>
countersByName(const quorvath::test::Counted& counted) {
    std::map<std::string, std::array<std::int32_t, kLastCounter + 1>> byName;
    for (int i = 0; i <= counted.players.playerCount(); ++i)
        byName[counted.players[i].name] = counted.players[i].counters;
    return byName;
}

// Four importers at once, each with its own connection, import the same
// logs under other names: each match is stored once.
TEST_F(HistoryOnPostgres, ImportersAtOnceStoreEachMatchOnce) {
    TempDir dir;
    const std::string prefix = dir.file("m").string();
    generateMatch("ctf", prefix, 3, 12);
    const std::string log = prefix + "-games.log";
    const std::string path = dir.file("shared").string();
    openHistory(path); // made and migrated once, as a first import would
    std::vector<std::thread> importers;
    std::vector<HistoryError> errors(4);
    for (std::size_t i = 0; i < errors.size(); ++i) {
        const std::string copy = dir.file("copy" + std::to_string(i) + ".log").string();
        std::filesystem::copy_file(log, copy);
        importers.emplace_back([&, i, copy] {
            std::unique_ptr<HistoryStore> store;
            errors[i] = openHistory(historyAt(path), store);
            LogImport result;
            if (!errors[i])
                errors[i] = importLog(*store, copy, result, {2});
        });
    }
    for (std::thread& t : importers)
        t.join();
    for (const HistoryError& error : errors)
        EXPECT_FALSE(error) << *error;
    auto store = openHistory(path);
    const quorvath::test::Counted fromLog = countLog(log), stored = countHistory(*store);
    EXPECT_EQ(stored.matches, 13); // twelve maps and the stretch before the first
    EXPECT_EQ(countersByName(stored), countersByName(fromLog));
}

// The server ends the importer's connection before its third batch: that
// batch is rolled back and said so, the next import completes the log.
TEST_F(HistoryOnPostgres, AConnectionThatDropsMidImportLosesOnlyItsBatch) {
    TempDir dir;
    const std::string prefix = dir.file("m").string();
    generateMatch("elim", prefix);
    const std::string log = prefix + "-server.log";
    const std::string path = dir.file("dropped").string();
    const std::string where = historyAt(path);
    auto store = openHistory(path);

    class Dropping final : public quorvath::test::ForwardingStore {
    public:
        Dropping(HistoryStore& store, std::string where)
            : ForwardingStore(store), where_(std::move(where)) {}
        HistoryError storeBatch(LogState& log, const std::vector<MatchRecord>& matches,
                                int& added) override {
            if (++batches_ == 3)
                runOn(where_, "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                              "datname = current_database() AND pid <> pg_backend_pid()");
            return ForwardingStore::storeBatch(log, matches, added);
        }

    private:
        std::string where_;
        int batches_ = 0;
    } dropping(*store, where);

    LogImport result;
    const HistoryError error = importLog(dropping, log, result, {2});
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("connection"), std::string::npos) << *error;
    EXPECT_EQ(result.added, 4);
    store = openHistory(path);
    EXPECT_EQ(countHistory(*store).matches, 4);
    LogImport completed;
    ASSERT_FALSE(importLog(*store, log, completed));
    EXPECT_EQ(completed.added, completed.matches - 4);
    expectSameCounts(countHistory(*store), countLog(log));
}

} // namespace
