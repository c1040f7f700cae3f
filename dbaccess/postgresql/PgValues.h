#pragma once

#include <string>
#include <string_view>

#include "PgCatalog.h"
#include "dbaccess/Variant.h"

namespace dbaccess::postgresql {

// The expression that selects a column in the text form DecodeValue reads:
// money as a plain number, a timestamp with time zone as UTC wall-clock time.
std::string SelectExpression(const TPgColumn& column);

// Reads the server's text form of a value as the kind of the column's type
// code. Fails with "Valor inválido para o campo '%s'", or "Valor do campo '%s'
// está fora de faixa" for a number the kind cannot hold.
void DecodeValue(const TPgColumn& column, std::string_view text, TVariant& out);

// Appends a value, already of the column's kind, in COPY's text form: \N for a
// null, backslash escapes for the separators. Fails with "Valor inválido para o
// campo '%s'" for a value of another kind.
void AppendCopyValue(const TPgColumn& column, const TVariant& value, std::string& line);

}  // namespace dbaccess::postgresql
