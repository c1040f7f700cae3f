#include <gtest/gtest.h>

#include "CopyHarness.h"

using Rows = std::vector<std::vector<std::string>>;

namespace {

const char* kSuccess = "Cópia de dados executada com sucesso.";
const char* kNoPair = "Tabelas sem campos correspondentes ou os campos da origem estão vazios.";

// A destination with two old rows, to tell a copy from a roll-back.
void MakeDestination(testsupport::TSqliteFile& des, const std::string& columns,
                     const std::string& oldRows = "INSERT INTO dst (id) VALUES (900), (901)") {
    des.Exec("CREATE TABLE dst (" + columns + ")");
    des.Exec(oldRows);
}

}  // namespace

TEST(CopyRun, EachMissingPreconditionStopsBeforeOpening) {
    struct TCase {
        const char* name;
        bool connectOri;
        bool connectDes;
        std::string tabOri;
        std::string tabDes;
    };
    const TCase cases[] = {
        {"SourceNotConnected", false, true, "src", "dst"},
        {"DestinationNotConnected", true, false, "src", "dst"},
        {"NoSourceTable", true, true, "", "dst"},
        {"NoDestinationTable", true, true, "src", ""},
    };
    for (const auto& testCase : cases) {
        TCopyHarness harness;
        harness.ori.Exec("CREATE TABLE src (id INT); INSERT INTO src VALUES (1)");
        MakeDestination(harness.des, "id INT");
        if (testCase.connectOri) harness.DbOri.SetAliasName("ORI"), harness.DbOri.Open();
        if (testCase.connectDes) harness.DbDes.SetAliasName("DES"), harness.DbDes.Open();
        harness.CBTabOri = testCase.tabOri;
        harness.CBTabDes = testCase.tabDes;
        copy::RunCopy(harness);
        EXPECT_EQ(harness.messages, std::vector<std::string>{"Dados para cópia estão incompletos."}) << testCase.name;
        EXPECT_FALSE(harness.TabOri.Active()) << testCase.name;
        EXPECT_FALSE(harness.TabDes.Active()) << testCase.name;
        EXPECT_EQ(harness.focusMoves, 0) << testCase.name;
        EXPECT_EQ(harness.des.Scalar("SELECT count(*) FROM dst"), "2") << testCase.name;
    }
}

TEST(CopyRun, AFailedOpenIsReportedAndLeavesWhatWasOpened) {
    TCopyHarness harness;
    harness.ori.Exec("CREATE TABLE src (id INT); INSERT INTO src VALUES (1)");
    MakeDestination(harness.des, "id INT");

    harness.Copy("   ", "dst");  // blanks pass the preconditions but name no table
    ASSERT_EQ(harness.messages.size(), 1u);
    EXPECT_EQ(harness.LastMessage(), "Erro ao tentar Abrir Tabelas selecionadas: Tabela não encontrada: '   '");
    EXPECT_EQ(harness.focusMoves, 1);

    harness.Copy("src", "nao_existe");
    EXPECT_EQ(harness.LastMessage(), "Erro ao tentar Abrir Tabelas selecionadas: Tabela não encontrada: 'nao_existe'");
    EXPECT_TRUE(harness.TabOri.Active());
    EXPECT_FALSE(harness.TabDes.Active());
    EXPECT_EQ(harness.focusMoves, 1);
}

