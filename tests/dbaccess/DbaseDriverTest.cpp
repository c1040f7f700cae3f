#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "dbaccess/Database.h"
#include "dbaccess/DatabaseItems.h"
#include "dbaccess/Errors.h"
#include "dbaccess/Table.h"
#include "support/DbfWriter.h"
#include "support/TestSupport.h"

using namespace dbaccess;
using testsupport::TDbfField;
using testsupport::TDbfWriter;
using testsupport::TDbtWriter;

namespace {

// A folder of dBASE tables behind the alias PASTA, and a table on it.
struct TDbaseFolder {
    testsupport::TTempDir dir;
    TDatabase db{"DbOri", "BancoOri"};
    TTable table{"TabOri", "BancoOri"};

    TDbaseFolder() {
        testsupport::UseAliases(dir / "aliases.ini", "[PASTA]\nTYPE=STANDARD\nPATH=" + dir.Path().string() + "\n");
        db.SetAliasName("PASTA");
    }
    std::filesystem::path operator/(const std::string& name) const { return dir / name; }

    TTable& Open(const std::string& name) {
        table.Close();
        table.SetTableName(name);
        table.Open();
        return table;
    }
    // Every value of every row, the way the copy reads them.
    void ReadAll() {
        for (table.First(); !table.Eof(); table.Next()) {
            for (int i = 0; i < table.FieldCount(); ++i) table.Fields(i).AsVariant();
        }
    }
    std::vector<std::string> TableList() {
        TDatabaseItems items("DbItemsOri", "BancoOri");
        items.Open();
        std::vector<std::string> names;
        for (items.First(); !items.Eof(); items.Next()) names.push_back(items.Value(0));
        return names;
    }
};

std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EDatabaseError& error) {
        return error.what();
    }
    return "(no failure)";
}

TDateTime Date(int year, int month, int day) {
    return TDateTime{year, month, day};
}

}  // namespace

TEST(DbaseDriver, ReadsEachFieldTypeSkipsDeletedRecordsAndReadsBlanksAsNull) {
    TDbaseFolder folder;
    auto memos = TDbtWriter::DbaseIII();
    std::string longMemo(1500, 'x');  // spans three blocks
    std::string firstMemo = memos.Add("Linha 1\r\nLinha 2");
    std::string secondMemo = memos.Add(longMemo);
    TDbfWriter table({{"CODIGO", 'N', 9},
                      {"NOME", 'C', 12},
                      {"SALDO", 'N', 12, 2},
                      {"TAXA", 'F', 10, 4},
                      {"GRANDE", 'N', 12},
                      {"ATIVO", 'L', 1},
                      {"NASCEU", 'D', 8},
                      {"OBS", 'M', 10}},
                     0x83);
    table.Add({"1", " Ana", "1234567.89", "0.0625", "99999999999", "T", "20240229", firstMemo})
        .AddDeleted({"9", "Apagado", "1", "1", "1", "T", "20000101", ""})
        .Add({"", "", "", "", "", "?", "", ""})
        .Add({"-42", "Bruno", "-0.5", "-1.5e3", "-12", "n", "19991231", secondMemo})
        .Add({"+7", "x", ".25", "3", "0", " ", "00000000", "0"});
    table.Save(folder / "Clientes.dbf");
    memos.Save(folder / "Clientes.dbt");

    TTable& t = folder.Open("Clientes");
    ASSERT_EQ(t.FieldCount(), 8);
    const TFieldType types[] = {ftInteger, ftString, ftFloat, ftFloat, ftFloat, ftBoolean, ftDate, ftMemo};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(t.Fields(i).DataType(), types[i]) << t.Fields(i).FieldName();
    EXPECT_EQ(t.Fields(1).Size(), 12);
    EXPECT_EQ(t.Fields(0).FieldName(), "CODIGO");

    std::vector<std::vector<TVariant>> rows;
    for (t.First(); !t.Eof(); t.Next()) {
        std::vector<TVariant> row;
        for (int i = 0; i < t.FieldCount(); ++i) row.push_back(t.Fields(i).AsVariant());
        rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), 4u);  // the deleted record is not one of them
    std::vector<TVariant> first = {std::int32_t{1},   std::string(" Ana"),
                                   1234567.89,        0.0625,
                                   99999999999.0,     true,
                                   Date(2024, 2, 29), std::string("Linha 1\r\nLinha 2")};
    EXPECT_EQ(rows[0], first);
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(IsNull(rows[1][static_cast<std::size_t>(i)])) << i;
    std::vector<TVariant> third = {
        std::int32_t{-42}, std::string("Bruno"), -0.5, -1500.0, -12.0, false, Date(1999, 12, 31), longMemo};
    EXPECT_EQ(rows[2], third);
    std::vector<TVariant> fourth = {std::int32_t{7}, std::string("x"), 0.25, 3.0, 0.0, TNull{}, TNull{}, TNull{}};
    EXPECT_EQ(rows[3], fourth);
}

