#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AliasConfig.h"
#include "FieldType.h"
#include "Variant.h"

namespace dbaccess {

// What a driver tells of one column of a table.
struct TFieldDef {
    std::string name;
    TFieldType type = ftUnknown;
    int size = 0;  // characters, bytes, or decimal places, by type
    bool required = false;
    bool readOnly = false;
};

// An open table: a forward cursor over its rows in default index order, and
// the writes the copy needs. Every failure is an EDatabaseError.
class TDriverTable {
public:
    virtual ~TDriverTable() = default;

    virtual const std::vector<TFieldDef>& FieldDefs() const = 0;

    // Starts reading afresh and stands on the first row (or at the end).
    virtual void First() = 0;
    // Moves to the next row; at the last row it moves past the end.
    virtual void Next() = 0;
    virtual bool Eof() const = 0;

    // The current row's column; only valid while not at the end.
    virtual bool IsNull(int column) = 0;
    // Reads the current row's column as the kind of its type code; fails with
    // "Valor inválido para o campo '%s'" when the stored value does not convert.
    virtual void Read(int column, TVariant& out) = 0;

    // Deletes every row, inside the connection's transaction if one is active.
    virtual void Empty() = 0;
    // Inserts one row: the columns whose `assigned` flag is set take their value
    // from `row` (already of their field's kind); the others get the table's defaults.
    virtual void Insert(const std::vector<char>& assigned, const std::vector<TVariant>& row) = 0;
    // Sends any inserts the driver holds back; a refused row fails here at the latest.
    virtual void Flush() {}
};

// A connection to one database.
class TDriverConnection {
public:
    virtual ~TDriverConnection() = default;

    // The engine's type of this database: "STANDARD" for local file tables.
    virtual std::string EngineType() const = 0;

    // Read committed. A database of local file tables refuses it.
    virtual void StartTransaction() = 0;
    virtual void Commit() = 0;
    // Does nothing when no transaction is active.
    virtual void Rollback() = 0;
    virtual bool InTransaction() const = 0;

    // The ordinary tables, as names that OpenTable accepts.
    virtual std::vector<std::string> TableNames() = 0;
    virtual std::unique_ptr<TDriverTable> OpenTable(const std::string& tableName, bool exclusive) = 0;
};

// A user name and password from the login box.
struct TLogin {
    std::string userName;
    std::string password;
};

// Makes connections for the aliases of one TYPE.
class TDriver {
public:
    virtual ~TDriver() = default;
    // Fails with a text naming the alias and what is wrong.
    virtual std::unique_ptr<TDriverConnection> Connect(const TAlias& alias, const std::optional<TLogin>& login) = 0;
};

}  // namespace dbaccess
