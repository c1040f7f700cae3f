#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

// What one driver must give the engine contract: a database of its kind with
// two tables, and the alias section that reaches it.
//
// "Pessoas": CODIGO integer primary key (ftInteger), NOME text of at most 20
// characters (ftString, Size 20), SALDO double (ftFloat), holding in key order
//   (1, "Ana", 10.5), (2, "Bruno", null), (3, null, -2.25)
// and "Vazia": the same columns, no rows.
struct TContractBackend {
    std::string name;
    // Makes the database inside `folder` and returns the INI lines of an alias
    // (without its section header) that reach it.
    std::function<std::string(const std::filesystem::path& folder)> prepare;
    // Whether the database takes transactions and writes.
    bool writable = true;
};

class EngineContract : public testing::TestWithParam<TContractBackend> {};

inline std::string ContractName(const testing::TestParamInfo<TContractBackend>& info) {
    return info.param.name;
}
