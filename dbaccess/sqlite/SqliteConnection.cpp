#include "SqliteConnection.h"

#include <sqlite3.h>

#include "SqliteTable.h"
#include "dbaccess/Errors.h"
#include "dbaccess/Messages.h"

namespace dbaccess::sqlite {

TSqliteConnection::~TSqliteConnection() {
    if (InTransaction()) {
        sqlite3_exec(m_handle->Db(), "ROLLBACK", nullptr, nullptr, nullptr);
        m_handle->TransactionOwner = nullptr;
    }
}

void TSqliteConnection::StartTransaction() {
    if (m_handle->TransactionOwner) throw EDatabaseError(msg::kTransactionActive);
    // IMMEDIATE takes the write lock now, so another writer is told at once, not at commit.
    m_handle->Execute("BEGIN IMMEDIATE");
    m_handle->TransactionOwner = this;
}

void TSqliteConnection::Commit() {
    if (!InTransaction()) throw EDatabaseError(msg::kNoTransaction);
    m_handle->Execute("COMMIT");
    m_handle->TransactionOwner = nullptr;
}

void TSqliteConnection::Rollback() {
    if (!InTransaction()) return;
    m_handle->TransactionOwner = nullptr;
    if (!sqlite3_get_autocommit(m_handle->Db())) m_handle->Execute("ROLLBACK");
}

std::vector<std::string> TSqliteConnection::TableNames() {
    auto statement = m_handle->Prepare(
        "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "ORDER BY name");
    std::vector<std::string> names;
    int rc;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
    }
    check(m_handle->Db(), rc, {});
    return names;
}

std::unique_ptr<TDriverTable> TSqliteConnection::OpenTable(const std::string& tableName, bool exclusive) {
    return std::make_unique<TSqliteTable>(m_handle, tableName, exclusive);
}

}  // namespace dbaccess::sqlite
