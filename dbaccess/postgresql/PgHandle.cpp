#include "PgHandle.h"

#include <libpq-fe.h>

#include "dbaccess/Errors.h"

namespace dbaccess::postgresql {

namespace {

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

void AddLine(std::string& text, const char* line) {
    if (!line || !*line) return;
    if (!text.empty()) text += '\n';
    text += Trimmed(line);
}

}  // namespace

void TConnDeleter::operator()(pg_conn* conn) const {
    PQfinish(conn);
}
void TResultDeleter::operator()(pg_result* result) const {
    PQclear(result);
}
void TCancelDeleter::operator()(pg_cancel* cancel) const {
    PQfreeCancel(cancel);
}

std::string ConnectionText(pg_conn* conn) {
    return conn ? Trimmed(PQerrorMessage(conn)) : std::string("out of memory");
}

std::string ServerText(pg_conn* conn, const pg_result* result) {
    if (!result) return ConnectionText(conn);
    const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    if (!primary) {
        // libpq's own failures (a lost connection) carry no fields, only the whole text.
        std::string whole = Trimmed(PQresultErrorMessage(result));
        return whole.empty() ? ConnectionText(conn) : whole;
    }
    std::string text;
    AddLine(text, primary);
    AddLine(text, PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL));
    AddLine(text, PQresultErrorField(result, PG_DIAG_MESSAGE_HINT));
    AddLine(text, PQresultErrorField(result, PG_DIAG_CONTEXT));
    return text;
}

void check(pg_conn* conn, const pg_result* result, std::string_view what) {
    if (result) {
        switch (PQresultStatus(result)) {
            case PGRES_COMMAND_OK:
            case PGRES_TUPLES_OK:
            case PGRES_SINGLE_TUPLE:
            case PGRES_COPY_IN:
            case PGRES_COPY_OUT:
                return;
            default:
                break;
        }
    }
    std::string message = ServerText(conn, result);
    if (!what.empty()) message += "\n" + std::string(what);
    throw EDatabaseError(message);
}

}  // namespace dbaccess::postgresql
