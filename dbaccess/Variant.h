#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace dbaccess {

// A fixed-point number with four decimal places, held as a count of
// ten-thousandths so that it is exact.
struct TBcd {
    std::int64_t units = 0;
    friend bool operator==(const TBcd&, const TBcd&) = default;
};
inline constexpr std::int64_t kBcdScale = 10000;

// A date, a time of day, or both; which parts count depends on the field's
// type code (ftDate, ftTime, ftDateTime).
struct TDateTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, microsecond = 0;
    friend bool operator==(const TDateTime&, const TDateTime&) = default;
};

// Binary contents, kept apart from text so that the kind says which it is.
struct TBytes {
    std::string data;
    friend bool operator==(const TBytes&, const TBytes&) = default;
};

struct TNull {
    friend bool operator==(const TNull&, const TNull&) = default;
};

// The generic value of a field: its value together with its kind.
using TVariant = std::variant<TNull, std::string, std::int32_t, double, TBcd, bool, TDateTime, TBytes, std::int64_t>;

inline bool IsNull(const TVariant& value) {
    return std::holds_alternative<TNull>(value);
}

// Assigns text to a variant, reusing the capacity of the text it already holds.
void AssignText(TVariant& value, std::string_view text);
// Assigns bytes to a variant, reusing the capacity of the bytes it already holds.
void AssignBytes(TVariant& value, std::string_view bytes);

// ISO 8601 forms, as SQL databases read them: "2024-02-29", "13:45:00",
// "2024-02-29 13:45:00"; fractions of a second are written only when present.
std::string FormatDate(const TDateTime& value);
// The same forms written into `out`, which holds at least kDateTimeTextMax
// characters; returns how many were written.
inline constexpr std::size_t kDateTimeTextMax = 40;
std::size_t WriteDate(const TDateTime& value, char* out);
std::size_t WriteTime(const TDateTime& value, char* out);
std::size_t WriteDateTime(const TDateTime& value, char* out);
std::string FormatTime(const TDateTime& value);
std::string FormatDateTime(const TDateTime& value);
// Parse the forms above (a "T" may stand for the blank, the seconds and their
// fraction may be left out); nullopt when the text is not such a value.
std::optional<TDateTime> ParseDate(std::string_view text);
std::optional<TDateTime> ParseTime(std::string_view text);
std::optional<TDateTime> ParseDateTime(std::string_view text);

// Decimal text of a fixed-point number: "-12.5000" keeps its four places.
std::string FormatBcd(TBcd value);
// Reads a decimal text exactly, rounding past four places with halves to even;
// nullopt when the text is not a decimal number or is out of range.
std::optional<TBcd> ParseBcd(std::string_view text);
// The nearest count of ten-thousandths, halves to even; nullopt out of range.
std::optional<TBcd> BcdFromDouble(double value);
double BcdToDouble(TBcd value);
// Rounds to the given number of decimal places (0 to 4), halves to even.
TBcd RoundBcd(TBcd value, int places);

}  // namespace dbaccess