TEST(CopyRun, WithoutACompatiblePairInTheFirstRowNothingChanges) {
    struct TCase {
        const char* name;
        std::string source;       // CREATE and INSERT statements for src
        std::string destination;  // columns of dst, which has id
    };
    const TCase cases[] = {
        {"EmptySource", "CREATE TABLE src (id INT, nome VARCHAR(10))", "id INT, nome VARCHAR(10)"},
        {"FirstRowAllNull",
         "CREATE TABLE src (k INTEGER PRIMARY KEY, id INT, nome VARCHAR(10));"
         "INSERT INTO src VALUES (1, NULL, NULL), (2, 5, 'cinco')",
         "id INT, nome VARCHAR(10)"},
        {"NoCommonNames", "CREATE TABLE src (codigo INT); INSERT INTO src VALUES (1)", "id INT, nome VARCHAR(10)"},
        {"OnlyMemoIntoString", "CREATE TABLE src (nome TEXT); INSERT INTO src VALUES ('a')",
         "id INT, nome VARCHAR(10)"},
        {"OnlyIntegerIntoString", "CREATE TABLE src (nome INT); INSERT INTO src VALUES (1)",
         "id INT, nome VARCHAR(10)"},
        {"OnlyStringIntoInteger", "CREATE TABLE src (id VARCHAR(5)); INSERT INTO src VALUES ('1')", "id INT"},
        {"OnlyOtherCodes", "CREATE TABLE src (id SMALLINT); INSERT INTO src VALUES (1)", "id INT"},
    };
    for (const auto& testCase : cases) {
        TCopyHarness harness;
        harness.ori.Exec(testCase.source);
        MakeDestination(harness.des, testCase.destination);
        harness.Copy("src", "dst");
        EXPECT_EQ(harness.messages, std::vector<std::string>{kNoPair}) << testCase.name;
        EXPECT_EQ(harness.focusMoves, 0) << testCase.name;
        EXPECT_TRUE(harness.TabOri.Active() && harness.TabDes.Active()) << testCase.name;
        EXPECT_EQ(harness.des.Scalar("SELECT count(*) FROM dst"), "2") << testCase.name;
    }
}

TEST(CopyRun, CopiesEveryRowExactlyAndReplacesTheOldOnes) {
    TCopyHarness harness;
    harness.ori.Exec(
        "CREATE TABLE src (ID INTEGER PRIMARY KEY, Nome VARCHAR(20), Obs TEXT, Preco DOUBLE, Qtd INT, "
        "Quando DATE, Hora TIME, Momento DATETIME, Ativo BOOLEAN, Valor NUMERIC(12,2), Foto BLOB, "
        "Grande BIGINT, Sobra INT);"
        "INSERT INTO src VALUES (1, 'Ação', 'linha1\nlinha2', 0.1, -7, '2024-02-29', '13:45:00', "
        "'2024-02-29 13:45:00', 1, 1234.5, x'00ff00', 9223372036854775807, 1);"
        "INSERT INTO src VALUES (2, '', '', -2.5e-300, 0, '1900-01-01', '00:00:00', '1999-12-31 23:59:59.5', 0, "
        "-0.01, x'', -9223372036854775808, 2);"
        "INSERT INTO src VALUES (3, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 3)");
    MakeDestination(harness.des,
                    "id INTEGER PRIMARY KEY, NOME VARCHAR(20), obs TEXT, preco DOUBLE, qtd INT, quando DATE, "
                    "hora TIME, momento DATETIME, ativo BOOLEAN, valor NUMERIC(12,2), foto BLOB, grande BIGINT, "
                    "padrao VARCHAR(5) DEFAULT 'pd'");
    harness.Copy("src", "dst");
    EXPECT_EQ(harness.messages, std::vector<std::string>{kSuccess});
    EXPECT_EQ(harness.focusMoves, 0);
    EXPECT_EQ(harness.des.Query("SELECT id, NOME, obs, preco, qtd, quando, hora, momento, ativo, valor, "
                                "hex(foto), grande, padrao FROM dst ORDER BY id"),
              (Rows{{"1", "Ação", "linha1\nlinha2", "0.1", "-7", "2024-02-29", "13:45:00", "2024-02-29 13:45:00", "1",
                     "1234.5", "00FF00", "9223372036854775807", "pd"},
                    {"2", "", "", "-2.5e-300", "0", "1900-01-01", "00:00:00", "1999-12-31 23:59:59.500", "0", "-0.01",
                     "", "-9223372036854775808", "pd"},
                    {"3", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "", "NULL", "pd"}}));
    EXPECT_EQ(harness.des.Query("SELECT typeof(obs), typeof(foto) FROM dst WHERE id IN (2, 3) ORDER BY id"),
              (Rows{{"text", "blob"}, {"null", "null"}}));

    // Pressing again closes and reopens both tables and gives the same result.
    harness.Copy("src", "dst");
    EXPECT_EQ(harness.messages, std::vector<std::string>{kSuccess});
    EXPECT_EQ(harness.des.Scalar("SELECT count(*) FROM dst"), "3");
}

