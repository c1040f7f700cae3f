#include "DbaseTypes.h"

namespace dbaccess::dbase {

namespace {

// How a descriptor's length and decimal places give the type code and Size.
enum TLengthRule {
    lrText,    // Size is the length
    lrNumber,  // whole numbers of up to 9 digits fit 32 bits: ftInteger; the rest ftFloat
    lrFixed,   // the length is always `fixedLength`; no Size
};

struct TTypeRow {
    char letter;
    TFieldType type;
    TLengthRule rule;
    int fixedLength;
};

// The whole mapping from dBASE III and IV field types to type codes.
constexpr TTypeRow kTypes[] = {
    {'C', ftString, lrText, 0}, {'N', ftInteger, lrNumber, 0}, {'F', ftFloat, lrFixed, 0}, {'L', ftBoolean, lrFixed, 1},
    {'D', ftDate, lrFixed, 8},  {'M', ftMemo, lrFixed, 10},  // the number of the memo's first block, in decimal
};

constexpr int kMaxIntegerDigits = 9;

}  // namespace

TDbaseType MapFieldType(char letter, int length, int decimals) {
    if (length <= 0) return {ftUnknown, 0, false};
    for (const auto& row : kTypes) {
        if (row.letter != letter) continue;
        switch (row.rule) {
            case lrText:
                return {row.type, length, true};
            case lrNumber:
                if (decimals == 0 && length <= kMaxIntegerDigits) return {ftInteger, 0, true};
                return {ftFloat, 0, true};
            case lrFixed:
                return {row.type, 0, row.fixedLength == 0 || row.fixedLength == length};
        }
    }
    return {ftUnknown, 0, true};
}

}  // namespace dbaccess::dbase
