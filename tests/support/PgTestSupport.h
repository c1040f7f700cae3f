#pragma once

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace testsupport {

// The private PostgreSQL server that scripts/test.sh starts, from its
// TRASLADO_PG_* variables. Its user and password also become libpq's defaults
// (PGUSER, PGPASSWORD) in this process. Throws when no server was started, so a
// test that needs one fails.
struct TPgServer {
    std::string host;  // the folder of its unix socket
    std::string port;
    std::string user;
    std::string password;
    static const TPgServer& Get();
};

// A fresh database on the private server, dropped when the object goes. SQL runs
// through psql, outside the engine under test.
class TPgDatabase {
public:
    TPgDatabase();
    ~TPgDatabase();
    TPgDatabase(const TPgDatabase&) = delete;
    TPgDatabase& operator=(const TPgDatabase&) = delete;

    const std::string& Name() const { return m_name; }
    // The INI lines of an alias that reaches it, without USER NAME, so that
    // libpq's defaults log in.
    std::string AliasEntries() const;

    // Runs statements; throws with psql's text when one fails.
    void Exec(const std::string& sql);
    // The rows of a query as COPY writes them out: one text per field, "NULL"
    // for a null, in the query's order.
    std::vector<std::vector<std::string>> Query(const std::string& sql);
    // The single value of a one-row, one-column query, as Query gives it.
    std::string Scalar(const std::string& sql);

private:
    std::string m_name;
    TTempDir m_scratch;
};

// Runs SQL through psql against `database` of the private server and returns
// what it prints; throws with psql's text when a statement fails.
std::string RunPsql(const std::string& database, const std::string& sql, const std::filesystem::path& scratch);

}  // namespace testsupport
