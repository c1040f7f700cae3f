#include "PgCatalog.h"

#include <libpq-fe.h>

#include "PgTypes.h"
#include "dbaccess/Errors.h"
#include "dbaccess/Messages.h"
#include "dbaccess/Text.h"

namespace dbaccess::postgresql {

namespace {

// Tables and partitioned tables outside the server's own schemas.
constexpr const char* kOrdinaryTables =
    "c.relkind IN ('r', 'p') AND n.nspname <> 'information_schema' AND n.nspname NOT LIKE 'pg\\_%'";

std::string Text(const pg_result* result, int row, int column) {
    return {PQgetvalue(result, row, column), static_cast<std::size_t>(PQgetlength(result, row, column))};
}

bool Flag(const pg_result* result, int row, int column) {
    return PQgetvalue(result, row, column)[0] == 't';
}

}  // namespace

std::string TPgTableRef::QualifiedName() const {
    return QuoteIdentifier(schema) + "." + QuoteIdentifier(name);
}

std::vector<std::string> VisibleTableNames(TPgSession& session) {
    TResult result = session.Exec(std::string("SELECT c.relname FROM pg_catalog.pg_class c "
                                              "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace WHERE ") +
                                  kOrdinaryTables +
                                  " AND NOT c.relispartition AND pg_catalog.pg_table_is_visible(c.oid)"
                                  " ORDER BY c.relname");
    std::vector<std::string> names;
    for (int row = 0; row < PQntuples(result.get()); ++row) names.push_back(Text(result.get(), row, 0));
    return names;
}

TPgTableRef ResolveTable(TPgSession& session, const std::string& typedName) {
    // Every candidate comes back and the typed name is compared here: it never
    // becomes SQL, and the comparison is the engine's own, Unicode-aware one.
    TResult result = session.Exec(
        std::string("SELECT c.oid, n.nspname, c.relname, pg_catalog.pg_table_is_visible(c.oid) "
                    "FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace WHERE ") +
        kOrdinaryTables +
        " ORDER BY pg_catalog.array_position(pg_catalog.current_schemas(false), n.nspname::text), "
        "n.nspname, c.relname");
    struct TCandidate {
        int row;
        bool visible;
        std::string qualified;
    };
    std::vector<TCandidate> candidates;
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        candidates.push_back(
            {row, Flag(result.get(), row, 3), Text(result.get(), row, 1) + "." + Text(result.get(), row, 2)});
    }
    auto make = [&](const TCandidate& candidate) {
        TPgTableRef table{Text(result.get(), candidate.row, 0),
                          Text(result.get(), candidate.row, 1),
                          Text(result.get(), candidate.row, 2),
                          {}};
        table.displayName = candidate.visible ? table.name : candidate.qualified;
        return table;
    };
    for (const auto& candidate : candidates) {
        if (candidate.visible && Text(result.get(), candidate.row, 2) == typedName) return make(candidate);
    }
    for (const auto& candidate : candidates) {
        if (candidate.visible && SameText(Text(result.get(), candidate.row, 2), typedName)) return make(candidate);
    }
    for (const auto& candidate : candidates) {
        if (candidate.qualified == typedName) return make(candidate);
    }
    for (const auto& candidate : candidates) {
        if (SameText(candidate.qualified, typedName)) return make(candidate);
    }
    throw EDatabaseError(Format(dbaccess::msg::kTableNotFound, {typedName}));
}

std::vector<TPgColumn> ReadColumns(TPgSession& session, const TPgTableRef& table) {
    bool hasGenerated = PQserverVersion(session.Conn()) >= 120000;
    // A domain stands for its base type: the chain is walked to it, gathering the
    // domains' type modifier, NOT NULL and default on the way.
    std::string sql =
        "SELECT a.attname, base.typname, base.typmod, a.attnotnull OR base.nonull, "
        "a.atthasdef OR base.hasdefault, a.attidentity, " +
        std::string(hasGenerated ? "a.attgenerated" : "''") +
        ", COALESCE(pg_catalog.pg_get_expr(d.adbin, d.adrelid) LIKE 'nextval(%', false), "
        "COALESCE((SELECT k.ord FROM pg_catalog.unnest(pk.indkey::int2[]) WITH ORDINALITY k(attnum, ord) WHERE "
        "k.attnum = a.attnum), 0) "
        "FROM pg_catalog.pg_attribute a "
        "LEFT JOIN pg_catalog.pg_attrdef d ON d.adrelid = a.attrelid AND d.adnum = a.attnum "
        "LEFT JOIN pg_catalog.pg_index pk ON pk.indrelid = a.attrelid AND pk.indisprimary "
        "CROSS JOIN LATERAL ("
        "  WITH RECURSIVE chain(oid, typmod, nonull, hasdefault, depth) AS ("
        "    SELECT a.atttypid, a.atttypmod, false, false, 0"
        "    UNION ALL"
        "    SELECT t.typbasetype, CASE WHEN chain.typmod <> -1 THEN chain.typmod ELSE t.typtypmod END,"
        "           chain.nonull OR t.typnotnull, chain.hasdefault OR t.typdefaultbin IS NOT NULL, chain.depth + 1"
        "    FROM chain JOIN pg_catalog.pg_type t ON t.oid = chain.oid WHERE t.typtype = 'd')"
        "  SELECT CASE WHEN tn.nspname = 'pg_catalog' THEN t.typname::text ELSE '' END AS typname,"
        "         chain.typmod, chain.nonull, chain.hasdefault"
        "  FROM chain JOIN pg_catalog.pg_type t ON t.oid = chain.oid"
        "  JOIN pg_catalog.pg_namespace tn ON tn.oid = t.typnamespace"
        "  ORDER BY chain.depth DESC LIMIT 1) base "
        "WHERE a.attrelid = $1 AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum";
    TResult result = session.Exec(sql, {table.oid});
    std::vector<TPgColumn> columns;
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        const pg_result* r = result.get();
        TPgColumn column;
        column.def.name = Text(r, row, 0);
        column.typeName = Text(r, row, 1);
        int typeModifier = std::stoi(Text(r, row, 2));
        bool notNull = Flag(r, row, 3);
        bool hasDefault = Flag(r, row, 4);
        char identity = PQgetvalue(r, row, 5)[0];
        char generated = PQgetvalue(r, row, 6)[0];
        bool sequence = Flag(r, row, 7);
        column.keyPosition = std::stoi(Text(r, row, 8));

        TPgType mapped = MapPgType(column.typeName, typeModifier, sequence || identity != '\0');
        column.def.type = mapped.type;
        column.def.size = mapped.size;
        column.def.readOnly = generated != '\0' || identity == 'a';
        column.hasDefault = hasDefault || identity != '\0' || generated != '\0';
        column.def.required = notNull && !column.hasDefault;
        columns.push_back(std::move(column));
    }
    return columns;
}

}  // namespace dbaccess::postgresql
