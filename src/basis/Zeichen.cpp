#include "basis/Zeichen.h"

namespace wx {

namespace {

// Code points of the bytes 0x80..0x9F, where Windows-1252 differs from
// Latin-1; the unassigned bytes keep their own number.
constexpr char32_t kAb80[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool folgeByte(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

char32_t ausWindows1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kAb80[byte - 0x80] : byte;
}

int nachWindows1252(char32_t codepunkt) {
    if (codepunkt < 0x80 || (codepunkt >= 0xA0 && codepunkt <= 0xFF)) return static_cast<int>(codepunkt);
    for (int k = 0; k < 32; ++k)
        if (kAb80[k] == codepunkt) return 0x80 + k;
    return -1;
}

std::optional<char32_t> leseUtf8Streng(std::string_view text, std::size_t& pos) {
    if (pos >= text.size()) return std::nullopt;
    const auto b0 = static_cast<unsigned char>(text[pos]);
    std::size_t folge = 0;
    char32_t cp = b0;
    char32_t kleinster = 0;
    if (b0 < 0x80) {
        ++pos;
        return cp;
    } else if ((b0 & 0xE0) == 0xC0) {
        folge = 1, cp = b0 & 0x1F, kleinster = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        folge = 2, cp = b0 & 0x0F, kleinster = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        folge = 3, cp = b0 & 0x07, kleinster = 0x10000;
    } else {
        return std::nullopt;  // a continuation byte, or 0xF8..0xFF
    }
    if (text.size() - pos <= folge) return std::nullopt;
    for (std::size_t k = 1; k <= folge; ++k) {
        const auto b = static_cast<unsigned char>(text[pos + k]);
        if (!folgeByte(b)) return std::nullopt;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < kleinster || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    pos += folge + 1;
    return cp;
}

char32_t leseUtf8(std::string_view text, std::size_t& pos) {
    if (const auto cp = leseUtf8Streng(text, pos)) return *cp;
    return static_cast<unsigned char>(text[pos++]);
}

void haengeUtf8An(std::string& s, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string utf8(char32_t codepunkt) {
    std::string s;
    haengeUtf8An(s, codepunkt);
    return s;
}

}  // namespace wx
