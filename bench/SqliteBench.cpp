// SQLite into SQLite, against SQLite's own INSERT ... SELECT on the same data.
#include <sqlite3.h>

#include <stdexcept>

#include "BenchSupport.h"

namespace bench {

namespace {

namespace fs = std::filesystem;

void Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

// One connection for the benchmark's own statements, closed when it goes.
class TFile {
public:
    explicit TFile(const fs::path& path) {
        if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(m_db));
    }
    ~TFile() { sqlite3_close(m_db); }
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;
    void Exec(const std::string& sql) { bench::Exec(m_db, sql); }
    long Count(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(m_db));
        }
        sqlite3_step(statement);
        long count = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        return count;
    }

private:
    sqlite3* m_db = nullptr;
};

void MakeDestination(const fs::path& path) {
    fs::remove(path);
    TFile(path).Exec(std::string("CREATE TABLE dst ") + kSqliteShape);
}

}  // namespace

void RunSqlite(const TOptions& options, const fs::path& source) {
    const fs::path ours = options.folder / "destino.db";
    const fs::path reference = options.folder / "referencia.db";

    // Each run starts from a new, empty destination file; the best of the runs
    // counts, alternating the two so neither has the warmer caches.
    TTiming timing;
    double referenceSeconds = 1e300;
    for (int run = 0; run < options.repeat; ++run) {
        MakeDestination(reference);
        {
            TFile file(reference);
            file.Exec("ATTACH DATABASE '" + source.string() + "' AS origem");
            double start = Now();
            file.Exec("BEGIN; INSERT INTO dst SELECT * FROM origem.src; COMMIT");
            referenceSeconds = std::min(referenceSeconds, SecondsSince(start));
        }
        MakeDestination(ours);
        TimeCopy("ORIGEM", "DESTINO", {}, timing);
    }

    TFile file(ours);
    file.Exec("ATTACH DATABASE '" + reference.string() + "' AS referencia");
    long oursRows = file.Count("SELECT count(*) FROM dst");
    long referenceRows = file.Count("SELECT count(*) FROM referencia.dst");
    long differing = file.Count("SELECT count(*) FROM (SELECT * FROM dst EXCEPT SELECT * FROM referencia.dst)");
    if (oursRows != options.rows || referenceRows != options.rows || differing != 0) {
        throw std::runtime_error("the SQLite destinations differ: " + std::to_string(oursRows) + " and " +
                                 std::to_string(referenceRows) + " rows, " + std::to_string(differing) + " differing");
    }
    PrintResult("sqlite-to-sqlite", options.rows, timing, referenceSeconds, "INSERT INTO dst SELECT * FROM src");
}

// The source rows: about 20 characters of name and 60 of notes, a date, numbers.
void BuildSqliteSource(const fs::path& path, long rows) {
    fs::remove(path);
    TFile(path).Exec(std::string("CREATE TABLE src ") + kSqliteShape +
                     ";"
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                     std::to_string(rows) +
                     ") "
                     "INSERT INTO src SELECT i, i % 1000, i * 0.25, 'Cliente número ' || i, "
                     "'Observações do pedido ' || i || ' com texto de enchimento para sessenta', "
                     "date('2000-01-01', '+' || (i % 9000) || ' days') FROM n");
}

}  // namespace bench
