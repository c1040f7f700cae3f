#include <gtest/gtest.h>

#include <fstream>

#include "copy/CopyRun.h"
#include "support/CopyView.h"
#include "support/PgTestSupport.h"
#include "support/TestSupport.h"

using namespace dbaccess;

namespace {

constexpr const char* kCopied = "Cópia de dados executada com sucesso.";
constexpr const char* kCopyFailed = "Erro ao tentar copiar dados: ";

// The dialog's side of a copy between two databases of the private server
// (aliases ORI and DES) and an SQLite file (alias LITE), with a message box
// that records what it shows.
class TPgCopyView : public testsupport::TCopyViewStub {
public:
    testsupport::TPgDatabase ori;
    testsupport::TPgDatabase des;
    testsupport::TTempDir dir;
    testsupport::TSqliteFile lite{dir / "lite.db"};

    TPgCopyView() {
        testsupport::UseAliases(dir / "aliases.ini", "[ORI]\n" + ori.AliasEntries() + "[DES]\n" + des.AliasEntries() +
                                                         "[LITE]\nTYPE=SQLITE\nPATH=" + (dir / "lite.db").string() +
                                                         "\n");
    }
    // The databases go with the members above: disconnect before they are dropped.
    ~TPgCopyView() {
        DbOri.Close();
        DbDes.Close();
    }
};

// A column of every mapped type.
constexpr const char* kAllTypes =
    "(id integer PRIMARY KEY, pequeno smallint, inteiro integer, grande bigint, real4 real, "
    "duplo double precision, dinheiro money, decimal2 numeric(12,2), decimal4 numeric(18,4), "
    "largo numeric(30,10), nome varchar(30), sigla char(5), texto text, ativo boolean, dia date, hora time, "
    "momento timestamp, instante timestamptz, dados bytea, codigo uuid)";

// Extremes, accents, separators and zero bytes, the empty values, all nulls, and
// the special floating-point values.
constexpr const char* kAllTypesRows =
    "INSERT INTO todos VALUES "
    "(1, -32768, -2147483648, -9223372036854775808, 1.5, 0.1, -1234.56, -9999999999.99, 1234567890.5678, "
    " 0.1234567891, 'Ação ção ñ ü — 日本', 'ab', E'linha1\\nlinha2\\ttab \\\\ barra\\r', true, '2024-02-29', "
    " '23:59:59.999999', '1999-12-31 23:59:59.123456', '2024-06-30 12:00:00.5+02', '\\x00ff005c0a00', "
    " 'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11'),"
    "(2, 32767, 2147483647, 9223372036854775807, 3.4028235e38, 1.7976931348623157e308, 0.01, 0.01, -0.0001, "
    " 1e-10, '', '', '', false, '0001-01-01', '00:00:00', '9999-12-31 23:59:59.999999', "
    " '1970-01-01 00:00:00+00', '', '00000000-0000-0000-0000-000000000000'),"
    "(3, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
    " NULL, NULL),"
    "(4, 0, 0, 0, 'NaN', '-Infinity', 0, 0, 0, 'NaN', 'x', 'abcde', 'y', NULL, NULL, NULL, NULL, NULL, "
    " '\\x00', NULL)";

long PeakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return 0;
}

}  // namespace

TEST(PgCopy, PostgresToPostgresKeepsEveryValueExactly) {
    TPgCopyView view;
    // Beyond the 15 digits that SQLite keeps: the widest fixed-point value.
    view.ori.Exec(std::string("CREATE TABLE todos ") + kAllTypes + ";" + kAllTypesRows +
                  "; INSERT INTO todos (id, decimal4) VALUES (5, -99999999999999.9999)");
    view.des.Exec(std::string("CREATE TABLE todos ") + kAllTypes + "; INSERT INTO todos (id) VALUES (99)");

    EXPECT_EQ(view.Copy("ORI", "todos", "DES", "todos"), kCopied);
    auto copied = view.des.Query("SELECT * FROM todos ORDER BY id");
    EXPECT_EQ(copied, view.ori.Query("SELECT * FROM todos ORDER BY id"));
    ASSERT_EQ(copied.size(), 5u);
    // The server shows times in its own zone (São Paulo): the instant is the same.
    EXPECT_EQ(copied[0][17], "2024-06-30 07:00:00.5-03");
    EXPECT_EQ(copied[0][18], "\\x00ff005c0a00");
}

