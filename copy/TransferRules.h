#pragma once

#include <string_view>

#include "dbaccess/Field.h"
#include "dbaccess/FieldType.h"
#include "dbaccess/Table.h"

namespace copy {

using dbaccess::TField;
using dbaccess::TFieldType;
using dbaccess::TTable;

// How a value moves from a source field into its counterpart.
enum TTransferRule {
    trGeneric,          // same type code: the generic value
    trFloatToInteger,   // ftFloat into ftInteger, rounded halves to even
    trIntegerToFloat,   // ftInteger into ftFloat
    trMemoToString,     // ftMemo into ftString, cut to Size
    trIntegerToString,  // ftInteger into ftString, its decimal text
    trStringToInteger,  // ftString into ftInteger, read as a 32-bit integer
    trNone,             // any other pair: nothing is written
};

// The destination field whose name equals `fieldName` without regard to case
// (AÇÃO and ação are equal), first in column order; null when there is none.
TField* FindCounterpart(std::string_view fieldName, TTable& destination);

// True for the pairs of trGeneric, trFloatToInteger and trIntegerToFloat: the
// ones that count for the compatibility check.
bool IsCompatiblePair(TFieldType destinationType, TFieldType sourceType);

TTransferRule SelectTransferRule(TFieldType destinationType, TFieldType sourceType);

// Writes the source field's value of its current row into the destination
// field of the row being appended; the caller has checked the source is not null.
// Fails with the field's texts ("'%s' is not a valid integer value", "Campo '%s'
// não pode ser modificado", ...) or the engine's.
void TransferValue(TTransferRule rule, TField& source, TField& destination);

}  // namespace copy
