#include "Variant.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace dbaccess {

void AssignText(TVariant& value, std::string_view text) {
    if (auto* held = std::get_if<std::string>(&value)) {
        held->assign(text);
    } else {
        value.emplace<std::string>(text);
    }
}

void AssignBytes(TVariant& value, std::string_view bytes) {
    if (auto* held = std::get_if<TBytes>(&value)) {
        held->data.assign(bytes);
    } else {
        value.emplace<TBytes>(TBytes{std::string(bytes)});
    }
}

namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes `value` as exactly `width` digits; dates are formatted per row, so no printf
// and, for the widths of a date, two digits at a time.
char* WriteDigits(char* out, int value, int width) {
    if (value < 0) value = 0;
    if (width == 2 && value < 100) {
        std::memcpy(out, kDigitPairs + 2 * value, 2);
        return out + 2;
    }
    if (width == 4 && value < 10000) {
        std::memcpy(out, kDigitPairs + 2 * (value / 100), 2);
        std::memcpy(out + 2, kDigitPairs + 2 * (value % 100), 2);
        return out + 4;
    }
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + width;
}

char* WriteFraction(char* out, int microsecond) {
    if (microsecond == 0) return out;
    *out++ = '.';
    if (microsecond % 1000 == 0) return WriteDigits(out, microsecond / 1000, 3);
    return WriteDigits(out, microsecond, 6);
}

// Reads exactly `width` digits at `pos`.
bool ReadDigits(std::string_view text, std::size_t& pos, int width, int& out) {
    if (pos + width > text.size()) return false;
    int value = 0;
    for (int i = 0; i < width; ++i) {
        char c = text[pos + i];
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    pos += width;
    out = value;
    return true;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool ValidDate(const TDateTime& v) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (v.month < 1 || v.month > 12 || v.day < 1) return false;
    int days = kDays[v.month - 1] + (v.month == 2 && IsLeapYear(v.year) ? 1 : 0);
    return v.day <= days;
}

bool ReadDatePart(std::string_view text, std::size_t& pos, TDateTime& v) {
    if (!ReadDigits(text, pos, 4, v.year)) return false;
    if (pos >= text.size() || text[pos++] != '-') return false;
    if (!ReadDigits(text, pos, 2, v.month)) return false;
    if (pos >= text.size() || text[pos++] != '-') return false;
    if (!ReadDigits(text, pos, 2, v.day)) return false;
    return ValidDate(v);
}

bool ReadTimePart(std::string_view text, std::size_t& pos, TDateTime& v) {
    if (!ReadDigits(text, pos, 2, v.hour)) return false;
    if (pos >= text.size() || text[pos++] != ':') return false;
    if (!ReadDigits(text, pos, 2, v.minute)) return false;
    if (pos < text.size() && text[pos] == ':') {
        ++pos;
        if (!ReadDigits(text, pos, 2, v.second)) return false;
        if (pos < text.size() && text[pos] == '.') {
            ++pos;
            int digits = 0;
            int micro = 0;
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
                if (digits < 6) micro = micro * 10 + (text[pos] - '0');
                ++digits;
                ++pos;
            }
            if (digits == 0 || digits > 6) return false;
            for (int i = digits; i < 6; ++i) micro *= 10;
            v.microsecond = micro;
        }
    }
    return v.hour < 24 && v.minute < 60 && v.second < 60;
}

}  // namespace

std::size_t WriteDate(const TDateTime& v, char* out) {
    char* end = WriteDigits(out, v.year, 4);
    *end++ = '-';
    end = WriteDigits(end, v.month, 2);
    *end++ = '-';
    end = WriteDigits(end, v.day, 2);
    return static_cast<std::size_t>(end - out);
}

std::size_t WriteTime(const TDateTime& v, char* out) {
    char* end = WriteDigits(out, v.hour, 2);
    *end++ = ':';
    end = WriteDigits(end, v.minute, 2);
    *end++ = ':';
    end = WriteDigits(end, v.second, 2);
    end = WriteFraction(end, v.microsecond);
    return static_cast<std::size_t>(end - out);
}

std::size_t WriteDateTime(const TDateTime& v, char* out) {
    std::size_t length = WriteDate(v, out);
    out[length++] = ' ';
    return length + WriteTime(v, out + length);
}

std::string FormatDate(const TDateTime& v) {
    char buffer[kDateTimeTextMax];
    return std::string(buffer, WriteDate(v, buffer));
}

