#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

struct TDbfField {
    std::string name;
    char type;
    int length;
    int decimals = 0;
};

// A dBASE table written byte by byte from the file format, independent of the
// driver's reader, so fixtures can also be damaged on purpose.
class TDbfWriter {
public:
    explicit TDbfWriter(std::vector<TDbfField> fields, unsigned char version = 0x03,
                        unsigned char languageDriver = 0x57);

    // One record: each value as the field stores it before padding ("" blank),
    // already in the table's code page. N and F are right-aligned, the rest left.
    TDbfWriter& Add(const std::vector<std::string>& values);
    TDbfWriter& AddDeleted(const std::vector<std::string>& values);

    std::string Bytes() const;
    void Save(const std::filesystem::path& path) const;

    // Where things are in Bytes(), for damaging them.
    static constexpr std::size_t kHeaderSizeOffset = 8;
    static constexpr std::size_t kRecordSizeOffset = 10;
    std::size_t DescriptorOffset(int field) const { return 32 + 32 * static_cast<std::size_t>(field); }
    std::size_t RecordOffset(int record) const;

private:
    void AddRecord(char mark, const std::vector<std::string>& values);

    std::vector<TDbfField> m_fields;
    unsigned char m_version;
    unsigned char m_languageDriver;
    std::size_t m_recordSize = 1;
    std::vector<std::string> m_records;
};

// A memo file: dBASE III (512-byte blocks, each memo ended by 1A 1A) or dBASE IV
// (the block size in the header, each memo led by FF FF 08 00 and its length).
class TDbtWriter {
public:
    static TDbtWriter DbaseIII() { return TDbtWriter(false, 512); }
    static TDbtWriter DbaseIV(int blockSize) { return TDbtWriter(true, blockSize); }

    // Appends a memo; returns its first block's number, the M field's value.
    std::string Add(std::string_view text);

    std::string Bytes() const;
    void Save(const std::filesystem::path& path) const;

private:
    TDbtWriter(bool dbaseIV, int blockSize);

    bool m_dbaseIV;
    std::size_t m_blockSize;
    std::string m_bytes;
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace testsupport
