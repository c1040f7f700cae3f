#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "copy/TransferRules.h"
#include "dbaccess/Database.h"
#include "dbaccess/Errors.h"
#include "support/TestSupport.h"

using namespace dbaccess;
using namespace copy;

TEST(TransferRules, RuleOfEachPair) {
    struct TCase {
        const char* name;
        TFieldType destination;
        TFieldType source;
        TTransferRule rule;
    };
    const TCase cases[] = {
        {"SameString", ftString, ftString, trGeneric},
        {"SameAutoInc", ftAutoInc, ftAutoInc, trGeneric},
        {"SameLargeint", ftLargeint, ftLargeint, trGeneric},
        {"SameBlob", ftBlob, ftBlob, trGeneric},
        {"FloatToInteger", ftInteger, ftFloat, trFloatToInteger},
        {"IntegerToFloat", ftFloat, ftInteger, trIntegerToFloat},
        {"MemoToString", ftString, ftMemo, trMemoToString},
        {"IntegerToString", ftString, ftInteger, trIntegerToString},
        {"StringToInteger", ftInteger, ftString, trStringToInteger},
        {"StringToMemo", ftMemo, ftString, trNone},
        {"FloatToString", ftString, ftFloat, trNone},
        {"StringToFloat", ftFloat, ftString, trNone},
        {"SmallintToInteger", ftInteger, ftSmallint, trNone},
        {"IntegerToSmallint", ftSmallint, ftInteger, trNone},
        {"CurrencyToFloat", ftFloat, ftCurrency, trNone},
        {"FixedCharToString", ftString, ftFixedChar, trNone},
        {"LargeintToInteger", ftInteger, ftLargeint, trNone},
        {"AutoIncToInteger", ftInteger, ftAutoInc, trNone},
        {"BcdToFloat", ftFloat, ftBCD, trNone},
        {"WordToInteger", ftInteger, ftWord, trNone},
        {"MemoToFixedChar", ftFixedChar, ftMemo, trNone},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(SelectTransferRule(testCase.destination, testCase.source), testCase.rule) << testCase.name;
    }
}

TEST(TransferRules, OnlyTheFirstThreeRulesAreCompatible) {
    EXPECT_TRUE(IsCompatiblePair(ftString, ftString));
    EXPECT_TRUE(IsCompatiblePair(ftInteger, ftFloat));
    EXPECT_TRUE(IsCompatiblePair(ftFloat, ftInteger));
    EXPECT_FALSE(IsCompatiblePair(ftString, ftMemo));
    EXPECT_FALSE(IsCompatiblePair(ftString, ftInteger));
    EXPECT_FALSE(IsCompatiblePair(ftInteger, ftString));
    EXPECT_FALSE(IsCompatiblePair(ftInteger, ftSmallint));
    for (int destination = ftUnknown; destination <= ftGuid; ++destination) {
        for (int source = ftUnknown; source <= ftGuid; ++source) {
            auto rule = SelectTransferRule(TFieldType(destination), TFieldType(source));
            EXPECT_EQ(IsCompatiblePair(TFieldType(destination), TFieldType(source)),
                      rule == trGeneric || rule == trFloatToInteger || rule == trIntegerToFloat);
        }
    }
}

