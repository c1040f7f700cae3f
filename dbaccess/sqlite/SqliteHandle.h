#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "dbaccess/Text.h"  // QuoteIdentifier

struct sqlite3;
struct sqlite3_stmt;

namespace dbaccess::sqlite {

[[noreturn]] void ThrowError(sqlite3* db, int rc, std::string_view what);

// Turns an SQLite result code into the engine's failure, with the database's text.
// Inline, since every value written passes here.
inline void check(sqlite3* db, int rc, std::string_view what) {
    constexpr int kOk = 0, kRow = 100, kDone = 101;  // SQLITE_OK, SQLITE_ROW, SQLITE_DONE
    if (rc != kOk && rc != kRow && rc != kDone) ThrowError(db, rc, what);
}

struct TStatementDeleter {
    void operator()(sqlite3_stmt* statement) const;
};
using TStatement = std::unique_ptr<sqlite3_stmt, TStatementDeleter>;

// One open database file, shared by every connection of this process to the
// same file so that a copy between two of its tables never waits on itself.
class TSqliteHandle {
public:
    // Opens an existing database file; never creates one.
    static std::shared_ptr<TSqliteHandle> Open(const std::filesystem::path& path);
    ~TSqliteHandle();
    TSqliteHandle(const TSqliteHandle&) = delete;
    TSqliteHandle& operator=(const TSqliteHandle&) = delete;

    sqlite3* Db() const { return m_db; }
    const std::string& CanonicalPath() const { return m_path; }
    TStatement Prepare(std::string_view sql);
    void Execute(std::string_view sql);

    // The connection object whose transaction is active on this file, if any.
    const void* TransactionOwner = nullptr;

private:
    TSqliteHandle(sqlite3* db, std::string path) : m_db(db), m_path(std::move(path)) {}
    sqlite3* m_db;
    std::string m_path;
};

}  // namespace dbaccess::sqlite
