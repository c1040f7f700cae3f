#include "Field.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "Errors.h"
#include "Messages.h"
#include "Table.h"
#include "Text.h"

namespace dbaccess {

namespace {

const TVariant kNullValue{};

bool IsTextKind(TFieldType type) {
    return IsStringType(type) || type == ftMemo || type == ftFmtMemo || type == ftOraClob;
}

// Text fields whose Size bounds the characters they hold.
bool IsSizedText(TFieldType type) {
    return type == ftString || type == ftFixedChar || type == ftWideString;
}

bool IsBytesKind(TFieldType type) {
    return type == ftBytes || type == ftVarBytes || (IsBlobType(type) && !IsTextKind(type));
}

std::string DoubleText(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::optional<std::uint64_t> ReadDigits(std::string_view digits, int base) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        // Past any 32-bit value: stop before the sum can wrap, the answer is "out of range".
        if (value > 0x1FFFFFFFFULL) return value;
    }
    return value;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(pos);
    std::size_t prefix = 0;
    if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X'))
        prefix = 1;
    else if (rest.starts_with("0x") || rest.starts_with("0X"))
        prefix = 2;
    if (prefix > 0) {
        auto value = ReadDigits(rest.substr(prefix), 16);
        if (!value || *value > 0xFFFFFFFFULL) return std::nullopt;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(*value));
    }
    bool negative = false;
    if (rest.starts_with('+') || rest.starts_with('-')) {
        negative = rest[0] == '-';
        rest.remove_prefix(1);
    }
    auto value = ReadDigits(rest, 10);
    if (!value) return std::nullopt;
    std::uint64_t limit = negative ? 2147483648ULL : 2147483647ULL;
    if (*value > limit) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(*value) : static_cast<std::int64_t>(*value));
}

std::optional<std::int32_t> RoundToInteger(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double rounded = std::nearbyint(value);  // the default mode rounds halves to even
    if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

TField::TField(TTable& table, int index, TFieldDef def)
    : m_table(table),
      m_tableAppending(table.m_appending),
      m_tableRow(table.m_rowNumber),
      m_index(index),
      m_def(std::move(def)) {
    switch (m_def.type) {
        case ftMemo:
        case ftFmtMemo:
        case ftOraClob:
        case ftGuid:
            m_plainKind = TVariant(std::string()).index();
            break;
        case ftInteger:
        case ftAutoInc:
            m_plainKind = TVariant(std::int32_t{}).index();
            break;
        case ftLargeint:
            m_plainKind = TVariant(std::int64_t{}).index();
            break;
        case ftFloat:
        case ftCurrency:
            m_plainKind = TVariant(double{}).index();
            break;
        case ftBoolean:
            m_plainKind = TVariant(bool{}).index();
            break;
        case ftDate:
        case ftTime:
        case ftDateTime:
            m_plainKind = TVariant(TDateTime{}).index();
            break;
        default:
            if (IsBytesKind(m_def.type) && m_def.type != ftBytes && m_def.type != ftVarBytes) {
                m_plainKind = TVariant(TBytes{}).index();
            }
            break;
    }
}

bool TField::IsNullUncached() {
    if (m_table.m_appending) {
        return !m_table.m_assigned[static_cast<std::size_t>(m_index)] ||
               dbaccess::IsNull(m_table.m_row[static_cast<std::size_t>(m_index)]);
    }
    return dbaccess::IsNull(AsVariant());
}

const TVariant& TField::ReadVariant() {
    if (m_table.m_appending) {
        auto index = static_cast<std::size_t>(m_index);
        return m_table.m_assigned[index] ? m_table.m_row[index] : kNullValue;
    }
    m_table.CheckActive();
    if (m_valueRow != m_table.m_rowNumber) {
        if (m_table.Eof()) return kNullValue;
        m_table.m_cursor->Read(m_index, m_value);  // a null reads as TNull
        m_valueRow = m_table.m_rowNumber;
    }
    return m_value;
}

std::int32_t TField::AsInteger() {
    const TVariant& value = AsVariant();
    if (auto* number = std::get_if<std::int32_t>(&value)) return *number;
    if (dbaccess::IsNull(value)) return 0;
    if (auto* text = std::get_if<std::string>(&value)) {
        auto parsed = ParseInteger(*text);
        if (!parsed) throw EConvertError(Format(msg::kNotAnInteger, {*text}));
        return *parsed;
    }
    if (auto* real = std::get_if<double>(&value)) {
        auto rounded = RoundToInteger(*real);
        if (!rounded) Fail(msg::kFieldOutOfRange);
        return *rounded;
    }
    if (auto* big = std::get_if<std::int64_t>(&value)) {
        if (*big < std::numeric_limits<std::int32_t>::min() || *big > std::numeric_limits<std::int32_t>::max()) {
            Fail(msg::kFieldOutOfRange);
        }
        return static_cast<std::int32_t>(*big);
    }
    if (auto* bcd = std::get_if<TBcd>(&value)) {
        auto rounded = RoundToInteger(static_cast<double>(RoundBcd(*bcd, 0).units / kBcdScale));
        if (!rounded) Fail(msg::kFieldOutOfRange);
        return *rounded;
    }
    if (auto* truth = std::get_if<bool>(&value)) return *truth ? 1 : 0;
    Fail(msg::kFieldBadValue);
}

std::string TField::AsString() {
    const TVariant& value = AsVariant();
    return std::visit(
        [this](const auto& held) -> std::string {
            using T = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<T, TNull>)
                return {};
            else if constexpr (std::is_same_v<T, std::string>)
                return held;
            else if constexpr (std::is_same_v<T, TBytes>)
                return held.data;
            else if constexpr (std::is_same_v<T, bool>)
                return held ? "True" : "False";
            else if constexpr (std::is_same_v<T, double>)
                return DoubleText(held);
            else if constexpr (std::is_same_v<T, TBcd>)
                return FormatBcd(held);
            else if constexpr (std::is_same_v<T, TDateTime>) {
                if (m_def.type == ftDate) return FormatDate(held);
                if (m_def.type == ftTime) return FormatTime(held);
                return FormatDateTime(held);
            } else
                return std::to_string(held);
        },
        value);
}

