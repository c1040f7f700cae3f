#include "ExclusiveUse.h"

#include <set>

#include "Errors.h"
#include "Messages.h"

namespace dbaccess {

namespace {
std::set<std::string>& HeldKeys() {
    static std::set<std::string> keys;
    return keys;
}
}  // namespace

TExclusiveLock TExclusiveLock::Acquire(std::string key, const std::string& tableName) {
    if (!HeldKeys().insert(key).second) throw EDatabaseError(Format(msg::kTableInUse, {tableName}));
    return TExclusiveLock(std::move(key));
}

TExclusiveLock::~TExclusiveLock() {
    Release();
}

TExclusiveLock::TExclusiveLock(TExclusiveLock&& other) noexcept : m_key(std::move(other.m_key)) {
    other.m_key.clear();
}

TExclusiveLock& TExclusiveLock::operator=(TExclusiveLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_key = std::move(other.m_key);
        other.m_key.clear();
    }
    return *this;
}

void TExclusiveLock::Release() {
    if (!m_key.empty()) HeldKeys().erase(m_key);
    m_key.clear();
}

}  // namespace dbaccess
