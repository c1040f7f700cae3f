#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dbaccess {

// One section of the alias configuration; keys keep their case as written and
// are looked up without regard to case.
struct TAlias {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;

    // The value of a key, or nullopt when the alias has none.
    std::optional<std::string> Value(std::string_view key) const;
};

// The alias configuration, an INI file: one section per alias, in file order.
class TAliasConfig {
public:
    // Where the configuration is: $TRASLADO_ALIASES, else
    // $XDG_CONFIG_HOME/traslado/aliases.ini, else ~/.config/traslado/aliases.ini.
    static std::filesystem::path DefaultPath();

    // Reads the file; a missing file gives no aliases. Fails with EDBEngineError
    // (the engine's start-up text) when the file exists but cannot be read or parsed.
    static TAliasConfig Load(const std::filesystem::path& path);
    static TAliasConfig Parse(const std::string& text);

    const std::vector<TAlias>& Aliases() const { return m_aliases; }
    const TAlias* Find(std::string_view name) const;

private:
    std::vector<TAlias> m_aliases;
};

}  // namespace dbaccess
