#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "AliasConfig.h"
#include "Driver.h"

namespace dbaccess {

class TDatabase;

// The database engine: the alias configuration, the drivers by TYPE, and the
// session "Default" in which tables find their connection by DatabaseName.
class TEngine {
public:
    static TEngine& Instance();

    // Reads the alias configuration, once; fails with EDBEngineError.
    void Start();
    bool Started() const { return m_config.has_value(); }
    // Forgets the configuration, so the next Start reads it again.
    void Stop();

    const TAliasConfig& Config();  // starts the engine first

    // Fails, naming the alias, when it is unknown, broken, or of a TYPE without a driver.
    std::unique_ptr<TDriverConnection> Connect(const std::string& aliasName, const std::optional<TLogin>& login);

    // Makes `driver` the one for aliases whose TYPE is `type` (upper case).
    void RegisterDriver(const std::string& type, std::unique_ptr<TDriver> driver);

    // The session "Default".
    void AddDatabase(TDatabase& database);
    void RemoveDatabase(TDatabase& database);
    TDatabase* FindDatabase(std::string_view databaseName) const;

private:
    TEngine() = default;
    std::optional<TAliasConfig> m_config;
    std::map<std::string, std::unique_ptr<TDriver>> m_drivers;
    std::vector<TDatabase*> m_databases;
};

// Short for TEngine::Instance().
inline TEngine& Engine() {
    return TEngine::Instance();
}

}  // namespace dbaccess
