#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "dbaccess/Text.h"  // QuoteIdentifier

struct pg_conn;
struct pg_result;
struct pg_cancel;

namespace dbaccess::postgresql {

struct TConnDeleter {
    void operator()(pg_conn* conn) const;
};
struct TResultDeleter {
    void operator()(pg_result* result) const;
};
struct TCancelDeleter {
    void operator()(pg_cancel* cancel) const;
};
using TConn = std::unique_ptr<pg_conn, TConnDeleter>;
using TResult = std::unique_ptr<pg_result, TResultDeleter>;
using TCancel = std::unique_ptr<pg_cancel, TCancelDeleter>;

// Fails with the server's text, then `what` on its own line, unless `result`
// reports success (a command done, rows, or the start of a copy). A null
// result fails with the connection's text.
void check(pg_conn* conn, const pg_result* result, std::string_view what = {});

// What the server said about a failed result: its message, then its detail and
// context lines when it gave them. Falls back on the connection's text.
std::string ServerText(pg_conn* conn, const pg_result* result);

// The connection's own last error text, without its trailing line break.
std::string ConnectionText(pg_conn* conn);

}  // namespace dbaccess::postgresql
