// The copy benchmark: rows per second of the copy run and of each database's
// own bulk copy on the same data, and their ratio.
#include <stdlib.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "BenchSupport.h"
#include "dbaccess/drivers/Drivers.h"

namespace {

namespace fs = std::filesystem;

bench::TOptions ParseOptions(int argc, char** argv) {
    bench::TOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--rows" && i + 1 < argc) {
            options.rows = std::atol(argv[++i]);
        } else if (arg == "--repeat" && i + 1 < argc) {
            options.repeat = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--dir" && i + 1 < argc) {
            options.folder = argv[++i];
        } else if (arg == "--pg" && i + 1 < argc) {
            options.pgConninfo = argv[++i];
        } else {
            std::fprintf(stderr, "usage: traslado-bench [--rows N] [--repeat K] [--dir FOLDER] [--pg CONNINFO]\n");
            std::exit(2);
        }
    }
    if (options.rows < 1) options.rows = 1;
    return options;
}

}  // namespace

int main(int argc, char** argv) try {
    bench::TOptions options = ParseOptions(argc, argv);
    bool ownFolder = options.folder.empty();
    if (ownFolder) {
        std::string pattern = (fs::temp_directory_path() / "traslado-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        options.folder = pattern;
    }
    // Before any use of SQLite, so the engine's library settings take effect.
    dbaccess::RegisterDrivers();
    fs::create_directories(options.folder);
    const fs::path source = options.folder / "origem.db";
    std::printf("building %ld source rows in %s\n", options.rows, options.folder.c_str());
    bench::BuildSqliteSource(source, options.rows);

    const fs::path aliases = options.folder / "aliases.ini";
    std::ofstream(aliases) << "[ORIGEM]\nTYPE=SQLITE\nPATH=" << source.string()
                           << "\n[DESTINO]\nTYPE=SQLITE\nPATH=" << (options.folder / "destino.db").string() << "\n";
    setenv("TRASLADO_ALIASES", aliases.c_str(), 1);

    bench::RunSqlite(options, source);
    if (!options.pgConninfo.empty()) bench::RunPostgres(options);
    if (ownFolder) fs::remove_all(options.folder);
    return 0;
} catch (const std::exception& error) {
    std::fprintf(stderr, "traslado-bench: %s\n", error.what());
    return 1;
}
