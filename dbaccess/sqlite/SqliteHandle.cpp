#include "SqliteHandle.h"

#include <sqlite3.h>

#include <map>

#include "dbaccess/Errors.h"

namespace dbaccess::sqlite {

namespace {
constexpr int kBusyTimeoutMs = 3000;

std::map<std::string, std::weak_ptr<TSqliteHandle>>& OpenFiles() {
    static std::map<std::string, std::weak_ptr<TSqliteHandle>> files;
    return files;
}
}  // namespace

static_assert(SQLITE_OK == 0 && SQLITE_ROW == 100 && SQLITE_DONE == 101);

void ThrowError(sqlite3* db, int rc, std::string_view what) {
    std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    if (!what.empty()) message += "\n" + std::string(what);
    throw EDatabaseError(message);
}

void TStatementDeleter::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

std::shared_ptr<TSqliteHandle> TSqliteHandle::Open(const std::filesystem::path& path) {
    std::error_code error;
    auto canonical = std::filesystem::canonical(path, error);
    if (error || !std::filesystem::is_regular_file(canonical, error)) {
        throw EDatabaseError("O arquivo de banco de dados '" + path.string() + "' não existe");
    }
    std::string key = canonical.string();
    if (auto shared = OpenFiles()[key].lock()) return shared;

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(key.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    std::shared_ptr<TSqliteHandle> handle(new TSqliteHandle(db, key));
    if (rc != SQLITE_OK) {
        throw EDatabaseError("Não é possível abrir o banco de dados '" + path.string() +
                             "': " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    // Opening is lazy in SQLite: reading the schema tells a database from another file.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        throw EDatabaseError("Não é possível abrir o banco de dados '" + path.string() + "': " + sqlite3_errmsg(db));
    }
    OpenFiles()[key] = handle;
    return handle;
}

TSqliteHandle::~TSqliteHandle() {
    if (auto found = OpenFiles().find(m_path); found != OpenFiles().end() && found->second.expired()) {
        OpenFiles().erase(found);
    }
    sqlite3_close_v2(m_db);
}

TStatement TSqliteHandle::Prepare(std::string_view sql) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v3(m_db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement,
                                nullptr);
    TStatement owned(statement);
    check(m_db, rc, {});
    return owned;
}

void TSqliteHandle::Execute(std::string_view sql) {
    check(m_db, sqlite3_exec(m_db, std::string(sql).c_str(), nullptr, nullptr, nullptr), {});
}

}  // namespace dbaccess::sqlite
