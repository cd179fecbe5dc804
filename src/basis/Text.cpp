#include "basis/Text.h"

#include "basis/Zeichen.h"

#include <cctype>
#include <cmath>
#include <limits>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace fs = std::filesystem;

namespace wx {

std::vector<std::string> zeichen(std::string_view text) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < text.size()) {
        const size_t start = i;
        leseUtf8(text, i);
        out.emplace_back(text.substr(start, i - start));
    }
    return out;
}

int laenge(std::string_view text) {
    int n = 0;
    size_t i = 0;
    while (i < text.size()) {
        leseUtf8(text, i);
        ++n;
    }
    return n;
}

std::string gross(std::string_view text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        char32_t cp = leseUtf8(text, i);
        if (cp >= 'a' && cp <= 'z')
            cp -= 32;
        else if (cp == U'ä')
            cp = U'Ä';
        else if (cp == U'ö')
            cp = U'Ö';
        else if (cp == U'ü')
            cp = U'Ü';
        haengeUtf8An(out, cp);
    }
    return out;
}

std::string ausAnsi(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char ch : ansi) haengeUtf8An(out, ausWindows1252(static_cast<unsigned char>(ch)));
    return out;
}

int ansiCode(std::string_view z) {
    if (z.empty()) return -1;
    size_t i = 0;
    return nachWindows1252(leseUtf8(z, i));
}

std::string ausAnsiCode(int code) { return utf8(ausWindows1252(static_cast<unsigned char>(code))); }

std::string nachAnsi(std::string_view text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const int c = nachWindows1252(leseUtf8(text, i));
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
        if (std::isdigit(static_cast<unsigned char>(rest[n])))
            ziffer = true;
        else if (rest[n] == '.' && !punkt)
            punkt = true;
        else
            break;
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
    fs::path aktuell = p.starts_with("/") ? fs::path("/") : fs::path(".");
    for (size_t anfang = 0; anfang <= p.size();) {
        const size_t ende = std::min(p.find('/', anfang), p.size());
        const std::string teil = p.substr(anfang, ende - anfang);
        anfang = ende + 1;
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

std::optional<std::string> leseDatei(const std::string& pfad) {
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string inhalt;
    char puffer[1 << 14];
    for (;;) {
        const ssize_t n = ::read(fd, puffer, sizeof puffer);
        if (n > 0) {
            inhalt.append(puffer, static_cast<size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {  // e.g. a folder of that name
            ::close(fd);
            return std::nullopt;
        }
    }
    ::close(fd);
    return inhalt;
}

std::vector<std::string> teileZeilen(std::string_view inhalt) {
    std::vector<std::string> zeilen;
    while (!inhalt.empty()) {
        const size_t lf = inhalt.find('\n');
        std::string_view zeile = inhalt.substr(0, lf);
        if (lf != std::string_view::npos && !zeile.empty() && zeile.back() == '\r') zeile.remove_suffix(1);
        zeilen.emplace_back(zeile);
        if (lf == std::string_view::npos) break;
        inhalt.remove_prefix(lf + 1);
    }
    return zeilen;
}

std::optional<std::vector<std::string>> leseAnsiZeilen(const std::string& pfad) {
    const auto inhalt = leseDatei(findeDatei(pfad));
    if (!inhalt) return std::nullopt;
    std::vector<std::string> zeilen = teileZeilen(*inhalt);
    for (auto& z : zeilen) z = ausAnsi(z);
    return zeilen;
}

size_t abschnittsAnfang(const std::vector<std::string>& zeilen, std::string_view kopf) {
    size_t i = 0;
    while (i < zeilen.size() && zeilen[i] != kopf) ++i;
    return i < zeilen.size() ? i + 1 : i;
}

bool schreibeAnsiZeilen(const std::string& pfad, const std::vector<std::string>& zeilen) {
    std::string inhalt;
    for (const auto& z : zeilen) inhalt += nachAnsi(z) + "\r\n";
    const int fd = ::open(findeDatei(pfad).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    std::string_view rest = inhalt;
    bool ok = true;
    while (ok && !rest.empty()) {
        const ssize_t n = ::write(fd, rest.data(), rest.size());
        if (n > 0)
            rest.remove_prefix(static_cast<size_t>(n));
        else if (n < 0 && errno != EINTR)
            ok = false;
    }
    return ::close(fd) == 0 && ok;
}

}  // namespace wx