TEST(CopyRun, ALaterRowWithOnlyNullsStillGivesARow) {
    TCopyHarness harness;
    harness.ori.Exec(
        "CREATE TABLE src (k INTEGER PRIMARY KEY, id INT, nome VARCHAR(10));"
        "INSERT INTO src VALUES (1, 1, 'um'), (2, NULL, NULL), (3, 3, NULL)");
    harness.des.Exec("CREATE TABLE dst (id INT, nome VARCHAR(10) DEFAULT 'vazio')");
    harness.Copy("src", "dst");
    EXPECT_EQ(harness.LastMessage(), kSuccess);
    EXPECT_EQ(harness.des.Query("SELECT id, nome FROM dst ORDER BY rowid"),
              (Rows{{"1", "um"}, {"NULL", "vazio"}, {"3", "vazio"}}));
}

TEST(CopyRun, AFailingRowRollsBackToTheOldRows) {
    struct TCase {
        const char* name;
        std::string destination;  // columns of dst
        std::string message;
        std::string oldRows = "INSERT INTO dst (id) VALUES (900), (901)";
    };
    const TCase cases[] = {
        {"BadIntegerTextInTheTenthRow", "id INT, codigo INT",
         "Erro ao tentar copiar dados: '10x' is not a valid integer value"},
        {"RequiredFieldLeftEmpty", "id INT, codigo VARCHAR(5), exigido INT NOT NULL",
         "Erro ao tentar copiar dados: Campo 'exigido' deve ter um valor",
         "INSERT INTO dst (id, exigido) VALUES (900, 0), (901, 0)"},
        {"ReadOnlyCounterpart", "id INT, codigo VARCHAR(5), dobro INT GENERATED ALWAYS AS (id * 2)",
         "Erro ao tentar copiar dados: Campo 'dobro' não pode ser modificado"},
        {"UniqueKeyRefused", "id INT, codigo VARCHAR(5) UNIQUE",
         "Erro ao tentar copiar dados: UNIQUE constraint failed: dst.codigo"},
    };
    for (const auto& testCase : cases) {
        TCopyHarness harness;
        harness.ori.Exec(
            "CREATE TABLE src (id INTEGER PRIMARY KEY, codigo VARCHAR(5), dobro INT);"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12) "
            "INSERT INTO src SELECT i, CASE i WHEN 10 THEN '10x' WHEN 11 THEN '9' ELSE i END, i FROM n");
        MakeDestination(harness.des, testCase.destination, testCase.oldRows);
        harness.Copy("src", "dst");
        EXPECT_EQ(harness.messages, std::vector<std::string>{testCase.message}) << testCase.name;
        EXPECT_EQ(harness.focusMoves, 1) << testCase.name;
        EXPECT_EQ(harness.des.Query("SELECT id FROM dst ORDER BY id"), (Rows{{"900"}, {"901"}})) << testCase.name;
        EXPECT_FALSE(harness.DbDes.InTransaction()) << testCase.name;
    }
}

TEST(CopyRun, BetweenTwoTablesOfOneFile) {
    TCopyHarness harness;
    harness.ori.Exec(
        "CREATE TABLE src (id INTEGER PRIMARY KEY, nome TEXT);"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
        "INSERT INTO src SELECT i, hex(randomblob(100)) FROM n;"
        "CREATE TABLE dst (id INTEGER PRIMARY KEY, nome TEXT); INSERT INTO dst VALUES (1, 'velho')");
    harness.Copy("src", "dst", "MESMO");
    EXPECT_EQ(harness.messages, std::vector<std::string>{kSuccess});
    EXPECT_EQ(harness.ori.Scalar("SELECT count(*) FROM src JOIN dst USING (id) WHERE src.nome = dst.nome"), "3000");

    // A table into itself is refused at the open, so it is never emptied.
    harness.Copy("src", "SRC", "MESMO");
    EXPECT_EQ(harness.LastMessage(), "Erro ao tentar Abrir Tabelas selecionadas: Tabela em uso: 'src'");
    EXPECT_EQ(harness.ori.Scalar("SELECT count(*) FROM src"), "3000");
}
