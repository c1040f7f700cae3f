#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Database.h"
#include "Driver.h"
#include "ExclusiveUse.h"
#include "Field.h"

namespace dbaccess {

enum TDataSetState { dsInactive, dsBrowse, dsInsert };

// A table of the connection named by DatabaseName: a cursor over its rows, its
// fields, and the append and post of new rows.
class TTable : private TDataSetLink {
public:
    // `name` is the component's name ("TabDes"), used as the prefix of its failures.
    TTable(std::string name, std::string databaseName);
    ~TTable();
    TTable(const TTable&) = delete;
    TTable& operator=(const TTable&) = delete;

    const std::string& Name() const { return m_name; }
    const std::string& DatabaseName() const { return m_databaseName; }

    bool Exclusive = true;

    const std::string& TableName() const { return m_tableName; }
    // Only while closed.
    void SetTableName(const std::string& tableName);

    bool Active() const { return m_cursor != nullptr; }
    TDataSetState State() const;
    // Connects the database first when it is disconnected; stands on the first row.
    void Open();
    // Discards an unposted new row. Never fails.
    void Close();

    void First();
    void Next();
    bool Eof() const;

    int FieldCount() const { return static_cast<int>(m_fields.size()); }
    // In column order.
    TField& Fields(int index) { return *m_fields.at(static_cast<std::size_t>(index)); }
    // The first field whose name equals `fieldName` without regard to case, or null.
    TField* FindField(std::string_view fieldName);

    // Deletes every row of the open table; the table stays open.
    void EmptyTable();
    // Starts a new row whose fields are all unassigned; a pending row is discarded.
    void Append();
    // Checks that every Required field that is not ReadOnly holds a value
    // ("Campo '%s' deve ter um valor"), then inserts the row.
    void Post();

private:
    friend class TField;

    void DatabaseClosing() override { Close(); }
    void FlushWrites() override;
    TDatabase& Database() const;
    void CheckActive() const;

    std::string m_name;
    std::string m_databaseName;
    std::string m_tableName;
    TDatabase* m_database = nullptr;  // while open
    std::unique_ptr<TDriverTable> m_cursor;
    std::vector<std::unique_ptr<TField>> m_fields;
    bool m_appending = false;
    std::uint64_t m_rowNumber = 1;  // changes whenever the current row may have changed
    std::vector<TVariant> m_row;    // the new row, by column
    std::vector<char> m_assigned;   // which columns of the new row were written
};

}  // namespace dbaccess
