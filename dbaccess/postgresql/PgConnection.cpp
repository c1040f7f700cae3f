#include "PgConnection.h"

#include "PgCatalog.h"
#include "PgTable.h"

namespace dbaccess::postgresql {

std::vector<std::string> TPgConnection::TableNames() {
    return VisibleTableNames(*m_session);
}

std::unique_ptr<TDriverTable> TPgConnection::OpenTable(const std::string& tableName, bool exclusive) {
    return std::make_unique<TPgTable>(m_session, tableName, exclusive);
}

}  // namespace dbaccess::postgresql
