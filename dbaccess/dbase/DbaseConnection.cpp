#include "DbaseConnection.h"

#include "DbaseFolder.h"
#include "DbaseMessages.h"
#include "DbaseTable.h"
#include "dbaccess/Messages.h"

namespace dbaccess::dbase {

void TDbaseConnection::StartTransaction() {
    throw EDatabaseError(msg::kNoTransactions);
}

void TDbaseConnection::Commit() {
    throw EDatabaseError(dbaccess::msg::kNoTransaction);
}

std::vector<std::string> TDbaseConnection::TableNames() {
    return dbase::TableNames(m_folder);
}

std::unique_ptr<TDriverTable> TDbaseConnection::OpenTable(const std::string& tableName, bool exclusive) {
    return std::make_unique<TDbaseTable>(m_folder, tableName, exclusive);
}

}  // namespace dbaccess::dbase
