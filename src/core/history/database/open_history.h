#pragma once
// The one door to a history, whichever database holds it: an SQLite file, or
// a PostgreSQL database shared by several servers.
//
//   std::unique_ptr<HistoryStore> store;
//   if (auto error = openHistory(where, store)) ...   // the message names it

#include "core/history/history_store.h"

#include <memory>
#include <string>

namespace quorvath {

// Whether `where` names a PostgreSQL database: a postgresql:// or postgres://
// URI, or libpq's key=value form (`host=db1 dbname=sof2`). Anything else is
// an SQLite file (a file whose name looks like key=value is written ./NAME).
bool namesPostgresDatabase(const std::string& where);

HistoryError openHistory(const std::string& where, std::unique_ptr<HistoryStore>& store);

// `where` as a settings file may keep it: a PostgreSQL connection string
// without its password (libpq's ~/.pgpass and PGPASSWORD supply one), a file
// as it is. Nothing for a connection string libpq cannot read.
std::optional<std::string> historyWithoutPassword(const std::string& where);

} // namespace quorvath