TEST(PgCopy, PostgresToSqliteWritesTheValuesAsRead) {
    TPgCopyView view;
    view.ori.Exec(std::string("CREATE TABLE todos ") + kAllTypes + ";" + kAllTypesRows);
    view.lite.Exec(
        "CREATE TABLE todos (id INTEGER PRIMARY KEY, pequeno SMALLINT, inteiro INTEGER, grande BIGINT, real4 REAL, "
        "duplo DOUBLE, dinheiro MONEY, decimal2 NUMERIC(12,2), decimal4 NUMERIC(18,4), largo NUMERIC(30,10), "
        "nome VARCHAR(30), sigla CHAR(5), texto TEXT, ativo BOOLEAN, dia DATE, hora TIME, momento DATETIME, "
        "instante TIMESTAMP, dados BLOB, codigo TEXT)");

    // SQLite cannot hold a NaN (it would store NULL): such a copy is refused and changes nothing.
    EXPECT_EQ(view.Copy("ORI", "todos", "LITE", "todos"),
              "Erro ao tentar copiar dados: Valor inválido para o campo 'real4'");
    EXPECT_EQ(view.lite.Scalar("SELECT count(*) FROM todos"), "0");
    view.ori.Exec("UPDATE todos SET real4 = 0, largo = 0 WHERE id = 4");

    EXPECT_EQ(view.Copy("ORI", "todos", "LITE", "todos"), kCopied);
    auto rows = view.lite.Query("SELECT * FROM todos ORDER BY id");
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<std::vector<std::string>> expected = {
        {"1",
         "-32768",
         "-2147483648",
         "-9223372036854775808",
         "1.5",
         "0.1",
         "-1234.56",
         "-9999999999.99",
         "1234567890.5678",
         "0.1234567891",
         "Ação ção ñ ü — 日本",
         "ab   ",
         "linha1\nlinha2\ttab \\ barra\r",
         "1",
         "2024-02-29",
         "23:59:59.999999",
         "1999-12-31 23:59:59.123456",
         "2024-06-30 10:00:00.500",
         "x'00ff005c0a00'",
         "NULL"},  // uuid has no counterpart type in SQLite
        {"2",
         "32767",
         "2147483647",
         "9223372036854775807",
         "3.4028235e+38",
         "1.79769313486232e+308",
         "0.01",
         "0.01",
         "-0.0001",
         "1.0e-10",
         "",
         "     ",
         "",
         "0",
         "0001-01-01",
         "00:00:00",
         "9999-12-31 23:59:59.999999",
         "1970-01-01 00:00:00",
         "x''",
         "NULL"},
    };
    EXPECT_EQ(rows[0], expected[0]);
    EXPECT_EQ(rows[1], expected[1]);
    for (std::size_t i = 1; i < rows[2].size(); ++i) EXPECT_EQ(rows[2][i], "NULL") << i;
    EXPECT_EQ(view.lite.Scalar("SELECT duplo FROM todos WHERE id = 4"), "-Inf");
}

