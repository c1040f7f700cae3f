#include "SqliteDriver.h"

#include <sqlite3.h>

#include "SqliteConnection.h"
#include "dbaccess/Errors.h"
#include "dbaccess/Messages.h"

namespace dbaccess::sqlite {

namespace {

class TSqliteDriver : public TDriver {
public:
    std::unique_ptr<TDriverConnection> Connect(const TAlias& alias, const std::optional<TLogin>&) override {
        auto path = alias.Value("PATH");
        if (!path || path->empty()) throw EDatabaseError(Format(msg::kAliasNoEntry, {alias.name, "PATH"}));
        return std::make_unique<TSqliteConnection>(TSqliteHandle::Open(*path));
    }
};

}  // namespace

std::unique_ptr<TDriver> MakeSqliteDriver() {
    // Nothing here asks SQLite how much memory it holds; keeping the count
    // would lock a global mutex on every allocation, several per row copied.
    // It only takes effect before the library's first use, and is harmless after.
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    return std::make_unique<TSqliteDriver>();
}

}  // namespace dbaccess::sqlite
