#pragma once

#include "dbaccess/FieldType.h"

namespace dbaccess::dbase {

struct TDbaseType {
    TFieldType type = ftUnknown;
    int size = 0;
    // False when the length cannot be one of this type's: a damaged descriptor.
    bool valid = true;
};

// The type code of a field from its descriptor: type letter, length and
// decimal places. Letters outside dBASE III and IV give ftUnknown.
TDbaseType MapFieldType(char letter, int length, int decimals);

}  // namespace dbaccess::dbase