TVariant& TField::NewValue() {
    if (!m_table.m_appending) throw EDatabaseError(m_table.Name() + ": " + msg::kNotEditing);
    if (m_def.readOnly) {
        std::string message = Format(msg::kFieldReadOnly, {m_def.name});
        if (IsBlobType(m_def.type)) message = m_table.Name() + ": " + message;
        throw EDatabaseError(message);
    }
    auto index = static_cast<std::size_t>(m_index);
    m_table.m_assigned[index] = 1;
    return m_table.m_row[index];
}

void TField::Fail(const char* pattern) const {
    throw EDatabaseError(Format(pattern, {m_def.name}));
}

void TField::StoreText(TVariant& slot, std::string_view text) {
    if (IsSizedText(m_def.type) && m_def.size > 0) text = CutText(text, static_cast<std::size_t>(m_def.size));
    AssignText(slot, text);
}

bool TField::StoresUnchanged(const TVariant& value) const {
    if (value.index() == m_plainKind) return true;
    if (!IsSizedText(m_def.type)) return false;
    auto* text = std::get_if<std::string>(&value);
    return text && (m_def.size <= 0 || CutText(*text, static_cast<std::size_t>(m_def.size)).size() == text->size());
}

void TField::SetFromField(TField& source) {
    const TVariant& value = source.AsVariant();
    if (&value != &source.m_value || !StoresUnchanged(value)) return SetVariant(value);
    TVariant& slot = NewValue();
    // Only a held buffer is worth trading; anything else copies as cheaply.
    auto* text = std::get_if<std::string>(&source.m_value);
    auto* held = std::get_if<std::string>(&slot);
    if (text && held) {
        held->swap(*text);
        source.m_valueRow = kNoRow;
    } else if (auto* bytes = std::get_if<TBytes>(&source.m_value), *heldBytes = std::get_if<TBytes>(&slot);
               bytes && heldBytes) {
        heldBytes->data.swap(bytes->data);
        source.m_valueRow = kNoRow;
    } else if (slot.index() != value.index()) {
        slot = value;
    } else if (auto* number = std::get_if<std::int32_t>(&value)) {
        *std::get_if<std::int32_t>(&slot) = *number;  // the common kinds without a visit
    } else if (auto* real = std::get_if<double>(&value)) {
        *std::get_if<double>(&slot) = *real;
    } else if (auto* date = std::get_if<TDateTime>(&value)) {
        *std::get_if<TDateTime>(&slot) = *date;
    } else {
        slot = value;
    }
}

