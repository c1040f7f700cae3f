#pragma once

#include <string_view>

#include "dbaccess/FieldType.h"

namespace dbaccess::postgresql {

struct TPgType {
    TFieldType type = ftUnknown;
    int size = 0;
};

// The type code of a column from its base type's name in pg_catalog ("int4",
// "varchar", ...) and its type modifier (-1 for none). `generated` tells that
// the server fills the column: a sequence default or an identity. A type of no
// other schema, or one the table does not name, is ftMemo: its text moves as it is.
TPgType MapPgType(std::string_view typeName, int typeModifier, bool generated);

}  // namespace dbaccess::postgresql
