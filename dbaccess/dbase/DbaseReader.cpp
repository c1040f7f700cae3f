#include "DbaseReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "DbaseMessages.h"
#include "DbaseTypes.h"
#include "dbaccess/Messages.h"

namespace dbaccess::dbase {

namespace {

bool IsPadding(char c) {
    return c == ' ' || c == '\0';
}

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && IsPadding(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view Trim(std::string_view text) {
    text = TrimEnd(text);
    while (!text.empty() && IsPadding(text.front())) text.remove_prefix(1);
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<std::int32_t> ParseWhole(std::string_view text) {
    if (text.starts_with('+')) text.remove_prefix(1);
    std::int32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

// A decimal number as dBASE writes N and F fields: a sign, digits with at
// most one point, and for F an exponent. from_chars alone would also take
// "inf" and "nan".
std::optional<double> ParseDecimal(std::string_view text) {
    if (text.starts_with('+')) text.remove_prefix(1);
    std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    if (digits.empty() || !(IsDigit(digits.front()) || digits.front() == '.')) return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<TDateTime> ParseDbaseDate(std::string_view text) {
    if (text.size() != 8 || !std::all_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
    std::string iso;
    iso.append(text.substr(0, 4)).append("-").append(text.substr(4, 2)).append("-").append(text.substr(6, 2));
    auto value = ParseDate(iso);
    if (value && value->year == 0) return std::nullopt;
    return value;
}

}  // namespace

bool TDbaseReader::HasMemoFields(const TDbfFile& table) {
    const auto& columns = table.Columns();
    return std::any_of(columns.begin(), columns.end(), [](const TDbfColumn& column) { return column.letter == 'M'; });
}

TDbaseReader::TDbaseReader(TDbfFile table, std::optional<TDbtFile> memos, TCodePage codePage)
    : m_table(std::move(table)), m_memos(std::move(memos)), m_codePage(std::move(codePage)) {
    const std::string& fileName = m_table.File().Name();
    for (const TDbfColumn& column : m_table.Columns()) {
        std::string number = std::to_string(m_defs.size() + 1);
        TDbaseType mapped = MapFieldType(column.letter, column.length, column.decimals);
        if (!mapped.valid) throw msg::Damaged(fileName, Format(msg::kFieldDescriptor, {number}));
        TFieldDef def;
        if (!m_codePage.Decode(column.name, def.name) || def.name.empty()) {
            throw msg::Damaged(fileName, Format(msg::kFieldName, {number, m_codePage.Charset()}));
        }
        def.type = mapped.type;
        def.size = mapped.size;
        m_defs.push_back(std::move(def));
    }
    First();
}

void TDbaseReader::First() {
    m_table.Rewind();
    m_record = m_table.NextLiveRecord();
}

void TDbaseReader::Next() {
    if (m_record) m_record = m_table.NextLiveRecord();
}

std::string_view TDbaseReader::Bytes(int column) const {
    const TDbfColumn& where = m_table.Columns()[static_cast<std::size_t>(column)];
    return {m_record + where.offset, static_cast<std::size_t>(where.length)};
}

bool TDbaseReader::IsNull(int column) const {
    if (!m_record) return true;
    std::string_view bytes = Trim(Bytes(column));
    if (bytes.empty()) return true;
    switch (m_defs[static_cast<std::size_t>(column)].type) {
        case ftBoolean:
            return bytes == "?";  // dBASE's mark for a logical never set
        case ftDate:
        case ftMemo:
            // Some writers fill an empty date, or the block of no memo, with zeros.
            return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == '0'; });
        default:
            return false;
    }
}

void TDbaseReader::BadValue(int column) const {
    throw EDatabaseError(Format(dbaccess::msg::kFieldBadValue, {m_defs[static_cast<std::size_t>(column)].name}));
}

void TDbaseReader::ReadText(int column, std::string_view bytes, TVariant& out) {
    if (!std::holds_alternative<std::string>(out)) out.emplace<std::string>();
    if (!m_codePage.Decode(bytes, std::get<std::string>(out))) BadValue(column);
}

void TDbaseReader::Read(int column, TVariant& out) {
    if (IsNull(column)) {
        out = TNull{};
        return;
    }
    std::string_view bytes = Bytes(column);
    switch (m_defs[static_cast<std::size_t>(column)].type) {
        case ftString:
            // Text is padded with blanks; leading ones are the value's own.
            ReadText(column, TrimEnd(bytes), out);
            return;
        case ftInteger: {
            auto value = ParseWhole(Trim(bytes));
            if (!value) BadValue(column);
            out = *value;
            return;
        }
        case ftFloat: {
            auto value = ParseDecimal(Trim(bytes));
            if (!value) BadValue(column);
            out = *value;
            return;
        }
        case ftBoolean: {
            char mark = Trim(bytes).front();
            if (mark == 'T' || mark == 't' || mark == 'Y' || mark == 'y')
                out = true;
            else if (mark == 'F' || mark == 'f' || mark == 'N' || mark == 'n')
                out = false;
            else
                BadValue(column);
            return;
        }
        case ftDate: {
            auto value = ParseDbaseDate(Trim(bytes));
            if (!value) BadValue(column);
            out = *value;
            return;
        }
        case ftMemo: {
            std::string_view digits = Trim(bytes);
            std::uint64_t block = 0;
            auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), block);
            if (ec != std::errc() || end != digits.data() + digits.size()) BadValue(column);
            if (!m_memos) throw msg::Damaged(m_table.File().Name(), msg::kNoMemoFile);
            if (block > std::numeric_limits<std::uint32_t>::max()) {
                throw msg::Damaged(m_memos->File().Name(), Format(msg::kMemoOutOfRange, {std::string(digits)}));
            }
            m_memos->Read(static_cast<std::uint32_t>(block), m_memoBytes);
            ReadText(column, m_memoBytes, out);
            return;
        }
        default:
            // A type later dBASE versions added: its bytes as they are.
            AssignBytes(out, bytes);
            return;
    }
}

}  // namespace dbaccess::dbase
