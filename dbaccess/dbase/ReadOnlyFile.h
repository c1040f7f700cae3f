#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace dbaccess::dbase {

enum TFileLock { flShared, flExclusive };

// A file opened for reading only: the one owner of its descriptor. The
// descriptor, and the lock taken on it, go with the object.
class TReadOnlyFile {
public:
    // Opens a regular file; fails naming it when it cannot be opened or is not
    // a regular file (a pipe named like a table never blocks the open).
    static TReadOnlyFile Open(const std::filesystem::path& path);
    // Takes over an open descriptor; `name` is how failures name the file.
    static TReadOnlyFile Adopt(int descriptor, std::string name);

    ~TReadOnlyFile();
    TReadOnlyFile(TReadOnlyFile&& other) noexcept;
    TReadOnlyFile& operator=(TReadOnlyFile&& other) noexcept;
    TReadOnlyFile(const TReadOnlyFile&) = delete;
    TReadOnlyFile& operator=(const TReadOnlyFile&) = delete;

    // The path the file was opened by, as failures show it.
    const std::string& Name() const { return m_name; }
    // The size when it was opened.
    std::uint64_t Size() const { return m_size; }

    // Reads up to `size` bytes at `offset`, fewer only where the file ends;
    // fails naming the file on an I/O error.
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size) const;

    // Locks the whole file against other opens, in this process or another,
    // without waiting: false when one of them holds a lock that conflicts.
    // Fails when the file system cannot lock.
    bool TryLock(TFileLock kind);

private:
    TReadOnlyFile(int descriptor, std::string name);
    void Close() noexcept;

    int m_descriptor = -1;
    std::string m_name;
    std::uint64_t m_size = 0;
};

}  // namespace dbaccess::dbase
