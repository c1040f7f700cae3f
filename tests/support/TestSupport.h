#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct sqlite3;

namespace testsupport {

// A fresh folder, removed with everything in it when the object goes.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// Writes the alias configuration, points TRASLADO_ALIASES at it and makes the
// engine read it afresh.
void UseAliases(const std::filesystem::path& file, const std::string& iniText);

// An SQLite file for fixtures, created when missing; statements run directly,
// outside the engine under test.
class TSqliteFile {
public:
    explicit TSqliteFile(const std::filesystem::path& path);
    ~TSqliteFile();
    TSqliteFile(const TSqliteFile&) = delete;
    TSqliteFile& operator=(const TSqliteFile&) = delete;

    void Exec(const std::string& sql);
    // Every row as text, "NULL" for a null, blobs as hex "x'..'", in query order.
    std::vector<std::vector<std::string>> Query(const std::string& sql);
    // The single value of a one-row, one-column query, as Query gives it.
    std::string Scalar(const std::string& sql);

private:
    sqlite3* m_db = nullptr;
};

}  // namespace testsupport
