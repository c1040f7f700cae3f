#include "ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "DbaseMessages.h"

namespace dbaccess::dbase {

TReadOnlyFile TReadOnlyFile::Open(const std::filesystem::path& path) {
    // Without O_NONBLOCK, opening a FIFO would wait for a writer forever.
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0) throw EDatabaseError(Format(msg::kFileUnopenable, {path.string(), std::strerror(errno)}));
    return TReadOnlyFile(descriptor, path.string());
}

TReadOnlyFile TReadOnlyFile::Adopt(int descriptor, std::string name) {
    return TReadOnlyFile(descriptor, std::move(name));
}

TReadOnlyFile::TReadOnlyFile(int descriptor, std::string name) : m_descriptor(descriptor), m_name(std::move(name)) {
    struct stat status {};
    if (::fstat(m_descriptor, &status) != 0) {
        int error = errno;
        Close();
        throw EDatabaseError(Format(msg::kFileUnreadable, {m_name, std::strerror(error)}));
    }
    if (!S_ISREG(status.st_mode)) {
        Close();
        throw EDatabaseError(Format(msg::kFileNotRegular, {m_name}));
    }
    m_size = static_cast<std::uint64_t>(status.st_size);
}

TReadOnlyFile::~TReadOnlyFile() {
    Close();
}

TReadOnlyFile::TReadOnlyFile(TReadOnlyFile&& other) noexcept
    : m_descriptor(other.m_descriptor), m_name(std::move(other.m_name)), m_size(other.m_size) {
    other.m_descriptor = -1;
}

TReadOnlyFile& TReadOnlyFile::operator=(TReadOnlyFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_descriptor = other.m_descriptor;
        m_name = std::move(other.m_name);
        m_size = other.m_size;
        other.m_descriptor = -1;
    }
    return *this;
}

void TReadOnlyFile::Close() noexcept {
    if (m_descriptor >= 0) ::close(m_descriptor);
    m_descriptor = -1;
}

std::size_t TReadOnlyFile::ReadAt(std::uint64_t offset, char* buffer, std::size_t size) const {
    std::size_t done = 0;
    while (done < size) {
        ssize_t count = ::pread(m_descriptor, buffer + done, size - done, static_cast<off_t>(offset + done));
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            throw EDatabaseError(Format(msg::kFileUnreadable, {m_name, std::strerror(errno)}));
        }
        done += static_cast<std::size_t>(count);
    }
    return done;
}

bool TReadOnlyFile::TryLock(TFileLock kind) {
    // flock belongs to the open file, so a second open in this same process
    // conflicts as well, and the lock goes when the descriptor is closed.
    int operation = (kind == flExclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    while (::flock(m_descriptor, operation) != 0) {
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK) return false;
        throw EDatabaseError(Format(msg::kFileUnlockable, {m_name, std::strerror(errno)}));
    }
    return true;
}

}  // namespace dbaccess::dbase
