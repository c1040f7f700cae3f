// The table file (.dbf) of dBASE III and IV. Numbers are little-endian.
//
//   Offset  Size  Meaning
//   0       1     Version: bits 0-2 the format (3), bit 3 dBASE IV memos, bit 7 a memo
//                 file; 0x03 without memos, 0x83 dBASE III memos, 0x8B dBASE IV memos
//   1       3     Date of the last update: year since 1900, month, day
//   4       4     Number of records, the deleted ones included
//   8       2     Header size: where the first record starts
//   10      2     Record size: the deletion mark and every field
//   12      2     Reserved
//   14      1     dBASE IV: a transaction was left incomplete
//   15      1     dBASE IV: 1 when the records are encrypted
//   16      12    Reserved for multi-user use
//   28      1     dBASE IV: a production index (.mdx) exists
//   29      1     Language driver: names the code page of the text
//   30      2     Reserved
//   32      32*n  One descriptor per field, in record order:
//                   0   11  Name, ASCII, NUL-padded
//                   11  1   Type letter: C N F L D M
//                   12  4   Reserved
//                   16  1   Length in bytes
//                   17  1   Decimal places
//                   18  14  Reserved
//   32+32n  1     0x0D, the end of the descriptors
//
// Each record is one byte, ' ' live or '*' deleted, then the fields' bytes in
// descriptor order, as text: C left-aligned and N right-aligned in blanks,
// D as YYYYMMDD, L one of TtYyFfNn?, M the number of the memo's first block.
// An 0x1A may follow the last record.

#include "DbfFile.h"

#include <algorithm>

#include "DbaseMessages.h"

namespace dbaccess::dbase {

namespace {

constexpr std::size_t kPrefixSize = 32;
constexpr std::size_t kDescriptorSize = 32;
constexpr char kDescriptorsEnd = 0x0D;
constexpr std::size_t kBlockBytes = 64 * 1024;

std::uint32_t Le16(const char* at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(at[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(at[1])) << 8;
}

std::uint32_t Le32(const char* at) {
    return Le16(at) | Le16(at + 2) << 16;
}

std::string Hex(unsigned char byte) {
    const char* digits = "0123456789ABCDEF";
    return {'0', 'x', digits[byte >> 4], digits[byte & 0x0F]};
}

}  // namespace

TDbfFile::TDbfFile(TReadOnlyFile file) : m_file(std::move(file)) {
    ReadHeader();
}

void TDbfFile::ReadHeader() {
    const std::string& name = m_file.Name();
    char prefix[kPrefixSize];
    if (m_file.ReadAt(0, prefix, sizeof prefix) < sizeof prefix) throw msg::Damaged(name, msg::kHeaderTruncated);

    m_version = static_cast<unsigned char>(prefix[0]);
    if (m_version != 0x03 && m_version != 0x83 && m_version != 0x8B) {
        throw EDatabaseError(Format(msg::kNotDbase, {name, Hex(m_version)}));
    }
    if (prefix[15] == 0x01) throw EDatabaseError(Format(msg::kEncrypted, {name}));
    m_recordCount = Le32(prefix + 4);
    m_headerSize = Le16(prefix + 8);
    m_recordSize = Le16(prefix + 10);
    m_languageDriver = static_cast<unsigned char>(prefix[29]);

    if (m_headerSize < kPrefixSize + kDescriptorSize) throw msg::Damaged(name, msg::kHeaderSize);
    std::vector<char> header(m_headerSize);
    if (m_file.ReadAt(0, header.data(), header.size()) < header.size()) {
        throw msg::Damaged(name, msg::kHeaderTruncated);
    }

    int offset = 1;
    std::size_t at = kPrefixSize;
    // Some writers leave out the end mark when the descriptors fill the header.
    while (at < header.size() && header[at] != kDescriptorsEnd) {
        std::string number = std::to_string(m_columns.size() + 1);
        if (at + kDescriptorSize > header.size()) throw msg::Damaged(name, Format(msg::kFieldDescriptor, {number}));
        const char* descriptor = header.data() + at;
        TDbfColumn column;
        column.name.assign(descriptor, std::find(descriptor, descriptor + 11, '\0'));
        while (!column.name.empty() && column.name.back() == ' ') column.name.pop_back();
        column.letter = descriptor[11];
        column.length = static_cast<unsigned char>(descriptor[16]);
        column.decimals = static_cast<unsigned char>(descriptor[17]);
        column.offset = offset;
        if (column.name.empty() || column.length == 0) {
            throw msg::Damaged(name, Format(msg::kFieldDescriptor, {number}));
        }
        offset += column.length;
        m_columns.push_back(std::move(column));
        at += kDescriptorSize;
    }
    if (m_columns.empty()) throw msg::Damaged(name, msg::kNoFields);
    // Padding after the last field is tolerated; a field past the record is not.
    if (static_cast<std::uint32_t>(offset) > m_recordSize) throw msg::Damaged(name, msg::kRecordSize);

    std::uint64_t end = std::uint64_t{m_headerSize} + std::uint64_t{m_recordCount} * m_recordSize;
    if (end > m_file.Size()) {
        std::uint64_t whole = (m_file.Size() - std::min<std::uint64_t>(m_file.Size(), m_headerSize)) / m_recordSize;
        throw msg::Damaged(name, Format(msg::kRecordsTruncated, {std::to_string(whole + 1)}));
    }

    std::size_t perBlock = std::max<std::size_t>(1, kBlockBytes / m_recordSize);
    m_block.resize(perBlock * m_recordSize);
}

void TDbfFile::Rewind() {
    m_next = 0;
}

void TDbfFile::LoadBlock(std::uint32_t first) {
    std::uint32_t perBlock = static_cast<std::uint32_t>(m_block.size() / m_recordSize);
    std::uint32_t count = std::min(perBlock, m_recordCount - first);
    std::size_t bytes = std::size_t{count} * m_recordSize;
    std::uint64_t offset = std::uint64_t{m_headerSize} + std::uint64_t{first} * m_recordSize;
    std::size_t got = m_file.ReadAt(offset, m_block.data(), bytes);
    if (got < bytes) {
        // The file shrank after it was opened.
        throw msg::Damaged(m_file.Name(),
                           Format(msg::kRecordsTruncated, {std::to_string(first + got / m_recordSize + 1)}));
    }
    m_blockFirst = first;
    m_blockCount = count;
}

const char* TDbfFile::NextLiveRecord() {
    while (m_next < m_recordCount) {
        std::uint32_t number = m_next++;
        if (number < m_blockFirst || number >= m_blockFirst + m_blockCount) LoadBlock(number);
        const char* record = m_block.data() + std::size_t{number - m_blockFirst} * m_recordSize;
        if (record[0] == ' ') return record;
        if (record[0] != '*') {
            throw msg::Damaged(m_file.Name(), Format(msg::kRecordMark, {std::to_string(number + 1)}));
        }
    }
    return nullptr;
}

}  // namespace dbaccess::dbase
