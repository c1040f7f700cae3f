#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dbaccess::dbase {

// The tables of a folder: the stems of its .dbf files (extension in any
// case), ordered by name without regard to case. Fails naming the folder when
// it cannot be read.
std::vector<std::string> TableNames(const std::filesystem::path& folder);

// The .dbf file of the table `tableName`, given with or without ".dbf", an
// exact match first, else one without regard to case; nullopt when there is
// none. Only files the folder lists can match, so a name never reaches
// outside it.
std::optional<std::filesystem::path> FindTable(const std::filesystem::path& folder, const std::string& tableName);

// The file beside `table` with the same stem and the extension `extension`
// (".dbt", ".cpg"), both in any case; nullopt when there is none.
std::optional<std::filesystem::path> FindCompanion(const std::filesystem::path& table, const std::string& extension);

}  // namespace dbaccess::dbase
