// Writes the fuzz target's starting inputs into the folder given: valid tables
// of each field type and memo format, in the target's input form.

#include <filesystem>
#include <fstream>
#include <string>

#include "support/DbfWriter.h"

using testsupport::TDbfWriter;
using testsupport::TDbtWriter;

namespace {

void Save(const std::filesystem::path& folder, const std::string& name, const std::string& dbf,
          const std::string& dbt) {
    std::string input;
    input += static_cast<char>(dbf.size() & 0xFF);
    input += static_cast<char>((dbf.size() >> 8) & 0xFF);
    input += dbf + dbt;
    std::ofstream(folder / name, std::ios::binary) << input;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);

    TDbfWriter plain({{"CODIGO", 'N', 9},
                      {"NOME", 'C', 12},
                      {"SALDO", 'N', 12, 2},
                      {"TAXA", 'F', 8, 3},
                      {"ATIVO", 'L', 1},
                      {"NASCEU", 'D', 8}},
                     0x03, 0x02);
    plain.Add({"1", "Concei\x87\xC6o", "10.50", "1.5e2", "T", "20240229"})
        .AddDeleted({"2", "Apagado", "1", "1", "F", "20000101"})
        .Add({"", "", "", "", "?", ""})
        .Add({"-3", "x", "*****", "nan", "X", "20230231"});
    Save(folder, "plain", plain.Bytes(), "");

    auto memosIII = TDbtWriter::DbaseIII();
    std::string first = memosIII.Add("memo do dBASE III");
    std::string second = memosIII.Add(std::string(600, 'm'));
    TDbfWriter withMemosIII({{"NOME", 'C', 5}, {"OBS", 'M', 10}}, 0x83, 0xC9);
    withMemosIII.Add({"a", first}).Add({"b", second}).Add({"c", ""});
    Save(folder, "memos-iii", withMemosIII.Bytes(), memosIII.Bytes());

    auto memosIV = TDbtWriter::DbaseIV(64);
    std::string fourth = memosIV.Add("memo do dBASE IV");
    std::string fifth = memosIV.Add(std::string(200, 'n'));
    TDbfWriter withMemosIV({{"OBS", 'M', 10}, {"N", 'N', 3}}, 0x8B, 0x4D);
    withMemosIV.Add({fourth, "1"}).Add({fifth, "2"}).Add({"0", "3"});
    Save(folder, "memos-iv", withMemosIV.Bytes(), memosIV.Bytes());
    Save(folder, "cpg-utf8", withMemosIV.Bytes(), "UTF-8");
    return 0;
}
