#pragma once
// A thin, exception-free hold on libpq: one connection, statements with
// binary parameters and results, COPY in text form. Every failure becomes
// the server's or libpq's message; the password is never part of a message.
// libpq is loaded by the first session (pg_library.h).

#include "core/history/postgres/pg_library.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath::pg {

// Parameters as their binary forms (bytea as is, bigint big-endian).
class Params {
public:
    Params& bytes(std::string_view value);
    Params& int64(std::int64_t value);
    Params& boolean(bool value);

    int count() const { return static_cast<int>(values_.size()); }
    std::vector<const char*> values() const;
    const int* lengths() const { return lengths_.data(); }
    const int* formats() const { return formats_.data(); }

private:
    std::vector<std::string> values_;
    std::vector<int> lengths_;
    std::vector<int> formats_;
};

// A result whose fields are read in binary form.
class Result {
public:
    // From a session: libpq is loaded.
    explicit Result(PGresult* result) : result_(result) {}
    const PGresult* get() const { return result_.get(); }
    int rows() const { return library()->ntuples(result_.get()); }
    bool isNull(int row, int column) const {
        return library()->getisnull(result_.get(), row, column) != 0;
    }
    std::string bytes(int row, int column) const;
    std::int64_t int64(int row, int column) const; // a bigint column
    std::int32_t int32(int row, int column) const; // an integer column
    bool boolean(int row, int column) const;

private:
    struct Clear {
        void operator()(PGresult* result) const { library()->clear(result); }
    };
    std::unique_ptr<PGresult, Clear> result_;
};

using Error = std::optional<std::string>; // nothing: it worked

class Session {
public:
    // Connects; `error` says why not (also when libpq cannot be loaded). The
    // connection string is libpq's (URI or key=value), so ~/.pgpass and the
    // PG* variables are honoured.
    explicit Session(const std::string& connection, Error& error);

    // Where it is connected, as user@host:port/database (no password).
    std::string where() const;

    Error exec(const std::string& sql);
    Error query(const std::string& sql, const Params& params, std::optional<Result>& result);
    // COPY ... FROM STDIN of rows already in COPY's text form.
    Error copyIn(const std::string& sql, const std::string& rows);

    // Whether the last failure was the server ending a transaction to break a
    // deadlock or a conflict: the transaction can simply be run again.
    bool lastFailureMayBeRetried() const;

private:
    Error failure(const PGresult* result);

    struct Finish {
        void operator()(PGconn* conn) const { library()->finish(conn); }
    };
    std::unique_ptr<PGconn, Finish> conn_;
    std::string lastState_; // SQLSTATE of the last failure
};

// COPY's text form of a bytea field: \\x and two hex digits a byte.
void appendCopyBytes(std::string& row, std::string_view bytes);

// The connection string's place without its password, for messages. (These
// two load libpq too.)
std::string describeConnection(const std::string& connection);

// The connection string as it can be kept: as it is when it holds no
// password, else its settings but the password in libpq's key=value form.
// Nothing when libpq cannot read it.
std::optional<std::string> connectionWithoutPassword(const std::string& connection);

} // namespace quorvath::pg
