#pragma once

#include <memory>

#include "SqliteHandle.h"
#include "dbaccess/Driver.h"

namespace dbaccess::sqlite {

class TSqliteConnection : public TDriverConnection {
public:
    explicit TSqliteConnection(std::shared_ptr<TSqliteHandle> handle) : m_handle(std::move(handle)) {}
    ~TSqliteConnection() override;

    std::string EngineType() const override { return "SQLITE"; }
    void StartTransaction() override;
    void Commit() override;
    void Rollback() override;
    bool InTransaction() const override { return m_handle->TransactionOwner == this; }
    std::vector<std::string> TableNames() override;
    std::unique_ptr<TDriverTable> OpenTable(const std::string& tableName, bool exclusive) override;

private:
    std::shared_ptr<TSqliteHandle> m_handle;
};

}  // namespace dbaccess::sqlite