TEST(DbaseDriver, ReadsDbaseIvMemosWithTheHeaderBlockSize) {
    TDbaseFolder folder;
    auto memos = TDbtWriter::DbaseIV(64);
    std::string shortMemo = memos.Add("curto");
    std::string emptyMemo = memos.Add("");
    std::string longText;
    for (int i = 0; i < 40; ++i) longText += "linha " + std::to_string(i) + "\x1A\n";  // IV memos may hold 0x1A
    std::string longMemo = memos.Add(longText);
    TDbfWriter({{"OBS", 'M', 10}}, 0x8B).Add({shortMemo}).Add({emptyMemo}).Add({longMemo}).Save(folder / "NOTAS.DBF");
    memos.Save(folder / "NOTAS.DBT");

    TTable& t = folder.Open("notas");
    std::vector<TVariant> values;
    for (t.First(); !t.Eof(); t.Next()) values.push_back(t.Fields(0).AsVariant());
    EXPECT_EQ(values, (std::vector<TVariant>{std::string("curto"), std::string(), longText}));
}

TEST(DbaseDriver, ConvertsTextToUtf8FromTheTableCodePage) {
    struct TCase {
        const char* name;
        unsigned char languageDriver;
        const char* cpg;  // null: no .cpg file
        std::string stored;
        std::string expected;
    };
    const TCase cases[] = {
        {"Dos850FromLanguageDriver", 0x02, nullptr, "A\x87\xC6o \x82", "Ação é"},
        {"Dos437FromLanguageDriver", 0x01, nullptr, "caf\x82", "café"},
        {"EasternEuropeDos852", 0x64, nullptr, "\x9D\xA2\x64\xAB", "Łódź"},
        {"RussianDos866", 0x65, nullptr, "\x8F\xE0\xA8\xA2\xA5\xE2", "Привет"},
        {"NordicDos865", 0x66, nullptr, "\x92r\x9B", "Ærø"},
        {"EasternEuropeWindows1250", 0xC8, nullptr, "\xA3\xF3\x64\x9F", "Łódź"},
        {"RussianWindows1251", 0xC9, nullptr, "\xCF\xF0\xE8\xE2\xE5\xF2", "Привет"},
        {"ChineseGbkIsMultiByte", 0x4D, nullptr, "\xD6\xD0\xCE\xC4", "中文"},
        {"NoLanguageDriverMeans1252", 0x00, nullptr, "A\xE7\xE3o", "Ação"},
        {"ByteUndefinedIn1252KeepsItsCodePoint", 0x03, nullptr, "a\x81", "a\xC2\x81"},
        {"CpgWinsOverLanguageDriver", 0x02, "ANSI 1251", "\xCF\xF0\xE8\xE2\xE5\xF2", "Привет"},
        {"Utf8Cpg", 0x57, "UTF-8\n", "Ação", "Ação"},
        {"Utf8CharacterCutByTheFieldWidthIsDropped", 0x57, "UTF-8", "Bras\xC3", "Bras"},
        {"EmptyCpgLeavesTheLanguageDriver", 0x02, "", "\x87", "ç"},
    };
    for (const auto& c : cases) {
        TDbaseFolder folder;
        // The field's name is text of the code page as well.
        TDbfWriter({{c.stored.substr(0, 4), 'C', 10}}, 0x03, c.languageDriver).Add({c.stored}).Save(folder / "t.dbf");
        if (c.cpg) testsupport::WriteFileBytes(folder / "T.CPG", c.cpg);
        TTable& t = folder.Open("t");
        EXPECT_EQ(t.Fields(0).AsString(), c.expected) << c.name;
        EXPECT_FALSE(t.Fields(0).FieldName().empty()) << c.name;
    }
}

