#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "dbaccess/Database.h"
#include "dbaccess/DatabaseItems.h"
#include "dbaccess/Errors.h"
#include "dbaccess/Table.h"
#include "dbaccess/sqlite/SqliteTypes.h"
#include "support/TestSupport.h"

using namespace dbaccess;

TEST(SqliteTypes, DeclaredTypesMapToTypeCodes) {
    struct TCase {
        const char* declared;
        TFieldType type;
        int size;
    };
    const TCase cases[] = {
        {"SMALLINT", ftSmallint, 0},
        {"tinyint", ftSmallint, 0},
        {"INT", ftInteger, 0},
        {"Integer", ftInteger, 0},
        {"MEDIUMINT", ftInteger, 0},
        {"BIGINT", ftLargeint, 0},
        {"INT8", ftLargeint, 0},
        {"VARCHAR(40)", ftString, 40},
        {"nvarchar ( 12 )", ftString, 12},
        {"VARCHAR", ftMemo, 0},
        {"CHAR(3)", ftFixedChar, 3},
        {"CHARACTER(8)", ftFixedChar, 8},
        {"NCHAR(2)", ftFixedChar, 2},
        {"TEXT", ftMemo, 0},
        {"CLOB", ftMemo, 0},
        {"REAL", ftFloat, 0},
        {"DOUBLE", ftFloat, 0},
        {"double precision", ftFloat, 0},
        {"FLOAT", ftFloat, 0},
        {"MONEY", ftCurrency, 0},
        {"CURRENCY", ftCurrency, 0},
        {"NUMERIC(10,2)", ftBCD, 2},
        {"DECIMAL(18,4)", ftBCD, 4},
        {"NUMERIC(20,6)", ftFloat, 0},
        {"NUMERIC(5)", ftBCD, 0},
        {"NUMERIC", ftFloat, 0},
        {"BOOLEAN", ftBoolean, 0},
        {"DATE", ftDate, 0},
        {"TIME", ftTime, 0},
        {"DATETIME", ftDateTime, 0},
        {"TIMESTAMP", ftDateTime, 0},
        {"BLOB", ftBlob, 0},
        {"BINARY(16)", ftBytes, 16},
        {"VARBINARY(8)", ftVarBytes, 8},
        {"", ftVariant, 0},  // no declared type: any stored value, exactly
        {"UNSIGNED BIG INT", ftLargeint, 0},
        {"POINTS", ftLargeint, 0},  // unknown names follow SQLite's affinity
        {"VARYINGTEXT", ftMemo, 0},
        {"WHATEVER", ftVariant, 0},
    };
    for (const auto& testCase : cases) {
        auto mapped = sqlite::MapDeclaredType(testCase.declared);
        EXPECT_EQ(mapped.type, testCase.type) << testCase.declared;
        EXPECT_EQ(mapped.size, testCase.size) << testCase.declared;
    }
}

namespace {

// One SQLite file behind the alias "LOCAL", with a connection and a table on it.
struct TSqliteFixture {
    testsupport::TTempDir dir;
    testsupport::TSqliteFile file{dir / "local.db"};
    TDatabase db{"DbDes", "BancoDes"};
    TTable table{"TabDes", "BancoDes"};

    TSqliteFixture() {
        UseAliases("");
        db.SetAliasName("LOCAL");
    }
    // The alias LOCAL, then `extraAliases`.
    void UseAliases(const std::string& extraAliases) {
        testsupport::UseAliases(dir / "aliases.ini",
                                "[LOCAL]\nTYPE=SQLITE\nPATH=" + (dir / "local.db").string() + "\n" + extraAliases);
    }
    TTable& Open(const std::string& name) {
        table.Close();
        table.SetTableName(name);
        table.Open();
        return table;
    }
};

}  // namespace

TEST(SqliteDriver, RequiredDefaultsAndReadOnly) {
    TSqliteFixture fixture;
    fixture.file.Exec(
        "CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, nome VARCHAR(10) NOT NULL, "
        "cidade VARCHAR(10) NOT NULL DEFAULT 'Recife', nota INT, dobro INT GENERATED ALWAYS AS (nota * 2))");
    TTable& table = fixture.Open("t");
    ASSERT_EQ(table.FieldCount(), 5);
    EXPECT_EQ(table.Fields(0).DataType(), ftAutoInc);
    EXPECT_FALSE(table.Fields(0).Required());
    EXPECT_TRUE(table.Fields(1).Required());
    EXPECT_FALSE(table.Fields(2).Required());  // it has a default
    EXPECT_FALSE(table.Fields(3).Required());
    EXPECT_TRUE(table.Fields(4).ReadOnly());

    fixture.db.StartTransaction();
    table.Append();
    table.Fields(3).SetInteger(21);
    try {
        table.Post();
        FAIL() << "posted without a required field";
    } catch (const EDatabaseError& error) {
        EXPECT_STREQ(error.what(), "Campo 'nome' deve ter um valor");
    }
    table.Fields(1).SetString("Ana");
    table.Post();  // cidade and id are not written: the table's defaults apply
    table.Append();
    EXPECT_THROW(table.Fields(4).SetInteger(1), EDatabaseError);
    fixture.db.Commit();
    EXPECT_EQ(fixture.file.Query("SELECT id, nome, cidade, nota, dobro FROM t"),
              (std::vector<std::vector<std::string>>{{"1", "Ana", "Recife", "21", "42"}}));
}

