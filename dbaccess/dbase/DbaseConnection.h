#pragma once

#include <filesystem>

#include "dbaccess/Driver.h"

namespace dbaccess::dbase {

// A folder of dBASE tables: a local database, read only, without transactions.
class TDbaseConnection : public TDriverConnection {
public:
    explicit TDbaseConnection(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    std::string EngineType() const override { return "STANDARD"; }
    // Fails: the tables are only read.
    void StartTransaction() override;
    void Commit() override;
    void Rollback() override {}
    bool InTransaction() const override { return false; }
    std::vector<std::string> TableNames() override;
    std::unique_ptr<TDriverTable> OpenTable(const std::string& tableName, bool exclusive) override;

private:
    std::filesystem::path m_folder;
};

}  // namespace dbaccess::dbase
