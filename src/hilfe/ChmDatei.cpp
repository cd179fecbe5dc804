#include "hilfe/ChmDatei.h"

#include <chm_lib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

namespace wx {

namespace {

// More entries than any real help file has; a directory that claims more is
// read no further.
constexpr size_t kMeisteEintraege = 20000;

char klein(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string kleinText(std::string s) {
    for (char& c : s) c = klein(c);
    return s;
}

uint32_t dword(const std::string& s, size_t pos) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data()) + pos;
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t word(const std::string& s, size_t pos) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data()) + pos;
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// The text from pos up to its NUL or the end.
std::string nulText(const std::string& s, size_t pos) {
    if (pos >= s.size()) return {};
    const auto ende = s.find('\0', pos);
    return s.substr(pos, ende == std::string::npos ? std::string::npos : ende - pos);
}

// The folders and the name of a path; "\" and "/" separate, "." is dropped,
// ".." steps back where it can.
std::vector<std::string> teile(const std::string& pfad) {
    std::vector<std::string> t;
    std::string stueck;
    auto fertig = [&] {
        if (stueck == "..") {
            if (!t.empty()) t.pop_back();
        } else if (!stueck.empty() && stueck != ".") {
            t.push_back(stueck);
        }
        stueck.clear();
    };
    for (char c : pfad) {
        if (c == '/' || c == '\\')
            fertig();
        else
            stueck += c;
    }
    fertig();
    return t;
}

bool gleichOhneFall(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return klein(x) == klein(y); });
}

// The canonical spelling of an internal path: "/" first, "/" between.
std::string intern(const std::string& pfad) {
    std::string r;
    for (const auto& t : teile(pfad)) r += "/" + t;
    return r.empty() ? "/" : r;
}

struct Sammler {
    std::vector<chmUnitInfo> eintraege;
};

int sammle(chmFile*, chmUnitInfo* ui, void* kontext) {
    auto* s = static_cast<Sammler*>(kontext);
    if (s->eintraege.size() >= kMeisteEintraege) return CHM_ENUMERATOR_SUCCESS;
    chmUnitInfo kopie = *ui;
    kopie.path[CHM_MAX_PATHLEN] = '\0';
    s->eintraege.push_back(kopie);
    return CHM_ENUMERATOR_CONTINUE;
}

uint64_t qword(const std::string& s, size_t pos) {
    return dword(s, pos) | static_cast<uint64_t>(dword(s, pos + 4)) << 32;
}

// Whether the file's headers describe a directory that lies inside the file
// with chunks of a sane size. chmlib takes these numbers as they stand (and
// allocates by them), so a file that lies about them never reaches it.
bool istHilfeDatei(const std::string& pfad) {
    std::ifstream ein(pfad, std::ios::binary | std::ios::ate);
    if (!ein) return false;
    const auto groesse = static_cast<uint64_t>(ein.tellg());
    auto lies = [&ein, groesse](uint64_t ab, size_t n) -> std::optional<std::string> {
        if (ab > groesse || n > groesse - ab) return std::nullopt;
        std::string s(n, '\0');
        ein.seekg(static_cast<std::streamoff>(ab));
        if (!ein.read(s.data(), static_cast<std::streamsize>(n))) return std::nullopt;
        return s;
    };
    const auto itsf = lies(0, 0x58);
    if (!itsf || itsf->compare(0, 4, "ITSF") != 0) return false;
    const uint32_t version = dword(*itsf, 4);
    if (version != 2 && version != 3) return false;
    const uint64_t dirAnfang = qword(*itsf, 0x48), dirLaenge = qword(*itsf, 0x50);
    if (version == 3) {
        const auto v3 = lies(0x58, 8);
        if (!v3 || qword(*v3, 0) > groesse) return false;
    }
    if (dirAnfang > groesse || dirLaenge > groesse - dirAnfang || dirLaenge < 0x54) return false;
    const auto itsp = lies(dirAnfang, 0x54);
    if (!itsp || itsp->compare(0, 4, "ITSP") != 0 || dword(*itsp, 8) != 0x54) return false;
    const uint32_t block = dword(*itsp, 0x10);
    if (block < 0x100 || block > 0x10000) return false;
    const uint64_t bloecke = (dirLaenge - 0x54) / block;
    const auto wurzel = static_cast<int32_t>(dword(*itsp, 0x1c)),
               erster = static_cast<int32_t>(dword(*itsp, 0x20));
    auto imVerzeichnis = [bloecke](int32_t n) { return n >= 0 && static_cast<uint64_t>(n) < bloecke; };
    return imVerzeichnis(erster) && (wurzel == -1 || imVerzeichnis(wurzel));
}

