#pragma once

#include <string>
#include <vector>

#include "PgSession.h"
#include "dbaccess/Driver.h"

namespace dbaccess::postgresql {

// A table the server has, as the driver addresses it.
struct TPgTableRef {
    std::string oid;
    std::string schema;
    std::string name;
    // The name shown in messages: without the schema when the search path finds it so.
    std::string displayName;
    // "schema"."name", quoted for SQL.
    std::string QualifiedName() const;
};

// One column of a table, with what reading and writing it needs to know.
struct TPgColumn {
    TFieldDef def;
    // The base type's name in pg_catalog, past any domain; empty for a type of another schema.
    std::string typeName;
    // Whether a row that does not write it gets something other than null.
    bool hasDefault = false;
    // Its place in the primary key, from 1; 0 outside it.
    int keyPosition = 0;
};

// The ordinary tables the search path finds, in name order: names that
// ResolveTable accepts.
std::vector<std::string> VisibleTableNames(TPgSession& session);

// The table of exactly the typed name on the search path, else the first one
// whose name matches it without regard to case; then the same for "schema.name".
// Fails with "Tabela não encontrada: '%s'".
TPgTableRef ResolveTable(TPgSession& session, const std::string& typedName);

// The table's columns in their order, mapped to type codes.
std::vector<TPgColumn> ReadColumns(TPgSession& session, const TPgTableRef& table);

}  // namespace dbaccess::postgresql