TEST(SqliteDriver, NamesThatDifferOnlyInCaseGetUniqueFieldNames) {
    TSqliteFixture fixture;
    // SQLite folds only ASCII letters, so it takes both; the engine folds every letter.
    fixture.file.Exec("CREATE TABLE t (\"Ação\" INT, \"AÇÃO\" INT, \"AÇÃO_1\" INT)");
    TTable& table = fixture.Open("t");
    ASSERT_EQ(table.FieldCount(), 3);
    EXPECT_EQ(table.Fields(0).FieldName(), "Ação");
    EXPECT_EQ(table.Fields(1).FieldName(), "AÇÃO_2");
    EXPECT_EQ(table.Fields(2).FieldName(), "AÇÃO_1");
    EXPECT_EQ(table.FindField("ação"), &table.Fields(0));
}

TEST(SqliteDriver, ValuesStoredAgainstTheirTypeReadExactlyOrFail) {
    TSqliteFixture fixture;
    fixture.file.Exec(
        "CREATE TABLE t (k INTEGER PRIMARY KEY, i INT, f DOUBLE, d DATE, b BOOLEAN, n NUMERIC(8,2));"
        "INSERT INTO t VALUES (1, '42', 7, '2024-02-29', 1, 12.345);"
        "INSERT INTO t VALUES (2, 'quarenta', 'x', '29/02/2024', 2, 'muito')");
    TTable& table = fixture.Open("t");
    EXPECT_EQ(std::get<std::int32_t>(table.Fields(1).AsVariant()), 42);
    EXPECT_EQ(std::get<double>(table.Fields(2).AsVariant()), 7.0);
    EXPECT_EQ(table.Fields(3).AsString(), "2024-02-29");
    EXPECT_EQ(std::get<bool>(table.Fields(4).AsVariant()), true);
    EXPECT_EQ(std::get<TBcd>(table.Fields(5).AsVariant()).units, 123450);
    table.Next();
    for (int i = 1; i < table.FieldCount(); ++i) {
        try {
            table.Fields(i).AsVariant();
            ADD_FAILURE() << table.Fields(i).FieldName() << " read a wrong value";
        } catch (const EDatabaseError& error) {
            EXPECT_EQ(error.what(), "Valor inválido para o campo '" + table.Fields(i).FieldName() + "'");
        }
    }
}

TEST(SqliteDriver, ValuesSqliteCannotHoldExactlyAreRefusedNotRounded) {
    TSqliteFixture fixture;
    fixture.file.Exec("CREATE TABLE t (n NUMERIC(30,4), f DOUBLE)");
    TTable& table = fixture.Open("t");
    fixture.db.StartTransaction();
    struct TCase {
        const char* name;
        int field;
        TVariant value;
        std::string message;  // empty: stored
    };
    const TCase cases[] = {
        {"DecimalWithEighteenDigits", 0, TBcd{123456789012345678}, "Valor do campo 'n' está fora de faixa"},
        {"DecimalADoubleHolds", 0, TBcd{123456789012345}, ""},
        {"WholeDecimalAsInteger", 0, TBcd{9223372036854770000}, ""},
        {"NotANumber", 1, std::nan(""), "Valor inválido para o campo 'f'"},
    };
    for (const auto& testCase : cases) {
        table.Append();
        table.Fields(testCase.field).SetVariant(testCase.value);
        try {
            table.Post();
            EXPECT_EQ(testCase.message, "") << testCase.name;
        } catch (const EDatabaseError& error) {
            EXPECT_EQ(error.what(), testCase.message) << testCase.name;
        }
    }
    fixture.db.Commit();
    EXPECT_EQ(fixture.file.Query("SELECT n FROM t ORDER BY rowid"),
              (std::vector<std::vector<std::string>>{{"12345678901.2345"}, {"922337203685477"}}));
}

TEST(SqliteDriver, TableListHasOnlyOrdinaryTablesInNameOrder) {
    TSqliteFixture fixture;
    fixture.file.Exec(
        "CREATE TABLE zeta (a INT); CREATE TABLE Alfa (id INTEGER PRIMARY KEY AUTOINCREMENT);"
        "CREATE VIEW v AS SELECT * FROM zeta; CREATE INDEX i ON zeta (a);"
        "INSERT INTO Alfa DEFAULT VALUES");  // creates sqlite_sequence
    TDatabaseItems items("DbItemsDes", "BancoDes");
    items.Open();
    std::vector<std::string> names;
    for (items.First(); !items.Eof(); items.Next()) names.push_back(items.Value(0));
    EXPECT_EQ(names, (std::vector<std::string>{"Alfa", "zeta"}));
}

