#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace dbaccess {

// Data type of a field. The numbering (from 0, in this order) is part of the
// contract: callers compare and store these codes.
enum TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftParadoxOle,
    ftDBaseOle,
    ftTypedBinary,
    ftCursor,
    ftFixedChar,
    ftWideString,
    ftLargeint,
    ftADT,
    ftArray,
    ftReference,
    ftDataSet,
    ftOraBlob,
    ftOraClob,
    ftVariant,
    ftInterface,
    ftIDispatch,
    ftGuid,
};

// The code's own name, "ftString" for ftString.
std::string_view FieldTypeName(TFieldType type);

// Memo, blob and the other large-object codes whose contents move byte for byte.
bool IsBlobType(TFieldType type);

// The values that an integer code holds: ftSmallint, ftWord, ftInteger and
// ftAutoInc; nullopt for every other code.
struct TIntegerRange {
    std::int64_t low;
    std::int64_t high;
    bool Contains(std::int64_t value) const { return value >= low && value <= high; }
};
std::optional<TIntegerRange> IntegerRange(TFieldType type);

// Codes whose values are text: ftString, ftFixedChar, ftWideString, ftGuid.
bool IsStringType(TFieldType type);

}  // namespace dbaccess
