#include "support/history_backend.h"

#include "core/history/postgres/pg_session.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string_view>

namespace quorvath::test {

bool onPostgres() {
    const char* backend = std::getenv("QUORVATH_TEST_HISTORY");
    return backend != nullptr && std::string_view(backend) == "postgresql";
}

namespace {

std::string databaseFor(const std::string& path) {
    char name[32];
    std::snprintf(name, sizeof name, "h_%016zx", std::hash<std::string>()(path));
    return name;
}
} // namespace

std::string nameInMessages(const std::string& path) {
    return onPostgres() ? "/" + databaseFor(path) + "?host=" : path;
}

std::string historyAt(const std::string& path) {
    if (!onPostgres())
        return path;
    const char* cluster = std::getenv("QUORVATH_TEST_POSTGRES");
    if (cluster == nullptr) {
        ADD_FAILURE() << "QUORVATH_TEST_POSTGRES names no cluster: run the tests with scripts/test";
        return path;
    }
    const std::string name = databaseFor(path);
    pg::Error error;
    pg::Session admin(cluster, error);
    std::optional<pg::Result> found;
    if (!error)
        error = admin.query("SELECT 1 FROM pg_database WHERE datname = $1",
                            pg::Params().bytes(name), found);
    if (!error && found->rows() == 0)
        error = admin.exec("CREATE DATABASE " + name);
    EXPECT_FALSE(error) << *error;
    return std::string(cluster) + " dbname=" + name;
}

} // namespace quorvath::test
