#include "DbaseTable.h"

#include "DbaseFolder.h"
#include "DbaseMessages.h"
#include "dbaccess/Messages.h"

namespace dbaccess::dbase {

namespace {

namespace fs = std::filesystem;

constexpr int kDefaultCodePage = 1252;
constexpr std::size_t kCpgMaxBytes = 256;  // a .cpg holds one short name

std::string LockKey(const fs::path& path) {
    std::error_code error;
    fs::path canonical = fs::canonical(path, error);
    return "dbase\n" + (error ? fs::absolute(path, error) : canonical).string();
}

// The .cpg beside the table wins over its language driver byte.
TCodePage CodePageOf(const fs::path& tablePath, const TDbfFile& table) {
    if (auto cpgPath = FindCompanion(tablePath, ".cpg")) {
        TReadOnlyFile cpg = TReadOnlyFile::Open(*cpgPath);
        std::string text(kCpgMaxBytes, '\0');
        text.resize(cpg.ReadAt(0, text.data(), text.size()));
        if (auto charset = CharsetOfCpg(text)) return TCodePage(*charset, cpg.Name());
    }
    int codePage = CodePageOfLanguageDriver(table.LanguageDriver()).value_or(kDefaultCodePage);
    return TCodePage(CharsetOfCodePage(codePage), table.File().Name());
}

std::optional<TDbtFile> MemosOf(const fs::path& tablePath, const TDbfFile& table) {
    if (!TDbaseReader::HasMemoFields(table)) return std::nullopt;
    auto dbtPath = FindCompanion(tablePath, ".dbt");
    if (!dbtPath) {
        fs::path expected = tablePath;
        expected.replace_extension(".dbt");
        throw EDatabaseError(Format(msg::kMemoMissing, {expected.string(), tablePath.string()}));
    }
    return TDbtFile(TReadOnlyFile::Open(*dbtPath), table.DbaseIvMemos() ? mfDbaseIV : mfDbaseIII);
}

}  // namespace

TDbaseTable::TDbaseTable(const fs::path& folder, const std::string& tableName, bool exclusive) {
    auto path = FindTable(folder, tableName);
    if (!path) throw EDatabaseError(Format(dbaccess::msg::kTableNotFound, {tableName}));
    m_name = path->stem().string();
    if (exclusive) m_lock = TExclusiveLock::Acquire(LockKey(*path), m_name);

    TReadOnlyFile file = TReadOnlyFile::Open(*path);
    if (!file.TryLock(exclusive ? flExclusive : flShared)) {
        throw EDatabaseError(Format(dbaccess::msg::kTableInUse, {m_name}));
    }
    TDbfFile table(std::move(file));
    TCodePage codePage = CodePageOf(*path, table);
    std::optional<TDbtFile> memos = MemosOf(*path, table);
    m_reader.emplace(std::move(table), std::move(memos), std::move(codePage));
}

void TDbaseTable::Empty() {
    throw EDatabaseError(Format(msg::kReadOnly, {m_name}));
}

void TDbaseTable::Insert(const std::vector<char>&, const std::vector<TVariant>&) {
    throw EDatabaseError(Format(msg::kReadOnly, {m_name}));
}

}  // namespace dbaccess::dbase
