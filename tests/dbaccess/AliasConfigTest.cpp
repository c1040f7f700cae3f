#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>

#include "dbaccess/AliasConfig.h"
#include "dbaccess/Database.h"
#include "dbaccess/DatabaseItems.h"
#include "dbaccess/Engine.h"
#include "dbaccess/Errors.h"
#include "support/TestSupport.h"

using namespace dbaccess;

namespace {

std::vector<std::string> AliasNames() {
    TBDEItems items;
    items.Open();
    std::vector<std::string> names;
    for (items.First(); !items.Eof(); items.Next()) names.push_back(items.Value(0));
    return names;
}

}  // namespace

TEST(AliasConfig, SectionsAreAliasesInFileOrderWithTheirEntries) {
    auto config = TAliasConfig::Parse(
        "\xEF\xBB\xBF; comentário\n"
        "[Vendas]\nTYPE = SQLITE\nPATH=/tmp/vendas.db\nCOR=azul\n\n"
        "[  Estoque ]\r\nTYPE=POSTGRESQL\r\nSERVER NAME=/run/pg\r\nPORT=5432\r\nDATABASE NAME=est\r\n"
        "# outro\n[Arquivo]\nTYPE=STANDARD\nPATH=/dados\n");
    ASSERT_EQ(config.Aliases().size(), 3u);
    EXPECT_EQ(config.Aliases()[0].name, "Vendas");
    EXPECT_EQ(config.Aliases()[1].name, "  Estoque ");
    EXPECT_EQ(config.Aliases()[2].name, "Arquivo");
    const TAlias* vendas = config.Find("vendas");
    ASSERT_NE(vendas, nullptr);
    EXPECT_EQ(vendas->Value("type"), "SQLITE");
    EXPECT_EQ(vendas->Value("PATH"), "/tmp/vendas.db");
    EXPECT_EQ(vendas->Value("COR"), "azul");  // unknown keys are kept
    EXPECT_EQ(vendas->Value("USER NAME"), std::nullopt);
    EXPECT_EQ(config.Find("  Estoque ")->Value("SERVER NAME"), "/run/pg");
    // A stray blank is part of the name.
    EXPECT_EQ(config.Find("Vendas "), nullptr);
}

TEST(AliasConfig, FileNamedByTheEnvironmentElseNoAliases) {
    testsupport::TTempDir dir;
    testsupport::UseAliases(dir / "aliases.ini", "[B]\nTYPE=SQLITE\n[A]\nTYPE=SQLITE\n");
    EXPECT_EQ(AliasNames(), (std::vector<std::string>{"B", "A"}));

    setenv("TRASLADO_ALIASES", (dir / "missing.ini").c_str(), 1);
    Engine().Stop();
    EXPECT_TRUE(AliasNames().empty());

    unsetenv("TRASLADO_ALIASES");
    setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
    EXPECT_EQ(TAliasConfig::DefaultPath(), dir / "xdg" / "traslado" / "aliases.ini");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", dir.Path().c_str(), 1);
    EXPECT_EQ(TAliasConfig::DefaultPath(), dir / ".config" / "traslado" / "aliases.ini");
}

TEST(AliasConfig, BrokenFileStopsTheEngineFromStarting) {
    struct TCase {
        const char* name;
        std::string text;
        const char* message;
    };
    const TCase cases[] = {
        {"LineWithoutEquals", "[A]\nTYPE SQLITE\n",
         "Um erro ocorreu durante a inicialização do Borland Database Engine (erro $2102)"},
        {"KeyBeforeAnySection", "TYPE=SQLITE\n[A]\n",
         "Um erro ocorreu durante a inicialização do Borland Database Engine (erro $2102)"},
        {"UnclosedSection", "[A\nTYPE=SQLITE\n",
         "Um erro ocorreu durante a inicialização do Borland Database Engine (erro $2102)"},
    };
    for (const auto& testCase : cases) {
        testsupport::TTempDir dir;
        testsupport::UseAliases(dir / "aliases.ini", testCase.text);
        try {
            AliasNames();
            ADD_FAILURE() << testCase.name << ": no failure";
        } catch (const EDBEngineError& error) {
            EXPECT_STREQ(error.what(), testCase.message) << testCase.name;
            EXPECT_EQ(error.ErrorCode(), 0x2102) << testCase.name;
        }
    }

    // A folder where the file should be cannot be read.
    testsupport::TTempDir dir;
    std::filesystem::create_directory(dir / "aliases.ini");
    setenv("TRASLADO_ALIASES", (dir / "aliases.ini").c_str(), 1);
    Engine().Stop();
    try {
        AliasNames();
        ADD_FAILURE() << "no failure for a folder";
    } catch (const EDBEngineError& error) {
        EXPECT_STREQ(error.what(), "Um erro ocorreu durante a inicialização do Borland Database Engine (erro $2101)");
    }
}

TEST(AliasConfig, BrokenAliasFailsOnlyWhenConnecting) {
    testsupport::TTempDir dir;
    testsupport::UseAliases(dir / "aliases.ini",
                            "[SemTipo]\nPATH=/x\n[TipoRuim]\nTYPE=ORACLE\n[SemPath]\nTYPE=SQLITE\n"
                            "[Inexistente]\nTYPE=SQLITE\nPATH=" +
                                (dir / "nada.db").string() + "\n");
    EXPECT_EQ(AliasNames().size(), 4u);
    struct TCase {
        const char* alias;
        std::string message;
    };
    const TCase cases[] = {
        {"SemTipo", "O alias 'SemTipo' não tem a entrada TYPE"},
        {"TipoRuim", "O alias 'TipoRuim' tem um TYPE desconhecido: 'ORACLE'"},
        {"SemPath", "O alias 'SemPath' não tem a entrada PATH"},
        {"Inexistente", "O arquivo de banco de dados '" + (dir / "nada.db").string() + "' não existe"},
        {"Nenhum", "Alias desconhecido: 'Nenhum'"},
        {"   ", "Alias desconhecido: '   '"},
    };
    for (const auto& testCase : cases) {
        TDatabase db("DbOri", "BancoOri");
        db.SetAliasName(testCase.alias);
        try {
            db.Open();
            ADD_FAILURE() << testCase.alias << ": connected";
        } catch (const EDatabaseError& error) {
            EXPECT_EQ(error.what(), testCase.message);
        }
        EXPECT_FALSE(db.Connected());
        EXPECT_EQ(db.AliasName(), testCase.alias);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "nada.db"));  // connecting never creates a file
}