void TField::SetVariant(const TVariant& value) {
    TVariant& slot = NewValue();
    if (value.index() == m_plainKind) {
        slot = value;  // same kind: keeps the slot's buffer
        return;
    }
    if (dbaccess::IsNull(value)) {
        slot = TNull{};
        return;
    }
    TFieldType type = m_def.type;
    if (type == ftVariant) {
        slot = value;
        return;
    }
    if (IsTextKind(type)) {
        if (auto* text = std::get_if<std::string>(&value)) return StoreText(slot, *text);
        if (auto* bytes = std::get_if<TBytes>(&value)) return StoreText(slot, bytes->data);
        Fail(msg::kFieldBadValue);
    }
    if (IsBytesKind(type)) {
        std::string_view bytes;
        if (auto* held = std::get_if<TBytes>(&value))
            bytes = held->data;
        else if (auto* text = std::get_if<std::string>(&value))
            bytes = *text;
        else
            Fail(msg::kFieldBadValue);
        if (type == ftBytes || type == ftVarBytes) {
            auto size = static_cast<std::size_t>(m_def.size);
            if (bytes.size() > size) Fail(msg::kFieldBadVariant);
            AssignBytes(slot, bytes);
            if (type == ftBytes) std::get<TBytes>(slot).data.resize(size, '\0');
            return;
        }
        AssignBytes(slot, bytes);
        return;
    }
    if (auto range = IntegerRange(type)) {
        std::int64_t number;
        if (auto* small = std::get_if<std::int32_t>(&value))
            number = *small;
        else if (auto* big = std::get_if<std::int64_t>(&value))
            number = *big;
        else
            Fail(msg::kFieldBadValue);
        if (!range->Contains(number)) Fail(msg::kFieldOutOfRange);
        slot = static_cast<std::int32_t>(number);
        return;
    }
    switch (type) {
        case ftLargeint:
            if (auto* big = std::get_if<std::int64_t>(&value))
                slot = *big;
            else if (auto* small = std::get_if<std::int32_t>(&value))
                slot = std::int64_t{*small};
            else
                Fail(msg::kFieldBadValue);
            return;
        case ftFloat:
        case ftCurrency:
            if (auto* real = std::get_if<double>(&value))
                slot = *real;
            else if (auto* small = std::get_if<std::int32_t>(&value))
                slot = double(*small);
            else if (auto* bcd = std::get_if<TBcd>(&value))
                slot = BcdToDouble(*bcd);
            else
                Fail(msg::kFieldBadValue);
            return;
        case ftBCD:
            if (auto* bcd = std::get_if<TBcd>(&value)) {
                slot = RoundBcd(*bcd, m_def.size);
            } else if (auto* real = std::get_if<double>(&value)) {
                auto converted = BcdFromDouble(*real);
                if (!converted) Fail(msg::kFieldOutOfRange);
                slot = RoundBcd(*converted, m_def.size);
            } else if (auto* small = std::get_if<std::int32_t>(&value)) {
                slot = TBcd{std::int64_t{*small} * kBcdScale};
            } else {
                Fail(msg::kFieldBadValue);
            }
            return;
        case ftBoolean:
            if (auto* truth = std::get_if<bool>(&value))
                slot = *truth;
            else
                Fail(msg::kFieldBadValue);
            return;
        case ftDate:
        case ftTime:
        case ftDateTime:
            if (auto* when = std::get_if<TDateTime>(&value))
                slot = *when;
            else
                Fail(msg::kFieldBadValue);
            return;
        default:
            Fail(msg::kFieldBadValue);
    }
}

void TField::SetInteger(std::int32_t value) {
    if (IsTextKind(m_def.type)) {
        char buffer[16];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
        std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
        // A number cut short would be another number: refuse what does not fit.
        if (IsSizedText(m_def.type) && m_def.size > 0 && text.size() > static_cast<std::size_t>(m_def.size)) {
            Fail(msg::kFieldOutOfRange);
        }
        AssignText(NewValue(), text);
        return;
    }
    if (m_def.type == ftBoolean || m_def.type == ftDate || m_def.type == ftTime || m_def.type == ftDateTime ||
        IsBytesKind(m_def.type)) {
        Fail(msg::kFieldBadValue);
    }
    SetVariant(TVariant{value});
}

void TField::SetFloat(double value) {
    if (m_def.type == ftFloat || m_def.type == ftCurrency || m_def.type == ftBCD || m_def.type == ftVariant) {
        SetVariant(TVariant{value});
        return;
    }
    if (IntegerRange(m_def.type)) {
        auto rounded = RoundToInteger(value);
        if (!rounded) Fail(msg::kFieldOutOfRange);
        SetVariant(TVariant{*rounded});
        return;
    }
    if (IsTextKind(m_def.type)) {
        StoreText(NewValue(), DoubleText(value));
        return;
    }
    Fail(msg::kFieldBadValue);
}

void TField::SetString(std::string_view text) {
    if (IsTextKind(m_def.type)) {
        StoreText(NewValue(), text);
        return;
    }
    if (IntegerRange(m_def.type)) {
        auto parsed = ParseInteger(text);
        if (!parsed) throw EConvertError(Format(msg::kNotAnInteger, {text}));
        SetVariant(TVariant{*parsed});
        return;
    }
    if (IsBytesKind(m_def.type)) {
        SetVariant(TVariant{TBytes{std::string(text)}});
        return;
    }
    Fail(msg::kFieldBadValue);
}

}  // namespace dbaccess
