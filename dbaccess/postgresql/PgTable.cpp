#include "PgTable.h"

#include <algorithm>

#include "PgValues.h"

namespace dbaccess::postgresql {

namespace {

std::string SelectQuery(const TPgTableRef& table, const std::vector<TPgColumn>& columns) {
    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) sql += ", ";
        sql += SelectExpression(columns[i]);
    }
    sql += " FROM " + table.QualifiedName();
    std::vector<const TPgColumn*> key;
    for (const auto& column : columns) {
        if (column.keyPosition > 0) key.push_back(&column);
    }
    std::sort(key.begin(), key.end(),
              [](const TPgColumn* a, const TPgColumn* b) { return a->keyPosition < b->keyPosition; });
    for (std::size_t i = 0; i < key.size(); ++i) {
        sql += i == 0 ? " ORDER BY " : ", ";
        sql += QuoteIdentifier(key[i]->def.name);
    }
    return sql;
}

}  // namespace

TPgTable::TPgTable(std::shared_ptr<TPgSession> session, const std::string& tableName, bool exclusive)
    : m_session(std::move(session)), m_table(ResolveTable(*m_session, tableName)) {
    if (exclusive) {
        m_lock = TExclusiveLock::Acquire(
            "postgresql\n" + m_session->ServerKey() + "\n" + m_table.schema + "\n" + m_table.name, m_table.displayName);
    }
    m_columns = ReadColumns(*m_session, m_table);
    for (const auto& column : m_columns) m_defs.push_back(column.def);
    m_reader = std::make_unique<TPgReader>(m_session, SelectQuery(m_table, m_columns));
    m_writer = std::make_unique<TPgCopyIn>(m_session, m_table.QualifiedName(), m_columns);
}

void TPgTable::First() {
    m_writer->Finish();
    m_reader->Restart();
}

void TPgTable::Read(int column, TVariant& out) {
    if (m_reader->IsNull(column)) {
        out = TNull{};
        return;
    }
    DecodeValue(m_columns[static_cast<std::size_t>(column)], m_reader->Value(column), out);
}

void TPgTable::Empty() {
    m_writer->Finish();
    m_reader->Stop();
    m_session->Exec("DELETE FROM " + m_table.QualifiedName());
}

void TPgTable::Insert(const std::vector<char>& assigned, const std::vector<TVariant>& row) {
    m_reader->Stop();
    m_writer->Insert(assigned, row);
}

}  // namespace dbaccess::postgresql
