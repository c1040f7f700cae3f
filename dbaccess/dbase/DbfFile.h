#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ReadOnlyFile.h"

namespace dbaccess::dbase {

// One field descriptor as the file holds it.
struct TDbfColumn {
    std::string name;  // the raw bytes, in the table's code page
    char letter = 0;   // C N F L D M, or another a later dBASE knows
    int offset = 0;    // within the record, after the deletion mark
    int length = 0;
    int decimals = 0;
};

// A dBASE III or IV table file: its header, checked when it opens, and a
// forward read of its live records, a block of them at a time.
class TDbfFile {
public:
    // Reads the header and field descriptors; fails naming the file when it is
    // not a dBASE III or IV table, is encrypted, or is damaged (truncated, a
    // header or descriptor that cannot be, fewer records than it counts).
    explicit TDbfFile(TReadOnlyFile file);

    const TReadOnlyFile& File() const { return m_file; }
    const std::vector<TDbfColumn>& Columns() const { return m_columns; }
    // Whether the memos follow dBASE IV's format rather than dBASE III's.
    bool DbaseIvMemos() const { return (m_version & 0x08) != 0; }
    unsigned char LanguageDriver() const { return m_languageDriver; }

    // Goes back before the first record.
    void Rewind();
    // The next record that is not deleted, its deletion mark first, or null
    // past the last. Fails naming the file on a record whose mark is neither.
    const char* NextLiveRecord();

private:
    void ReadHeader();
    void LoadBlock(std::uint32_t first);

    TReadOnlyFile m_file;
    unsigned char m_version = 0;
    unsigned char m_languageDriver = 0;
    std::uint32_t m_recordCount = 0;
    std::uint32_t m_headerSize = 0;
    std::uint32_t m_recordSize = 0;
    std::vector<TDbfColumn> m_columns;

    std::vector<char> m_block;       // whole records read ahead
    std::uint32_t m_blockFirst = 0;  // the number of its first record
    std::uint32_t m_blockCount = 0;  // how many it holds
    std::uint32_t m_next = 0;        // the record NextLiveRecord looks at
};

}  // namespace dbaccess::dbase
