// libFuzzer target for the dBASE reader: whatever the bytes of a table and its
// memo file, reading them either gives values or fails with EDatabaseError.
//
// Input: two bytes, little-endian, the length of the .dbf part; the .dbf; the
// rest is the .dbt, whose first bytes also stand in for a .cpg text.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "dbaccess/Errors.h"
#include "dbaccess/dbase/CodePage.h"
#include "dbaccess/dbase/DbaseReader.h"

using namespace dbaccess;
using namespace dbaccess::dbase;

namespace {

TReadOnlyFile MemoryFile(const char* name, std::string_view bytes) {
    int descriptor = memfd_create(name, MFD_CLOEXEC);
    if (descriptor < 0) __builtin_trap();
    for (std::size_t done = 0; done < bytes.size();) {
        ssize_t count = write(descriptor, bytes.data() + done, bytes.size() - done);
        if (count <= 0) __builtin_trap();
        done += static_cast<std::size_t>(count);
    }
    return TReadOnlyFile::Adopt(descriptor, name);
}

void ReadEverything(std::string_view dbf, std::string_view dbt) {
    TDbfFile table(MemoryFile("t.dbf", dbf));
    int codePage = CodePageOfLanguageDriver(table.LanguageDriver()).value_or(1252);
    TCodePage text(CharsetOfCodePage(codePage), table.File().Name());
    std::optional<TDbtFile> memos;
    if (TDbaseReader::HasMemoFields(table)) {
        memos.emplace(MemoryFile("t.dbt", dbt), table.DbaseIvMemos() ? mfDbaseIV : mfDbaseIII);
    }
    TDbaseReader reader(std::move(table), std::move(memos), std::move(text));
    TVariant value;
    for (int pass = 0; pass < 2; ++pass) {
        for (reader.First(); !reader.Eof(); reader.Next()) {
            for (int column = 0; column < static_cast<int>(reader.FieldDefs().size()); ++column) {
                try {
                    reader.IsNull(column);
                    reader.Read(column, value);
                } catch (const EDatabaseError&) {
                    // A bad value or memo in one field; the others are still read.
                }
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
    std::size_t dbfSize = std::min<std::size_t>(input.size(), data[0] | std::size_t{data[1]} << 8);
    std::string_view dbf = input.substr(0, dbfSize);
    std::string_view dbt = input.substr(dbfSize);

    try {
        ReadEverything(dbf, dbt);
    } catch (const EDatabaseError&) {
    }
    try {
        if (auto charset = CharsetOfCpg(dbt.substr(0, 24))) TCodePage(*charset, "t.cpg");
    } catch (const EDatabaseError&) {
    }
    return 0;
}
