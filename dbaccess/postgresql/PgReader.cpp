#include "PgReader.h"

#include <libpq-fe.h>

namespace dbaccess::postgresql {

TPgReader::TPgReader(std::shared_ptr<TPgSession> session, std::string query)
    : m_session(std::move(session)), m_query(std::move(query)) {
    m_session->Register(*this);
}

TPgReader::~TPgReader() {
    Stop();
    m_session->Unregister(*this);
}

void TPgReader::Restart() {
    Stop();
    m_state = rsPending;
}

void TPgReader::Stop() {
    if (m_state == rsStreaming) {
        m_session->Cancel();
        m_session->Release(*this);
    }
    m_row.reset();
    m_state = rsDone;
}

void TPgReader::Yield() {
    if (m_state != rsStreaming) return;
    m_session->Cancel();
    m_state = rsInterrupted;
}

bool TPgReader::Eof() {
    if (m_state == rsPending) Start();
    return !m_row;
}

void TPgReader::Next() {
    if (Eof()) return;
    if (m_state == rsInterrupted) Resume();
    if (m_state == rsStreaming) Fetch();
}

bool TPgReader::IsNull(int column) {
    return Eof() || PQgetisnull(m_row.get(), 0, column);
}

std::string_view TPgReader::Value(int column) {
    if (Eof()) return {};
    return {PQgetvalue(m_row.get(), 0, column), static_cast<std::size_t>(PQgetlength(m_row.get(), 0, column))};
}

void TPgReader::Start() {
    m_position = 0;
    m_row.reset();
    m_session->Claim(this);
    pg_conn* conn = m_session->Conn();
    if (!PQsendQuery(conn, m_query.c_str())) {
        m_state = rsDone;
        m_session->Release(*this);
        check(conn, nullptr);
    }
    PQsetSingleRowMode(conn);
    m_state = rsStreaming;
    Fetch();
}

void TPgReader::Resume() {
    // The restarted query stands again on the row that was current, so the next fetch moves past it.
    long long skip = m_position;
    Start();
    while (m_state == rsStreaming && m_position < skip) Fetch();
}

void TPgReader::Fetch() {
    pg_conn* conn = m_session->Conn();
    TResult result(PQgetResult(conn));
    if (result && PQresultStatus(result.get()) == PGRES_SINGLE_TUPLE) {
        m_row = std::move(result);
        ++m_position;
        return;
    }
    m_row.reset();
    Finish();
    check(conn, result.get());
}

void TPgReader::Finish() {
    m_session->Drain();
    m_session->Release(*this);
    m_state = rsDone;
}

}  // namespace dbaccess::postgresql
