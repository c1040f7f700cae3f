#include <gtest/gtest.h>

#include "dbaccess/Database.h"
#include "dbaccess/DatabaseItems.h"
#include "dbaccess/Errors.h"
#include "dbaccess/Table.h"
#include "support/PgTestSupport.h"
#include "support/TestSupport.h"

using namespace dbaccess;

namespace {

// One database of the private server behind the alias PG, and DbDes/TabDes on it.
struct TPgFixture {
    testsupport::TPgDatabase server;
    testsupport::TTempDir dir;
    TDatabase db{"DbDes", "BancoDes"};
    TTable table{"TabDes", "BancoDes"};

    explicit TPgFixture(const std::string& setupSql = {}, const std::string& extraAliases = {}) {
        if (!setupSql.empty()) server.Exec(setupSql);
        testsupport::UseAliases(dir / "aliases.ini", "[PG]\n" + server.AliasEntries() + extraAliases);
        db.SetAliasName("PG");
    }
    TTable& Open(const std::string& name) {
        table.Close();
        table.SetTableName(name);
        table.Open();
        return table;
    }
};

std::vector<std::string> Column(TTable& table, int column) {
    std::vector<std::string> values;
    for (table.First(); !table.Eof(); table.Next()) {
        values.push_back(table.Fields(column).IsNull() ? "NULL" : table.Fields(column).AsString());
    }
    return values;
}

std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "(no failure)";
}

}  // namespace

