#include "TestSupport.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <fstream>
#include <stdexcept>

#include "dbaccess/Engine.h"

namespace testsupport {

TTempDir::TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "traslado-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void UseAliases(const std::filesystem::path& file, const std::string& iniText) {
    std::ofstream(file, std::ios::binary) << iniText;
    setenv("TRASLADO_ALIASES", file.c_str(), 1);
    dbaccess::Engine().Stop();
}

TSqliteFile::TSqliteFile(const std::filesystem::path& path) {
    if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(m_db));
}

TSqliteFile::~TSqliteFile() {
    sqlite3_close(m_db);
}

void TSqliteFile::Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(message + " in: " + sql);
    }
}

std::vector<std::vector<std::string>> TSqliteFile::Query(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
    }
    std::vector<std::vector<std::string>> rows;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            switch (sqlite3_column_type(statement, i)) {
                case SQLITE_NULL:
                    row.emplace_back("NULL");
                    break;
                case SQLITE_BLOB: {
                    static const char* hex = "0123456789abcdef";
                    const auto* bytes = static_cast<const unsigned char*>(sqlite3_column_blob(statement, i));
                    std::string text = "x'";
                    for (int b = 0; b < sqlite3_column_bytes(statement, i); ++b) {
                        text += hex[bytes[b] >> 4];
                        text += hex[bytes[b] & 15];
                    }
                    row.push_back(text + "'");
                    break;
                }
                default:
                    row.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)),
                                     static_cast<std::size_t>(sqlite3_column_bytes(statement, i)));
            }
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    return rows;
}

std::string TSqliteFile::Scalar(const std::string& sql) {
    auto rows = Query(sql);
    if (rows.size() != 1 || rows[0].size() != 1) throw std::runtime_error("not one value: " + sql);
    return rows[0][0];
}

}  // namespace testsupport