// chmlib divides by numbers of the file before it has checked all of them,
// and some files make it stop the whole program with a division by zero. A
// file is therefore opened once in a child process first; only when the
// child came through is it opened here.
bool oeffnetOhneAbsturz(const std::string& pfad) {
    const pid_t kind = fork();
    if (kind < 0) return true;  // no child to spare: trust the header check
    if (kind == 0) {
        if (chmFile* h = chm_open(pfad.c_str())) chm_close(h);
        _exit(0);
    }
    int status = 0;
    while (waitpid(kind, &status, 0) < 0)
        if (errno != EINTR) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::map<int32_t, std::string> leseKontextTabelle(const std::string& ivb, const std::string& strings) {
    std::map<int32_t, std::string> karte;
    if (ivb.size() < 4) return karte;
    const size_t laenge = std::min<size_t>(dword(ivb, 0), ivb.size() - 4);
    for (size_t pos = 4; pos + 8 <= 4 + laenge; pos += 8) {
        const auto nummer = static_cast<int32_t>(dword(ivb, pos));
        const uint32_t versatz = dword(ivb, pos + 4);
        if (versatz >= strings.size()) continue;
        std::string pfad = nulText(strings, versatz);
        if (pfad.empty()) continue;
        karte.emplace(nummer, std::move(pfad));
    }
    return karte;
}

std::optional<std::string> leseStandardThema(const std::string& system) {
    // A version number, then records of a code, a length and the data.
    size_t pos = 4;
    while (pos + 4 <= system.size()) {
        const uint16_t code = word(system, pos), laenge = word(system, pos + 2);
        pos += 4;
        if (laenge > system.size() - pos) break;
        if (code == 2) {
            std::string thema = nulText(system.substr(pos, laenge), 0);
            if (!thema.empty()) return thema;
        }
        pos += laenge;
    }
    return std::nullopt;
}

std::optional<std::string> passendesThema(const std::string& kartenPfad,
                                          const std::vector<std::string>& themen) {
    std::string pfad = kartenPfad;
    // "ms-its:Datei.chm::/a.htm" and "mk:@MSITStore:...::/a.htm" name a topic inside.
    if (const auto p = pfad.rfind("::"); p != std::string::npos) pfad = pfad.substr(p + 2);
    std::string anker;
    if (const auto p = pfad.find('#'); p != std::string::npos) {
        anker = pfad.substr(p);
        pfad = pfad.substr(0, p);
    }
    const auto gesucht = teile(pfad);
    if (gesucht.empty()) return std::nullopt;

    const std::string* bestes = nullptr;
    size_t besteTiefe = 0, besteLaenge = 0;
    for (const auto& thema : themen) {
        const auto t = teile(thema);
        size_t gemeinsam = 0;
        while (gemeinsam < t.size() && gemeinsam < gesucht.size() &&
               gleichOhneFall(t[t.size() - 1 - gemeinsam], gesucht[gesucht.size() - 1 - gemeinsam]))
            ++gemeinsam;
        if (gemeinsam == 0) continue;
        if (!bestes || gemeinsam > besteTiefe || (gemeinsam == besteTiefe && t.size() < besteLaenge)) {
            bestes = &thema;
            besteTiefe = gemeinsam;
            besteLaenge = t.size();
        }
    }
    if (!bestes) return std::nullopt;
    return *bestes + anker;
}

std::unique_ptr<ChmDatei> ChmDatei::oeffne(const std::string& pfad, std::string* fehler) {
    const std::string name = std::filesystem::path(pfad).filename().string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(pfad, ec)) {
        if (fehler) *fehler = "Die Hilfedatei \u201e" + name + "\u201c wurde nicht gefunden.";
        return nullptr;
    }
    // chmlib is handed only files that at least begin like a help file.
    chmFile* h = istHilfeDatei(pfad) && oeffnetOhneAbsturz(pfad) ? chm_open(pfad.c_str()) : nullptr;
    if (!h) {
        if (fehler) *fehler = "Die Datei \u201e" + name + "\u201c ist keine lesbare Hilfedatei.";
        return nullptr;
    }
    std::unique_ptr<ChmDatei> chm(new ChmDatei);
    chm->datei_ = h;
    chm->name_ = name;

    Sammler s;
    chm_enumerate(h, CHM_ENUMERATE_ALL, sammle, &s);
    for (const auto& ui : s.eintraege) {
        const std::string p = ui.path;
        if (p.empty() || p.back() == '/') continue;  // folders
        const std::string kanonisch = p.front() == '/' ? p : "/" + p;
        chm->nachKlein_.emplace(kleinText(intern(kanonisch)), kanonisch);  // found as finde() looks
        const char erstes = kanonisch.size() > 1 ? kanonisch[1] : '\0';
        if (erstes != '#' && erstes != '$' && kanonisch.rfind("::", 0) != 0)
            chm->themen_.push_back(kanonisch);
    }
    std::sort(chm->themen_.begin(), chm->themen_.end());

    const auto ivb = chm->lies("/#IVB"), strings = chm->lies("/#STRINGS");
    if (ivb && strings) chm->kontexte_ = leseKontextTabelle(*ivb, *strings);
    if (const auto system = chm->lies("/#SYSTEM"))
        if (const auto thema = leseStandardThema(*system)) {
            // The default topic is written relative to the file's root.
            std::string t = *thema;
            if (t.find("::") == std::string::npos && t.find('#') == std::string::npos && chm->finde(t))
                chm->standard_ = *chm->finde(t);
            else
                chm->standard_ = passendesThema(t, chm->themen_);
        }
    return chm;
}

