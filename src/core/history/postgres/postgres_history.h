#pragma once
// The history in a PostgreSQL database, shared by the importers of several
// servers: the SQLite history's tables in PostgreSQL types (names, servers
// and maps as the log's bytes), the schema version in `schema_version` and
// migrated in one transaction on open, each batch one transaction, its
// players sent with COPY. Importers at once never store a match twice: a
// match's fingerprint is unique and a batch waits for the one that stores
// the same match first.
//
//   std::unique_ptr<HistoryStore> store;
//   if (auto error = openPostgresHistory("postgresql://host/db", store)) ...

#include "core/history/history_store.h"

#include <memory>
#include <string>

namespace quorvath {

// Connects to the database `connection` names (libpq's URI or key=value
// form) and brings its schema up to date. A server that cannot be reached,
// a refused login, a database written by a newer Quorvath: the message says
// which, naming the database without its password.
HistoryError openPostgresHistory(const std::string& connection,
                                 std::unique_ptr<HistoryStore>& store);

} // namespace quorvath