TEST(PgCopy, SqliteToPostgresWritesEveryMappedType) {
    TPgCopyView view;
    view.lite.Exec(
        "CREATE TABLE todos (id INTEGER PRIMARY KEY, pequeno SMALLINT, inteiro INTEGER, grande BIGINT, real4 REAL, "
        "duplo DOUBLE, dinheiro MONEY, decimal2 NUMERIC(12,2), decimal4 NUMERIC(18,4), largo NUMERIC(30,10), "
        "nome VARCHAR(30), sigla CHAR(5), texto TEXT, ativo BOOLEAN, dia DATE, hora TIME, momento DATETIME, "
        "instante TIMESTAMP, dados BLOB);"
        "INSERT INTO todos VALUES (1, -32768, -2147483648, -9223372036854775808, 1.5, 0.1, -1234.56, '-9999999999.99', "
        "'1234567890.5678', 0.1234567891, 'Ação ção ñ ü — 日本', 'ab', 'linha1' || char(10) || 'tab' || char(9) "
        "|| '\\', 1, '2024-02-29', '23:59:59.999999', '1999-12-31 23:59:59.123456', '2024-06-30 10:00:00.5', "
        "x'00ff005c0a00');"
        "INSERT INTO todos (id) VALUES (2);"
        "INSERT INTO todos VALUES (3, 0, 0, 0, 0, 0, 0, 0, 0, 0, '', '', '', 0, '0001-01-01', '00:00', "
        "'2000-01-01T00:00', '2000-01-01', x'')");
    view.des.Exec(std::string("CREATE TABLE todos ") + kAllTypes + "; INSERT INTO todos (id) VALUES (99)");

    EXPECT_EQ(view.Copy("LITE", "todos", "DES", "todos"), kCopied);
    auto rows = view.des.Query(
        "SELECT id, pequeno, inteiro, grande, real4, duplo, dinheiro::numeric, decimal2, decimal4, largo, nome, "
        "sigla, texto, ativo, dia, hora, momento, instante AT TIME ZONE 'UTC', dados, codigo FROM todos ORDER BY id");
    const std::vector<std::vector<std::string>> expected = {
        {"1",
         "-32768",
         "-2147483648",
         "-9223372036854775808",
         "1.5",
         "0.1",
         "-1234.56",
         "-9999999999.99",
         "1234567890.5678",
         "0.1234567891",
         "Ação ção ñ ü — 日本",
         "ab   ",
         "linha1\ntab\t\\",
         "t",
         "2024-02-29",
         "23:59:59.999999",
         "1999-12-31 23:59:59.123456",
         "2024-06-30 10:00:00.5",
         "\\x00ff005c0a00",
         "NULL"},
        {"2",    "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL",
         "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"},
        {"3",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0.00",
         "0.00",
         "0.0000",
         "0.0000000000",
         "",
         "     ",
         "",
         "f",
         "0001-01-01",
         "00:00:00",
         "2000-01-01 00:00:00",
         "2000-01-01 00:00:00",
         "\\x",
         "NULL"},
    };
    EXPECT_EQ(rows, expected);
}

