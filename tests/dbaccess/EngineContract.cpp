#include "EngineContract.h"

#include "dbaccess/Database.h"
#include "dbaccess/DatabaseItems.h"
#include "dbaccess/Errors.h"
#include "dbaccess/Table.h"
#include "support/TestSupport.h"

using namespace dbaccess;

namespace {

// A connection and a table on it, as the dialog has them, over the backend's alias.
struct TContractDatabase {
    testsupport::TTempDir dir;
    TDatabase db{"DbDes", "BancoDes"};
    TTable table{"TabDes", "BancoDes"};

    explicit TContractDatabase(const TContractBackend& backend) {
        std::string entries = backend.prepare(dir.Path());
        testsupport::UseAliases(dir / "aliases.ini", "[CONTRATO]\n" + entries + "\n");
        db.SetAliasName("CONTRATO");
        db.Open();
    }
    TTable& Open(const std::string& name) {
        table.Close();
        table.SetTableName(name);
        table.Open();
        return table;
    }
};

struct TPessoa {
    int codigo;
    std::string nome;  // "" for null
    double saldo;      // 0 for null
};

std::vector<TPessoa> ReadAll(TTable& table) {
    std::vector<TPessoa> rows;
    for (table.First(); !table.Eof(); table.Next()) {
        rows.push_back({table.Fields(0).AsInteger(), table.Fields(1).AsString(),
                        table.Fields(2).IsNull() ? 0.0 : std::get<double>(table.Fields(2).AsVariant())});
    }
    return rows;
}

}  // namespace

TEST_P(EngineContract, ListsItsTablesInNameOrder) {
    TContractDatabase fixture(GetParam());
    TDatabaseItems items("DbItemsDes", "BancoDes");
    items.Open();
    std::vector<std::string> names;
    for (items.First(); !items.Eof(); items.Next()) names.push_back(items.Value(0));
    std::vector<std::string> expected = {"Pessoas", "Vazia"};
    std::vector<std::string> lowered;
    for (auto name : names) {
        for (auto& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        lowered.push_back(name);
    }
    EXPECT_EQ(lowered, (std::vector<std::string>{"pessoas", "vazia"}));
    // Each listed name opens as a table.
    for (const auto& name : names) EXPECT_NO_THROW(fixture.Open(name));
}

TEST_P(EngineContract, DescribesFieldsAndStreamsRowsInKeyOrder) {
    TContractDatabase fixture(GetParam());
    TTable& table = fixture.Open("Pessoas");
    ASSERT_EQ(table.FieldCount(), 3);
    EXPECT_EQ(table.Fields(0).DataType(), ftInteger);
    EXPECT_EQ(table.Fields(1).DataType(), ftString);
    EXPECT_EQ(table.Fields(1).Size(), 20);
    EXPECT_EQ(table.Fields(2).DataType(), ftFloat);

    auto rows = ReadAll(table);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].codigo, 1);
    EXPECT_EQ(rows[0].nome, "Ana");
    EXPECT_EQ(rows[0].saldo, 10.5);
    EXPECT_EQ(rows[1].nome, "Bruno");
    EXPECT_EQ(rows[2].codigo, 3);
    EXPECT_EQ(rows[2].saldo, -2.25);

    // First starts the read again, also after the end.
    table.First();
    EXPECT_FALSE(table.Eof());
    EXPECT_EQ(table.Fields(0).AsInteger(), 1);
    table.Next();
    EXPECT_TRUE(table.Fields(2).IsNull());
    EXPECT_EQ(ReadAll(table).size(), 3u);
}

TEST_P(EngineContract, EmptyTableIsAtTheEndWithNullFields) {
    TContractDatabase fixture(GetParam());
    TTable& table = fixture.Open("Vazia");
    table.First();
    EXPECT_TRUE(table.Eof());
    for (int i = 0; i < table.FieldCount(); ++i) EXPECT_TRUE(table.Fields(i).IsNull());
}

TEST_P(EngineContract, FindsFieldsAndTablesWithoutRegardToCase) {
    TContractDatabase fixture(GetParam());
    TTable& table = fixture.Open("PESSOAS");
    ASSERT_NE(table.FindField("nome"), nullptr);
    EXPECT_EQ(table.FindField("nome"), &table.Fields(1));
    EXPECT_EQ(table.FindField("NOM"), nullptr);
}

TEST_P(EngineContract, RefusesASecondExclusiveOpenAndUnknownOrHostileNames) {
    TContractDatabase fixture(GetParam());
    fixture.Open("Pessoas");
    TTable second("TabOri", "BancoDes");
    second.SetTableName("pessoas");
    try {
        second.Open();
        FAIL() << "a second exclusive open succeeded";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("em uso"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(second.Active());
    fixture.table.Close();
    EXPECT_NO_THROW(second.Open());  // the lock goes with the close

    for (std::string name : {"NaoExiste", "   ", "x\"; DROP TABLE Pessoas; --", "Pessoas' OR '1'='1"}) {
        second.Close();
        second.SetTableName(name);
        EXPECT_THROW(second.Open(), EDatabaseError) << name;
    }
    EXPECT_EQ(ReadAll(fixture.Open("Pessoas")).size(), 3u);
}

TEST_P(EngineContract, DisconnectClosesTablesAndLists) {
    TContractDatabase fixture(GetParam());
    fixture.Open("Pessoas");
    TDatabaseItems items("DbItemsDes", "BancoDes");
    items.Open();
    fixture.db.Close();
    EXPECT_FALSE(fixture.table.Active());
    EXPECT_FALSE(items.Active());
    EXPECT_FALSE(fixture.db.Connected());
    // Opening a table connects its database again.
    fixture.table.Open();
    EXPECT_TRUE(fixture.db.Connected());
}

TEST_P(EngineContract, WritesBelongToTheTransaction) {
    TContractDatabase fixture(GetParam());
    TTable& table = fixture.Open("Pessoas");
    if (!GetParam().writable) {
        try {
            fixture.db.StartTransaction();
            FAIL() << "a local database took a transaction";
        } catch (const EDatabaseError& error) {
            EXPECT_STREQ(error.what(),
                         "DbDes: O nível de isolamento da transação deve ser dirty read para os banco de "
                         "dados locais");
        }
        EXPECT_EQ(ReadAll(table).size(), 3u);
        return;
    }
    fixture.db.StartTransaction();
    EXPECT_THROW(fixture.db.StartTransaction(), EDatabaseError);
    table.EmptyTable();
    table.Append();
    table.Fields(0).SetInteger(7);
    table.Fields(1).SetString("Sete");
    table.Post();
    fixture.db.Rollback();
    EXPECT_EQ(ReadAll(table).size(), 3u);
    EXPECT_NO_THROW(fixture.db.Rollback());  // none active: nothing happens

    fixture.db.StartTransaction();
    table.EmptyTable();
    table.Append();
    table.Fields(0).SetInteger(7);
    table.Fields(1).SetString("Sete");
    table.Post();
    fixture.db.Commit();
    auto rows = ReadAll(table);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].codigo, 7);
    EXPECT_EQ(rows[0].nome, "Sete");
    EXPECT_EQ(rows[0].saldo, 0.0);  // not written: null
}
