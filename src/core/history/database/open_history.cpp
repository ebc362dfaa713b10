#include "core/history/database/open_history.h"

#include "core/history/postgres/pg_session.h"
#include "core/history/postgres/postgres_history.h"
#include "core/history/sqlite/sqlite_history.h"

#include <cctype>

namespace quorvath {

bool namesPostgresDatabase(const std::string& where) {
    if (where.starts_with("postgresql://") || where.starts_with("postgres://"))
        return true;
    std::size_t i = where.find_first_not_of(" \t");
    const std::size_t keyStart = i;
    while (i < where.size() &&
           (std::isalnum(static_cast<unsigned char>(where[i])) != 0 || where[i] == '_'))
        ++i;
    i = where.find_first_not_of(" \t", i);
    return i != std::string::npos && i > keyStart && where[i] == '=';
}

HistoryError openHistory(const std::string& where, std::unique_ptr<HistoryStore>& store) {
    return namesPostgresDatabase(where) ? openPostgresHistory(where, store)
                                        : openSqliteHistory(where, store);
}

std::optional<std::string> historyWithoutPassword(const std::string& where) {
    return namesPostgresDatabase(where) ? pg::connectionWithoutPassword(where) : where;
}

} // namespace quorvath