TEST(TransferRules, TextReadsAsAnIntegerByItsOwnForm) {
    struct TCase {
        const char* name;
        std::string text;
        std::optional<std::int32_t> value;
    };
    const TCase cases[] = {
        {"LeadingSpaces", "  42", 42},
        {"PlusSign", "+7", 7},
        {"LeadingZeros", "007", 7},
        {"Smallest", "-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"Largest", "2147483647", 2147483647},
        {"DollarHex", "$ff", 255},
        {"CapitalXHex", "X1F", 31},
        {"SmallXHex", "x10", 16},
        {"ZeroXHex", "0x10", 16},
        {"ZeroCapitalXHex", "0X7fffffff", 2147483647},
        {"HexLeadingZeros", "$000000000010", 16},
        {"HexAllOnesIsMinusOne", "$FFFFFFFF", -1},
        {"HexSignBit", "$80000000", std::numeric_limits<std::int32_t>::min()},
        {"SpacesThenHex", "  $10", 16},
        {"TooLarge", "2147483648", std::nullopt},
        {"TooSmall", "-2147483649", std::nullopt},
        {"HexTooLarge", "$100000000", std::nullopt},
        {"TrailingBlank", "42 ", std::nullopt},
        {"BlankInside", "4 2", std::nullopt},
        {"Empty", "", std::nullopt},
        {"BlanksOnly", "   ", std::nullopt},
        {"SignAlone", "-", std::nullopt},
        {"PrefixAlone", "$", std::nullopt},
        {"ZeroXAlone", "0x", std::nullopt},
        {"DecimalPoint", "1.0", std::nullopt},
        {"Exponent", "1e3", std::nullopt},
        {"ThousandsSeparator", "1,000", std::nullopt},
        {"SignBeforeHex", "-$10", std::nullopt},
        {"PlusBeforeHex", "+$10", std::nullopt},
        {"LeadingTab", "\t42", std::nullopt},
        {"ManyDigitsOverflow", "99999999999999999999999", std::nullopt},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(ParseInteger(testCase.text), testCase.value) << testCase.name;
    }
}

TEST(TransferRules, FloatsRoundToTheEvenNeighbour) {
    struct TCase {
        double value;
        std::optional<std::int32_t> rounded;
    };
    const TCase cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {0.5, 0},
        {1.5, 2},
        {-0.5, 0},
        {2.4999, 2},
        {-3.5, -4},
        {2147483647.4, 2147483647},
        {-2147483648.5, std::numeric_limits<std::int32_t>::min()},
        {2147483647.5, std::nullopt},
        {1e10, std::nullopt},
        {std::numeric_limits<double>::infinity(), std::nullopt},
        {std::nan(""), std::nullopt},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(RoundToInteger(testCase.value), testCase.rounded) << testCase.value;
    }
}

namespace {

// A source table SRC with one column Valor and a destination table DST with one
// column VALOR (the names differ in case so messages show which field they name).
struct TTransferFixture {
    testsupport::TTempDir dir;
    testsupport::TSqliteFile file{dir / "regras.db"};
    TDatabase db{"DbDes", "BancoDes"};
    TTable source{"TabOri", "BancoDes"};
    TTable destination{"TabDes", "BancoDes"};

    TTransferFixture() {
        testsupport::UseAliases(dir / "aliases.ini",
                                "[REGRAS]\nTYPE=SQLITE\nPATH=" + (dir / "regras.db").string() + "\n");
        db.SetAliasName("REGRAS");
    }

    // Moves the source value into a new destination row with the pair's rule;
    // on success returns what the destination column holds, else the failure's text.
    std::string Transfer(const std::string& sourceType, const std::string& sourceValue,
                         const std::string& destinationType) {
        file.Exec(
            "DROP TABLE IF EXISTS SRC; DROP TABLE IF EXISTS DST;"
            "CREATE TABLE SRC (Valor " +
            sourceType +
            ");"
            "CREATE TABLE DST (VALOR " +
            destinationType +
            ", outro INT);"
            "INSERT INTO SRC VALUES (" +
            sourceValue + ")");
        source.SetTableName("SRC");
        destination.SetTableName("DST");
        source.Open();
        destination.Open();
        TField& from = source.Fields(0);
        TField* to = FindCounterpart(from.FieldName(), destination);
        std::string outcome;
        try {
            db.StartTransaction();
            destination.Append();
            const TVariant before = from.AsVariant();
            TransferValue(SelectTransferRule(to->DataType(), from.DataType()), from, *to);
            // A value may change hands rather than be copied: the source must still read it.
            if (from.AsVariant() != before) throw std::runtime_error("the source lost its value");
            destination.Post();
            db.Commit();
            outcome = file.Scalar("SELECT VALOR FROM DST");
        } catch (const std::exception& error) {
            db.Rollback();
            outcome = std::string("error: ") + error.what();
        }
        source.Close();
        destination.Close();
        return outcome;
    }
};

}  // namespace

