#include "SqliteDriver.h"

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
    return std::make_unique<TSqliteDriver>();
}

}  // namespace dbaccess::sqlite
