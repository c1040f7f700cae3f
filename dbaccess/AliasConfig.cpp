#include "AliasConfig.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ErrorCodes.h"
#include "Errors.h"
#include "Messages.h"
#include "Text.h"

namespace dbaccess {

namespace {

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t\r";
    auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

[[noreturn]] void FailStart(TEngineErrorCode code) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%.4X", static_cast<unsigned>(code));
    throw EDBEngineError(code, Format(msg::kEngineStart, {hex}));
}

}  // namespace

std::optional<std::string> TAlias::Value(std::string_view key) const {
    for (const auto& [entryKey, value] : entries) {
        if (SameText(entryKey, key)) return value;
    }
    return std::nullopt;
}

std::filesystem::path TAliasConfig::DefaultPath() {
    if (const char* named = std::getenv("TRASLADO_ALIASES"); named && *named) return named;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        return std::filesystem::path(xdg) / "traslado" / "aliases.ini";
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : ".") / ".config" / "traslado" / "aliases.ini";
}

TAliasConfig TAliasConfig::Load(const std::filesystem::path& path) {
    std::error_code error;
    auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return {};
    if (error || status.type() != std::filesystem::file_type::regular) FailStart(ecConfigUnreadable);
    std::ifstream file(path, std::ios::binary);
    if (!file) FailStart(ecConfigUnreadable);
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) FailStart(ecConfigUnreadable);
    return Parse(text.str());
}

TAliasConfig TAliasConfig::Parse(const std::string& text) {
    TAliasConfig config;
    std::istringstream lines(text);
    std::string line;
    bool first = true;
    while (std::getline(lines, line)) {
        std::string_view content = line;
        // A byte order mark at the very start is an editor's, not the content's.
        if (first && content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
        first = false;
        content = Trim(content);
        if (content.empty() || content[0] == ';' || content[0] == '#') continue;
        if (content.front() == '[') {
            if (content.back() != ']' || content.size() < 3) FailStart(ecConfigMalformed);
            config.m_aliases.push_back(TAlias{std::string(content.substr(1, content.size() - 2)), {}});
            continue;
        }
        auto equals = content.find('=');
        if (equals == std::string_view::npos || config.m_aliases.empty()) FailStart(ecConfigMalformed);
        auto key = Trim(content.substr(0, equals));
        if (key.empty()) FailStart(ecConfigMalformed);
        config.m_aliases.back().entries.emplace_back(std::string(key), std::string(Trim(content.substr(equals + 1))));
    }
    return config;
}

const TAlias* TAliasConfig::Find(std::string_view name) const {
    for (const auto& alias : m_aliases) {
        if (alias.name == name) return &alias;
    }
    for (const auto& alias : m_aliases) {
        if (SameText(alias.name, name)) return &alias;
    }
    return nullptr;
}

}  // namespace dbaccess