TEST(TransferValue, EachRuleWritesItsValue) {
    struct TCase {
        const char* name;
        const char* sourceType;
        std::string sourceValue;
        const char* destinationType;
        std::string expected;
    };
    const std::string memo300 = std::string(300, 'm');
    const TCase cases[] = {
        {"StringCutToSize", "VARCHAR(40)", "'abcdefghij'", "VARCHAR(4)", "abcd"},
        {"StringCutCountsCharacters", "VARCHAR(40)", "'ação!'", "VARCHAR(3)", "açã"},
        {"StringEndsAtNul", "VARCHAR(40)", "CAST(x'6100626364' AS TEXT)", "VARCHAR(10)", "a"},
        {"FixedCharSameType", "CHAR(5)", "'ab'", "CHAR(5)", "ab"},
        {"MemoWholeIntoMemo", "TEXT", "'" + memo300 + "'", "TEXT", memo300},
        {"MemoCutIntoString", "TEXT", "'" + memo300 + "'", "VARCHAR(20)", std::string(20, 'm')},
        {"SmallestInteger", "INT", "-2147483648", "INT", "-2147483648"},
        {"Smallint", "SMALLINT", "-32768", "SMALLINT", "-32768"},
        {"LargeintKeepsAll64Bits", "BIGINT", "9007199254740993", "BIGINT", "9007199254740993"},
        {"AutoIncIntoAutoInc", "INTEGER PRIMARY KEY AUTOINCREMENT", "41", "INTEGER PRIMARY KEY AUTOINCREMENT", "41"},
        {"Float", "DOUBLE", "0.1", "DOUBLE", "0.1"},
        {"Currency", "MONEY", "-12.75", "MONEY", "-12.75"},
        {"BcdRoundsToDestinationPlaces", "NUMERIC(18,4)", "1.23456", "NUMERIC(10,2)", "1.23"},
        {"BcdHalvesToEven", "NUMERIC(18,4)", "'2.00005'", "NUMERIC(18,4)", "2"},
        {"BcdExactDecimal", "NUMERIC(18,4)", "'12345678901.2345'", "NUMERIC(18,4)", "12345678901.2345"},
        {"BcdWholeNumberAsInteger", "NUMERIC(30,4)", "'922337203685477'", "NUMERIC(30,4)", "922337203685477"},
        {"Boolean", "BOOLEAN", "1", "BOOLEAN", "1"},
        {"Date", "DATE", "'2024-02-29'", "DATE", "2024-02-29"},
        {"Time", "TIME", "'13:45:00'", "TIME", "13:45:00"},
        {"DateTime", "DATETIME", "'2024-02-29 13:45:00'", "DATETIME", "2024-02-29 13:45:00"},
        {"BytesPaddedWithZeros", "BINARY(8)", "x'0102030405060708'", "BINARY(10)", "x'01020304050607080000'"},
        {"VarBytesKeepTheirCount", "VARBINARY(4)", "x'0102'", "VARBINARY(4)", "x'0102'"},
        {"BlobByteForByte", "BLOB", "x'00ff0000ff'", "BLOB", "x'00ff0000ff'"},
        {"FloatHalfToEvenDown", "DOUBLE", "2.5", "INT", "2"},
        {"FloatHalfToEvenUp", "DOUBLE", "3.5", "INT", "4"},
        {"NegativeHalfToEven", "DOUBLE", "-2.5", "INT", "-2"},
        {"IntegerToFloat", "INT", "2147483647", "DOUBLE", "2147483647.0"},
        {"IntegerToDecimalText", "INT", "-2147483648", "VARCHAR(11)", "-2147483648"},
        {"TextToInteger", "VARCHAR(10)", "'  42'", "INT", "42"},
        {"HexTextToInteger", "VARCHAR(10)", "'$ff'", "INT", "255"},
        {"StringIntoMemoIsSkipped", "VARCHAR(10)", "'abc'", "TEXT", "NULL"},
        {"SmallintIntoIntegerIsSkipped", "SMALLINT", "5", "INT", "NULL"},
        {"FixedCharIntoStringIsSkipped", "CHAR(5)", "'ab'", "VARCHAR(5)", "NULL"},
        {"FloatIntoStringIsSkipped", "DOUBLE", "1.5", "VARCHAR(10)", "NULL"},
    };
    TTransferFixture fixture;
    for (const auto& testCase : cases) {
        EXPECT_EQ(fixture.Transfer(testCase.sourceType, testCase.sourceValue, testCase.destinationType),
                  testCase.expected)
            << testCase.name;
    }
}

