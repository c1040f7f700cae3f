#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Driver.h"

namespace dbaccess {

class TDatabase;

// Something open on a connection: a table or a table list. The connection
// closes it when it disconnects and flushes it before a commit.
class TDataSetLink {
public:
    virtual void DatabaseClosing() = 0;
    virtual void FlushWrites() {}

protected:
    ~TDataSetLink() = default;
};

enum TTransIsolation { tiDirtyRead, tiReadCommitted, tiRepeatableRead };

// A database connection, known in the session by its DatabaseName.
class TDatabase {
public:
    // Asked for the user name and password before a connect to an alias that has
    // "USER NAME"; `userName` is the one to fill in. nullopt means cancelled.
    using TLoginHandler = std::function<std::optional<TLogin>(TDatabase& database, const std::string& userName)>;

    // `name` is the component's name ("DbOri"), used as the prefix of its failures.
    TDatabase(std::string name, std::string databaseName);
    ~TDatabase();
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    const std::string& Name() const { return m_name; }
    const std::string& DatabaseName() const { return m_databaseName; }

    const std::string& AliasName() const { return m_aliasName; }
    // Only while disconnected; the name is checked only when connecting.
    void SetAliasName(const std::string& aliasName);

    bool Connected() const { return m_connection != nullptr; }
    // Looks the alias up, shows the login where the alias asks for one, and
    // connects; fails with the engine's or the driver's text.
    void Open();
    // Rolls back an active transaction, closes every table and table list open
    // on this connection, and disconnects. Never fails.
    void Close();

    bool LoginPrompt = true;
    TTransIsolation TransIsolation = tiReadCommitted;
    // Connection parameters; the login stores "USER NAME" here.
    std::map<std::string, std::string> Params;
    void SetOnLogin(TLoginHandler handler) { m_onLogin = std::move(handler); }

    // The database type of the engine for the connected alias.
    std::string EngineType() const;

    // Fails, prefixed with the component's name, when a transaction is already
    // active or the database is one of local file tables.
    void StartTransaction();
    // Flushes the writes of the tables open on this connection, then commits.
    void Commit();
    // Does nothing when no transaction is active.
    void Rollback();
    bool InTransaction() const;

    // The driver's connection; connects first when disconnected.
    TDriverConnection& Connection();

    void Attach(TDataSetLink& dataSet);
    void Detach(TDataSetLink& dataSet);

private:
    std::string Prefixed(const std::string& message) const;

    std::string m_name;
    std::string m_databaseName;
    std::string m_aliasName;
    std::unique_ptr<TDriverConnection> m_connection;
    std::vector<TDataSetLink*> m_dataSets;
    TLoginHandler m_onLogin;
};

}  // namespace dbaccess
