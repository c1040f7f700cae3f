#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CodePage.h"
#include "DbfFile.h"
#include "DbtFile.h"
#include "dbaccess/Driver.h"

namespace dbaccess::dbase {

// The rows of one dBASE table as the engine's values: deleted records left
// out, blank values null, text converted to UTF-8. Reads only; never writes.
class TDbaseReader {
public:
    // `memos` is the table's memo file, needed to read M fields (their read
    // fails without it). Fails naming the file when a field's descriptor
    // cannot be or its name is not text of the code page.
    // True when the table has M fields, whose texts are in a memo file.
    static bool HasMemoFields(const TDbfFile& table);

    TDbaseReader(TDbfFile table, std::optional<TDbtFile> memos, TCodePage codePage);

    const std::vector<TFieldDef>& FieldDefs() const { return m_defs; }

    // Starts reading afresh and stands on the first live record, or at the end.
    void First();
    // Moves to the next live record; at the last one it moves past the end.
    void Next();
    bool Eof() const { return m_record == nullptr; }

    // The current record's column; null at the end.
    bool IsNull(int column) const;
    // Reads the current record's column as the kind of its type code; fails with
    // "Valor inválido para o campo '%s'" when the stored text does not convert,
    // and naming the memo file when a memo cannot be read.
    void Read(int column, TVariant& out);

private:
    [[noreturn]] void BadValue(int column) const;
    std::string_view Bytes(int column) const;
    void ReadText(int column, std::string_view bytes, TVariant& out);

    TDbfFile m_table;
    std::optional<TDbtFile> m_memos;
    TCodePage m_codePage;
    std::vector<TFieldDef> m_defs;
    const char* m_record = nullptr;
    std::string m_memoBytes;  // reused for every memo read
};

}  // namespace dbaccess::dbase
