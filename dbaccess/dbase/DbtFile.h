#pragma once

#include <cstdint>
#include <string>

#include "ReadOnlyFile.h"

namespace dbaccess::dbase {

enum TMemoFormat { mfDbaseIII, mfDbaseIV };

// A memo file (.dbt): the texts of a table's M fields, found by block number.
class TDbtFile {
public:
    // Reads the block size from a dBASE IV header; fails naming the file when
    // the header is incomplete.
    TDbtFile(TReadOnlyFile file, TMemoFormat format);

    const TReadOnlyFile& File() const { return m_file; }

    // Replaces `out` with the raw bytes of the memo that starts at `block`;
    // fails naming the file when the block lies outside it, does not start a
    // memo, or the memo runs past the end.
    void Read(std::uint32_t block, std::string& out) const;

private:
    void ReadDbaseIII(std::uint64_t offset, std::uint32_t block, std::string& out) const;
    void ReadDbaseIV(std::uint64_t offset, std::uint32_t block, std::string& out) const;

    TReadOnlyFile m_file;
    TMemoFormat m_format;
    std::uint32_t m_blockSize = 512;
};

}  // namespace dbaccess::dbase
