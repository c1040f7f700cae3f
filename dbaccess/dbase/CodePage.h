#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace dbaccess::dbase {

// The code page that a table's language driver byte names, or nullopt when
// the byte names none this driver knows.
std::optional<int> CodePageOfLanguageDriver(unsigned char languageDriver);

// The character set that the text of a .cpg file names, as iconv calls it
// ("CP1252", "UTF-8", "ISO-8859-1"), or nullopt when the text is empty.
// Knows the forms writers use: "1252", "ANSI 1252", "CP1252", "UTF-8",
// "88591", "ISO-8859-1", "LDID/87"; other names are passed on as written.
std::optional<std::string> CharsetOfCpg(std::string_view text);

// The iconv name of a Windows code page number.
std::string CharsetOfCodePage(int codePage);

// Converts a table's text to UTF-8. A single-byte code page converts through a
// table built once; bytes it leaves undefined keep their own code point, as
// Windows does. Other character sets convert through iconv.
class TCodePage {
public:
    // Fails naming `fileName`, whose text this is, when iconv does not know
    // the character set.
    TCodePage(const std::string& charset, const std::string& fileName);
    ~TCodePage();
    TCodePage(TCodePage&&) noexcept;
    TCodePage& operator=(TCodePage&&) noexcept;

    const std::string& Charset() const { return m_charset; }

    // Replaces `out` with the UTF-8 form of `bytes`. An incomplete character at
    // the end, cut by a fixed-width field, is dropped; false when the bytes are
    // not text of this character set.
    bool Decode(std::string_view bytes, std::string& out) const;

private:
    struct TIconv;
    bool DecodeByIconv(std::string_view bytes, std::string& out) const;

    std::string m_charset;
    // For single-byte code pages: each byte's UTF-8 form, its length first.
    std::unique_ptr<std::array<std::array<char, 4>, 256>> m_byteTable;
    std::unique_ptr<TIconv> m_iconv;
};

}  // namespace dbaccess::dbase
