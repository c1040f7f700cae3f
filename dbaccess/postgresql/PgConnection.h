#pragma once

#include <memory>

#include "PgSession.h"
#include "dbaccess/Driver.h"

namespace dbaccess::postgresql {

class TPgConnection : public TDriverConnection {
public:
    explicit TPgConnection(std::shared_ptr<TPgSession> session) : m_session(std::move(session)) {}

    std::string EngineType() const override { return "POSTGRESQL"; }
    void StartTransaction() override { m_session->StartTransaction(); }
    void Commit() override { m_session->Commit(); }
    void Rollback() override { m_session->Rollback(); }
    bool InTransaction() const override { return m_session->InTransaction(); }
    std::vector<std::string> TableNames() override;
    std::unique_ptr<TDriverTable> OpenTable(const std::string& tableName, bool exclusive) override;

private:
    std::shared_ptr<TPgSession> m_session;
};

}  // namespace dbaccess::postgresql