TEST(DbaseDriver, TextThatIsNotOfTheCodePageFails) {
    TDbaseFolder folder;
    TDbfWriter({{"NOME", 'C', 10}}).Add({"ok"}).Add({"\xFF\xFE"}).Save(folder / "t.dbf");
    testsupport::WriteFileBytes(folder / "t.cpg", "UTF-8");
    folder.Open("t");
    EXPECT_EQ(FailureOf([&] { folder.ReadAll(); }), "Valor inválido para o campo 'NOME'");

    testsupport::WriteFileBytes(folder / "t.cpg", "KLINGON");
    folder.table.Close();
    EXPECT_EQ(FailureOf([&] { folder.Open("t"); }),
              "A página de código 'KLINGON' do arquivo '" + (folder / "t.cpg").string() + "' não é conhecida");
}

TEST(DbaseDriver, StoredTextThatIsNoValueOfItsTypeFailsNamingTheField) {
    struct TCase {
        const char* name;
        TDbfField field;
        std::string stored;
    };
    const TCase cases[] = {
        {"LetterInAWholeNumber", {"V", 'N', 5}, "12a"},
        {"OverflowStars", {"V", 'N', 5}, "*****"},
        {"PointInAWholeNumber", {"V", 'N', 5}, "1.5"},
        {"CommaForPoint", {"V", 'N', 8, 2}, "1,50"},
        {"TwoPoints", {"V", 'N', 8, 2}, "1.2.3"},
        {"InfinityIsNoNumber", {"V", 'F', 10, 2}, "inf"},
        {"NanIsNoNumber", {"V", 'F', 10, 2}, "nan"},
        {"LoneSign", {"V", 'N', 8, 2}, "-"},
        {"NoThirtyFirstOfFebruary", {"V", 'D', 8}, "20230231"},
        {"NoTwentyNinthInACommonYear", {"V", 'D', 8}, "20230229"},
        {"DateWithDashes", {"V", 'D', 8}, "2023-1-5"},
        {"LogicalMarkUnknown", {"V", 'L', 1}, "X"},
        {"MemoBlockNotANumber", {"V", 'M', 10}, "12x"},
    };
    for (const auto& c : cases) {
        TDbaseFolder folder;
        TDbfWriter({c.field}).Add({c.stored}).Save(folder / "t.dbf");
        TDbtWriter::DbaseIII().Save(folder / "t.dbt");
        TTable& t = folder.Open("t");
        EXPECT_EQ(FailureOf([&] { t.Fields(0).AsVariant(); }), "Valor inválido para o campo 'V'") << c.name;
    }
}

