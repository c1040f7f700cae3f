#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "PgHandle.h"

namespace dbaccess::postgresql {

// Something that keeps a command open on the connection from one call to the
// next: a streaming read, or a copy into a table.
class TPgStream {
public:
    // Another command needs the connection: close what is open. Never fails.
    virtual void Yield() = 0;
    // The transaction is being rolled back: drop whatever is held back. Never fails.
    virtual void Discard() = 0;

protected:
    ~TPgStream() = default;
};

// One connection to the server, shared by the driver's connection object and
// the tables open on it. libpq runs one command at a time on a connection, so
// whoever wants it next makes the stream that has it yield first.
class TPgSession {
public:
    explicit TPgSession(TConn conn);
    TPgSession(const TPgSession&) = delete;
    TPgSession& operator=(const TPgSession&) = delete;
    // Rolls back an active transaction; never fails.
    ~TPgSession();

    pg_conn* Conn() const { return m_conn.get(); }
    // Names the server and the database, for keys of exclusive use.
    const std::string& ServerKey() const { return m_serverKey; }

    // Gives the connection to `stream`, or to a single command when null; the
    // stream that had it yields first.
    void Claim(TPgStream* stream);
    // Called by a stream whose command has ended.
    void Release(TPgStream& stream);
    // Streams are told of a roll-back while they exist.
    void Register(TPgStream& stream);
    void Unregister(TPgStream& stream);

    // Runs one command with its parameters bound as text; fails with the
    // server's text.
    TResult Exec(const std::string& sql, const std::vector<std::string>& parameters = {});

    // Stops the command running on the connection and reads what it still sends.
    void Cancel();
    // Reads and drops the results still due, up to the end of the command.
    void Drain();

    // Read committed; fails with the server's text.
    void StartTransaction();
    // Fails with the server's text, or with kCommitRolledBack when the server
    // ends the transaction with a roll-back because an earlier command failed.
    void Commit();
    // Drops the streams' held-back rows, then rolls back; nothing without a transaction.
    void Rollback();
    bool InTransaction() const { return m_inTransaction; }

private:
    TConn m_conn;
    std::string m_serverKey;
    TPgStream* m_holder = nullptr;
    std::vector<TPgStream*> m_streams;
    bool m_inTransaction = false;
};

}  // namespace dbaccess::postgresql