TEST(TransferValue, FailuresNameTheirField) {
    struct TCase {
        const char* name;
        const char* sourceType;
        std::string sourceValue;
        const char* destinationType;
        std::string message;
    };
    const TCase cases[] = {
        {"TextNotAnInteger", "VARCHAR(10)", "'4 2'", "INT", "'4 2' is not a valid integer value"},
        {"TextWithTrailingBlank", "VARCHAR(10)", "'42 '", "INT", "'42 ' is not a valid integer value"},
        {"BytesTooLong", "BINARY(10)", "x'00112233445566778899'", "BINARY(8)",
         "Tipo ou tamanho da variante inválido para o campo 'VALOR'"},
        {"VarBytesTooLong", "VARBINARY(8)", "x'0011223344'", "VARBINARY(4)",
         "Tipo ou tamanho da variante inválido para o campo 'VALOR'"},
        {"BcdOutOfRange", "NUMERIC(30,4)", "1e20", "NUMERIC(30,4)", "Valor do campo 'Valor' está fora de faixa"},
        {"FloatWithoutIntegerForm", "DOUBLE", "1e10", "INT", "Valor do campo 'Valor' está fora de faixa"},
        {"DecimalTextDoesNotFit", "INT", "-12345", "VARCHAR(5)", "Valor do campo 'VALOR' está fora de faixa"},
        {"ReadOnlyDestination", "INT", "1", "INT GENERATED ALWAYS AS (2)", "Campo 'VALOR' não pode ser modificado"},
        {"ReadOnlyMemoNamesTheTable", "TEXT", "'a'", "TEXT GENERATED ALWAYS AS ('b')",
         "TabDes: Campo 'VALOR' não pode ser modificado"},
        {"ValueAgainstItsType", "INT", "'quarenta'", "INT", "Valor inválido para o campo 'Valor'"},
    };
    TTransferFixture fixture;
    for (const auto& testCase : cases) {
        EXPECT_EQ(fixture.Transfer(testCase.sourceType, testCase.sourceValue, testCase.destinationType),
                  "error: " + testCase.message)
            << testCase.name;
    }
}

TEST(TransferValue, CounterpartsPairByWholeNameIgnoringCase) {
    testsupport::TTempDir dir;
    testsupport::TSqliteFile file(dir / "nomes.db");
    file.Exec("CREATE TABLE d (Codigo INT, \"AÇÃO\" TEXT, nome_completo TEXT, \"ÉPOCA\" TEXT)");
    testsupport::UseAliases(dir / "aliases.ini", "[N]\nTYPE=SQLITE\nPATH=" + (dir / "nomes.db").string() + "\n");
    TDatabase db("DbDes", "BancoDes");
    db.SetAliasName("N");
    TTable table("TabDes", "BancoDes");
    table.SetTableName("d");
    table.Open();
    struct TCase {
        const char* sourceName;
        int counterpart;  // -1 for none
    };
    const TCase cases[] = {
        {"CODIGO", 0}, {"codigo", 0}, {"ação", 1},     {"Ação", 1},  {"NOME_COMPLETO", 2},
        {"época", 3},  {"Nome", -1},  {"codigo ", -1}, {"acao", -1}, {"", -1},
    };
    for (const auto& testCase : cases) {
        TField* found = FindCounterpart(testCase.sourceName, table);
        EXPECT_EQ(found, testCase.counterpart < 0 ? nullptr : &table.Fields(testCase.counterpart))
            << testCase.sourceName;
    }
}

// A value that needs no converting changes hands between the two rows' buffers
// instead of being copied; every row must still read and write its own values.
TEST(TransferValue, ValuesThatChangeHandsStayWithTheirRow) {
    TTransferFixture fixture;
    fixture.file.Exec(
        "CREATE TABLE SRC (nome VARCHAR(10), obs TEXT, foto BLOB, n INT);"
        "CREATE TABLE DST (NOME VARCHAR(10), OBS TEXT, FOTO BLOB, N INT);"
        "INSERT INTO SRC VALUES ('primeira', 'uma observação longa o bastante', x'0001', 1),"
        " ('segunda', 'outra observação, também longa', x'02', 2),"
        " ('longa demais', NULL, x'', 3)");
    fixture.source.SetTableName("SRC");
    fixture.destination.SetTableName("DST");
    fixture.source.Open();
    fixture.destination.Open();
    fixture.db.StartTransaction();
    for (fixture.source.First(); !fixture.source.Eof(); fixture.source.Next()) {
        fixture.destination.Append();
        for (int i = 0; i < fixture.source.FieldCount(); ++i) {
            TField& from = fixture.source.Fields(i);
            const TVariant before = from.AsVariant();
            TransferValue(trGeneric, from, fixture.destination.Fields(i));
            EXPECT_EQ(from.AsVariant(), before) << from.FieldName();
        }
        fixture.destination.Post();
    }
    fixture.db.Commit();
    EXPECT_EQ(fixture.file.Scalar("SELECT group_concat(NOME || '|' || ifnull(OBS, '-') || '|' || hex(FOTO) || '|' || N,"
                                  " ';') FROM DST"),
              "primeira|uma observação longa o bastante|0001|1;segunda|outra observação, também longa|02|2;"
              "longa dema|-||3");
}