TEST(DbaseDriver, DamagedFilesFailNamingTheFileAndStayUntouched) {
    enum TWhen { wnOpen, wnRead };
    struct TCase {
        const char* name;
        std::function<void(std::string& dbf, std::string& dbt)> damage;
        TWhen when;
        const char* file;  // which file the text names
        std::string text;  // what it says about it
    };
    // A dBASE IV table of two records whose memo file holds one memo.
    TDbfWriter good({{"CODIGO", 'N', 5}, {"NASCEU", 'D', 8}, {"OBS", 'M', 10}}, 0x8B);
    auto goodMemos = TDbtWriter::DbaseIV(512);
    good.Add({"1", "20240101", goodMemos.Add("primeiro")}).Add({"2", "20240102", "1"});
    auto setLe16 = [](std::string& bytes, std::size_t at, int value) {
        bytes[at] = static_cast<char>(value & 0xFF);
        bytes[at + 1] = static_cast<char>(value >> 8);
    };
    auto setMemo = [&](std::string& dbf, const std::string& block) {
        std::string field(10, ' ');
        field.replace(10 - block.size(), block.size(), block);
        dbf.replace(good.RecordOffset(1) + 1 + 5 + 8, 10, field);
    };
    const TCase cases[] = {
        {"EmptyFile", [](auto& dbf, auto&) { dbf.clear(); }, wnOpen, "dbf", "o cabeçalho está incompleto"},
        {"HeaderCutShort", [](auto& dbf, auto&) { dbf.resize(50); }, wnOpen, "dbf", "o cabeçalho está incompleto"},
        {"FoxProVersion", [](auto& dbf, auto&) { dbf[0] = 0x30; }, wnOpen, "dbf",
         "não é uma tabela dBASE III ou IV (versão 0x30)"},
        {"Encrypted", [](auto& dbf, auto&) { dbf[15] = 0x01; }, wnOpen, "dbf", "está criptografado"},
        {"HeaderSizeTooSmall", [&](auto& dbf, auto&) { setLe16(dbf, TDbfWriter::kHeaderSizeOffset, 40); }, wnOpen,
         "dbf", "o tamanho do cabeçalho é inválido"},
        {"HeaderSizePastTheEnd", [&](auto& dbf, auto&) { setLe16(dbf, TDbfWriter::kHeaderSizeOffset, 60000); }, wnOpen,
         "dbf", "o cabeçalho está incompleto"},
        {"RecordSizeShorterThanTheFields", [&](auto& dbf, auto&) { setLe16(dbf, TDbfWriter::kRecordSizeOffset, 10); },
         wnOpen, "dbf", "o tamanho do registro não confere com os campos"},
        {"RecordsCutShort", [&](auto& dbf, auto&) { dbf.resize(good.RecordOffset(1) + 5); }, wnOpen, "dbf",
         "o arquivo termina antes do registro 2"},
        {"DateOfSixBytes", [&](auto& dbf, auto&) { dbf[good.DescriptorOffset(1) + 16] = 6; }, wnOpen, "dbf",
         "a descrição do campo 2 é inválida"},
        {"FieldWithoutName", [&](auto& dbf, auto&) { dbf[good.DescriptorOffset(0)] = '\0'; }, wnOpen, "dbf",
         "a descrição do campo 1 é inválida"},
        {"DescriptorsWithoutEnd", [&](auto& dbf, auto&) { dbf[good.DescriptorOffset(3)] = 'Z'; }, wnOpen, "dbf",
         "a descrição do campo 4 é inválida"},
        {"BadDeletionMark", [&](auto& dbf, auto&) { dbf[good.RecordOffset(1)] = 'X'; }, wnRead, "dbf",
         "o registro 2 tem uma marca de exclusão inválida"},
        {"MemoBlockOutOfRange", [&](auto& dbf, auto&) { setMemo(dbf, "99"); }, wnRead, "dbt",
         "o bloco de memo 99 está fora do arquivo"},
        {"MemoBlockBeyondFourBillion", [&](auto& dbf, auto&) { setMemo(dbf, "9999999999"); }, wnRead, "dbt",
         "o bloco de memo 9999999999 está fora do arquivo"},
        {"MemoBlockWithoutSignature", [](auto&, auto& dbt) { dbt[512] = 'x'; }, wnRead, "dbt",
         "o bloco de memo 1 não começa como um memo do dBASE IV"},
        {"MemoLongerThanTheFile", [&](auto&, auto& dbt) { setLe16(dbt, 512 + 6, 0x7FFF); }, wnRead, "dbt",
         "o memo do bloco 1 passa do fim do arquivo"},
        {"MemoLengthShorterThanItsPrefix", [&](auto&, auto& dbt) { dbt[512 + 4] = 3; }, wnRead, "dbt",
         "o memo do bloco 1 passa do fim do arquivo"},
        {"MemoHeaderCutShort", [](auto&, auto& dbt) { dbt.resize(10); }, wnOpen, "dbt", "o cabeçalho está incompleto"},
    };
    for (const auto& c : cases) {
        TDbaseFolder folder;
        std::string dbf = good.Bytes();
        std::string dbt = goodMemos.Bytes();
        c.damage(dbf, dbt);
        testsupport::WriteFileBytes(folder / "t.dbf", dbf);
        testsupport::WriteFileBytes(folder / "t.dbt", dbt);
        std::string named = (folder / (std::string("t.") + c.file)).string();
        std::string failure = FailureOf([&] {
            folder.Open("t");
            if (c.when == wnRead) folder.ReadAll();
        });
        EXPECT_NE(failure.find("'" + named + "'"), std::string::npos) << c.name << ": " << failure;
        EXPECT_NE(failure.find(c.text), std::string::npos) << c.name << ": " << failure;
        EXPECT_EQ(folder.table.Active(), c.when == wnRead) << c.name;
        folder.table.Close();
        EXPECT_EQ(testsupport::ReadFileBytes(folder / "t.dbf"), dbf) << c.name;
        EXPECT_EQ(testsupport::ReadFileBytes(folder / "t.dbt"), dbt) << c.name;
    }
}

