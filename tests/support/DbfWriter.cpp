#include "DbfWriter.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testsupport {

namespace {

void PutLe16(std::string& bytes, std::size_t at, std::size_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void PutLe32(std::string& bytes, std::size_t at, std::size_t value) {
    PutLe16(bytes, at, value & 0xFFFF);
    PutLe16(bytes, at + 2, (value >> 16) & 0xFFFF);
}

}  // namespace

TDbfWriter::TDbfWriter(std::vector<TDbfField> fields, unsigned char version, unsigned char languageDriver)
    : m_fields(std::move(fields)), m_version(version), m_languageDriver(languageDriver) {
    for (const auto& field : m_fields) m_recordSize += static_cast<std::size_t>(field.length);
}

TDbfWriter& TDbfWriter::Add(const std::vector<std::string>& values) {
    AddRecord(' ', values);
    return *this;
}

TDbfWriter& TDbfWriter::AddDeleted(const std::vector<std::string>& values) {
    AddRecord('*', values);
    return *this;
}

void TDbfWriter::AddRecord(char mark, const std::vector<std::string>& values) {
    if (values.size() != m_fields.size()) throw std::logic_error("one value per field");
    std::string record(1, mark);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const auto& field = m_fields[i];
        auto length = static_cast<std::size_t>(field.length);
        std::string value = values[i].substr(0, length);
        std::string padding(length - value.size(), ' ');
        bool rightAligned = field.type == 'N' || field.type == 'F';
        record += rightAligned ? padding + value : value + padding;
    }
    m_records.push_back(std::move(record));
}

std::size_t TDbfWriter::RecordOffset(int record) const {
    return 32 + 32 * m_fields.size() + 1 + static_cast<std::size_t>(record) * m_recordSize;
}

std::string TDbfWriter::Bytes() const {
    std::size_t headerSize = 32 + 32 * m_fields.size() + 1;
    std::string bytes(32, '\0');
    bytes[0] = static_cast<char>(m_version);
    bytes[1] = 124;  // 2024-05-17
    bytes[2] = 5;
    bytes[3] = 17;
    PutLe32(bytes, 4, m_records.size());
    PutLe16(bytes, kHeaderSizeOffset, headerSize);
    PutLe16(bytes, kRecordSizeOffset, m_recordSize);
    bytes[29] = static_cast<char>(m_languageDriver);
    for (const auto& field : m_fields) {
        std::string descriptor(32, '\0');
        descriptor.replace(0, std::min<std::size_t>(field.name.size(), 11), field.name.substr(0, 11));
        descriptor[11] = field.type;
        descriptor[16] = static_cast<char>(field.length);
        descriptor[17] = static_cast<char>(field.decimals);
        bytes += descriptor;
    }
    bytes += '\x0D';
    for (const auto& record : m_records) bytes += record;
    bytes += '\x1A';
    return bytes;
}

void TDbfWriter::Save(const std::filesystem::path& path) const {
    WriteFileBytes(path, Bytes());
}

TDbtWriter::TDbtWriter(bool dbaseIV, int blockSize)
    : m_dbaseIV(dbaseIV), m_blockSize(static_cast<std::size_t>(blockSize)), m_bytes(m_blockSize, '\0') {
    if (m_dbaseIV) {
        PutLe16(m_bytes, 20, m_blockSize);
    } else {
        m_bytes[16] = 0x03;
    }
}

std::string TDbtWriter::Add(std::string_view text) {
    std::size_t block = m_bytes.size() / m_blockSize;
    std::string memo;
    if (m_dbaseIV) {
        memo = std::string("\xFF\xFF\x08\x00", 4) + std::string(4, '\0');
        PutLe32(memo, 4, text.size() + 8);
        memo += text;
    } else {
        memo = std::string(text) + "\x1A\x1A";
    }
    memo.resize((memo.size() + m_blockSize - 1) / m_blockSize * m_blockSize, '\0');
    m_bytes += memo;
    PutLe32(m_bytes, 0, m_bytes.size() / m_blockSize);
    return std::to_string(block);
}

std::string TDbtWriter::Bytes() const {
    return m_bytes;
}

void TDbtWriter::Save(const std::filesystem::path& path) const {
    WriteFileBytes(path, m_bytes);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace testsupport
