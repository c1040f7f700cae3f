// The memo file (.dbt) of dBASE III and IV. Numbers are little-endian.
//
// Block 0 is the header:
//   Offset  Size  Meaning
//   0       4     The next free block
//   4       4     Reserved
//   8       8     dBASE IV: the table's name, without extension
//   16      1     dBASE III: 0x03, the version
//   20      2     dBASE IV: the block size in bytes; dBASE III's is always 512
//
// A dBASE III memo starts at its block and runs, across blocks, up to 0x1A
// 0x1A. A dBASE IV memo's first block starts with FF FF 08 00 and the memo's
// length, these 8 bytes included, as 4 bytes; its text follows.

#include "DbtFile.h"

#include <algorithm>

#include "DbaseMessages.h"

namespace dbaccess::dbase {

namespace {

constexpr std::uint32_t kDbaseIIIBlockSize = 512;
constexpr std::size_t kBlockSizeOffset = 20;
constexpr char kDbaseIIIEnd = 0x1A;
constexpr std::size_t kDbaseIVPrefix = 8;

std::uint32_t Le16(const char* at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(at[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(at[1])) << 8;
}

}  // namespace

TDbtFile::TDbtFile(TReadOnlyFile file, TMemoFormat format) : m_file(std::move(file)), m_format(format) {
    if (m_format != mfDbaseIV) return;
    char size[2];
    if (m_file.ReadAt(kBlockSizeOffset, size, sizeof size) < sizeof size) {
        throw msg::Damaged(m_file.Name(), msg::kHeaderTruncated);
    }
    // Writers that leave the size out mean dBASE's default.
    if (std::uint32_t blockSize = Le16(size); blockSize != 0) m_blockSize = blockSize;
}

void TDbtFile::Read(std::uint32_t block, std::string& out) const {
    std::uint64_t offset = std::uint64_t{block} * m_blockSize;
    if (block == 0 || offset >= m_file.Size()) {
        throw msg::Damaged(m_file.Name(), Format(msg::kMemoOutOfRange, {std::to_string(block)}));
    }
    if (m_format == mfDbaseIV) {
        ReadDbaseIV(offset, block, out);
    } else {
        ReadDbaseIII(offset, block, out);
    }
}

void TDbtFile::ReadDbaseIII(std::uint64_t offset, std::uint32_t block, std::string& out) const {
    out.clear();
    char chunk[kDbaseIIIBlockSize];
    for (;;) {
        std::size_t got = m_file.ReadAt(offset, chunk, sizeof chunk);
        if (got == 0) break;
        const char* end = std::find(chunk, chunk + got, kDbaseIIIEnd);
        out.append(chunk, static_cast<std::size_t>(end - chunk));
        // The text cannot hold 0x1A, so the first one ends it, doubled or not.
        if (end != chunk + got) return;
        offset += got;
    }
    throw msg::Damaged(m_file.Name(), Format(msg::kMemoUnterminated, {std::to_string(block)}));
}

void TDbtFile::ReadDbaseIV(std::uint64_t offset, std::uint32_t block, std::string& out) const {
    char prefix[kDbaseIVPrefix];
    if (m_file.ReadAt(offset, prefix, sizeof prefix) < sizeof prefix) {
        throw msg::Damaged(m_file.Name(), Format(msg::kMemoOutOfRange, {std::to_string(block)}));
    }
    if (prefix[0] != '\xFF' || prefix[1] != '\xFF' || prefix[2] != '\x08' || prefix[3] != '\x00') {
        throw msg::Damaged(m_file.Name(), Format(msg::kMemoNoSignature, {std::to_string(block)}));
    }
    std::uint32_t length = Le16(prefix + 4) | Le16(prefix + 6) << 16;
    if (length < kDbaseIVPrefix || offset + length > m_file.Size()) {
        throw msg::Damaged(m_file.Name(), Format(msg::kMemoTooLong, {std::to_string(block)}));
    }
    out.resize(length - kDbaseIVPrefix);
    if (m_file.ReadAt(offset + kDbaseIVPrefix, out.data(), out.size()) < out.size()) {
        throw msg::Damaged(m_file.Name(), Format(msg::kMemoTooLong, {std::to_string(block)}));
    }
}

}  // namespace dbaccess::dbase
