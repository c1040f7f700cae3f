#include "PgSession.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cstring>

#include "PgMessages.h"
#include "dbaccess/Errors.h"
#include "dbaccess/Messages.h"

namespace dbaccess::postgresql {

TPgSession::TPgSession(TConn conn) : m_conn(std::move(conn)) {
    const char* host = PQhost(m_conn.get());
    const char* port = PQport(m_conn.get());
    const char* db = PQdb(m_conn.get());
    m_serverKey = std::string(host ? host : "") + "\n" + (port ? port : "") + "\n" + (db ? db : "");
}

TPgSession::~TPgSession() {
    if (!m_inTransaction) return;
    try {
        Rollback();
    } catch (const std::exception&) {
        // The transaction ends with the connection anyway.
    }
}

void TPgSession::Claim(TPgStream* stream) {
    if (m_holder == stream) return;
    TPgStream* previous = m_holder;
    m_holder = nullptr;
    if (previous) previous->Yield();
    m_holder = stream;
}

void TPgSession::Release(TPgStream& stream) {
    if (m_holder == &stream) m_holder = nullptr;
}

void TPgSession::Register(TPgStream& stream) {
    m_streams.push_back(&stream);
}

void TPgSession::Unregister(TPgStream& stream) {
    std::erase(m_streams, &stream);
    if (m_holder == &stream) m_holder = nullptr;
}

TResult TPgSession::Exec(const std::string& sql, const std::vector<std::string>& parameters) {
    Claim(nullptr);
    std::vector<const char*> values;
    values.reserve(parameters.size());
    for (const auto& parameter : parameters) values.push_back(parameter.c_str());
    TResult result(PQexecParams(m_conn.get(), sql.c_str(), static_cast<int>(values.size()), nullptr, values.data(),
                                nullptr, nullptr, 0));
    check(m_conn.get(), result.get());
    return result;
}

void TPgSession::Cancel() {
    TCancel cancel(PQgetCancel(m_conn.get()));
    char error[256];
    // A request that fails or comes too late changes nothing: the results are read to their end below.
    if (cancel) PQcancel(cancel.get(), error, sizeof error);
    Drain();
}

void TPgSession::Drain() {
    while (TResult result{PQgetResult(m_conn.get())}) {
        // A copy the server still waits for ends here, so that the loop ends too.
        if (PQresultStatus(result.get()) == PGRES_COPY_IN) PQputCopyEnd(m_conn.get(), "abandoned");
        if (PQstatus(m_conn.get()) == CONNECTION_BAD) break;
    }
}

void TPgSession::StartTransaction() {
    if (m_inTransaction) throw EDatabaseError(dbaccess::msg::kTransactionActive);
    Exec("BEGIN ISOLATION LEVEL READ COMMITTED");
    m_inTransaction = true;
}

void TPgSession::Commit() {
    if (!m_inTransaction) throw EDatabaseError(dbaccess::msg::kNoTransaction);
    Claim(nullptr);
    // Whatever the outcome, the server's transaction is over once COMMIT has run.
    m_inTransaction = false;
    TResult result = Exec("COMMIT");
    // A transaction in which a command failed "commits" as ROLLBACK, without an error.
    if (std::strcmp(PQcmdStatus(result.get()), "COMMIT") != 0) throw EDatabaseError(msg::kCommitRolledBack);
}

void TPgSession::Rollback() {
    if (!m_inTransaction) return;
    auto streams = m_streams;
    for (TPgStream* stream : streams) stream->Discard();
    Claim(nullptr);
    m_inTransaction = false;
    Exec("ROLLBACK");
}

}  // namespace dbaccess::postgresql
