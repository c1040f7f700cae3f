#include "Engine.h"

#include <algorithm>

#include "Database.h"
#include "Errors.h"
#include "Messages.h"
#include "Text.h"

namespace dbaccess {

TEngine& TEngine::Instance() {
    static TEngine engine;
    return engine;
}

void TEngine::Start() {
    if (!m_config) m_config = TAliasConfig::Load(TAliasConfig::DefaultPath());
}

void TEngine::Stop() {
    m_config.reset();
}

const TAliasConfig& TEngine::Config() {
    Start();
    return *m_config;
}

std::unique_ptr<TDriverConnection> TEngine::Connect(const std::string& aliasName, const std::optional<TLogin>& login) {
    const TAlias* alias = Config().Find(aliasName);
    if (!alias) throw EDatabaseError(Format(msg::kAliasUnknown, {aliasName}));
    auto type = alias->Value("TYPE");
    if (!type || type->empty()) throw EDatabaseError(Format(msg::kAliasNoType, {alias->name}));
    std::string key = *type;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    auto driver = m_drivers.find(key);
    if (driver == m_drivers.end()) throw EDatabaseError(Format(msg::kAliasBadType, {alias->name, *type}));
    return driver->second->Connect(*alias, login);
}

void TEngine::RegisterDriver(const std::string& type, std::unique_ptr<TDriver> driver) {
    m_drivers[type] = std::move(driver);
}

void TEngine::AddDatabase(TDatabase& database) {
    if (FindDatabase(database.DatabaseName())) {
        throw EDatabaseError(Format(msg::kDuplicateDatabase, {database.DatabaseName()}));
    }
    m_databases.push_back(&database);
}

void TEngine::RemoveDatabase(TDatabase& database) {
    std::erase(m_databases, &database);
}

TDatabase* TEngine::FindDatabase(std::string_view databaseName) const {
    for (TDatabase* database : m_databases) {
        if (SameText(database->DatabaseName(), databaseName)) return database;
    }
    return nullptr;
}

}  // namespace dbaccess
