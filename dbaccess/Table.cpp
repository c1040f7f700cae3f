#include "Table.h"

#include <set>

#include "Engine.h"
#include "Errors.h"
#include "Messages.h"
#include "Text.h"

namespace dbaccess {

TTable::TTable(std::string name, std::string databaseName)
    : m_name(std::move(name)), m_databaseName(std::move(databaseName)) {}

TTable::~TTable() {
    Close();
}

void TTable::SetTableName(const std::string& tableName) {
    if (Active()) throw EDatabaseError(m_name + ": " + msg::kTableOpen);
    m_tableName = tableName;
}

TDataSetState TTable::State() const {
    if (!Active()) return dsInactive;
    return m_appending ? dsInsert : dsBrowse;
}

TDatabase& TTable::Database() const {
    TDatabase* database = Engine().FindDatabase(m_databaseName);
    if (!database) throw EDatabaseError(m_name + ": " + Format(msg::kDatabaseNotFound, {m_databaseName}));
    return *database;
}

void TTable::Open() {
    if (Active()) return;
    if (m_tableName.empty()) throw EDatabaseError(m_name + ": " + msg::kNoTableName);
    TDatabase& database = Database();
    auto cursor = database.Connection().OpenTable(m_tableName, Exclusive);

    // Names are unique without regard to case: a later duplicate gets a suffix
    // that no column of the table has as its own name.
    std::vector<std::unique_ptr<TField>> fields;
    const auto& defs = cursor->FieldDefs();
    std::set<std::string> ownNames;
    for (const auto& def : defs) ownNames.insert(CaseKey(def.name));
    std::set<std::string> used;
    for (std::size_t i = 0; i < defs.size(); ++i) {
        TFieldDef def = defs[i];
        if (!used.insert(CaseKey(def.name)).second) {
            const std::string base = def.name;
            for (int suffix = 1;; ++suffix) {
                def.name = base + "_" + std::to_string(suffix);
                std::string key = CaseKey(def.name);
                if (!ownNames.count(key) && used.insert(key).second) break;
            }
        }
        fields.push_back(std::make_unique<TField>(*this, static_cast<int>(i), std::move(def)));
    }
    m_cursor = std::move(cursor);
    m_fields = std::move(fields);
    m_row.assign(m_fields.size(), TVariant{});
    m_assigned.assign(m_fields.size(), 0);
    m_appending = false;
    ++m_rowNumber;
    m_database = &database;
    database.Attach(*this);
}

void TTable::Close() {
    if (!Active()) return;
    m_database->Detach(*this);
    m_database = nullptr;
    m_appending = false;
    m_fields.clear();
    m_cursor.reset();
    m_row.clear();
    m_assigned.clear();
}

void TTable::CheckActive() const {
    if (!Active()) throw EDatabaseError(m_name + ": " + msg::kTableClosed);
}

void TTable::First() {
    CheckActive();
    m_appending = false;
    ++m_rowNumber;
    m_cursor->First();
}

void TTable::Next() {
    CheckActive();
    m_appending = false;
    ++m_rowNumber;
    m_cursor->Next();
}

bool TTable::Eof() const {
    CheckActive();
    return m_cursor->Eof();
}

TField* TTable::FindField(std::string_view fieldName) {
    for (auto& field : m_fields) {
        if (SameText(field->FieldName(), fieldName)) return field.get();
    }
    return nullptr;
}

void TTable::EmptyTable() {
    CheckActive();
    m_appending = false;
    ++m_rowNumber;
    m_cursor->Empty();
}

void TTable::Append() {
    CheckActive();
    // Values stay in place so their buffers are reused; only the flags say what is written.
    std::fill(m_assigned.begin(), m_assigned.end(), 0);
    m_appending = true;
}

void TTable::Post() {
    CheckActive();
    if (!m_appending) throw EDatabaseError(m_name + ": " + msg::kNotEditing);
    for (auto& field : m_fields) {
        if (field->Required() && !field->ReadOnly() && field->IsNull()) {
            throw EDatabaseError(Format(msg::kFieldRequired, {field->FieldName()}));
        }
    }
    m_cursor->Insert(m_assigned, m_row);
    m_appending = false;
    ++m_rowNumber;
}

void TTable::FlushWrites() {
    m_cursor->Flush();
}

}  // namespace dbaccess
