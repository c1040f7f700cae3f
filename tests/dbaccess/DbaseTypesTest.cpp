#include <gtest/gtest.h>

#include "dbaccess/dbase/CodePage.h"
#include "dbaccess/dbase/DbaseTypes.h"

using namespace dbaccess;
using namespace dbaccess::dbase;

TEST(DbaseTypes, MapsEachDescriptorToItsTypeCode) {
    struct TCase {
        const char* name;
        char letter;
        int length;
        int decimals;
        TDbaseType expected;
    };
    const TCase cases[] = {
        {"TextKeepsItsLengthAsSize", 'C', 20, 0, {ftString, 20, true}},
        {"NineDigitWholeNumberIsInteger", 'N', 9, 0, {ftInteger, 0, true}},
        {"TenDigitWholeNumberIsFloat", 'N', 10, 0, {ftFloat, 0, true}},
        {"NumberWithDecimalsIsFloat", 'N', 5, 2, {ftFloat, 0, true}},
        {"FloatIsFloat", 'F', 20, 4, {ftFloat, 0, true}},
        {"LogicalIsBoolean", 'L', 1, 0, {ftBoolean, 0, true}},
        {"DateIsDate", 'D', 8, 0, {ftDate, 0, true}},
        {"MemoIsMemo", 'M', 10, 0, {ftMemo, 0, true}},
        {"LogicalOfTwoBytesIsDamaged", 'L', 2, 0, {ftBoolean, 0, false}},
        {"DateOfSixBytesIsDamaged", 'D', 6, 0, {ftDate, 0, false}},
        {"MemoOfFourBytesIsDamaged", 'M', 4, 0, {ftMemo, 0, false}},
        {"LaterDbaseTypeIsUnknown", 'B', 10, 0, {ftUnknown, 0, true}},
        {"LowerCaseLetterIsUnknown", 'c', 10, 0, {ftUnknown, 0, true}},
        {"NoLengthIsDamaged", 'C', 0, 0, {ftUnknown, 0, false}},
    };
    for (const auto& c : cases) {
        TDbaseType mapped = MapFieldType(c.letter, c.length, c.decimals);
        EXPECT_EQ(mapped.type, c.expected.type) << c.name;
        EXPECT_EQ(mapped.size, c.expected.size) << c.name;
        EXPECT_EQ(mapped.valid, c.expected.valid) << c.name;
    }
}

TEST(DbaseTypes, LanguageDriverNamesItsCodePage) {
    struct TCase {
        const char* name;
        unsigned char languageDriver;
        std::optional<int> codePage;
    };
    const TCase cases[] = {
        {"UsDos", 0x01, 437},
        {"InternationalDos", 0x02, 850},
        {"WindowsAnsi", 0x03, 1252},
        {"NordicDos", 0x66, 865},
        {"RussianDos", 0x65, 866},
        {"EasternEuropeDos", 0x64, 852},
        {"CurrentAnsi", 0x57, 1252},
        {"EasternEuropeWindows", 0xC8, 1250},
        {"RussianWindows", 0xC9, 1251},
        {"ChineseGbk", 0x4D, 936},
        {"NoneWritten", 0x00, std::nullopt},
        {"NotADriver", 0xFF, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(CodePageOfLanguageDriver(c.languageDriver), c.codePage) << c.name;
}

TEST(DbaseTypes, CpgTextNamesItsCharset) {
    struct TCase {
        const char* name;
        const char* text;
        std::optional<std::string> charset;
    };
    const TCase cases[] = {
        {"Utf8", "UTF-8", "UTF-8"},
        {"Utf8WithoutDashAndNewline", "utf8\r\n", "UTF-8"},
        {"BareNumber", "1252", "CP1252"},
        {"AnsiPrefix", "ANSI 1251", "CP1251"},
        {"OemPrefix", "OEM 850", "CP850"},
        {"CpPrefix", "cp866", "CP866"},
        {"EsriIsoPart", "88591", "ISO-8859-1"},
        {"EsriIsoPartFifteen", "885915", "ISO-8859-15"},
        {"WindowsIsoNumber", "28592", "ISO-8859-2"},
        {"IsoName", "ISO_8859_2", "ISO-8859-2"},
        {"LanguageDriver", "LDID/201", "CP1251"},
        {"ByteOrderMarkAndBlanks", "\xEF\xBB\xBF 1250 ", "CP1250"},
        {"OtherNamePassedOn", "koi8-r", "KOI8-R"},
        {"EmptyNamesNothing", " \n", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(CharsetOfCpg(c.text), c.charset) << c.name;
}
