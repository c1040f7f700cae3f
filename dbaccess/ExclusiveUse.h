#pragma once

#include <string>

namespace dbaccess {

// Exclusive use of one table within this process: while the lock lives, a
// second Acquire of the same key fails with the engine's "in use" text.
class TExclusiveLock {
public:
    TExclusiveLock() = default;
    // `key` names the table uniquely (driver, database, table); `tableName` is
    // the name shown in the failure.
    static TExclusiveLock Acquire(std::string key, const std::string& tableName);
    ~TExclusiveLock();
    TExclusiveLock(TExclusiveLock&& other) noexcept;
    TExclusiveLock& operator=(TExclusiveLock&& other) noexcept;

private:
    explicit TExclusiveLock(std::string key) : m_key(std::move(key)) {}
    void Release();
    std::string m_key;
};

}  // namespace dbaccess
