#include "CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "DbaseMessages.h"

namespace dbaccess::dbase {

namespace {

struct TLanguageDriverRow {
    unsigned char languageDriver;
    int codePage;
};

// The language driver bytes that dBASE, FoxPro and their heirs write.
constexpr TLanguageDriverRow kLanguageDrivers[] = {
    {0x01, 437},   {0x02, 850},  {0x03, 1252}, {0x04, 10000}, {0x08, 865},  {0x09, 437},  {0x0A, 850},  {0x0B, 437},
    {0x0D, 437},   {0x0E, 850},  {0x0F, 437},  {0x10, 850},   {0x11, 437},  {0x12, 850},  {0x13, 932},  {0x14, 850},
    {0x15, 437},   {0x16, 850},  {0x17, 865},  {0x18, 437},   {0x19, 437},  {0x1A, 850},  {0x1B, 437},  {0x1C, 863},
    {0x1D, 850},   {0x1F, 852},  {0x22, 852},  {0x23, 852},   {0x24, 860},  {0x25, 850},  {0x26, 866},  {0x37, 850},
    {0x40, 852},   {0x4D, 936},  {0x4E, 949},  {0x4F, 950},   {0x50, 874},  {0x57, 1252}, {0x58, 1252}, {0x59, 1252},
    {0x64, 852},   {0x65, 866},  {0x66, 865},  {0x67, 861},   {0x6A, 737},  {0x6B, 857},  {0x6C, 863},  {0x78, 950},
    {0x79, 949},   {0x7A, 936},  {0x7B, 932},  {0x7C, 874},   {0x86, 737},  {0x87, 852},  {0x88, 857},  {0x96, 10007},
    {0x97, 10029}, {0xC8, 1250}, {0xC9, 1251}, {0xCA, 1254},  {0xCB, 1253}, {0xCC, 1257},
};

std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n\f\v";
    // A UTF-8 byte order mark is written by some editors.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > 1000000) break;  // no code page is that large; keeps the sum from wrapping
    }
    return value;
}

// A name of iconv's own form: letters, digits and - _ : . only. Other text
// ("//" asks iconv for transliteration) is not a name.
bool IsCharsetName(std::string_view text) {
    return !text.empty() && text.size() <= 40 && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == ':' || c == '.';
    });
}

}  // namespace

std::optional<int> CodePageOfLanguageDriver(unsigned char languageDriver) {
    for (const auto& row : kLanguageDrivers) {
        if (row.languageDriver == languageDriver) return row.codePage;
    }
    return std::nullopt;
}

std::string CharsetOfCodePage(int codePage) {
    switch (codePage) {
        case 10000:
            return "MACINTOSH";
        case 10007:
            return "MAC-CYRILLIC";
        case 10029:
            return "MAC-CENTRALEUROPE";
        case 20866:
            return "KOI8-R";
        case 21866:
            return "KOI8-U";
        case 65001:
            return "UTF-8";
        default:
            break;
    }
    // Windows numbers the ISO 8859 parts 28591 to 28606.
    if (codePage >= 28591 && codePage <= 28606) return "ISO-8859-" + std::to_string(codePage - 28590);
    return "CP" + std::to_string(codePage);
}

std::optional<std::string> CharsetOfCpg(std::string_view text) {
    std::string upper(Trimmed(text));
    if (upper.empty()) return std::nullopt;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::string_view name = upper;

    if (name == "UTF-8" || name == "UTF8") return "UTF-8";
    if (name.starts_with("LDID/") && AllDigits(name.substr(5))) {
        int languageDriver = Number(name.substr(5));
        auto codePage =
            languageDriver <= 255 ? CodePageOfLanguageDriver(static_cast<unsigned char>(languageDriver)) : std::nullopt;
        return codePage ? CharsetOfCodePage(*codePage) : upper;
    }
    for (std::string_view prefix : {"ANSI ", "OEM ", "CP", "WINDOWS-", "IBM", "MS"}) {
        if (name.starts_with(prefix) && AllDigits(name.substr(prefix.size()))) {
            name.remove_prefix(prefix.size());
            break;
        }
    }
    if (AllDigits(name)) {
        // ESRI writes ISO 8859 parts as 8859 and the part's number: "88591", "885915".
        if (name.size() >= 5 && name.starts_with("8859")) return "ISO-8859-" + std::string(name.substr(4));
        return CharsetOfCodePage(Number(name));
    }
    for (std::string_view prefix : {"ISO-8859-", "ISO8859-", "ISO_8859-", "ISO_8859_", "ISO8859_", "8859_", "8859-"}) {
        if (name.starts_with(prefix) && AllDigits(name.substr(prefix.size()))) {
            return "ISO-8859-" + std::string(name.substr(prefix.size()));
        }
    }
    return upper;
}