TEST(SqliteDriver, HostileNamesAreDataNeverSql) {
    TSqliteFixture fixture;
    const std::string hostile = "x\"; DROP TABLE y; --";
    fixture.file.Exec(
        "CREATE TABLE y (a INT); INSERT INTO y VALUES (1);"
        "CREATE TABLE \"x\"\"; DROP TABLE y; --\" (\"a\"\"b\" INT, \"c'd\" TEXT)");
    TTable& table = fixture.Open(hostile);
    EXPECT_EQ(table.TableName(), hostile);
    EXPECT_EQ(table.Fields(0).FieldName(), "a\"b");
    fixture.db.StartTransaction();
    table.EmptyTable();
    table.Append();
    table.Fields(0).SetInteger(5);
    table.Fields(1).SetString("'); DROP TABLE y; --");
    table.Post();
    fixture.db.Commit();
    EXPECT_EQ(fixture.file.Scalar("SELECT count(*) FROM y"), "1");
    EXPECT_EQ(fixture.file.Scalar("SELECT \"c'd\" FROM \"x\"\"; DROP TABLE y; --\""), "'); DROP TABLE y; --");
    table.Close();
    table.SetTableName("y; DROP TABLE y");
    EXPECT_THROW(table.Open(), EDatabaseError);
    EXPECT_EQ(fixture.file.Scalar("SELECT count(*) FROM y"), "1");
}

TEST(SqliteDriver, TwoAliasesOfOneFileShareItWithoutWaitingOnThemselves) {
    TSqliteFixture fixture;
    // The second alias names the same file through another spelling of its path.
    fixture.UseAliases("[MESMO]\nTYPE=SQLITE\nPATH=" + (fixture.dir.Path() / "." / "local.db").string() + "\n");
    fixture.file.Exec(
        "CREATE TABLE a (id INTEGER PRIMARY KEY, v TEXT); CREATE TABLE b (id INTEGER PRIMARY KEY, v TEXT);"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
        "INSERT INTO a SELECT i, hex(randomblob(50)) FROM n");
    TDatabase source("DbOri", "BancoOri");
    source.SetAliasName("MESMO");
    TTable from("TabOri", "BancoOri");
    from.SetTableName("A");
    from.Open();

    // The same table through the other alias is in use.
    TTable& sameTable = fixture.table;
    sameTable.SetTableName("a");
    EXPECT_THROW(sameTable.Open(), EDatabaseError);

    TTable& to = fixture.Open("b");
    fixture.db.StartTransaction();
    to.EmptyTable();
    for (from.First(); !from.Eof(); from.Next()) {
        to.Append();
        to.Fields(0).SetVariant(from.Fields(0).AsVariant());
        to.Fields(1).SetVariant(from.Fields(1).AsVariant());
        to.Post();
    }
    fixture.db.Commit();
    EXPECT_EQ(fixture.file.Scalar("SELECT count(*) FROM b"), "5000");
    EXPECT_EQ(fixture.file.Scalar("SELECT count(*) FROM a JOIN b USING (id) WHERE a.v = b.v"), "5000");
}

TEST(SqliteDriver, ALockHeldByAnotherProcessFailsWithTheEnginesText) {
    TSqliteFixture fixture;
    fixture.file.Exec("CREATE TABLE t (a INT); INSERT INTO t VALUES (1)");
    fixture.file.Exec("BEGIN IMMEDIATE");  // another connection holds the write lock
    TTable& table = fixture.Open("t");
    try {
        fixture.db.StartTransaction();
        FAIL() << "took the write lock twice";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("database is locked"), std::string::npos) << error.what();
    }
    fixture.file.Exec("ROLLBACK");
    EXPECT_FALSE(fixture.db.InTransaction());
    EXPECT_NO_THROW(fixture.db.StartTransaction());
    table.EmptyTable();
    fixture.db.Rollback();
    EXPECT_EQ(fixture.file.Scalar("SELECT count(*) FROM t"), "1");
}

TEST(SqliteDriver, NotADatabaseFailsTheConnectNamingThePath) {
    TSqliteFixture fixture;
    std::ofstream(fixture.dir / "texto.db") << "isto não é um banco de dados, só texto comprido o bastante";
    fixture.UseAliases("[TEXTO]\nTYPE=SQLITE\nPATH=" + (fixture.dir / "texto.db").string() + "\n");
    fixture.db.SetAliasName("TEXTO");
    try {
        fixture.db.Open();
        FAIL() << "connected to a text file";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find((fixture.dir / "texto.db").string()), std::string::npos);
    }
}
