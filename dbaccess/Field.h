#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Driver.h"
#include "Variant.h"

namespace dbaccess {

class TTable;

// One column of an open table. Reads see the current row, or the new row while
// the table is appending; writes go to the new row.
class TField {
public:
    TField(TTable& table, int index, TFieldDef def);

    const std::string& FieldName() const { return m_def.name; }
    TFieldType DataType() const { return m_def.type; }
    // Characters for ftString and ftFixedChar, bytes for ftBytes and ftVarBytes,
    // decimal places for ftBCD.
    int Size() const { return m_def.size; }
    bool ReadOnly() const { return m_def.readOnly; }
    bool Required() const { return m_def.required; }
    int Index() const { return m_index; }

    bool IsNull() { return HasCurrentValue() ? dbaccess::IsNull(m_value) : IsNullUncached(); }
    // The generic value, of the kind of the type code.
    const TVariant& AsVariant() { return HasCurrentValue() ? m_value : ReadVariant(); }
    // ftFloat rounds to the nearest integer, halves to even ("Valor do campo '%s'
    // está fora de faixa" without a 32-bit form); text reads as a 32-bit integer
    // in decimal or hexadecimal ("'%s' is not a valid integer value").
    std::int32_t AsInteger();
    // Text of the value; the whole contents of a memo.
    std::string AsString();

    // Each write fails with "Campo '%s' não pode ser modificado" on a ReadOnly
    // field (prefixed with the table's name for the blob family).
    // Writes a generic value, converted to the field's kind: text is cut to Size
    // characters and at a NUL, BCD rounded to Size places, bytes padded to Size.
    void SetVariant(const TVariant& value);
    // SetVariant(source.AsVariant()), but a value that needs no converting changes
    // hands instead of being copied; the source reads it again if asked.
    void SetFromField(TField& source);
    // Into a text field it writes the decimal text, which must fit Size.
    void SetInteger(std::int32_t value);
    void SetFloat(double value);
    void SetString(std::string_view text);

private:
    static constexpr std::uint64_t kNoRow = 0;  // the table numbers its rows from 1

    // The copy asks each field of a row for null-ness, then for its value: the
    // second and later asks are answered here without a call.
    bool HasCurrentValue() const { return !m_tableAppending && m_valueRow == m_tableRow; }
    bool IsNullUncached();
    const TVariant& ReadVariant();
    TVariant& NewValue();
    bool StoresUnchanged(const TVariant& value) const;
    [[noreturn]] void Fail(const char* pattern) const;
    void StoreText(TVariant& slot, std::string_view text);

    TTable& m_table;
    const bool& m_tableAppending;     // the table's state, as the table keeps it
    const std::uint64_t& m_tableRow;  // the table's current row number
    int m_index;
    TFieldDef m_def;
    TVariant m_value;                   // the value read from the current row
    std::uint64_t m_valueRow = kNoRow;  // which row m_value belongs to
    // The variant index that this field stores exactly as given, or -1 when every
    // value needs converting or checking (cut, range, rounding, padding).
    std::size_t m_plainKind = std::variant_npos;
};

// Reads a text as a 32-bit integer: leading spaces, then an optional sign and
// decimal digits, or without a sign one of the prefixes $ x X 0x 0X and up to
// FFFFFFFF in hexadecimal, taken as two's complement. nullopt otherwise.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// Rounds to the nearest integer, halves to even; nullopt without a 32-bit form.
std::optional<std::int32_t> RoundToInteger(double value);

}  // namespace dbaccess
