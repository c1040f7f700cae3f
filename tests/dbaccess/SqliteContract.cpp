#include "EngineContract.h"
#include "support/TestSupport.h"

namespace {

std::string PrepareSqlite(const std::filesystem::path& folder) {
    auto path = folder / "contrato.db";
    testsupport::TSqliteFile file(path);
    for (std::string table : {"Pessoas", "Vazia"}) {
        file.Exec("CREATE TABLE " + table + " (CODIGO INTEGER PRIMARY KEY, NOME VARCHAR(20), SALDO DOUBLE)");
    }
    // Inserted out of order: reading must follow the key.
    file.Exec("INSERT INTO Pessoas VALUES (3, NULL, -2.25), (1, 'Ana', 10.5), (2, 'Bruno', NULL)");
    return "TYPE=SQLITE\nPATH=" + path.string();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Sqlite, EngineContract, testing::Values(TContractBackend{"Sqlite", PrepareSqlite, true}),
                         ContractName);
