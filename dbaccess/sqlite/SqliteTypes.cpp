#include "SqliteTypes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace dbaccess::sqlite {

namespace {

// How a declared type's arguments give the field's Size.
enum TSizeRule {
    szNone,    // no Size
    szLength,  // Size is the first argument; without one the type is `unbounded`
    szScale,   // NUMERIC(p,s): ftBCD with Size s when s <= 4, else ftFloat
};

struct TTypeRow {
    std::string_view name;
    TFieldType type;
    TSizeRule rule;
    TFieldType unbounded;  // for szLength without an argument
};

// The whole mapping from declared type names to type codes.
constexpr TTypeRow kTypes[] = {
    {"SMALLINT", ftSmallint, szNone, ftUnknown},
    {"TINYINT", ftSmallint, szNone, ftUnknown},
    {"INT2", ftSmallint, szNone, ftUnknown},
    {"INT", ftInteger, szNone, ftUnknown},
    {"INTEGER", ftInteger, szNone, ftUnknown},
    {"MEDIUMINT", ftInteger, szNone, ftUnknown},
    {"INT4", ftInteger, szNone, ftUnknown},
    {"BIGINT", ftLargeint, szNone, ftUnknown},
    {"INT8", ftLargeint, szNone, ftUnknown},
    {"UNSIGNED BIG INT", ftLargeint, szNone, ftUnknown},
    {"VARCHAR", ftString, szLength, ftMemo},
    {"NVARCHAR", ftString, szLength, ftMemo},
    {"CHARACTER VARYING", ftString, szLength, ftMemo},
    {"CHAR", ftFixedChar, szLength, ftMemo},
    {"CHARACTER", ftFixedChar, szLength, ftMemo},
    {"NCHAR", ftFixedChar, szLength, ftMemo},
    {"TEXT", ftMemo, szNone, ftUnknown},
    {"CLOB", ftMemo, szNone, ftUnknown},
    {"REAL", ftFloat, szNone, ftUnknown},
    {"DOUBLE", ftFloat, szNone, ftUnknown},
    {"DOUBLE PRECISION", ftFloat, szNone, ftUnknown},
    {"FLOAT", ftFloat, szNone, ftUnknown},
    {"MONEY", ftCurrency, szNone, ftUnknown},
    {"CURRENCY", ftCurrency, szNone, ftUnknown},
    {"NUMERIC", ftBCD, szScale, ftUnknown},
    {"DECIMAL", ftBCD, szScale, ftUnknown},
    {"BOOLEAN", ftBoolean, szNone, ftUnknown},
    {"BOOL", ftBoolean, szNone, ftUnknown},
    {"BLOB", ftBlob, szNone, ftUnknown},
    {"BINARY", ftBytes, szLength, ftBlob},
    {"VARBINARY", ftVarBytes, szLength, ftBlob},
    {"DATE", ftDate, szNone, ftUnknown},
    {"TIME", ftTime, szNone, ftUnknown},
    {"DATETIME", ftDateTime, szNone, ftUnknown},
    {"TIMESTAMP", ftDateTime, szNone, ftUnknown},
};

const TTypeRow* FindRow(std::string_view name) {
    for (const auto& row : kTypes) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

std::string Normalized(std::string_view text) {
    std::string result;
    bool blank = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            blank = !result.empty();
            continue;
        }
        if (blank) result += ' ';
        blank = false;
        result += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return result;
}

// The numbers between the parentheses, in order; -1 where one is not a number.
std::array<int, 2> Arguments(std::string_view args) {
    std::array<int, 2> values = {-1, -1};
    std::size_t index = 0;
    while (!args.empty() && index < values.size()) {
        auto comma = args.find(',');
        std::string_view part = args.substr(0, comma);
        while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
        int value = -1;
        auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
        values[index++] = ec == std::errc() && end == part.data() + part.size() ? value : -1;
        if (comma == std::string_view::npos) break;
        args.remove_prefix(comma + 1);
    }
    return values;
}

// SQLite's own affinity rules, for names the table does not know.
TSqliteType ByAffinity(std::string_view name) {
    if (name.find("INT") != std::string_view::npos) return {ftLargeint, 0};
    if (name.find("CHAR") != std::string_view::npos || name.find("CLOB") != std::string_view::npos ||
        name.find("TEXT") != std::string_view::npos) {
        return {ftMemo, 0};
    }
    if (name.find("BLOB") != std::string_view::npos) return {ftBlob, 0};
    if (name.find("REAL") != std::string_view::npos || name.find("FLOA") != std::string_view::npos ||
        name.find("DOUB") != std::string_view::npos) {
        return {ftFloat, 0};
    }
    // Numeric affinity keeps whatever it cannot convert: only a variant copies that exactly.
    return {ftVariant, 0};
}

}  // namespace

TSqliteType MapDeclaredType(std::string_view declaredType) {
    std::string normalized = Normalized(declaredType);
    if (normalized.empty()) return {ftVariant, 0};
    std::string_view name = normalized;
    std::string_view args;
    if (auto open = name.find('('); open != std::string_view::npos) {
        auto close = name.find(')', open);
        args = name.substr(open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1);
        name = name.substr(0, open);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    }
    const TTypeRow* row = FindRow(name);
    if (!row) return ByAffinity(name);
    auto values = Arguments(args);
    switch (row->rule) {
        case szNone:
            return {row->type, 0};
        case szLength:
            if (values[0] <= 0) return {row->unbounded, 0};
            return {row->type, values[0]};
        case szScale: {
            if (args.empty()) return {ftFloat, 0};
            int scale = values[1] < 0 ? 0 : values[1];
            if (scale <= 4) return {ftBCD, scale};
            return {ftFloat, 0};
        }
    }
    return {ftVariant, 0};
}

}  // namespace dbaccess::sqlite
