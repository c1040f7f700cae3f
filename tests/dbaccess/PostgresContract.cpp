#include <memory>
#include <vector>

#include "EngineContract.h"
#include "support/PgTestSupport.h"

namespace {

std::string PreparePostgres(const std::filesystem::path&) {
    // Each test gets a database of its own, kept until the test program ends.
    static std::vector<std::unique_ptr<testsupport::TPgDatabase>> databases;
    auto& database = *databases.emplace_back(std::make_unique<testsupport::TPgDatabase>());
    for (std::string table : {"\"Pessoas\"", "\"Vazia\""}) {
        database.Exec("CREATE TABLE " + table +
                      " (CODIGO integer PRIMARY KEY, NOME varchar(20), SALDO double precision)");
    }
    // Inserted out of order: reading must follow the key.
    database.Exec("INSERT INTO \"Pessoas\" VALUES (3, NULL, -2.25), (1, 'Ana', 10.5), (2, 'Bruno', NULL)");
    return database.AliasEntries();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Postgres, EngineContract, testing::Values(TContractBackend{"Postgres", PreparePostgres, true}),
                         ContractName);
