#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "SqliteHandle.h"
#include "dbaccess/Driver.h"
#include "dbaccess/ExclusiveUse.h"

namespace dbaccess::sqlite {

// A table of an SQLite file: a streaming SELECT in primary key order, and
// INSERT statements prepared once per set of written columns.
class TSqliteTable : public TDriverTable {
public:
    // Resolves the name exactly, else without regard to case; fails when there
    // is no such table or it is already open for exclusive use.
    TSqliteTable(std::shared_ptr<TSqliteHandle> handle, const std::string& tableName, bool exclusive);

    const std::vector<TFieldDef>& FieldDefs() const override { return m_defs; }
    void First() override;
    void Next() override;
    bool Eof() const override { return m_eof; }
    bool IsNull(int column) override;
    void Read(int column, TVariant& out) override;
    void Empty() override;
    void Insert(const std::vector<char>& assigned, const std::vector<TVariant>& row) override;

private:
    struct TInsert {
        std::vector<char> assigned;
        TStatement statement;
    };

    std::string ResolveName(const std::string& tableName);
    void ReadColumns();
    void Step();
    void StopReading();
    sqlite3_stmt* InsertFor(const std::vector<char>& assigned);
    [[noreturn]] void BadValue(int column) const;

    std::shared_ptr<TSqliteHandle> m_handle;
    std::string m_name;
    std::vector<TFieldDef> m_defs;
    std::vector<std::string> m_declaredTypes;
    TExclusiveLock m_lock;
    TStatement m_select;
    bool m_eof = true;
    std::vector<char> m_textColumns;                              // columns read as text, by column
    std::vector<std::array<char, kDateTimeTextMax>> m_dateTexts;  // bound date texts, by column
    std::vector<TInsert> m_inserts;
    TInsert* m_lastInsert = nullptr;
};

}  // namespace dbaccess::sqlite
