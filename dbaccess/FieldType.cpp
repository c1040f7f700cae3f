#include "FieldType.h"

#include <array>

namespace dbaccess {

namespace {
constexpr std::array<std::string_view, ftGuid + 1> kNames = {
    "ftUnknown",    "ftString",     "ftSmallint", "ftInteger",     "ftWord",      "ftBoolean",
    "ftFloat",      "ftCurrency",   "ftBCD",      "ftDate",        "ftTime",      "ftDateTime",
    "ftBytes",      "ftVarBytes",   "ftAutoInc",  "ftBlob",        "ftMemo",      "ftGraphic",
    "ftFmtMemo",    "ftParadoxOle", "ftDBaseOle", "ftTypedBinary", "ftCursor",    "ftFixedChar",
    "ftWideString", "ftLargeint",   "ftADT",      "ftArray",       "ftReference", "ftDataSet",
    "ftOraBlob",    "ftOraClob",    "ftVariant",  "ftInterface",   "ftIDispatch", "ftGuid",
};
}  // namespace

std::string_view FieldTypeName(TFieldType type) {
    auto index = static_cast<std::size_t>(type);
    return index < kNames.size() ? kNames[index] : std::string_view("ftUnknown");
}

bool IsBlobType(TFieldType type) {
    switch (type) {
        case ftBlob:
        case ftMemo:
        case ftGraphic:
        case ftFmtMemo:
        case ftParadoxOle:
        case ftDBaseOle:
        case ftTypedBinary:
        case ftOraBlob:
        case ftOraClob:
            return true;
        default:
            return false;
    }
}

std::optional<TIntegerRange> IntegerRange(TFieldType type) {
    switch (type) {
        case ftSmallint:
            return TIntegerRange{-32768, 32767};
        case ftWord:
            return TIntegerRange{0, 65535};
        case ftInteger:
        case ftAutoInc:
            return TIntegerRange{INT32_MIN, INT32_MAX};
        default:
            return std::nullopt;
    }
}

bool IsStringType(TFieldType type) {
    return type == ftString || type == ftFixedChar || type == ftWideString || type == ftGuid;
}

}  // namespace dbaccess
