#pragma once
// The history in an SQLite file: STRICT tables (docs/history.md), the schema
// version in PRAGMA user_version and migrated in one transaction on open, WAL
// so that readers go on while an import writes, and a busy timeout before a
// locked database is given up on.
//
//   std::unique_ptr<HistoryStore> store;
//   if (auto error = openSqliteHistory(path, store)) ...   // names the file

#include "core/history/history_store.h"

#include <chrono>
#include <memory>
#include <string>

namespace quorvath {

inline constexpr std::chrono::milliseconds kHistoryBusyTimeout{5000};

// history.sqlite in $XDG_DATA_HOME/quorvath/, else in ~/.local/share/quorvath/:
// the history both programs use unless the user names another file.
std::string defaultHistoryFile();

// Opens (creating it and its folder if need be) the history at `path`. A file that is no
// database, one written by a newer Quorvath, one that cannot be written or
// stays locked past `busyTimeout` gives the message saying so.
HistoryError openSqliteHistory(const std::string& path, std::unique_ptr<HistoryStore>& store,
                               std::chrono::milliseconds busyTimeout = kHistoryBusyTimeout);

} // namespace quorvath
