#pragma once
// The database the history's tests run on: SQLite files, and the same tests
// again on PostgreSQL when QUORVATH_TEST_HISTORY is "postgresql" (scripts/test
// runs both). On PostgreSQL each file path names a database of its own in the
// cluster the connection string QUORVATH_TEST_POSTGRES reaches.

#include <string>

namespace quorvath::test {

bool onPostgres();
// What --db gets for the history at `path`: the path, or the connection
// string of its database (made when first asked for).
std::string historyAt(const std::string& path);
// What the history's messages call the history at `path`.
std::string nameInMessages(const std::string& path);

} // namespace quorvath::test
