#pragma once

#include <string_view>

#include "dbaccess/FieldType.h"

namespace dbaccess::sqlite {

struct TSqliteType {
    TFieldType type = ftUnknown;
    int size = 0;
};

// The type code of a column from its declared type ("VARCHAR(40)", "NUMERIC(10,2)").
TSqliteType MapDeclaredType(std::string_view declaredType);

}  // namespace dbaccess::sqlite
