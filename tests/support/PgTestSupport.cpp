#include "PgTestSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace testsupport {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) {
        throw std::runtime_error(std::string(name) +
                                 " is not set: run the tests through scripts/test.sh, which starts the private "
                                 "PostgreSQL server (scripts/pg-server.sh)");
    }
    return value;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Unescape(std::string_view field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            text += field[i];
            continue;
        }
        switch (field[++i]) {
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            case 't':
                text += '\t';
                break;
            case 'b':
                text += '\b';
                break;
            case 'f':
                text += '\f';
                break;
            case 'v':
                text += '\v';
                break;
            default:
                text += field[i];
                break;
        }
    }
    return text;
}

}  // namespace

const TPgServer& TPgServer::Get() {
    static const TPgServer server = [] {
        TPgServer found{Variable("TRASLADO_PG_HOST"), Variable("TRASLADO_PG_PORT"), Variable("TRASLADO_PG_USER"),
                        Variable("TRASLADO_PG_PASSWORD")};
        setenv("PGUSER", found.user.c_str(), 1);
        setenv("PGPASSWORD", found.password.c_str(), 1);
        return found;
    }();
    return server;
}

std::string RunPsql(const std::string& database, const std::string& sql, const std::filesystem::path& scratch) {
    const TPgServer& server = TPgServer::Get();
    auto input = scratch / "input.sql";
    auto output = scratch / "output.txt";
    auto errors = scratch / "errors.txt";
    std::ofstream(input, std::ios::binary) << sql;

    std::vector<std::string> args = {"psql",        "-X", "-q",        "-A", "-t",        "-v", "ON_ERROR_STOP=1", "-h",
                                     server.host,   "-p", server.port, "-U", server.user, "-d", database,          "-f",
                                     input.string()};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, "psql", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot run psql");
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("psql failed: " + ReadFile(errors) + " in: " + sql);
    }
    return ReadFile(output);
}

TPgDatabase::TPgDatabase() {
    static std::atomic<int> counter{0};
    m_name = "traslado_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
    RunPsql("postgres", "CREATE DATABASE \"" + m_name + "\"", m_scratch.Path());
}

TPgDatabase::~TPgDatabase() {
    try {
        RunPsql("postgres", "DROP DATABASE IF EXISTS \"" + m_name + "\" WITH (FORCE)", m_scratch.Path());
    } catch (const std::exception&) {
        // The server and everything on it go when the test run ends.
    }
}

std::string TPgDatabase::AliasEntries() const {
    const TPgServer& server = TPgServer::Get();
    return "TYPE=POSTGRESQL\nSERVER NAME=" + server.host + "\nPORT=" + server.port + "\nDATABASE NAME=" + m_name + "\n";
}

void TPgDatabase::Exec(const std::string& sql) {
    RunPsql(m_name, sql, m_scratch.Path());
}

std::vector<std::vector<std::string>> TPgDatabase::Query(const std::string& sql) {
    std::string text = RunPsql(m_name, "COPY (" + sql + ") TO STDOUT", m_scratch.Path());
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> row;
        std::size_t start = 0;
        for (;;) {
            std::size_t tab = line.find('\t', start);
            std::string_view field = std::string_view(line).substr(start, tab - start);
            row.push_back(field == "\\N" ? "NULL" : Unescape(field));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string TPgDatabase::Scalar(const std::string& sql) {
    auto rows = Query(sql);
    if (rows.size() != 1 || rows[0].size() != 1) throw std::runtime_error("not one value: " + sql);
    return rows[0][0];
}

}  // namespace testsupport