std::string FormatTime(const TDateTime& v) {
    char buffer[kDateTimeTextMax];
    return std::string(buffer, WriteTime(v, buffer));
}

std::string FormatDateTime(const TDateTime& v) {
    char buffer[kDateTimeTextMax];
    return std::string(buffer, WriteDateTime(v, buffer));
}

std::optional<TDateTime> ParseDate(std::string_view text) {
    TDateTime v;
    std::size_t pos = 0;
    if (!ReadDatePart(text, pos, v) || pos != text.size()) return std::nullopt;
    return v;
}

std::optional<TDateTime> ParseTime(std::string_view text) {
    TDateTime v;
    std::size_t pos = 0;
    if (!ReadTimePart(text, pos, v) || pos != text.size()) return std::nullopt;
    return v;
}

std::optional<TDateTime> ParseDateTime(std::string_view text) {
    TDateTime v;
    std::size_t pos = 0;
    if (!ReadDatePart(text, pos, v)) return std::nullopt;
    if (pos == text.size()) return v;
    if (text[pos] != ' ' && text[pos] != 'T') return std::nullopt;
    ++pos;
    if (!ReadTimePart(text, pos, v) || pos != text.size()) return std::nullopt;
    return v;
}

std::string FormatBcd(TBcd value) {
    // Work on the magnitude as unsigned so that the most negative count prints.
    bool negative = value.units < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value.units) : static_cast<std::uint64_t>(value.units);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%s%llu.%04llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude / kBcdScale),
                  static_cast<unsigned long long>(magnitude % kBcdScale));
    return buffer;
}

std::optional<TBcd> ParseBcd(std::string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    // Digits as an exact decimal: integer digits, then fraction digits.
    std::string digits;
    int fractionDigits = 0;
    bool seenPoint = false;
    int exponent = 0;
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        if (c >= '0' && c <= '9') {
            digits += c;
            if (seenPoint) ++fractionDigits;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (digits.empty()) return std::nullopt;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        auto [end, ec] = std::from_chars(text.data() + pos, text.data() + text.size(), exponent);
        if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
        pos = text.size();
    }
    if (pos != text.size()) return std::nullopt;
    // Shift so that the last kept digit is the fourth decimal place.
    int scale = fractionDigits - exponent;  // digits after the point
    std::string kept = digits;
    std::string dropped;
    if (scale > 4) {
        std::size_t drop = static_cast<std::size_t>(scale - 4);
        if (drop >= kept.size()) {
            dropped = std::string(drop - kept.size(), '0') + kept;
            kept = "0";
        } else {
            dropped = kept.substr(kept.size() - drop);
            kept.resize(kept.size() - drop);
        }
    } else {
        if (4 - scale > 30) return std::nullopt;
        kept.append(static_cast<std::size_t>(4 - scale), '0');
    }
    std::size_t first = kept.find_first_not_of('0');
    kept = first == std::string::npos ? "0" : kept.substr(first);
    if (kept.size() > 19) return std::nullopt;
    unsigned long long magnitude = 0;
    std::from_chars(kept.data(), kept.data() + kept.size(), magnitude);
    if (!dropped.empty()) {
        bool above = dropped[0] > '5' || (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != std::string::npos);
        bool half = dropped[0] == '5' && !above;
        if (above || (half && magnitude % 2 == 1)) ++magnitude;
    }
    constexpr unsigned long long kLimit = 1ULL << 63;
    if (magnitude > kLimit || (magnitude == kLimit && !negative)) return std::nullopt;
    std::int64_t units = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return TBcd{units};
}

std::optional<TBcd> BcdFromDouble(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    // The shortest text that reads back as the same double is the number the
    // user stored; rounding that text avoids binary artefacts at the halves.
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) return std::nullopt;
    return ParseBcd(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

double BcdToDouble(TBcd value) {
    return std::strtod(FormatBcd(value).c_str(), nullptr);
}

TBcd RoundBcd(TBcd value, int places) {
    if (places >= 4) return value;
    if (places < 0) places = 0;
    std::int64_t step = 1;
    for (int i = places; i < 4; ++i) step *= 10;
    std::int64_t quotient = value.units / step;
    std::int64_t remainder = value.units % step;
    std::int64_t twice = remainder < 0 ? -2 * remainder : 2 * remainder;
    if (twice > step || (twice == step && quotient % 2 != 0)) quotient += value.units < 0 ? -1 : 1;
    return TBcd{quotient * step};
}

}  // namespace dbaccess
