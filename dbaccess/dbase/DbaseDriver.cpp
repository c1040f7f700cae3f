#include "DbaseDriver.h"

#include <filesystem>

#include "DbaseConnection.h"
#include "DbaseMessages.h"
#include "dbaccess/Messages.h"

namespace dbaccess::dbase {

namespace {

class TDbaseDriver : public TDriver {
public:
    std::unique_ptr<TDriverConnection> Connect(const TAlias& alias, const std::optional<TLogin>&) override {
        auto path = alias.Value("PATH");
        if (!path || path->empty()) throw EDatabaseError(Format(dbaccess::msg::kAliasNoEntry, {alias.name, "PATH"}));
        std::error_code error;
        if (!std::filesystem::is_directory(*path, error)) {
            throw EDatabaseError(Format(msg::kFolderMissing, {*path, alias.name}));
        }
        return std::make_unique<TDbaseConnection>(*path);
    }
};

}  // namespace

std::unique_ptr<TDriver> MakeDbaseDriver() {
    return std::make_unique<TDbaseDriver>();
}

}  // namespace dbaccess::dbase
