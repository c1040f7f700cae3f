#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "DbaseReader.h"
#include "dbaccess/Driver.h"
#include "dbaccess/ExclusiveUse.h"

namespace dbaccess::dbase {

// A dBASE table of a folder, open for reading. Exclusive use locks the file
// against a second open in this process and in others; the lock goes when
// the table does.
class TDbaseTable : public TDriverTable {
public:
    // Fails when the folder has no such table ("Tabela não encontrada: '%s'"),
    // when it is in use ("Tabela em uso: '%s'"), and naming the file when it
    // is damaged, its memo file is missing or its code page unknown.
    TDbaseTable(const std::filesystem::path& folder, const std::string& tableName, bool exclusive);

    const std::vector<TFieldDef>& FieldDefs() const override { return m_reader->FieldDefs(); }
    void First() override { m_reader->First(); }
    void Next() override { m_reader->Next(); }
    bool Eof() const override { return m_reader->Eof(); }
    bool IsNull(int column) override { return m_reader->IsNull(column); }
    void Read(int column, TVariant& out) override { m_reader->Read(column, out); }
    // The files are only read: both fail and leave them untouched.
    void Empty() override;
    void Insert(const std::vector<char>& assigned, const std::vector<TVariant>& row) override;

private:
    std::string m_name;
    TExclusiveLock m_lock;  // released after the reader has closed its files
    std::optional<TDbaseReader> m_reader;
};

}  // namespace dbaccess::dbase
