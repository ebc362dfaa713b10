#include "core/history/postgres/pg_library.h"

#include <dlfcn.h>

namespace quorvath::pg {

namespace {

constexpr const char* kSoname = "libpq.so.5";

struct Loaded {
    Library functions{};
    std::string error; // empty: every function was found
};

template <typename Function> bool find(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

Loaded load() {
    Loaded loaded;
    void* handle = dlopen(kSoname, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        loaded.error = std::string("the PostgreSQL client library ") + kSoname +
                       " cannot be loaded (" + (why ? why : "no reason given") + ")";
        return loaded;
    }
    Library& f = loaded.functions;
    const bool all =
        find(handle, "PQconnectdb", f.connectdb) && find(handle, "PQfinish", f.finish) &&
        find(handle, "PQstatus", f.status) && find(handle, "PQerrorMessage", f.errorMessage) &&
        find(handle, "PQuser", f.user) && find(handle, "PQhost", f.host) &&
        find(handle, "PQport", f.port) && find(handle, "PQdb", f.db) &&
        find(handle, "PQexec", f.exec) && find(handle, "PQexecParams", f.execParams) &&
        find(handle, "PQresultStatus", f.resultStatus) &&
        find(handle, "PQresultErrorField", f.resultErrorField) &&
        find(handle, "PQresultErrorMessage", f.resultErrorMessage) &&
        find(handle, "PQputCopyData", f.putCopyData) &&
        find(handle, "PQputCopyEnd", f.putCopyEnd) && find(handle, "PQgetResult", f.getResult) &&
        find(handle, "PQclear", f.clear) && find(handle, "PQntuples", f.ntuples) &&
        find(handle, "PQgetisnull", f.getisnull) && find(handle, "PQgetvalue", f.getvalue) &&
        find(handle, "PQgetlength", f.getlength) &&
        find(handle, "PQconninfoParse", f.conninfoParse) &&
        find(handle, "PQconninfoFree", f.conninfoFree) && find(handle, "PQfreemem", f.freemem);
    if (!all)
        loaded.error = std::string("the PostgreSQL client library ") + kSoname +
                       " lacks a function the history needs";
    return loaded; // the library stays loaded: its functions are used to the end
}

} // namespace

const Library* library(std::string* error) {
    static const Loaded loaded = load();
    if (loaded.error.empty())
        return &loaded.functions;
    if (error)
        *error = loaded.error;
    return nullptr;
}

} // namespace quorvath::pg
