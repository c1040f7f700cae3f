// Measures the copy run against SQLite's own INSERT ... SELECT on the same data.
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "copy/CopyRun.h"
#include "dbaccess/Database.h"
#include "dbaccess/Engine.h"
#include "dbaccess/Table.h"
#include "dbaccess/drivers/Drivers.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kShape =
    "(id INTEGER PRIMARY KEY, qtd INT, preco DOUBLE, nome VARCHAR(40), obs TEXT, quando DATE)";

struct TOptions {
    long rows = 1000000;
    int repeat = 3;
    fs::path folder;
};

void Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

sqlite3* OpenFile(const fs::path& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(db));
    return db;
}

void MakeFile(const fs::path& path, const std::string& sql) {
    sqlite3* db = OpenFile(path);
    Exec(db, sql);
    sqlite3_close(db);
}

// The source rows: about 20 characters of name and 60 of notes, a date, numbers.
void BuildSource(const fs::path& path, long rows) {
    MakeFile(path, std::string("CREATE TABLE src ") + kShape +
                       ";"
                       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                       std::to_string(rows) +
                       ") "
                       "INSERT INTO src SELECT i, i % 1000, i * 0.25, 'Cliente número ' || i, "
                       "'Observações do pedido ' || i || ' com texto de enchimento para sessenta', "
                       "date('2000-01-01', '+' || (i % 9000) || ' days') FROM n");
}

long PeakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return 0;
}

void ResetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The copy run exactly as the dialog drives it, with a message box that prints.
class TBenchView : public copy::TCopyView {
public:
    dbaccess::TDatabase DbOri{"DbOri", "BancoOri"};
    dbaccess::TDatabase DbDes{"DbDes", "BancoDes"};
    dbaccess::TTable TabOri{"TabOri", "BancoOri"};
    dbaccess::TTable TabDes{"TabDes", "BancoDes"};
    std::string lastMessage;

    void ShowMessage(const std::string& text) override { lastMessage = text; }
    void FocusCopyButton() override {}
    std::string TableText(copy::TSide side) override { return side == copy::sdOri ? "src" : "dst"; }
    dbaccess::TDatabase& Database(copy::TSide side) override { return side == copy::sdOri ? DbOri : DbDes; }
    dbaccess::TTable& Table(copy::TSide side) override { return side == copy::sdOri ? TabOri : TabDes; }
};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

TOptions ParseOptions(int argc, char** argv) {
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--rows" && i + 1 < argc) {
            options.rows = std::atol(argv[++i]);
        } else if (arg == "--repeat" && i + 1 < argc) {
            options.repeat = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--dir" && i + 1 < argc) {
            options.folder = argv[++i];
        } else {
            std::fprintf(stderr, "usage: traslado-bench [--rows N] [--repeat K] [--dir FOLDER]\n");
            std::exit(2);
        }
    }
    if (options.rows < 1) options.rows = 1;
    return options;
}

}  // namespace

int main(int argc, char** argv) try {
    TOptions options = ParseOptions(argc, argv);
    bool ownFolder = options.folder.empty();
    if (ownFolder) {
        std::string pattern = (fs::temp_directory_path() / "traslado-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        options.folder = pattern;
    }
    fs::create_directories(options.folder);
    const fs::path source = options.folder / "origem.db";
    const fs::path ours = options.folder / "destino.db";
    const fs::path reference = options.folder / "referencia.db";
    for (const auto& path : {source, ours, reference}) fs::remove(path);

    std::printf("building %ld source rows in %s\n", options.rows, options.folder.c_str());
    BuildSource(source, options.rows);

    fs::path aliases = options.folder / "aliases.ini";
    std::ofstream(aliases) << "[ORIGEM]\nTYPE=SQLITE\nPATH=" << source.string()
                           << "\n[DESTINO]\nTYPE=SQLITE\nPATH=" << ours.string() << "\n";
    setenv("TRASLADO_ALIASES", aliases.c_str(), 1);
    dbaccess::RegisterDrivers();

    // Each run starts from a new, empty destination file; the best of the runs
    // counts, alternating the two so neither has the warmer caches.
    double oursSeconds = 1e300;
    double referenceSeconds = 1e300;
    long peakKb = 0;
    for (int run = 0; run < options.repeat; ++run) {
        fs::remove(reference);
        MakeFile(reference, std::string("CREATE TABLE dst ") + kShape);
        {
            sqlite3* db = OpenFile(reference);
            Exec(db, "ATTACH DATABASE '" + source.string() + "' AS origem");
            auto start = std::chrono::steady_clock::now();
            Exec(db, "BEGIN; INSERT INTO dst SELECT * FROM origem.src; COMMIT");
            referenceSeconds = std::min(referenceSeconds, Seconds(start));
            sqlite3_close(db);
        }

        fs::remove(ours);
        MakeFile(ours, std::string("CREATE TABLE dst ") + kShape);
        TBenchView view;
        view.DbOri.SetAliasName("ORIGEM");
        view.DbOri.Open();
        view.DbDes.SetAliasName("DESTINO");
        view.DbDes.Open();
        ResetPeakResident();
        auto start = std::chrono::steady_clock::now();
        copy::RunCopy(view);
        oursSeconds = std::min(oursSeconds, Seconds(start));
        peakKb = std::max(peakKb, PeakResidentKb());
        if (view.lastMessage != "Cópia de dados executada com sucesso.") {
            throw std::runtime_error("the copy failed: " + view.lastMessage);
        }
    }

    {
        sqlite3* db = OpenFile(ours);
        Exec(db, "ATTACH DATABASE '" + reference.string() + "' AS referencia");
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT (SELECT count(*) FROM dst), (SELECT count(*) FROM referencia.dst), "
                           "(SELECT count(*) FROM (SELECT * FROM dst EXCEPT SELECT * FROM referencia.dst))",
                           -1, &statement, nullptr);
        sqlite3_step(statement);
        long oursRows = sqlite3_column_int64(statement, 0);
        long referenceRows = sqlite3_column_int64(statement, 1);
        long differing = sqlite3_column_int64(statement, 2);
        sqlite3_finalize(statement);
        sqlite3_close(db);
        if (oursRows != options.rows || referenceRows != options.rows || differing != 0) {
            throw std::runtime_error("the destinations differ: " + std::to_string(oursRows) + " and " +
                                     std::to_string(referenceRows) + " rows, " + std::to_string(differing) +
                                     " differing");
        }
    }

    double oursRate = options.rows / oursSeconds;
    double referenceRate = options.rows / referenceSeconds;
    std::printf("ours:      %.3f s, %.0f rows/s\n", oursSeconds, oursRate);
    std::printf("reference: %.3f s, %.0f rows/s (INSERT INTO dst SELECT * FROM src)\n", referenceSeconds,
                referenceRate);
    std::printf("sqlite-to-sqlite rows=%ld ours_rows_s=%.0f reference_rows_s=%.0f ratio=%.3f peak_rss_mb=%.1f\n",
                options.rows, oursRate, referenceRate, oursRate / referenceRate, peakKb / 1024.0);
    if (ownFolder) fs::remove_all(options.folder);
    return 0;
} catch (const std::exception& error) {
    std::fprintf(stderr, "traslado-bench: %s\n", error.what());
    return 1;
}