ChmDatei::~ChmDatei() {
    if (datei_) chm_close(datei_);
}

std::optional<std::string> ChmDatei::finde(const std::string& pfad) const {
    const auto it = nachKlein_.find(kleinText(intern(pfad)));
    if (it == nachKlein_.end()) return std::nullopt;
    return it->second;
}

std::optional<std::string> ChmDatei::lies(const std::string& pfad) const {
    const auto kanonisch = finde(pfad);
    if (!kanonisch) return std::nullopt;
    return liesIntern(*kanonisch);
}

std::optional<std::string> ChmDatei::liesIntern(const std::string& kanonisch) const {
    chmUnitInfo ui{};
    if (kanonisch.size() > CHM_MAX_PATHLEN ||
        chm_resolve_object(datei_, kanonisch.c_str(), &ui) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    if (ui.length > kGroessteDatei) return std::nullopt;
    // Read in pieces: a length the file only claims costs no memory.
    constexpr size_t kStueck = 64 * 1024;
    std::string inhalt;
    while (inhalt.size() < ui.length) {
        const size_t alt = inhalt.size();
        const size_t n = std::min<size_t>(kStueck, static_cast<size_t>(ui.length) - alt);
        inhalt.resize(alt + n);
        const LONGINT64 gelesen =
            chm_retrieve_object(datei_, &ui, reinterpret_cast<unsigned char*>(inhalt.data() + alt), alt,
                                static_cast<LONGINT64>(n));
        if (gelesen != static_cast<LONGINT64>(n)) return std::nullopt;
    }
    return inhalt;
}

std::optional<std::string> ChmDatei::standardThema() const { return standard_; }

std::optional<std::string> ChmDatei::themaZuKontext(int32_t kontext) const {
    const auto it = kontexte_.find(kontext);
    if (it == kontexte_.end()) return std::nullopt;
    return passendesThema(it->second, themen_);
}

HilfeZiel hilfeZiel(const ChmDatei& chm, int befehl, int32_t kontext) {
    const std::string datei = "\u201e" + chm.name() + "\u201c";
    std::optional<std::string> seite;
    if (befehl == 0) {
        seite = chm.standardThema();
        if (!seite) return {{}, "Die Hilfedatei " + datei + " hat keine Startseite."};
    } else if (befehl == 15) {
        seite = chm.themaZuKontext(kontext);
        if (!seite)
            return {{},
                    "In der Hilfedatei " + datei + " gibt es zur Nummer " + std::to_string(kontext) +
                        " kein Hilfethema."};
    } else {
        return {{}, "Diesen Hilfebefehl (" + std::to_string(befehl) + ") kennt Wirbelix nicht."};
    }
    return {*seite, {}};
}

}  // namespace wx
