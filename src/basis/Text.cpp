#include "basis/Text.h"

#include <cctype>
#include <cmath>
#include <limits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace wx {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252 (0 = undefined).
constexpr char32_t kAnsi80[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

void haengeUtf8An(std::string& s, char32_t cp) {
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

// Decodes the character starting at text[i]; advances i. Bytes that are not
// valid UTF-8 count as one character each.
char32_t naechsterCodepunkt(std::string_view text, size_t& i) {
    const auto b = static_cast<unsigned char>(text[i]);
    int n = 0;
    char32_t cp = b;
    if (b >= 0xF0 && b < 0xF8) { n = 3; cp = b & 0x07; }
    else if (b >= 0xE0) { n = b < 0xF0 ? 2 : 0; cp = b & 0x0F; }
    else if (b >= 0xC0) { n = 1; cp = b & 0x1F; }
    if (n == 0 || i + n >= text.size()) {
        ++i;
        return b;
    }
    for (int k = 1; k <= n; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) { ++i; return b; }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += n + 1;
    return cp;
}

}  // namespace

std::vector<std::string> zeichen(std::string_view text) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < text.size()) {
        const size_t start = i;
        naechsterCodepunkt(text, i);
        out.emplace_back(text.substr(start, i - start));
    }
    return out;
}

int laenge(std::string_view text) {
    int n = 0;
    size_t i = 0;
    while (i < text.size()) {
        naechsterCodepunkt(text, i);
        ++n;
    }
    return n;
}

std::string gross(std::string_view text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        char32_t cp = naechsterCodepunkt(text, i);
        if (cp >= 'a' && cp <= 'z') cp -= 32;
        else if (cp == U'ä') cp = U'Ä';
        else if (cp == U'ö') cp = U'Ö';
        else if (cp == U'ü') cp = U'Ü';
        haengeUtf8An(out, cp);
    }
    return out;
}

std::string ausAnsi(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char ch : ansi) {
        const auto b = static_cast<unsigned char>(ch);
        char32_t cp = b;
        if (b >= 0x80 && b < 0xA0) cp = kAnsi80[b - 0x80] ? kAnsi80[b - 0x80] : b;
        haengeUtf8An(out, cp);
    }
    return out;
}

int ansiCode(std::string_view z) {
    size_t i = 0;
    if (z.empty()) return -1;
    const char32_t cp = naechsterCodepunkt(z, i);
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int k = 0; k < 32; ++k)
        if (kAnsi80[k] == cp) return 0x80 + k;
    return -1;
}

std::string ausAnsiCode(int code) {
    const char c = static_cast<char>(code);
    return ausAnsi(std::string_view(&c, 1));
}

std::string nachAnsi(std::string_view utf8) {
    std::string out;
    for (const auto& z : zeichen(utf8)) {
        const int c = ansiCode(z);
        out += c < 0 ? '?' : static_cast<char>(c);
    }
    return out;
}

int64_t runde(double x) {
    // Values beyond the integer range saturate instead of overflowing.
    if (std::isnan(x)) return 0;
    constexpr double grenze = 9.2e18;
    if (x >= grenze) return std::numeric_limits<int64_t>::max();
    if (x <= -grenze) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(std::nearbyint(x));
}

double zahlAmAnfang(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const std::string rest(text.substr(i));
    // Only plain decimal numbers: sign, digits, one decimal point.
    size_t n = 0;
    if (n < rest.size() && (rest[n] == '+' || rest[n] == '-')) ++n;
    bool ziffer = false, punkt = false;
    while (n < rest.size()) {
        if (std::isdigit(static_cast<unsigned char>(rest[n]))) ziffer = true;
        else if (rest[n] == '.' && !punkt) punkt = true;
        else break;
        ++n;
    }
    if (!ziffer) return 0;
    return std::strtod(rest.substr(0, n).c_str(), nullptr);
}

std::string trimme(std::string_view text) {
    size_t a = 0, e = text.size();
    while (a < e && (text[a] == ' ' || text[a] == '\t')) ++a;
    while (e > a && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    return std::string(text.substr(a, e - a));
}

bool beginntMit(std::string_view text, std::string_view anfang) {
    return text.substr(0, anfang.size()) == anfang;
}

namespace {

bool gleichOhneGross(const std::string& a, const std::string& b) { return gross(a) == gross(b); }

}  // namespace

std::string findeDatei(const std::string& pfad) {
    std::string p = pfad;
    for (auto& c : p)
        if (c == '\\') c = '/';
    std::error_code ec;
    if (fs::exists(p, ec)) return p;
    // Walk the path part by part and match each part without regard to case.
    std::stringstream teile(p);
    std::string teil;
    fs::path aktuell = p.starts_with("/") ? fs::path("/") : fs::path(".");
    while (std::getline(teile, teil, '/')) {
        if (teil.empty()) continue;
        fs::path kandidat = aktuell / teil;
        if (!fs::exists(kandidat, ec)) {
            bool gefunden = false;
            if (fs::is_directory(aktuell, ec)) {
                for (const auto& e : fs::directory_iterator(aktuell, ec)) {
                    if (gleichOhneGross(e.path().filename().string(), teil)) {
                        kandidat = e.path();
                        gefunden = true;
                        break;
                    }
                }
            }
            if (!gefunden) return p;
        }
        aktuell = kandidat;
    }
    std::string ergebnis = aktuell.lexically_normal().string();
    if (!p.starts_with("/") && ergebnis.starts_with("./")) ergebnis = ergebnis.substr(2);
    return ergebnis;
}

bool dateiVorhanden(const std::string& pfad) {
    std::error_code ec;
    return fs::is_regular_file(findeDatei(pfad), ec);
}

std::optional<std::vector<std::string>> leseAnsiZeilen(const std::string& pfad) {
    std::ifstream in(findeDatei(pfad), std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::string> zeilen;
    std::string zeile;
    while (std::getline(in, zeile)) {
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        zeilen.push_back(ausAnsi(zeile));
    }
    return zeilen;
}

size_t abschnittsAnfang(const std::vector<std::string>& zeilen, std::string_view kopf) {
    size_t i = 0;
    while (i < zeilen.size() && zeilen[i] != kopf) ++i;
    return i < zeilen.size() ? i + 1 : i;
}

bool schreibeAnsiZeilen(const std::string& pfad, const std::vector<std::string>& zeilen) {
    std::ofstream out(findeDatei(pfad), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const auto& z : zeilen) out << nachAnsi(z) << "\r\n";
    return static_cast<bool>(out);
}

}  // namespace wx
