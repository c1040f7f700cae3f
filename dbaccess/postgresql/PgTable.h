#pragma once

#include <memory>
#include <string>
#include <vector>

#include "PgCatalog.h"
#include "PgCopyIn.h"
#include "PgReader.h"
#include "PgSession.h"
#include "dbaccess/Driver.h"
#include "dbaccess/ExclusiveUse.h"

namespace dbaccess::postgresql {

// A table on the server: rows stream in primary key order (in storage order
// without one), and new rows go out through a copy stream.
class TPgTable : public TDriverTable {
public:
    // Resolves the name as ResolveTable does; fails when there is no such table
    // or it is already open for exclusive use in this process.
    TPgTable(std::shared_ptr<TPgSession> session, const std::string& tableName, bool exclusive);

    const std::vector<TFieldDef>& FieldDefs() const override { return m_defs; }
    void First() override;
    void Next() override { m_reader->Next(); }
    bool Eof() const override { return m_reader->Eof(); }
    bool IsNull(int column) override { return m_reader->IsNull(column); }
    void Read(int column, TVariant& out) override;
    // DELETE, so that it belongs to the transaction and the server checks the
    // tables that refer to this one.
    void Empty() override;
    void Insert(const std::vector<char>& assigned, const std::vector<TVariant>& row) override;
    void Flush() override { m_writer->Finish(); }

private:
    std::shared_ptr<TPgSession> m_session;
    TPgTableRef m_table;
    TExclusiveLock m_lock;
    std::vector<TPgColumn> m_columns;
    std::vector<TFieldDef> m_defs;
    // Reading starts on first use, which may be a look at Eof.
    std::unique_ptr<TPgReader> m_reader;
    std::unique_ptr<TPgCopyIn> m_writer;
};

}  // namespace dbaccess::postgresql
