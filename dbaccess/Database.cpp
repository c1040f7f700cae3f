#include "Database.h"

#include "Engine.h"
#include "Errors.h"
#include "Messages.h"

namespace dbaccess {

TDatabase::TDatabase(std::string name, std::string databaseName)
    : m_name(std::move(name)), m_databaseName(std::move(databaseName)) {
    Engine().AddDatabase(*this);
}

TDatabase::~TDatabase() {
    Close();
    Engine().RemoveDatabase(*this);
}

void TDatabase::SetAliasName(const std::string& aliasName) {
    if (Connected()) throw EDatabaseError(Prefixed(msg::kDatabaseConnected));
    m_aliasName = aliasName;
}

void TDatabase::Open() {
    if (Connected()) return;
    std::optional<TLogin> login;
    const TAlias* alias = Engine().Config().Find(m_aliasName);
    auto aliasUser = alias ? alias->Value("USER NAME") : std::nullopt;
    if (aliasUser) {
        auto remembered = Params.find("USER NAME");
        std::string userName = remembered != Params.end() ? remembered->second : *aliasUser;
        if (LoginPrompt && m_onLogin) {
            login = m_onLogin(*this, userName);
            if (!login) throw EDatabaseError(Format(msg::kLoginCancelled, {m_databaseName}));
            Params["USER NAME"] = login->userName;
        } else {
            login = TLogin{userName, {}};
        }
    }
    m_connection = Engine().Connect(m_aliasName, login);
}

void TDatabase::Close() {
    if (!m_connection) return;
    // Closing a table can detach it, so walk a copy.
    auto dataSets = m_dataSets;
    for (TDataSetLink* dataSet : dataSets) dataSet->DatabaseClosing();
    try {
        m_connection->Rollback();
    } catch (const std::exception&) {
        // The connection goes anyway; an uncommitted transaction dies with it.
    }
    m_connection.reset();
}

std::string TDatabase::EngineType() const {
    return m_connection ? m_connection->EngineType() : std::string();
}

void TDatabase::StartTransaction() {
    TDriverConnection& connection = Connection();
    if (connection.EngineType() == "STANDARD" && TransIsolation != tiDirtyRead) {
        throw EDatabaseError(Prefixed(msg::kLocalIsolation));
    }
    if (connection.InTransaction()) throw EDatabaseError(Prefixed(msg::kTransactionActive));
    try {
        connection.StartTransaction();
    } catch (const EDatabaseError& error) {
        throw EDatabaseError(Prefixed(error.what()));
    }
}

void TDatabase::Commit() {
    TDriverConnection& connection = Connection();
    if (!connection.InTransaction()) throw EDatabaseError(Prefixed(msg::kNoTransaction));
    for (TDataSetLink* dataSet : m_dataSets) dataSet->FlushWrites();
    connection.Commit();
}

void TDatabase::Rollback() {
    if (m_connection) m_connection->Rollback();
}

bool TDatabase::InTransaction() const {
    return m_connection && m_connection->InTransaction();
}

TDriverConnection& TDatabase::Connection() {
    Open();
    return *m_connection;
}

void TDatabase::Attach(TDataSetLink& dataSet) {
    m_dataSets.push_back(&dataSet);
}

void TDatabase::Detach(TDataSetLink& dataSet) {
    std::erase(m_dataSets, &dataSet);
}

std::string TDatabase::Prefixed(const std::string& message) const {
    return m_name + ": " + message;
}

}  // namespace dbaccess
