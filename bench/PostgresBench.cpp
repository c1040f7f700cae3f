// Into PostgreSQL, from PostgreSQL and from SQLite, against psql's
// COPY src TO STDOUT piped into COPY dst FROM STDIN on the same server.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "BenchSupport.h"
#include "dbaccess/Engine.h"

namespace bench {

namespace {

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// psql on the benchmark's server; fails when it does.
class TPsql {
public:
    explicit TPsql(std::string conninfo) : m_command("psql -X -q -v ON_ERROR_STOP=1 " + ShellQuoted(conninfo)) {}

    void Exec(const std::string& sql) const { Run(m_command + " -c " + ShellQuoted(sql) + " >/dev/null"); }

    long Count(const std::string& sql) const {
        std::string command = m_command + " -At -c " + ShellQuoted(sql);
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) throw std::runtime_error("cannot run psql");
        char buffer[64] = {};
        bool read = std::fgets(buffer, sizeof buffer, pipe) != nullptr;
        if (pclose(pipe) != 0 || !read) throw std::runtime_error("psql failed: " + sql);
        return std::atol(buffer);
    }

    // The reference: one psql writes the source as COPY text, another reads it.
    void CopyPipe(const std::string& source, const std::string& destination) const {
        Run(m_command + " -c " + ShellQuoted("COPY " + source + " TO STDOUT") + " | " + m_command + " -c " +
            ShellQuoted("COPY " + destination + " FROM STDIN") + " >/dev/null");
    }

private:
    static void Run(const std::string& command) {
        if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
    }
    std::string m_command;
};

// The parts of a key=value connection string, as the alias configuration wants them.
std::map<std::string, std::string> ConninfoParts(const std::string& conninfo) {
    std::map<std::string, std::string> parts;
    std::istringstream words(conninfo);
    std::string word;
    while (words >> word) {
        auto equals = word.find('=');
        if (equals == std::string::npos) throw std::runtime_error("--pg wants key=value pairs: " + word);
        parts[word.substr(0, equals)] = word.substr(equals + 1);
    }
    return parts;
}

void Compare(const TPsql& psql, long rows, const std::string& what) {
    long ours = psql.Count("SELECT count(*) FROM dst");
    long reference = psql.Count("SELECT count(*) FROM dst_ref");
    long differing = psql.Count(
        "SELECT count(*) FROM ((SELECT * FROM dst EXCEPT ALL SELECT * FROM dst_ref) UNION ALL "
        "(SELECT * FROM dst_ref EXCEPT ALL SELECT * FROM dst)) AS d");
    if (ours != rows || reference != rows || differing != 0) {
        throw std::runtime_error(what + ": the destinations differ: " + std::to_string(ours) + " and " +
                                 std::to_string(reference) + " rows, " + std::to_string(differing) + " differing");
    }
}

}  // namespace

void RunPostgres(const TOptions& options) {
    TPsql psql(options.pgConninfo);
    auto parts = ConninfoParts(options.pgConninfo);
    const std::string rows = std::to_string(options.rows);
    psql.Exec(
        std::string("SET client_min_messages = warning; DROP TABLE IF EXISTS src, dst, dst_ref; CREATE TABLE src ") +
        kPostgresShape + "; CREATE TABLE dst " + kPostgresShape + "; CREATE TABLE dst_ref " + kPostgresShape +
        "; INSERT INTO src SELECT i, i % 1000, i * 0.25, 'Cliente número ' || i, "
        "'Observações do pedido ' || i || ' com texto de enchimento para sessenta', "
        "date '2000-01-01' + (i % 9000) FROM generate_series(1, " +
        rows + ") AS i");
    psql.Exec("VACUUM ANALYZE src");

    // The alias that reaches the same server the way the user's configuration would.
    std::ofstream aliases(options.folder / "aliases.ini", std::ios::app);
    aliases << "[PG]\nTYPE=POSTGRESQL\n";
    if (parts.count("host")) aliases << "SERVER NAME=" << parts["host"] << "\n";
    if (parts.count("port")) aliases << "PORT=" << parts["port"] << "\n";
    if (parts.count("dbname")) aliases << "DATABASE NAME=" << parts["dbname"] << "\n";
    if (parts.count("user")) aliases << "USER NAME=" << parts["user"] << "\n";
    aliases.close();
    dbaccess::Engine().Stop();  // read the configuration again, with the new alias

    double referenceSeconds = 1e300;
    for (int run = 0; run < options.repeat; ++run) {
        psql.Exec("TRUNCATE dst_ref");
        double start = Now();
        psql.CopyPipe("src", "dst_ref");
        referenceSeconds = std::min(referenceSeconds, SecondsSince(start));
    }

    struct TRun {
        const char* name;
        const char* sourceAlias;
    };
    for (TRun run : {TRun{"postgresql-to-postgresql", "PG"}, TRun{"sqlite-to-postgresql", "ORIGEM"}}) {
        TTiming timing;
        for (int attempt = 0; attempt < options.repeat; ++attempt) {
            psql.Exec("TRUNCATE dst");
            TimeCopy(run.sourceAlias, "PG", parts["password"], timing);
        }
        Compare(psql, options.rows, run.name);
        PrintResult(run.name, options.rows, timing, referenceSeconds,
                    "psql COPY src TO STDOUT | psql COPY dst FROM STDIN");
    }
}

}  // namespace bench
