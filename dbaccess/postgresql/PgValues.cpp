#include "PgValues.h"

#include <charconv>
#include <cmath>

#include "dbaccess/Errors.h"
#include "dbaccess/Messages.h"

namespace dbaccess::postgresql {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

[[noreturn]] void Fail(const char* pattern, const TPgColumn& column) {
    throw EDatabaseError(Format(pattern, {column.def.name}));
}

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void DecodeBytea(const TPgColumn& column, std::string_view text, TVariant& out) {
    // The connection asks for the hex form: \x followed by two digits a byte.
    if (!text.starts_with("\\x") || text.size() % 2 != 0) Fail(dbaccess::msg::kFieldBadValue, column);
    if (!std::holds_alternative<TBytes>(out)) out = TBytes{};
    std::string& bytes = std::get<TBytes>(out).data;
    bytes.resize((text.size() - 2) / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        int high = HexValue(text[2 + 2 * i]);
        int low = HexValue(text[3 + 2 * i]);
        if (high < 0 || low < 0) Fail(dbaccess::msg::kFieldBadValue, column);
        bytes[i] = static_cast<char>(high * 16 + low);
    }
}

void AppendEscaped(std::string_view text, std::string& line) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        const char* escape = c == '\\' ? "\\\\" : c == '\t' ? "\\t" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : nullptr;
        if (!escape) continue;
        line.append(text.substr(start, i - start));
        line.append(escape);
        start = i + 1;
    }
    line.append(text.substr(start));
}

template <typename T>
void AppendNumber(T value, std::string& line) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    line.append(buffer, end);
}

void AppendDouble(const TPgColumn& column, double value, std::string& line) {
    if (std::isnan(value)) {
        line += "NaN";
    } else if (std::isinf(value)) {
        line += value > 0 ? "Infinity" : "-Infinity";
    } else {
        char buffer[400];
        // money takes no exponent; the shortest fixed form still reads back as the same double.
        auto [end, ec] = column.def.type == ftCurrency
                             ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
                             : std::to_chars(buffer, buffer + sizeof buffer, value);
        line.append(buffer, end);
    }
}

}  // namespace

std::string SelectExpression(const TPgColumn& column) {
    std::string quoted = QuoteIdentifier(column.def.name);
    // money's text follows the server's locale ("$1,234.50"); its number does not.
    if (column.typeName == "money") return quoted + "::pg_catalog.numeric";
    if (column.typeName == "timestamptz") return quoted + " AT TIME ZONE 'UTC'";
    return quoted;
}

void DecodeValue(const TPgColumn& column, std::string_view text, TVariant& out) {
    switch (column.def.type) {
        case ftSmallint:
        case ftInteger:
        case ftAutoInc: {
            std::int64_t value = 0;
            if (!ParseNumber(text, value)) Fail(dbaccess::msg::kFieldBadValue, column);
            if (!IntegerRange(column.def.type)->Contains(value)) Fail(dbaccess::msg::kFieldOutOfRange, column);
            out = static_cast<std::int32_t>(value);
            return;
        }
        case ftLargeint: {
            std::int64_t value = 0;
            if (!ParseNumber(text, value)) Fail(dbaccess::msg::kFieldBadValue, column);
            out = value;
            return;
        }
        case ftFloat:
        case ftCurrency: {
            double value = 0;
            if (!ParseNumber(text, value)) Fail(dbaccess::msg::kFieldBadValue, column);
            out = value;
            return;
        }
        case ftBCD: {
            auto value = ParseBcd(text);
            if (!value) {
                bool number = !text.empty() && (text[0] == '-' || (text[0] >= '0' && text[0] <= '9'));
                Fail(number && text != "-Infinity" ? dbaccess::msg::kFieldOutOfRange : dbaccess::msg::kFieldBadValue,
                     column);
            }
            out = *value;
            return;
        }
        case ftBoolean:
            if (text != "t" && text != "f") Fail(dbaccess::msg::kFieldBadValue, column);
            out = text == "t";
            return;
        case ftDate:
        case ftTime:
        case ftDateTime: {
            auto value = column.def.type == ftDate   ? ParseDate(text)
                         : column.def.type == ftTime ? ParseTime(text)
                                                     : ParseDateTime(text);
            // Infinities, years before Christ and beyond 9999 have no TDateTime.
            if (!value) Fail(dbaccess::msg::kFieldBadValue, column);
            out = *value;
            return;
        }
        case ftBlob:
            DecodeBytea(column, text, out);
            return;
        default:
            AssignText(out, text);
            return;
    }
}

void AppendCopyValue(const TPgColumn& column, const TVariant& value, std::string& line) {
    std::visit(
        [&](const auto& held) {
            using T = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<T, TNull>) {
                line += "\\N";
            } else if constexpr (std::is_same_v<T, std::string>) {
                AppendEscaped(held, line);
            } else if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::int64_t>) {
                AppendNumber(held, line);
            } else if constexpr (std::is_same_v<T, double>) {
                AppendDouble(column, held, line);
            } else if constexpr (std::is_same_v<T, TBcd>) {
                line += FormatBcd(held);
            } else if constexpr (std::is_same_v<T, bool>) {
                line += held ? 't' : 'f';
            } else if constexpr (std::is_same_v<T, TDateTime>) {
                if (column.def.type == ftDate) {
                    line += FormatDate(held);
                } else if (column.def.type == ftTime) {
                    line += FormatTime(held);
                } else {
                    line += FormatDateTime(held);
                    // Read as UTC wall-clock time, so written back as UTC.
                    if (column.typeName == "timestamptz") line += "+00";
                }
            } else if constexpr (std::is_same_v<T, TBytes>) {
                // The hex form, its backslash escaped for COPY.
                line += "\\\\x";
                for (char c : held.data) {
                    auto byte = static_cast<unsigned char>(c);
                    line += kHexDigits[byte >> 4];
                    line += kHexDigits[byte & 15];
                }
            } else {
                Fail(dbaccess::msg::kFieldBadValue, column);
            }
        },
        value);
}

}  // namespace dbaccess::postgresql
