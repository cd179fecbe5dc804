#include "settings/IniDatei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <iterator>

namespace wx {

namespace {

constexpr std::string_view kZeilenEnde = "\r\n";

bool beginntMitZeichen(const std::string& zeile, char c) { return !zeile.empty() && zeile[0] == c; }

void haengeZeileAn(std::string& text, std::string_view zeile) {
    text += zeile;
    text += kZeilenEnde;
}

// Writes all bytes, going on after interrupted or partial writes.
bool schreibeAlles(int fd, std::string_view stueck) {
    while (!stueck.empty()) {
        const ssize_t n = ::write(fd, stueck.data(), stueck.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        stueck.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Flushes the folder that holds a file, so that a rename in it is on the disk.
bool ordnerAufPlatte(const std::string& datei) {
    std::filesystem::path ordner = std::filesystem::path(datei).parent_path();
    if (ordner.empty()) ordner = std::filesystem::path(".");
    const int fd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

std::optional<std::string> leseRoh(const std::string& pfad) { return leseDatei(pfad); }

std::string schreibeAbschnittNeu(std::string_view alt, std::string_view kopf,
                                 const std::vector<std::string>& eintraege) {
    const auto zeilen = teileZeilen(alt);
    std::string neu;
    neu.reserve(alt.size() + 512);
    // Whether the text ends with the old file's last line, copied as it was.
    bool endetMitLetzter = false;
    auto kopiere = [&](size_t i) {
        haengeZeileAn(neu, zeilen[i]);
        endetMitLetzter = i + 1 == zeilen.size();
    };
    auto schreibe = [&](std::string_view zeile) {
        haengeZeileAn(neu, zeile);
        endetMitLetzter = false;
    };

    size_t i = 0;
    while (i < zeilen.size() && zeilen[i] != kopf) kopiere(i++);
    if (i < zeilen.size())
        kopiere(i++);
    else
        schreibe(kopf);
    for (const auto& e : eintraege) schreibe(e);
    schreibe(" ");
    // The rest of the old section: its comments stay, its entries are
    // replaced by the lines above.
    while (i < zeilen.size()) {
        const size_t k = i++;
        if (beginntMitZeichen(zeilen[k], ';')) kopiere(k);
        if (beginntMitZeichen(zeilen[k], '[')) {
            kopiere(k);
            break;
        }
    }
    while (i < zeilen.size()) kopiere(i++);
    // A last line without a line end stays without one.
    if (endetMitLetzter && !alt.empty() && alt.back() != '\n') neu.resize(neu.size() - kZeilenEnde.size());
    return neu;
}

bool ersetzeDateiSicher(const std::string& ziel, const std::string& tmp, std::string_view inhalt,
                        const std::function<bool(SpeicherSchritt)>& vorSchritt) {
    auto darf = [&vorSchritt](SpeicherSchritt s) { return !vorSchritt || vorSchritt(s); };

    if (!darf(SpeicherSchritt::KopieAnlegen)) return false;
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    auto aufgeben = [&](bool offen) {
        if (offen) ::close(fd);
        ::unlink(tmp.c_str());
        return false;
    };
    // The new file keeps the access rights of the old one.
    struct stat alt {};
    if (::stat(ziel.c_str(), &alt) == 0) ::fchmod(fd, alt.st_mode & 07777);

    // Line by line, as a text file is written.
    std::string_view rest = inhalt;
    while (!rest.empty()) {
        const size_t lf = rest.find('\n');
        const size_t n = lf == std::string_view::npos ? rest.size() : lf + 1;
        if (!darf(SpeicherSchritt::Schreiben) || !schreibeAlles(fd, rest.substr(0, n))) return aufgeben(true);
        rest.remove_prefix(n);
    }
    if (!darf(SpeicherSchritt::AufPlatte) || ::fsync(fd) != 0) return aufgeben(true);
    if (!darf(SpeicherSchritt::KopieSchliessen)) return aufgeben(true);
    if (::close(fd) != 0) return aufgeben(false);
    if (!darf(SpeicherSchritt::Ersetzen) || ::rename(tmp.c_str(), ziel.c_str()) != 0) return aufgeben(false);
    // The new file is in place; a folder that cannot be flushed changes
    // nothing about that any more.
    if (darf(SpeicherSchritt::OrdnerAufPlatte)) ordnerAufPlatte(ziel);
    return true;
}

}  // namespace wx
