#include "PgCopyIn.h"

#include <libpq-fe.h>
#include <poll.h>

#include "PgValues.h"
#include "dbaccess/Errors.h"

namespace dbaccess::postgresql {

namespace {
// Rows go to libpq in chunks of about this size; between chunks the driver looks
// whether the server has spoken, which during a copy means it refused a row.
constexpr std::size_t kChunkBytes = 64 * 1024;

bool ServerHasSpoken(pg_conn* conn) {
    pollfd socket{PQsocket(conn), POLLIN, 0};
    return poll(&socket, 1, 0) > 0;
}
}  // namespace

TPgCopyIn::TPgCopyIn(std::shared_ptr<TPgSession> session, std::string qualifiedName,
                     const std::vector<TPgColumn>& columns)
    : m_session(std::move(session)), m_qualifiedName(std::move(qualifiedName)), m_columns(columns) {
    m_session->Register(*this);
}

TPgCopyIn::~TPgCopyIn() {
    try {
        End();
    } catch (const std::exception&) {
        // The server keeps its transaction aborted, and the commit reports it.
    }
    m_session->Unregister(*this);
}

void TPgCopyIn::Insert(const std::vector<char>& assigned, const std::vector<TVariant>& row) {
    ThrowRefusal();
    std::vector<char> written(m_columns.size(), 0);
    bool any = false;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const TPgColumn& column = m_columns[i];
        written[i] = !column.def.readOnly && (assigned[i] || !column.hasDefault);
        any = any || written[i];
    }
    if (m_open && written != m_written) End();
    if (!any) {
        // COPY needs a column; a row of nothing but defaults is rare enough for a plain INSERT.
        m_session->Exec("INSERT INTO " + m_qualifiedName + " DEFAULT VALUES");
        return;
    }
    if (!m_open) {
        m_written = std::move(written);
        Begin();
    }
    bool first = true;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (!m_written[i]) continue;
        if (!first) m_buffer += '\t';
        first = false;
        AppendCopyValue(m_columns[i], assigned[i] ? row[i] : TVariant{}, m_buffer);
    }
    m_buffer += '\n';
    if (m_buffer.size() >= kChunkBytes) {
        SendBuffer();
        if (ServerHasSpoken(m_session->Conn())) End();
    }
}

void TPgCopyIn::Finish() {
    ThrowRefusal();
    End();
}

void TPgCopyIn::Begin() {
    std::string sql = "COPY " + m_qualifiedName + " (";
    bool first = true;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (!m_written[i]) continue;
        if (!first) sql += ", ";
        first = false;
        sql += QuoteIdentifier(m_columns[i].def.name);
    }
    sql += ") FROM STDIN";
    m_session->Claim(this);
    pg_conn* conn = m_session->Conn();
    TResult result(PQexec(conn, sql.c_str()));
    if (PQresultStatus(result.get()) != PGRES_COPY_IN) {
        m_session->Release(*this);
        m_session->Drain();
        check(conn, result.get());
    }
    m_open = true;
}

void TPgCopyIn::SendBuffer() {
    if (m_buffer.empty()) return;
    pg_conn* conn = m_session->Conn();
    if (PQputCopyData(conn, m_buffer.data(), static_cast<int>(m_buffer.size())) != 1) {
        m_buffer.clear();
        m_open = false;
        m_session->Release(*this);
        m_session->Drain();
        check(conn, nullptr);
    }
    m_buffer.clear();
}

void TPgCopyIn::End() {
    if (!m_open) return;
    SendBuffer();
    m_open = false;
    pg_conn* conn = m_session->Conn();
    m_session->Release(*this);
    if (PQputCopyEnd(conn, nullptr) != 1) {
        m_session->Drain();
        check(conn, nullptr);
    }
    TResult result(PQgetResult(conn));
    m_session->Drain();
    check(conn, result.get());
}

void TPgCopyIn::Yield() {
    try {
        End();
    } catch (const EDatabaseError& error) {
        m_refusal = error.what();
    }
}

void TPgCopyIn::Discard() {
    m_refusal.reset();
    m_buffer.clear();
    if (!m_open) return;
    m_open = false;
    m_session->Release(*this);
    // A copy that fails on purpose ends without its rows.
    PQputCopyEnd(m_session->Conn(), "roll-back");
    m_session->Drain();
}

void TPgCopyIn::ThrowRefusal() {
    if (!m_refusal) return;
    std::string refusal = std::move(*m_refusal);
    m_refusal.reset();
    throw EDatabaseError(refusal);
}

}  // namespace dbaccess::postgresql
