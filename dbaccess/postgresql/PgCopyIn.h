#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "PgCatalog.h"
#include "PgSession.h"
#include "dbaccess/Variant.h"

namespace dbaccess::postgresql {

// Inserts rows into one table through COPY ... FROM STDIN, so that rows go out
// without waiting for the server row by row. One copy runs per set of written
// columns; a row that writes another set ends it and starts the next.
//
// A column without a default gets null whether it is written or not, so it is
// always in the copy (as \N when unwritten); only the columns with defaults make
// two rows' sets differ. Read-only columns are never written.
class TPgCopyIn : private TPgStream {
public:
    TPgCopyIn(std::shared_ptr<TPgSession> session, std::string qualifiedName, const std::vector<TPgColumn>& columns);
    // Ends an open copy, so that its rows stay in the transaction; a refusal then
    // is left to the commit, which the server turns into a roll-back.
    ~TPgCopyIn();
    TPgCopyIn(const TPgCopyIn&) = delete;
    TPgCopyIn& operator=(const TPgCopyIn&) = delete;

    // Sends one row: the columns flagged in `assigned` take their value from `row`.
    // Fails with the server's text when it has already refused an earlier row.
    void Insert(const std::vector<char>& assigned, const std::vector<TVariant>& row);
    // Ends the open copy; fails with the server's text when it refused a row.
    void Finish();

private:
    void Yield() override;
    void Discard() override;
    void Begin();
    void SendBuffer();
    void End();
    void ThrowRefusal();

    std::shared_ptr<TPgSession> m_session;
    std::string m_qualifiedName;
    const std::vector<TPgColumn>& m_columns;
    std::vector<char> m_written;  // the columns of the open copy, or of the next one
    bool m_open = false;
    std::string m_buffer;                  // rows not yet handed to libpq
    std::optional<std::string> m_refusal;  // a refusal found while yielding, for the next call
};

}  // namespace dbaccess::postgresql
