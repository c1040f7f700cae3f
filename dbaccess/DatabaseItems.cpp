#include "DatabaseItems.h"

#include "Engine.h"
#include "Errors.h"
#include "Messages.h"

namespace dbaccess {

const std::string& TNameList::Value(int column) const {
    static const std::string kNone;
    if (column != 0 || Eof()) return kNone;
    return m_names[m_position];
}

void TNameList::Fill(std::vector<std::string> names) {
    m_names = std::move(names);
    m_position = 0;
    m_active = true;
}

void TNameList::Clear() {
    m_names.clear();
    m_position = 0;
    m_active = false;
}

void TBDEItems::Open() {
    if (Active()) return;
    std::vector<std::string> names;
    for (const auto& alias : Engine().Config().Aliases()) names.push_back(alias.name);
    Fill(std::move(names));
}

TDatabaseItems::TDatabaseItems(std::string name, std::string databaseName)
    : m_name(std::move(name)), m_databaseName(std::move(databaseName)) {}

TDatabaseItems::~TDatabaseItems() {
    Close();
}

void TDatabaseItems::Open() {
    if (Active()) return;
    TDatabase* database = Engine().FindDatabase(m_databaseName);
    if (!database) throw EDatabaseError(m_name + ": " + Format(msg::kDatabaseNotFound, {m_databaseName}));
    Fill(database->Connection().TableNames());
    m_database = database;
    database->Attach(*this);
}

void TDatabaseItems::Close() {
    if (m_database) m_database->Detach(*this);
    m_database = nullptr;
    Clear();
}

}  // namespace dbaccess