struct TCodePage::TIconv {
    iconv_t handle;
    explicit TIconv(iconv_t opened) : handle(opened) {}
    ~TIconv() { iconv_close(handle); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;
};

TCodePage::TCodePage(const std::string& charset, const std::string& fileName) : m_charset(charset) {
    iconv_t handle = IsCharsetName(charset) ? iconv_open("UTF-8", charset.c_str()) : reinterpret_cast<iconv_t>(-1);
    if (handle == reinterpret_cast<iconv_t>(-1))
        throw EDatabaseError(Format(msg::kCodePageUnknown, {charset, fileName}));
    m_iconv = std::make_unique<TIconv>(handle);
    if (charset == "UTF-8") return;

    // A code page is single-byte when every byte converts on its own.
    auto table = std::make_unique<std::array<std::array<char, 4>, 256>>();
    for (int byte = 0; byte < 256; ++byte) {
        char input = static_cast<char>(byte);
        char output[8];
        char* in = &input;
        std::size_t inLeft = 1;
        char* out = output;
        std::size_t outLeft = sizeof output;
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
        std::size_t result = iconv(handle, &in, &inLeft, &out, &outLeft);
        auto length = static_cast<std::size_t>(out - output);
        if (result == static_cast<std::size_t>(-1) && errno == EINVAL) return;  // a lead byte: multi-byte
        if (result == static_cast<std::size_t>(-1) || length == 0 || length > 3) {
            // Undefined in this code page: the byte stands for the code point of its own value.
            output[0] = byte < 0x80 ? static_cast<char>(byte) : static_cast<char>(0xC0 | (byte >> 6));
            output[1] = static_cast<char>(0x80 | (byte & 0x3F));
            length = byte < 0x80 ? 1 : 2;
        }
        auto& entry = (*table)[static_cast<std::size_t>(byte)];
        entry[0] = static_cast<char>(length);
        std::copy(output, output + length, entry.begin() + 1);
    }
    m_byteTable = std::move(table);
    m_iconv.reset();
}

TCodePage::~TCodePage() = default;
TCodePage::TCodePage(TCodePage&&) noexcept = default;
TCodePage& TCodePage::operator=(TCodePage&&) noexcept = default;

bool TCodePage::Decode(std::string_view bytes, std::string& out) const {
    out.clear();
    if (!m_byteTable) return DecodeByIconv(bytes, out);
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto& entry = (*m_byteTable)[static_cast<unsigned char>(c)];
        out.append(entry.data() + 1, static_cast<std::size_t>(entry[0]));
    }
    return true;
}

bool TCodePage::DecodeByIconv(std::string_view bytes, std::string& out) const {
    iconv(m_iconv->handle, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());  // iconv's signature; it does not write the input
    std::size_t inLeft = bytes.size();
    std::size_t written = 0;
    out.resize(bytes.size() * 2 + 16);
    while (inLeft > 0) {
        char* outPtr = out.data() + written;
        std::size_t outLeft = out.size() - written;
        std::size_t result = iconv(m_iconv->handle, &in, &inLeft, &outPtr, &outLeft);
        written = static_cast<std::size_t>(outPtr - out.data());
        if (result != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (errno == EINVAL) break;  // an incomplete character at the end
        out.clear();
        return false;
    }
    out.resize(written);
    return true;
}

}  // namespace dbaccess::dbase