TEST(PgDriver, LoginGivesTheUserAndPasswordAndKeepsOnlyTheUserName) {
    const auto& pg = testsupport::TPgServer::Get();
    TPgFixture fixture;
    testsupport::UseAliases(fixture.dir / "aliases.ini",
                            "[PG]\n" + fixture.server.AliasEntries() + "USER NAME=" + pg.user + "\n");
    struct TCase {
        const char* name;
        std::optional<TLogin> login;
        const char* failure;  // part of the failure, or null for a connect
    };
    const TCase cases[] = {
        {"RightPassword", TLogin{pg.user, pg.password}, nullptr},
        {"WrongPassword", TLogin{pg.user, "errada"}, "password authentication failed for user"},
        {"UnknownUser", TLogin{"ninguem", pg.password}, "password authentication failed for user \"ninguem\""},
        {"Cancelled", std::nullopt, "Não é possível conectar com o banco de dados 'BancoDes'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fixture.db.Close();
        fixture.db.Params.clear();
        std::string offeredUser;
        fixture.db.SetOnLogin([&](TDatabase&, const std::string& userName) {
            offeredUser = userName;
            return c.login;
        });
        std::string failure = FailureOf([&] { fixture.db.Open(); });
        EXPECT_EQ(offeredUser, pg.user);
        if (c.failure) {
            EXPECT_NE(failure.find(c.failure), std::string::npos) << failure;
            EXPECT_FALSE(fixture.db.Connected());
        } else {
            EXPECT_EQ(failure, "(no failure)");
            EXPECT_TRUE(fixture.db.Connected());
        }
        for (const auto& [key, value] : fixture.db.Params) {
            EXPECT_EQ(value.find(pg.password), std::string::npos) << key;
        }
    }
}

TEST(PgDriver, ADatabaseNameIsANameNeverAConnectionString) {
    TPgFixture fixture({}, "[TRUQUE]\nTYPE=POSTGRESQL\nSERVER NAME=" + testsupport::TPgServer::Get().host +
                               "\nPORT=" + testsupport::TPgServer::Get().port + "\nDATABASE NAME=dbname=postgres\n");
    TDatabase other("DbOri", "BancoOri");
    other.SetAliasName("TRUQUE");
    std::string failure = FailureOf([&] { other.Open(); });
    EXPECT_NE(failure.find("database \"dbname=postgres\" does not exist"), std::string::npos) << failure;
}

TEST(PgDriver, ListsAndResolvesTheTablesOnTheSearchPath) {
    TPgFixture fixture(R"(
        CREATE TABLE "Clientes" (id integer PRIMARY KEY, origem text);
        INSERT INTO "Clientes" VALUES (1, 'maiusculas');
        CREATE TABLE clientes (id integer PRIMARY KEY, origem text);
        INSERT INTO clientes VALUES (1, 'minusculas');
        CREATE TABLE "Ação" (id integer, origem text);
        INSERT INTO "Ação" VALUES (1, 'acentos');
        CREATE TABLE "a.b" (id integer, origem text);
        INSERT INTO "a.b" VALUES (1, 'ponto');
        CREATE SCHEMA a;
        CREATE TABLE a.b (id integer, origem text);
        INSERT INTO a.b VALUES (1, 'esquema');
        CREATE SCHEMA "Vendas";
        CREATE TABLE "Vendas"."Pedidos" (id integer, origem text);
        INSERT INTO "Vendas"."Pedidos" VALUES (1, 'vendas');
        CREATE TABLE particionada (id integer, origem text) PARTITION BY RANGE (id);
        CREATE TABLE parte PARTITION OF particionada FOR VALUES FROM (0) TO (100);
        INSERT INTO particionada VALUES (1, 'particionada');
        CREATE VIEW visao AS SELECT 1 AS id;
        CREATE MATERIALIZED VIEW materializada AS SELECT 1 AS id;
    )");
    TDatabaseItems items("DbItemsDes", "BancoDes");
    items.Open();
    std::vector<std::string> names;
    for (items.First(); !items.Eof(); items.Next()) names.push_back(items.Value(0));
    // Views, partitions and tables of schemas off the search path stay out; byte order.
    EXPECT_EQ(names, (std::vector<std::string>{"Ação", "Clientes", "a.b", "clientes", "particionada"}));

    struct TCase {
        const char* typed;
        const char* origem;
    };
    const TCase cases[] = {
        {"Clientes", "maiusculas"},  // exact names first
        {"clientes", "minusculas"},
        {"CLIENTES", "maiusculas"},  // else the first that matches without regard to case
        {"AÇÃO", "acentos"},
        {"a.b", "ponto"},  // a visible name with a dot wins over a schema
        {"A.B", "ponto"},
        {"Vendas.Pedidos", "vendas"},  // a schema off the search path
        {"vendas.pedidos", "vendas"},
        {"particionada", "particionada"},
        {"public.clientes", "minusculas"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Column(fixture.Open(c.typed), 1), std::vector<std::string>{c.origem}) << c.typed;
    }
    for (std::string typed : {"Pedidos", "visao", "vendas.", ".clientes", "clientes ", "public.\"clientes\""}) {
        fixture.table.Close();
        fixture.table.SetTableName(typed);
        std::string failure = FailureOf([&] { fixture.table.Open(); });
        EXPECT_EQ(failure, "Tabela não encontrada: '" + typed + "'");
    }
}

// Both tables stream on the same connection: each time one takes it, the
// other stops and later goes on where it was.
TEST(PgDriver, TwoTablesReadInTurnOnOneConnection) {
    TPgFixture fixture(
        "CREATE TABLE um (id integer PRIMARY KEY); INSERT INTO um SELECT generate_series(1, 5);"
        "CREATE TABLE dois (id integer PRIMARY KEY); INSERT INTO dois SELECT generate_series(10, 50, 10);");
    TTable& um = fixture.Open("um");
    TTable dois("TabOri", "BancoDes");
    dois.SetTableName("dois");
    dois.Open();
    TDatabaseItems items("DbItemsDes", "BancoDes");

    std::vector<int> read;
    um.First();
    dois.First();
    // Bounded, so that a read that starts over again and again fails instead of hanging.
    for (int step = 0; (!um.Eof() || !dois.Eof()) && step < 20; ++step) {
        for (TTable* table : {&um, &dois}) {
            if (table->Eof()) continue;
            read.push_back(table->Fields(0).AsInteger());
            table->Next();
        }
        // A table list between the reads takes the connection too.
        if (step == 1) {
            items.Close();
            items.Open();
        }
    }
    EXPECT_EQ(read, (std::vector<int>{1, 10, 2, 20, 3, 30, 4, 40, 5, 50}));

    // First starts over, also mid-way.
    um.First();
    um.Next();
    EXPECT_EQ(um.Fields(0).AsInteger(), 2);
    um.First();
    EXPECT_EQ(um.Fields(0).AsInteger(), 1);
}

// Rows leave in copy streams whose columns change with what a row writes;
// every row still gets the table's defaults for the columns it does not write.
TEST(PgDriver, PostedRowsGetDefaultsForTheColumnsTheyDoNotWrite) {
    TPgFixture fixture(
        "CREATE TABLE itens (id serial PRIMARY KEY, nome text NOT NULL, estado text DEFAULT 'novo', "
        "obs text, dobro integer GENERATED ALWAYS AS (id * 2) STORED, "
        "criado timestamp NOT NULL DEFAULT '2000-01-01 00:00:00')");
    TTable& table = fixture.Open("itens");
    TField& id = *table.FindField("id");
    TField& nome = *table.FindField("nome");
    TField& estado = *table.FindField("estado");
    TField& obs = *table.FindField("obs");

    fixture.db.StartTransaction();
    auto post = [&](std::optional<int> idValue, std::optional<std::string> nomeValue,
                    std::optional<std::optional<std::string>> estadoValue, std::optional<std::string> obsValue) {
        table.Append();
        if (idValue) id.SetInteger(*idValue);
        if (nomeValue) nome.SetString(*nomeValue);
        if (estadoValue) {
            if (*estadoValue)
                estado.SetString(**estadoValue);
            else
                estado.SetVariant(TNull{});
        }
        if (obsValue) obs.SetString(*obsValue);
        table.Post();
    };
    post(10, "todos", std::optional<std::string>("pago"), "nota");
    post(std::nullopt, "sem id", std::nullopt, std::nullopt);     // the sequence and the default
    post(20, "nulo escrito", std::optional<std::string>(), "x");  // a written null stays null
    post(std::nullopt, "sem id", std::nullopt, "y");
    EXPECT_EQ(FailureOf([&] { post(30, std::nullopt, std::nullopt, std::nullopt); }), "Campo 'nome' deve ter um valor");
    fixture.db.Commit();

    EXPECT_EQ(fixture.server.Query("SELECT id, nome, estado, obs, dobro, criado FROM itens ORDER BY nome, id"),
              (std::vector<std::vector<std::string>>{
                  {"20", "nulo escrito", "NULL", "x", "40", "2000-01-01 00:00:00"},
                  {"1", "sem id", "novo", "NULL", "2", "2000-01-01 00:00:00"},
                  {"2", "sem id", "novo", "y", "4", "2000-01-01 00:00:00"},
                  {"10", "todos", "pago", "nota", "20", "2000-01-01 00:00:00"},
              }));
}

TEST(PgDriver, ARowOfNothingButDefaultsIsInserted) {
    TPgFixture fixture("CREATE TABLE contador (id serial PRIMARY KEY, quando date DEFAULT '2001-02-03')");
    TTable& table = fixture.Open("contador");
    fixture.db.StartTransaction();
    for (int i = 0; i < 2; ++i) {
        table.Append();
        table.Post();
    }
    fixture.db.Commit();
    EXPECT_EQ(fixture.server.Query("SELECT * FROM contador ORDER BY id"),
              (std::vector<std::vector<std::string>>{{"1", "2001-02-03"}, {"2", "2001-02-03"}}));
}

// A roll-back gives back every old row, whether the copy stream is still open
// or the server already refused a row.
TEST(PgDriver, RollbackEndsAnOpenCopyAndLeavesTheOldRows) {
    TPgFixture fixture(
        "CREATE TABLE alvo (id integer PRIMARY KEY, nome text CHECK (nome <> 'proibido'));"
        "INSERT INTO alvo VALUES (1, 'velho')");
    TTable& table = fixture.Open("alvo");
    for (const char* refused : {"permitido", "proibido"}) {
        SCOPED_TRACE(refused);
        fixture.db.StartTransaction();
        table.EmptyTable();
        for (int i = 1; i <= 3; ++i) {
            table.Append();
            table.Fields(0).SetInteger(i);
            table.Fields(1).SetString(i == 2 ? refused : "novo");
            table.Post();
        }
        fixture.db.Rollback();
        EXPECT_EQ(Column(table, 1), std::vector<std::string>{"velho"});
    }
    // The connection is fit for work after both.
    fixture.db.StartTransaction();
    table.EmptyTable();
    table.Append();
    table.Fields(0).SetInteger(5);
    table.Post();
    fixture.db.Commit();
    EXPECT_EQ(Column(table, 0), std::vector<std::string>{"5"});
}

// A refusal that nobody saw, because the table was closed before the commit,
// still stops the commit: the server would only roll back.
TEST(PgDriver, CommitAfterAnUnseenRefusalFails) {
    TPgFixture fixture(
        "CREATE TABLE alvo (id integer PRIMARY KEY); INSERT INTO alvo VALUES (1);"
        "CREATE TABLE outra (id integer)");
    TTable& table = fixture.Open("alvo");
    fixture.db.StartTransaction();
    for (int id : {2, 2}) {
        table.Append();
        table.Fields(0).SetInteger(id);
        table.Post();
    }
    table.Close();
    std::string failure = FailureOf([&] { fixture.db.Commit(); });
    EXPECT_EQ(failure, "O servidor desfez a transação em vez de confirmá-la: nenhuma alteração foi gravada");
    EXPECT_FALSE(fixture.db.InTransaction());
    EXPECT_EQ(fixture.server.Query("SELECT id FROM alvo"), (std::vector<std::vector<std::string>>{{"1"}}));
}

TEST(PgDriver, OneTableIsInExclusiveUseAcrossConnectionsOfThisProcess) {
    TPgFixture fixture("CREATE TABLE \"Comum\" (id integer); CREATE TABLE outra (id integer)");
    fixture.Open("Comum");
    TDatabase second("DbOri", "BancoOri");
    second.SetAliasName("PG");
    TTable other("TabOri", "BancoOri");
    for (std::string name : {"Comum", "comum", "public.COMUM"}) {
        other.Close();
        other.SetTableName(name);
        EXPECT_EQ(FailureOf([&] { other.Open(); }), "Tabela em uso: 'Comum'") << name;
    }
    other.SetTableName("outra");
    EXPECT_NO_THROW(other.Open());
}
