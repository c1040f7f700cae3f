#include <gtest/gtest.h>

#include "copy/CopyRun.h"
#include "support/CopyView.h"
#include "support/DbfWriter.h"
#include "support/TestSupport.h"

using namespace dbaccess;
using testsupport::TDbfWriter;
using testsupport::TDbtWriter;

namespace {

// The dialog's side of a copy: a folder of dBASE tables (alias PASTA) and an
// SQLite file (alias BANCO), with a message box that records what it shows.
class TDbaseCopyView : public testsupport::TCopyViewStub {
public:
    testsupport::TTempDir dir;
    testsupport::TSqliteFile sqlite{dir / "banco.db"};

    TDbaseCopyView() {
        std::filesystem::create_directory(dir / "pasta");
        testsupport::UseAliases(dir / "aliases.ini", "[PASTA]\nTYPE=STANDARD\nPATH=" + (dir / "pasta").string() +
                                                         "\n[BANCO]\nTYPE=SQLITE\nPATH=" + (dir / "banco.db").string() +
                                                         "\n");
    }
    std::filesystem::path Folder(const std::string& name) const { return dir / "pasta" / name; }
};

}  // namespace

TEST(DbaseCopy, CopiesAFolderTableIntoSqliteWithExactValues) {
    TDbaseCopyView view;
    auto memos = TDbtWriter::DbaseIII();
    std::string memo = memos.Add("Observa\x87\xC6o\r\nsegunda linha");
    // Code page 850 from the language driver byte: "Conceição" and "São Paulo".
    TDbfWriter({{"CODIGO", 'N', 9},
                {"NOME", 'C', 20},
                {"SALDO", 'N', 12, 2},
                {"ATIVO", 'L', 1},
                {"NASCEU", 'D', 8},
                {"OBS", 'M', 10},
                {"CIDADE", 'C', 15}},
               0x83, 0x02)
        .Add({"1", "Concei\x87\xC6o", "1234567.89", "T", "19800615", memo, "S\xC6o Paulo"})
        .AddDeleted({"2", "Apagado", "1", "F", "20000101", "", ""})
        .Add({"3", "", "", "?", "", "", ""})
        .Add({"-4", "Zo\x89", "-0.01", "f", "20240229", "", "Rio"})
        .Save(view.Folder("CLIENTES.DBF"));
    memos.Save(view.Folder("CLIENTES.DBT"));
    view.sqlite.Exec(
        "CREATE TABLE clientes (codigo INTEGER, nome VARCHAR(20), saldo DOUBLE, ativo BOOLEAN, nasceu DATE,"
        " obs TEXT, cidade VARCHAR(40)); INSERT INTO clientes (codigo) VALUES (99)");

    view.Copy("PASTA", "clientes", "BANCO", "clientes");

    EXPECT_EQ(view.messages, (std::vector<std::string>{"Cópia de dados executada com sucesso."}));
    auto rows = view.sqlite.Query(
        "SELECT codigo, nome, saldo, ativo, nasceu, obs, cidade, typeof(codigo), typeof(saldo)"
        " FROM clientes ORDER BY rowid");
    std::vector<std::vector<std::string>> expected = {
        {"1", "Conceição", "1234567.89", "1", "1980-06-15", "Observação\r\nsegunda linha", "São Paulo", "integer",
         "real"},
        {"3", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "integer", "null"},
        {"-4", "Zoë", "-0.01", "0", "2024-02-29", "NULL", "Rio", "integer", "real"},
    };
    EXPECT_EQ(rows, expected);
    // The nearest doubles, not just their short text.
    EXPECT_EQ(view.sqlite.Scalar("SELECT count(*) FROM clientes WHERE saldo IN (1234567.89, -0.01)"), "2");
}

TEST(DbaseCopy, CopyIntoAFolderEndsWithTheIsolationRefusalAndLeavesTheFilesAsTheyWere) {
    TDbaseCopyView view;
    auto memos = TDbtWriter::DbaseIV(512);
    std::string memo = memos.Add("antigo");
    TDbfWriter({{"CODIGO", 'N', 9}, {"NOME", 'C', 20}, {"OBS", 'M', 10}}, 0x8B)
        .Add({"7", "Antigo", memo})
        .Save(view.Folder("Destino.dbf"));
    memos.Save(view.Folder("Destino.dbt"));
    std::string dbfBefore = testsupport::ReadFileBytes(view.Folder("Destino.dbf"));
    std::string dbtBefore = testsupport::ReadFileBytes(view.Folder("Destino.dbt"));
    view.sqlite.Exec(
        "CREATE TABLE origem (codigo INTEGER, nome VARCHAR(20), obs TEXT);"
        " INSERT INTO origem VALUES (1, 'Novo', 'novo memo'), (2, 'Outro', NULL)");

    view.Copy("BANCO", "origem", "PASTA", "destino");

    EXPECT_EQ(view.messages, (std::vector<std::string>{
                                 "Erro ao tentar copiar dados: DbDes: O nível de isolamento da transação deve ser "
                                 "dirty read para os banco de dados locais"}));
    view.TabDes.Close();
    EXPECT_EQ(testsupport::ReadFileBytes(view.Folder("Destino.dbf")), dbfBefore);
    EXPECT_EQ(testsupport::ReadFileBytes(view.Folder("Destino.dbt")), dbtBefore);
}
