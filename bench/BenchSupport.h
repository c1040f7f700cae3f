#pragma once

#include <filesystem>
#include <string>

namespace bench {

// The same shape on every database: an integer key, an integer, a float, a
// VARCHAR(40) of about 20 characters, a TEXT of about 60 and a DATE.
inline constexpr const char* kSqliteShape =
    "(id INTEGER PRIMARY KEY, qtd INT, preco DOUBLE, nome VARCHAR(40), obs TEXT, quando DATE)";
inline constexpr const char* kPostgresShape =
    "(id integer PRIMARY KEY, qtd integer, preco double precision, nome varchar(40), obs text, quando date)";

struct TOptions {
    long rows = 1000000;
    int repeat = 3;
    std::filesystem::path folder;
    std::string pgConninfo;  // empty: no PostgreSQL runs
};

struct TTiming {
    double seconds = 1e300;  // the best run
    long peakKb = 0;         // the largest peak of the copy's resident memory
};

// Runs the copy command from table "src" of one alias into table "dst" of
// another, as the dialog does, and keeps the best time; fails when the copy
// does not end with its success message. `password` answers a login.
void TimeCopy(const std::string& sourceAlias, const std::string& destinationAlias, const std::string& password,
              TTiming& timing);

double SecondsSince(double start);
double Now();

// Prints the figures and the closing line "<name> rows=N ours_rows_s=... ratio=...".
void PrintResult(const std::string& name, long rows, const TTiming& ours, double referenceSeconds,
                 const std::string& reference);

// Makes the SQLite source table "src" of `rows` rows.
void BuildSqliteSource(const std::filesystem::path& path, long rows);
// The SQLite run; leaves the source file in the folder for the other runs.
void RunSqlite(const TOptions& options, const std::filesystem::path& source);
// The PostgreSQL runs, on the server of options.pgConninfo; SQLite's source
// is the one RunSqlite used, through the alias ORIGEM.
void RunPostgres(const TOptions& options);

}  // namespace bench