// Each refusal reaches the message box with the server's text, and the
// destination keeps its old rows; the connection stays fit for the next copy.
TEST(PgCopy, RefusalsShowTheServersTextAndRollBack) {
    struct TCase {
        const char* name;
        const char* destination;  // creates "alvo" holding (1, 'velho'), and what refuses
        const char* source;       // rows for "origem"
        const char* serverText;
    };
    const TCase cases[] = {
        {"ReferencedByAnotherTable",
         "CREATE TABLE alvo (id integer PRIMARY KEY, nome text); INSERT INTO alvo VALUES (1, 'velho');"
         "CREATE TABLE filho (alvo_id integer REFERENCES alvo); INSERT INTO filho VALUES (1);",
         "INSERT INTO origem VALUES (1, 'novo')", "violates foreign key constraint \"filho_alvo_id_fkey\""},
        {"UniqueKeyAlreadyPresent",
         "CREATE TABLE alvo (id integer PRIMARY KEY, nome text UNIQUE); INSERT INTO alvo VALUES (1, 'velho');",
         "INSERT INTO origem VALUES (1, 'igual'), (2, 'igual')",
         "duplicate key value violates unique constraint \"alvo_nome_key\""},
        {"ValueRefused",
         "CREATE TABLE alvo (id integer PRIMARY KEY, nome text CHECK (nome <> 'proibido'));"
         "INSERT INTO alvo VALUES (1, 'velho');",
         "INSERT INTO origem VALUES (1, 'bom'), (2, 'proibido'), (3, 'bom')",
         "violates check constraint \"alvo_nome_check\""},
        {"ValueRefusedDeepInALongCopy",
         "CREATE TABLE alvo (id integer PRIMARY KEY, nome text CHECK (nome <> 'proibido'));"
         "INSERT INTO alvo VALUES (1, 'velho');",
         "INSERT INTO origem SELECT i, CASE WHEN i = 40000 THEN 'proibido' ELSE 'linha ' || i END "
         "FROM generate_series(1, 50000) i",
         "violates check constraint \"alvo_nome_check\""},
        {"RefusedOnlyAtCommit",
         "CREATE TABLE alvo (id integer PRIMARY KEY, nome text, UNIQUE (nome) DEFERRABLE INITIALLY DEFERRED);"
         "INSERT INTO alvo VALUES (1, 'velho');",
         "INSERT INTO origem VALUES (1, 'igual'), (2, 'igual')",
         "duplicate key value violates unique constraint \"alvo_nome_key\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TPgCopyView view;
        view.ori.Exec(std::string("CREATE TABLE origem (id integer PRIMARY KEY, nome text);") + c.source);
        view.des.Exec(std::string(c.destination) + "CREATE TABLE livre (id integer, nome text);");

        std::string message = view.Copy("ORI", "origem", "DES", "alvo");
        EXPECT_TRUE(message.starts_with(kCopyFailed)) << message;
        EXPECT_NE(message.find(c.serverText), std::string::npos) << message;
        EXPECT_EQ(view.des.Query("SELECT * FROM alvo"), (std::vector<std::vector<std::string>>{{"1", "velho"}}));
        EXPECT_FALSE(view.DbDes.InTransaction());

        EXPECT_EQ(view.Copy("ORI", "origem", "DES", "livre"), kCopied);
        EXPECT_EQ(view.des.Scalar("SELECT count(*) FROM livre"), view.ori.Scalar("SELECT count(*) FROM origem"));
    }
}

// Names are data: quotes, semicolons, accents and blanks neither break the SQL
// nor reach it, in table and column names alike.
TEST(PgCopy, HostileTableAndColumnNamesCopyAsNames) {
    TPgCopyView view;
    view.ori.Exec(
        "CREATE TABLE \"Orçamento \"\"2024\"\"; DROP TABLE vitima; --\" "
        "(\"Código\" integer PRIMARY KEY, \"nome'); DELETE FROM vitima; --\" text, \"a\\b\" text);"
        "INSERT INTO \"Orçamento \"\"2024\"\"; DROP TABLE vitima; --\" VALUES (1, 'um', 'x'), (2, 'dois', 'y');");
    view.des.Exec(
        "CREATE TABLE vitima (id integer); INSERT INTO vitima VALUES (7);"
        "CREATE SCHEMA \"Vendas\";"
        "CREATE TABLE \"Vendas\".\"x'); DELETE FROM vitima; --\" "
        "(\"CÓDIGO\" integer PRIMARY KEY, \"NOME'); DELETE FROM VITIMA; --\" text, \"A\\B\" text);");

    EXPECT_EQ(
        view.Copy("ORI", "ORÇAMENTO \"2024\"; drop table VITIMA; --", "DES", "vendas.X'); delete from vitima; --"),
        kCopied);
    EXPECT_EQ(view.des.Query("SELECT * FROM \"Vendas\".\"x'); DELETE FROM vitima; --\" ORDER BY 1"),
              (std::vector<std::vector<std::string>>{{"1", "um", "x"}, {"2", "dois", "y"}}));
    EXPECT_EQ(view.des.Scalar("SELECT count(*) FROM vitima"), "1");
    EXPECT_EQ(view.ori.Scalar("SELECT count(*) FROM pg_tables WHERE tablename LIKE 'Or%'"), "1");
}

// Rows stream both ways: memory stays far below what the table takes.
TEST(PgCopy, ALargeTableStreamsWithFlatMemory) {
    TPgCopyView view;
    const char* shape =
        "(id integer PRIMARY KEY, qtd integer, preco double precision, nome varchar(40), "
        "obs text, quando date)";
    view.ori.Exec(std::string("CREATE TABLE grande ") + shape +
                  "; INSERT INTO grande SELECT i, i % 1000, i * 0.25, 'Cliente número ' || i, "
                  "'Observações do pedido ' || i || repeat(' com texto de enchimento', 4), "
                  "date '2000-01-01' + i % 9000 FROM generate_series(1, 300000) i");
    view.des.Exec(std::string("CREATE TABLE grande ") + shape);
    const std::string checksum = "SELECT count(*), md5(string_agg(g::text, '|' ORDER BY id)) FROM grande g";

    long before = PeakResidentKb();
    EXPECT_EQ(view.Copy("ORI", "grande", "DES", "grande"), kCopied);
    long grownKb = PeakResidentKb() - before;
    EXPECT_EQ(view.des.Query(checksum), view.ori.Query(checksum));
    // The table's text alone is over 40 MB.
    EXPECT_LT(grownKb, 16 * 1024);
}
