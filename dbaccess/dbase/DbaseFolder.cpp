#include "DbaseFolder.h"

#include <algorithm>

#include "DbaseMessages.h"
#include "dbaccess/Text.h"

namespace dbaccess::dbase {

namespace {

namespace fs = std::filesystem;

// The regular files of the folder, links followed, by file name.
std::vector<std::string> FileNames(const fs::path& folder) {
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    std::vector<std::string> names;
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code ignored;
        if (entries->is_regular_file(ignored)) names.push_back(entries->path().filename().string());
    }
    if (error) throw EDatabaseError(Format(msg::kFolderUnreadable, {folder.string(), error.message()}));
    return names;
}

// Extensions are ASCII, so their case folds without the locale.
bool HasExtension(const std::string& fileName, const std::string& extension) {
    if (fileName.size() <= extension.size()) return false;
    return std::equal(extension.begin(), extension.end(),
                      fileName.end() - static_cast<std::ptrdiff_t>(extension.size()), [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

std::string Stem(const std::string& fileName, const std::string& extension) {
    return fileName.substr(0, fileName.size() - extension.size());
}

const std::string kTableExtension = ".dbf";

}  // namespace

std::vector<std::string> TableNames(const fs::path& folder) {
    std::vector<std::pair<std::string, std::string>> keyed;
    for (const auto& fileName : FileNames(folder)) {
        if (!HasExtension(fileName, kTableExtension)) continue;
        std::string stem = Stem(fileName, kTableExtension);
        keyed.emplace_back(CaseKey(stem), std::move(stem));
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> names;
    for (auto& [key, name] : keyed) names.push_back(std::move(name));
    return names;
}

std::optional<fs::path> FindTable(const fs::path& folder, const std::string& tableName) {
    std::optional<fs::path> caseMatch;
    for (const auto& fileName : FileNames(folder)) {
        if (!HasExtension(fileName, kTableExtension)) continue;
        std::string stem = Stem(fileName, kTableExtension);
        if (stem == tableName || fileName == tableName) return folder / fileName;
        if (!caseMatch && (SameText(stem, tableName) || SameText(fileName, tableName))) caseMatch = folder / fileName;
    }
    return caseMatch;
}

std::optional<fs::path> FindCompanion(const fs::path& table, const std::string& extension) {
    std::string stem = table.stem().string();
    std::optional<fs::path> caseMatch;
    for (const auto& fileName : FileNames(table.parent_path())) {
        if (!HasExtension(fileName, extension)) continue;
        std::string companionStem = Stem(fileName, extension);
        if (companionStem == stem) return table.parent_path() / fileName;
        if (!caseMatch && SameText(companionStem, stem)) caseMatch = table.parent_path() / fileName;
    }
    return caseMatch;
}

}  // namespace dbaccess::dbase
