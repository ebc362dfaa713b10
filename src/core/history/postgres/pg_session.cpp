#include "core/history/postgres/pg_session.h"

#include <endian.h>

#include <cstring>

namespace quorvath::pg {

namespace {

std::string bigEndian(std::int64_t value) {
    const std::uint64_t wire = htobe64(static_cast<std::uint64_t>(value));
    std::string out(sizeof wire, '\0');
    std::memcpy(out.data(), &wire, sizeof wire);
    return out;
}

// libpq's messages end in a line feed and may run over several lines.
std::string trimmed(const char* message) {
    std::string text = message == nullptr ? "" : message;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    for (char& c : text)
        if (c == '\n' || c == '\t')
            c = ' ';
    return text.empty() ? "no reason given" : text;
}

// As a URI without the password; a socket folder as the host parameter.
std::string describePlace(const std::string& user, const std::string& host, const std::string& port,
                          const std::string& database) {
    std::string out = "postgresql://";
    if (!user.empty())
        out += user + "@";
    const bool socket = host.starts_with('/');
    if (!socket)
        out += host;
    if (!port.empty() && !socket)
        out += ":" + port;
    out += "/" + database;
    return socket ? out + "?host=" + host : out;
}

} // namespace

Params& Params::bytes(std::string_view value) {
    values_.emplace_back(value);
    lengths_.push_back(static_cast<int>(value.size()));
    formats_.push_back(1);
    return *this;
}

Params& Params::int64(std::int64_t value) { return bytes(bigEndian(value)); }

Params& Params::boolean(bool value) { return bytes(std::string(1, value ? '\1' : '\0')); }

std::vector<const char*> Params::values() const {
    std::vector<const char*> out;
    out.reserve(values_.size());
    for (const std::string& v : values_)
        out.push_back(v.data());
    return out;
}

std::string Result::bytes(int row, int column) const {
    return {library()->getvalue(result_.get(), row, column),
            static_cast<std::size_t>(library()->getlength(result_.get(), row, column))};
}

std::int64_t Result::int64(int row, int column) const {
    std::uint64_t wire = 0;
    std::memcpy(&wire, library()->getvalue(result_.get(), row, column), sizeof wire);
    return static_cast<std::int64_t>(be64toh(wire));
}

std::int32_t Result::int32(int row, int column) const {
    std::uint32_t wire = 0;
    std::memcpy(&wire, library()->getvalue(result_.get(), row, column), sizeof wire);
    return static_cast<std::int32_t>(be32toh(wire));
}

bool Result::boolean(int row, int column) const {
    return *library()->getvalue(result_.get(), row, column) != 0;
}

Session::Session(const std::string& connection, Error& error) {
    std::string unloaded;
    const Library* pq = library(&unloaded);
    if (pq == nullptr) {
        error = unloaded;
        return;
    }
    conn_.reset(pq->connectdb(connection.c_str()));
    if (conn_ == nullptr)
        error = "out of memory";
    else if (pq->status(conn_.get()) != CONNECTION_OK)
        error = trimmed(pq->errorMessage(conn_.get()));
    else
        error = exec("SET client_min_messages = warning");
}

std::string Session::where() const {
    const Library& pq = *library(); // loaded by the constructor
    return describePlace(pq.user(conn_.get()), pq.host(conn_.get()), pq.port(conn_.get()),
                         pq.db(conn_.get()));
}

bool Session::lastFailureMayBeRetried() const {
    return lastState_ == "40P01" || lastState_ == "40001"; // deadlock, serialization
}

Error Session::failure(const PGresult* result) {
    const Library& pq = *library(); // loaded by the constructor
    const char* state = result ? pq.resultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    lastState_ = state ? state : "";
    if (pq.status(conn_.get()) == CONNECTION_BAD)
        return "the connection to the server was lost (" + trimmed(pq.errorMessage(conn_.get())) +
               ")";
    return trimmed(result ? pq.resultErrorMessage(result) : pq.errorMessage(conn_.get()));
}

Error Session::exec(const std::string& sql) {
    const Library& pq = *library(); // loaded by the constructor
    const Result result(pq.exec(conn_.get(), sql.c_str()));
    const ExecStatusType status = pq.resultStatus(result.get());
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return std::nullopt;
    return failure(result.get());
}

Error Session::query(const std::string& sql, const Params& params, std::optional<Result>& result) {
    const Library& pq = *library(); // loaded by the constructor
    const std::vector<const char*> values = params.values();
    result.emplace(pq.execParams(conn_.get(), sql.c_str(), params.count(), nullptr, values.data(),
                                 params.lengths(), params.formats(), 1));
    const ExecStatusType status = pq.resultStatus(result->get());
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return std::nullopt;
    return failure(result->get());
}

Error Session::copyIn(const std::string& sql, const std::string& rows) {
    const Library& pq = *library(); // loaded by the constructor
    {
        const Result start(pq.exec(conn_.get(), sql.c_str()));
        if (pq.resultStatus(start.get()) != PGRES_COPY_IN)
            return failure(start.get());
    }
    const bool sent = pq.putCopyData(conn_.get(), rows.data(), static_cast<int>(rows.size())) == 1;
    if (pq.putCopyEnd(conn_.get(), sent ? nullptr : "the rows could not be sent") != 1)
        return failure(nullptr);
    Error error;
    while (PGresult* raw = pq.getResult(conn_.get())) {
        const Result end(raw);
        if (!error && pq.resultStatus(end.get()) != PGRES_COMMAND_OK)
            error = failure(end.get());
    }
    return error;
}

void appendCopyBytes(std::string& row, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    row += "\\\\x";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        row += kHex[b >> 4];
        row += kHex[b & 15];
    }
}

std::string describeConnection(const std::string& connection) {
    const Library* pq = library();
    if (pq == nullptr)
        return "(a connection string, libpq not loaded)";
    char* parseError = nullptr;
    PQconninfoOption* options = pq->conninfoParse(connection.c_str(), &parseError);
    if (options == nullptr) {
        pq->freemem(parseError);
        return "(a connection string libpq cannot read)";
    }
    std::string user, host, port, database;
    for (PQconninfoOption* o = options; o->keyword != nullptr; ++o) {
        if (o->val == nullptr)
            continue;
        const std::string_view key = o->keyword;
        if (key == "user")
            user = o->val;
        else if (key == "host" || (key == "hostaddr" && host.empty()))
            host = o->val;
        else if (key == "port")
            port = o->val;
        else if (key == "dbname")
            database = o->val;
    }
    pq->conninfoFree(options);
    return describePlace(user, host, port, database);
}

std::optional<std::string> connectionWithoutPassword(const std::string& connection) {
    const Library* pq = library();
    if (pq == nullptr)
        return std::nullopt;
    char* parseError = nullptr;
    PQconninfoOption* options = pq->conninfoParse(connection.c_str(), &parseError);
    if (options == nullptr) {
        pq->freemem(parseError);
        return std::nullopt;
    }
    std::string kept;
    bool hadPassword = false;
    for (PQconninfoOption* o = options; o->keyword != nullptr; ++o) {
        if (o->val == nullptr)
            continue;
        if (std::string_view(o->keyword) == "password") {
            hadPassword = true;
            continue;
        }
        if (!kept.empty())
            kept += ' ';
        kept += o->keyword;
        kept += "='";
        for (const char* c = o->val; *c != '\0'; ++c)
            kept += (*c == '\'' || *c == '\\') ? std::string{'\\', *c} : std::string{*c};
        kept += '\'';
    }
    pq->conninfoFree(options);
    return hadPassword ? kept : connection;
}

} // namespace quorvath::pg
