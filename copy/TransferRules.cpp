#include "TransferRules.h"

namespace copy {

using namespace dbaccess;

TField* FindCounterpart(std::string_view fieldName, TTable& destination) {
    return destination.FindField(fieldName);
}

bool IsCompatiblePair(TFieldType destinationType, TFieldType sourceType) {
    TTransferRule rule = SelectTransferRule(destinationType, sourceType);
    return rule == trGeneric || rule == trFloatToInteger || rule == trIntegerToFloat;
}

TTransferRule SelectTransferRule(TFieldType destinationType, TFieldType sourceType) {
    if (destinationType == sourceType) return trGeneric;
    if (destinationType == ftInteger && sourceType == ftFloat) return trFloatToInteger;
    if (destinationType == ftFloat && sourceType == ftInteger) return trIntegerToFloat;
    if (destinationType == ftString && sourceType == ftMemo) return trMemoToString;
    if (destinationType == ftString && sourceType == ftInteger) return trIntegerToString;
    if (destinationType == ftInteger && sourceType == ftString) return trStringToInteger;
    return trNone;
}

void TransferValue(TTransferRule rule, TField& source, TField& destination) {
    switch (rule) {
        case trGeneric:
            destination.SetFromField(source);
            break;
        case trFloatToInteger:
        case trIntegerToString:
        case trStringToInteger:
            destination.SetInteger(source.AsInteger());
            break;
        case trIntegerToFloat:
            destination.SetFloat(static_cast<double>(source.AsInteger()));
            break;
        case trMemoToString:
            // A memo's generic value is its whole text; writing it cuts to Size.
            destination.SetFromField(source);
            break;
        case trNone:
            break;
    }
}

}  // namespace copy
