#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "PgSession.h"

namespace dbaccess::postgresql {

// A query whose rows stream one at a time (libpq's single-row mode), outside
// any transaction of its own, so memory does not grow with the table. It starts
// on first use. When another command takes the connection, the stream stops;
// the current row stays readable, and the next move runs the query again and
// skips the rows already read, which needs the query's order to be stable.
class TPgReader : private TPgStream {
public:
    TPgReader(std::shared_ptr<TPgSession> session, std::string query);
    ~TPgReader();
    TPgReader(const TPgReader&) = delete;
    TPgReader& operator=(const TPgReader&) = delete;

    // The next use reads from the first row again.
    void Restart();
    // Ends the read and stands past the end.
    void Stop();

    // These start the query when it has not started. Each fails with the server's text.
    bool Eof();
    void Next();

    // The current row's column; only while not at the end.
    bool IsNull(int column);
    std::string_view Value(int column);

private:
    enum TState {
        rsPending,      // to start on first use
        rsStreaming,    // the query is running and holds the connection
        rsInterrupted,  // another command took the connection after `m_position` rows
        rsDone,         // past the end
    };

    void Yield() override;
    void Discard() override { Yield(); }
    void Start();
    void Resume();
    void Fetch();
    void Finish();

    std::shared_ptr<TPgSession> m_session;
    std::string m_query;
    TState m_state = rsPending;
    TResult m_row;             // the current row, or null
    long long m_position = 0;  // rows delivered since the start
};

}  // namespace dbaccess::postgresql