TEST(DbaseDriver, DbaseIIIMemoWithoutEndMarkFails) {
    TDbaseFolder folder;
    std::string dbt = TDbtWriter::DbaseIII().Bytes() + std::string(700, 'x');
    testsupport::WriteFileBytes(folder / "t.dbt", dbt);
    TDbfWriter({{"OBS", 'M', 10}}, 0x83).Add({"1"}).Save(folder / "t.dbf");
    folder.Open("t");
    EXPECT_EQ(FailureOf([&] { folder.ReadAll(); }), "O arquivo '" + (folder / "t.dbt").string() +
                                                        "' está danificado: o memo do bloco 1 não tem marca de fim");
}

TEST(DbaseDriver, TableWithMemosNeedsItsMemoFile) {
    TDbaseFolder folder;
    TDbfWriter({{"OBS", 'M', 10}}, 0x83).Add({""}).Save(folder / "t.dbf");
    EXPECT_EQ(FailureOf([&] { folder.Open("t"); }), "O arquivo de memos '" + (folder / "t.dbt").string() +
                                                        "' da tabela '" + (folder / "t.dbf").string() +
                                                        "' não foi encontrado");
}

TEST(DbaseDriver, ListsTheDbfFilesInNameOrderAndOpensThemByEitherName) {
    TDbaseFolder folder;
    // Each table's one value tells which file opened.
    const std::vector<std::string> files = {"b.dbf", "A.DBF", "Pessoas.dbf", "ação.dbf"};
    for (std::size_t i = 0; i < files.size(); ++i) {
        TDbfWriter({{"ARQUIVO", 'N', 1}}).Add({std::to_string(i)}).Save(folder / files[i]);
    }
    testsupport::WriteFileBytes(folder / "notas.txt", "x");
    testsupport::WriteFileBytes(folder / "b.dbt", "x");
    std::filesystem::create_directory(folder / "pasta.dbf");
    ASSERT_EQ(mkfifo((folder / "cano.dbf").c_str(), 0600), 0);

    EXPECT_EQ(folder.TableList(), (std::vector<std::string>{"A", "ação", "b", "Pessoas"}));

    struct TCase {
        const char* tableName;
        const char* file;
    };
    const TCase opened[] = {{"A", "A.DBF"},
                            {"a", "A.DBF"},
                            {"a.dbf", "A.DBF"},
                            {"B.DBF", "b.dbf"},
                            {"PESSOAS", "Pessoas.dbf"},
                            {"AÇÃO", "ação.dbf"},
                            {"Pessoas.DBF", "Pessoas.dbf"}};
    for (const auto& c : opened) {
        int index = folder.Open(c.tableName).Fields(0).AsInteger();
        EXPECT_EQ(files.at(static_cast<std::size_t>(index)), c.file) << c.tableName;
    }

    std::string outside = "../" + folder.dir.Path().filename().string() + "/b";
    for (const std::string& name :
         std::vector<std::string>{"b.dbt", "notas", "pasta", "cano", outside, "   ", "Pessoa"}) {
        EXPECT_EQ(FailureOf([&] { folder.Open(name); }), "Tabela não encontrada: '" + name + "'") << name;
    }
}

