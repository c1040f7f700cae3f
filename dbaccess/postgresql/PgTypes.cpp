#include "PgTypes.h"

#include <cstdint>

namespace dbaccess::postgresql {

namespace {

// How the type modifier gives the field's Size.
enum TSizeRule {
    szNone,    // no Size
    szLength,  // varchar(n), char(n): Size n; without a length the type is ftMemo
    szScale,   // numeric(p,s): ftBCD with Size s when s <= 4, else ftFloat
};

struct TTypeRow {
    std::string_view name;  // as pg_type.typname has it
    TFieldType type;
    TSizeRule rule;
    TFieldType whenGenerated;  // for a sequence default or an identity
};

// The whole mapping from the server's built-in types to type codes.
constexpr TTypeRow kTypes[] = {
    {"int2", ftSmallint, szNone, ftSmallint},
    {"int4", ftInteger, szNone, ftAutoInc},
    {"int8", ftLargeint, szNone, ftLargeint},
    {"float4", ftFloat, szNone, ftFloat},
    {"float8", ftFloat, szNone, ftFloat},
    {"money", ftCurrency, szNone, ftCurrency},
    {"numeric", ftBCD, szScale, ftBCD},
    {"varchar", ftString, szLength, ftString},
    {"bpchar", ftFixedChar, szLength, ftFixedChar},
    {"text", ftMemo, szNone, ftMemo},
    {"bool", ftBoolean, szNone, ftBoolean},
    {"date", ftDate, szNone, ftDate},
    {"time", ftTime, szNone, ftTime},
    {"timestamp", ftDateTime, szNone, ftDateTime},
    {"timestamptz", ftDateTime, szNone, ftDateTime},
    {"bytea", ftBlob, szNone, ftBlob},
    {"uuid", ftGuid, szNone, ftGuid},
};

constexpr int kVarHeaderSize = 4;  // the server adds it to lengths and precisions

}  // namespace

TPgType MapPgType(std::string_view typeName, int typeModifier, bool generated) {
    const TTypeRow* row = nullptr;
    for (const auto& candidate : kTypes) {
        if (candidate.name == typeName) row = &candidate;
    }
    if (!row) return {ftMemo, 0};
    TFieldType type = generated ? row->whenGenerated : row->type;
    switch (row->rule) {
        case szNone:
            return {type, 0};
        case szLength:
            if (typeModifier < kVarHeaderSize + 1) return {ftMemo, 0};
            return {type, typeModifier - kVarHeaderSize};
        case szScale: {
            if (typeModifier < kVarHeaderSize) return {ftFloat, 0};
            // The scale is the low 16 bits, signed: numeric(3,-2) rounds to hundreds.
            auto scale = static_cast<std::int16_t>((typeModifier - kVarHeaderSize) & 0xFFFF);
            if (scale > 4) return {ftFloat, 0};
            return {type, scale < 0 ? 0 : scale};
        }
    }
    return {ftMemo, 0};
}

}  // namespace dbaccess::postgresql
