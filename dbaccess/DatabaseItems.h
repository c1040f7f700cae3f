#pragma once

#include <string>
#include <vector>

#include "Database.h"

namespace dbaccess {

// A list of names read when it opens, walked with First, Next and Eof.
class TNameList {
public:
    bool Active() const { return m_active; }
    void First() { m_position = 0; }
    void Next() {
        if (m_position < m_names.size()) ++m_position;
    }
    bool Eof() const { return m_position >= m_names.size(); }
    // Column 0 of the current row: the name.
    const std::string& Value(int column = 0) const;

protected:
    void Fill(std::vector<std::string> names);
    void Clear();

private:
    bool m_active = false;
    std::vector<std::string> m_names;
    std::size_t m_position = 0;
};

// The engine's aliases, in the configuration's order.
class TBDEItems : public TNameList {
public:
    // Starts the engine; fails with its start-up text.
    void Open();
    void Close() { Clear(); }
};

// The ordinary tables of the connection named by DatabaseName.
class TDatabaseItems : public TNameList, private TDataSetLink {
public:
    TDatabaseItems(std::string name, std::string databaseName);
    ~TDatabaseItems();
    TDatabaseItems(const TDatabaseItems&) = delete;
    TDatabaseItems& operator=(const TDatabaseItems&) = delete;

    const std::string& Name() const { return m_name; }
    // Reads the table names afresh; connects the database first when needed.
    void Open();
    void Close();

private:
    void DatabaseClosing() override { Close(); }

    std::string m_name;
    std::string m_databaseName;
    TDatabase* m_database = nullptr;  // while open
};

}  // namespace dbaccess