TEST(DbaseDriver, ExclusiveOpenLocksTheFileAgainstOtherProcesses) {
    TDbaseFolder folder;
    TDbfWriter({{"N", 'N', 3}}).Add({"1"}).Save(folder / "Pessoas.dbf");
    std::string path = (folder / "Pessoas.dbf").string();

    // Another process's try for an exclusive lock, without waiting: true when it got it.
    auto otherProcessLocks = [&] {
        pid_t child = fork();
        if (child == 0) {
            int descriptor = open(path.c_str(), O_RDONLY);
            _exit(descriptor >= 0 && flock(descriptor, LOCK_EX | LOCK_NB) == 0 ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    folder.Open("Pessoas");
    EXPECT_FALSE(otherProcessLocks());
    folder.table.Close();
    EXPECT_TRUE(otherProcessLocks());  // the lock went with the close

    // And the other way round: a process that holds the file keeps us out until it lets go.
    int toChild[2], fromChild[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(fromChild), 0);
    pid_t holder = fork();
    if (holder == 0) {
        int descriptor = open(path.c_str(), O_RDONLY);
        char signal = flock(descriptor, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        (void)!write(fromChild[1], &signal, 1);
        (void)!read(toChild[0], &signal, 1);
        _exit(0);
    }
    char locked = 0;
    ASSERT_EQ(read(fromChild[0], &locked, 1), 1);
    ASSERT_EQ(locked, 'y');
    EXPECT_EQ(FailureOf([&] { folder.Open("Pessoas"); }), "Tabela em uso: 'Pessoas'");
    folder.table.Exclusive = false;
    EXPECT_EQ(FailureOf([&] { folder.Open("Pessoas"); }), "Tabela em uso: 'Pessoas'");
    ASSERT_EQ(write(toChild[1], "x", 1), 1);
    waitpid(holder, nullptr, 0);
    for (int descriptor : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) close(descriptor);
    EXPECT_NO_THROW(folder.Open("Pessoas"));

    // Shared opens sit side by side; an exclusive one waits for both to close.
    TTable second("TabDes", "BancoOri");
    second.Exclusive = false;
    second.SetTableName("Pessoas");
    EXPECT_NO_THROW(second.Open());
    TTable exclusive("TabX", "BancoOri");
    exclusive.SetTableName("pessoas.dbf");
    EXPECT_EQ(FailureOf([&] { exclusive.Open(); }), "Tabela em uso: 'Pessoas'");
    second.Close();
    folder.table.Close();
    EXPECT_NO_THROW(exclusive.Open());
}

TEST(DbaseDriver, ConnectFailsClearlyWithoutAnExistingFolder) {
    testsupport::TTempDir dir;
    testsupport::WriteFileBytes(dir / "arquivo", "x");
    std::string missing = (dir / "nao-existe").string();
    std::string file = (dir / "arquivo").string();
    testsupport::UseAliases(dir / "aliases.ini", "[SUMIU]\nTYPE=STANDARD\nPATH=" + missing +
                                                     "\n[ARQUIVO]\nTYPE=STANDARD\nPATH=" + file +
                                                     "\n[SEMPATH]\nTYPE=STANDARD\n");
    struct TCase {
        const char* alias;
        std::string failure;
    };
    const TCase cases[] = {
        {"SUMIU", "O diretório '" + missing + "' do alias 'SUMIU' não existe"},
        {"ARQUIVO", "O diretório '" + file + "' do alias 'ARQUIVO' não existe"},
        {"SEMPATH", "O alias 'SEMPATH' não tem a entrada PATH"},
    };
    for (const auto& c : cases) {
        TDatabase db("DbOri", "BancoOri");
        db.SetAliasName(c.alias);
        EXPECT_EQ(FailureOf([&] { db.Open(); }), c.failure) << c.alias;
        EXPECT_FALSE(db.Connected());
    }
}

TEST(DbaseDriver, WritesAreRefusedAndTheFilesStayAsTheyWere) {
    TDbaseFolder folder;
    TDbfWriter({{"N", 'N', 3}}).Add({"1"}).Save(folder / "Pessoas.dbf");
    std::string before = testsupport::ReadFileBytes(folder / "Pessoas.dbf");
    TTable& t = folder.Open("pessoas");
    EXPECT_EQ(FailureOf([&] { t.EmptyTable(); }), "As tabelas dBASE só podem ser lidas: 'Pessoas'");
    t.Append();
    t.Fields(0).SetInteger(5);
    EXPECT_EQ(FailureOf([&] { t.Post(); }), "As tabelas dBASE só podem ser lidas: 'Pessoas'");
    folder.db.TransIsolation = tiDirtyRead;
    EXPECT_EQ(FailureOf([&] { folder.db.StartTransaction(); }),
              "DbOri: Os bancos de dados dBASE não aceitam transações");
    t.Close();
    EXPECT_EQ(testsupport::ReadFileBytes(folder / "Pessoas.dbf"), before);
}
