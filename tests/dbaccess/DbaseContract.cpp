#include "EngineContract.h"
#include "support/DbfWriter.h"

namespace {

std::string PrepareDbase(const std::filesystem::path& folder) {
    std::vector<testsupport::TDbfField> fields = {{"CODIGO", 'N', 9}, {"NOME", 'C', 20}, {"SALDO", 'N', 12, 2}};
    // A deleted record between the live ones: reading must pass over it.
    testsupport::TDbfWriter(fields)
        .Add({"1", "Ana", "10.50"})
        .AddDeleted({"4", "Apagada", "1.00"})
        .Add({"2", "Bruno", ""})
        .Add({"3", "", "-2.25"})
        .Save(folder / "Pessoas.dbf");
    testsupport::TDbfWriter(fields).Save(folder / "Vazia.dbf");
    return "TYPE=STANDARD\nPATH=" + folder.string();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Dbase, EngineContract, testing::Values(TContractBackend{"Dbase", PrepareDbase, false}),
                         ContractName);
