#pragma once
// libpq, loaded the first time a PostgreSQL history is opened. Linked in, it
// and the libraries it needs (TLS, Kerberos, LDAP: some thirty) cost every
// start of the programs about 14 million instructions, 3 to 4 ms, also the
// runs that never open a database (the report tool on a log).

#include <libpq-fe.h>

#include <string>

namespace quorvath::pg {

// The functions of libpq the history uses.
struct Library {
    decltype(&PQconnectdb) connectdb;
    decltype(&PQfinish) finish;
    decltype(&PQstatus) status;
    decltype(&PQerrorMessage) errorMessage;
    decltype(&PQuser) user;
    decltype(&PQhost) host;
    decltype(&PQport) port;
    decltype(&PQdb) db;
    decltype(&PQexec) exec;
    decltype(&PQexecParams) execParams;
    decltype(&PQresultStatus) resultStatus;
    decltype(&PQresultErrorField) resultErrorField;
    decltype(&PQresultErrorMessage) resultErrorMessage;
    decltype(&PQputCopyData) putCopyData;
    decltype(&PQputCopyEnd) putCopyEnd;
    decltype(&PQgetResult) getResult;
    decltype(&PQclear) clear;
    decltype(&PQntuples) ntuples;
    decltype(&PQgetisnull) getisnull;
    decltype(&PQgetvalue) getvalue;
    decltype(&PQgetlength) getlength;
    decltype(&PQconninfoParse) conninfoParse;
    decltype(&PQconninfoFree) conninfoFree;
    decltype(&PQfreemem) freemem;
};

// libpq's functions, loaded at the first call; nothing when it cannot be
// loaded, and then `error` (when given) says why.
const Library* library(std::string* error = nullptr);

} // namespace quorvath::pg
