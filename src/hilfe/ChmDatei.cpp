#include "hilfe/ChmDatei.h"

#include <chm_lib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

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

// The paths of the directory in its order. A path met a second time means
// that the chain of listing chunks has come round to where it was, so the
// listing ends there; a real directory names every file once.
struct Sammler {
    std::vector<std::string> pfade;
    std::unordered_set<std::string> gesehen;
};

int sammle(chmFile*, chmUnitInfo* ui, void* kontext) {
    auto* s = static_cast<Sammler*>(kontext);
    if (s->pfade.size() >= kMeisteEintraege) return CHM_ENUMERATOR_SUCCESS;
    std::string pfad(ui->path, strnlen(ui->path, CHM_MAX_PATHLEN));
    if (!s->gesehen.insert(pfad).second) return CHM_ENUMERATOR_SUCCESS;
    s->pfade.push_back(std::move(pfad));
    return CHM_ENUMERATOR_CONTINUE;
}

uint64_t qword(const std::string& s, size_t pos) {
    return dword(s, pos) | static_cast<uint64_t>(dword(s, pos + 4)) << 32;
}

// The internal files chmlib reads when it opens a file, to set up its
// decompression. It compares names as C strings without regard to case.
constexpr std::string_view kSteuerdaten = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr std::string_view kRuecksetzTabelle =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/"
    "ResetTable";

constexpr uint64_t kKopfItsp = 0x54;     // the directory header before the first chunk
constexpr size_t kKopfPmgl = 0x14;       // a listing chunk's header before its entries
constexpr size_t kSteuerLaenge = 0x1c;   // the LZX control data
constexpr size_t kTabellenKopf = 0x28;   // the reset table's header
constexpr uint64_t kLzxRahmen = 0x8000;  // the LZX frame, the reset table's block length

// A number of the directory: seven bits a byte, most significant first, the
// last byte without its top bit. Like chmlib, it may overflow silently.
bool encint(std::string_view s, size_t& pos, uint64_t& wert) {
    wert = 0;
    while (pos < s.size()) {
        const auto b = static_cast<unsigned char>(s[pos++]);
        wert = (wert << 7) | (b & 0x7f);
        if (b < 0x80) return true;
    }
    return false;
}

// Whether a name of the directory means the wanted one for chmlib: up to its
// first NUL and without regard to case.
bool meint(std::string_view name, std::string_view gesucht) {
    name = name.substr(0, name.find('\0'));
    return name.size() == gesucht.size() && std::equal(name.begin(), name.end(), gesucht.begin(),
                                                       [](char x, char y) { return klein(x) == klein(y); });
}

// LZX control data as chmlib takes it: in version 2 the reset interval and
// the window are counted in 32 KB frames (multiplied in 32 bits, as chmlib
// does). chmlib divides by half the window and by the number of frames
// between resets, and its decoder gets no state for a window outside 32 KB
// to 2 MB; so only the windows LZX knows (powers of two in that range) and
// a reset after a whole number of frames pass.
bool steuerdatenGut(std::string_view d) {
    if (d.size() < kSteuerLaenge || d.substr(4, 4) != "LZXC") return false;
    const std::string s(d);
    const uint32_t version = dword(s, 8);
    if (version != 1 && version != 2) return false;
    uint32_t intervall = dword(s, 12), fenster = dword(s, 16);
    const uint32_t fensterProReset = dword(s, 20);
    if (version == 2) {
        intervall *= 0x8000u;
        fenster *= 0x8000u;
    }
    if (fenster < (1u << 15) || fenster > (1u << 21) || (fenster & (fenster - 1)) != 0) return false;
    if (intervall == 0 || intervall % (fenster / 2) != 0) return false;
    const uint64_t rahmenProReset = static_cast<uint64_t>(intervall / (fenster / 2)) * fensterProReset;
    return rahmenProReset >= 1 && rahmenProReset <= (1u << 16);
}

// The reset table's header: chmlib divides every position in the compressed
// stream by its block length.
bool ruecksetzTabelleGut(std::string_view d) {
    return d.size() >= kTabellenKopf && qword(std::string(d), 0x20) == kLzxRahmen;
}

// Reads a help file's headers and directory before chmlib does. chmlib takes
// the numbers it finds as they stand: it allocates by them and divides by
// them, and a file that lies about them stops the whole program. So a file
// passes only when its directory lies inside it with chunks of a sane size,
// and when every entry that chmlib may take for its decompression settings
// holds sane values.
class Vorpruefung {
public:
    explicit Vorpruefung(const std::string& pfad) : ein_(pfad, std::ios::binary | std::ios::ate) {
        if (ein_) groesse_ = static_cast<uint64_t>(ein_.tellg());
    }

    bool bestanden() {
        if (!ein_ || !leseKoepfe()) return false;
        // chmlib reads chunk n at the first chunk's position plus n blocks,
        // with n taken from the file; so every place in the file at that
        // spacing may be read as a chunk, not only those of the directory.
        // The block length is a power of two: positions that wrap around
        // 64 bits keep that spacing too.
        for (uint64_t stelle = ersterChunk_ % block_; stelle < groesse_; stelle += block_) {
            const size_t n = static_cast<size_t>(std::min<uint64_t>(block_, groesse_ - stelle));
            const auto chunk = lies(stelle, n);
            if (!chunk) return false;
            if (n < block_) {
                // A chunk cut short by the end of the file: what chmlib finds
                // after its end is not in the file, so it must not look like
                // a chunk of the directory at all.
                const std::string_view anfang = std::string_view(*chunk).substr(0, 4);
                if (anfang == std::string_view("PMGL").substr(0, anfang.size()) ||
                    anfang == std::string_view("PMGI").substr(0, anfang.size()))
                    return false;
                break;
            }
            if (chunk->compare(0, 4, "PMGL") == 0 && !eintraegeGut(*chunk)) return false;
        }
        // chmlib follows the chunks' links without noting where it has been:
        // a lookup descends through index chunks from the root, a listing
        // walks the chain of listing chunks from the first; a loop in either
        // would never end.
        return indexOhneKreis() && ketteOhneKreis();
    }

private:
    std::optional<std::string> lies(uint64_t ab, uint64_t n) {
        if (ab > groesse_ || n > groesse_ - ab) return std::nullopt;
        std::string s(static_cast<size_t>(n), '\0');
        ein_.clear();
        ein_.seekg(static_cast<std::streamoff>(ab));
        if (!ein_.read(s.data(), static_cast<std::streamsize>(n))) return std::nullopt;
        return s;
    }

    bool leseKoepfe() {
        const auto itsf = lies(0, 0x58);
        if (!itsf || itsf->compare(0, 4, "ITSF") != 0) return false;
        const uint32_t version = dword(*itsf, 4);
        if (version != 2 && version != 3) return false;
        const uint64_t dirAnfang = qword(*itsf, 0x48), dirLaenge = qword(*itsf, 0x50);
        if (dirAnfang > groesse_ || dirLaenge > groesse_ - dirAnfang || dirLaenge < kKopfItsp) return false;
        // Version 3 names where the contents begin; in version 2 they follow the directory.
        daten_ = dirAnfang + dirLaenge;
        if (version == 3) {
            const auto v3 = lies(0x58, 8);
            if (!v3) return false;
            daten_ = qword(*v3, 0);
            if (daten_ > groesse_) return false;
        }
        const auto itsp = lies(dirAnfang, kKopfItsp);
        if (!itsp || itsp->compare(0, 4, "ITSP") != 0 || dword(*itsp, 8) != kKopfItsp) return false;
        block_ = dword(*itsp, 0x10);
        if (block_ < 0x100 || block_ > 0x10000 || (block_ & (block_ - 1)) != 0) return false;
        const uint64_t bloecke = (dirLaenge - kKopfItsp) / block_;
        const auto wurzel = static_cast<int32_t>(dword(*itsp, 0x1c)),
                   erster = static_cast<int32_t>(dword(*itsp, 0x20));
        auto imVerzeichnis = [bloecke](int32_t n) { return n >= 0 && static_cast<uint64_t>(n) < bloecke; };
        if (!imVerzeichnis(erster) || (wurzel != -1 && !imVerzeichnis(wurzel))) return false;
        ersterChunk_ = dirAnfang + kKopfItsp;
        ersterListenChunk_ = erster;
        wurzel_ = wurzel == -1 ? erster : wurzel;  // without an index the lookup starts at the listing
        return true;
    }

    // Every entry of a listing chunk, from its first to as far as they go
    // inside the chunk, past the chunk's free space too: at least what
    // chmlib reads, so whatever it takes is checked here.
    bool eintraegeGut(std::string_view chunk) {
        size_t pos = kKopfPmgl;
        uint64_t laenge = 0;
        while (encint(chunk, pos, laenge) && laenge <= chunk.size() - pos) {
            const std::string_view name = chunk.substr(pos, static_cast<size_t>(laenge));
            pos += static_cast<size_t>(laenge);
            const bool steuer = meint(name, kSteuerdaten), tabelle = meint(name, kRuecksetzTabelle);
            uint64_t bereich = 0, anfang = 0, groesse = 0;
            const bool ganz =
                encint(chunk, pos, bereich) && encint(chunk, pos, anfang) && encint(chunk, pos, groesse);
            if (!steuer && !tabelle) {
                if (!ganz) return true;
                continue;
            }
            // chmlib reads these from the contents, and with a section other
            // than the uncompressed one it decompresses with settings it has
            // not read yet. The position may wrap around like its sum does.
            if (!ganz || bereich != 0) return false;
            const uint64_t ab = daten_ + anfang;
            if (steuer) {
                // A short or missing read leaves chmlib's buffer as it was.
                if (groesse < kSteuerLaenge || groesse > 0x1000) return false;
                const auto d = lies(ab, groesse);
                if (!d || !steuerdatenGut(*d)) return false;
            } else {
                if (groesse < kTabellenKopf) return false;
                const auto d = lies(ab, kTabellenKopf);
                if (!d || !ruecksetzTabelleGut(*d)) return false;
            }
        }
        return true;
    }

    // The place of chunk n; n may be negative, and the sum wraps as chmlib's does.
    uint64_t chunkStelle(int64_t n) const { return ersterChunk_ + static_cast<uint64_t>(n) * block_; }

    // The chunks an index chunk leads to: the chunk number of every entry
    // that begins before the chunk's free space (all of them when the free
    // space is impossible), taken both as the full number and as its low 32
    // bits with sign.
    std::vector<uint64_t> kinder(uint64_t stelle) {
        std::vector<uint64_t> k;
        const auto chunk = lies(stelle, block_);
        if (!chunk || chunk->compare(0, 4, "PMGI") != 0) return k;
        constexpr size_t kKopfPmgi = 8;  // signature and free space
        const uint32_t frei = dword(*chunk, 4);
        const size_t ende = frei <= block_ - kKopfPmgi ? block_ - frei : block_;
        size_t pos = kKopfPmgi;
        uint64_t laenge = 0, nummer = 0;
        while (pos < ende && encint(*chunk, pos, laenge) && laenge <= chunk->size() - pos) {
            pos += static_cast<size_t>(laenge);
            if (!encint(*chunk, pos, nummer)) break;
            k.push_back(chunkStelle(static_cast<int64_t>(nummer)));
            k.push_back(chunkStelle(static_cast<int32_t>(static_cast<uint32_t>(nummer))));
        }
        return k;
    }

    // Depth first from the root over every link of every index chunk, a
    // superset of the paths a lookup can take: refused on a way back to a
    // chunk still on the path.
    bool indexOhneKreis() {
        std::unordered_map<uint64_t, bool> fertig;  // false while on the path
        struct Schritt {
            uint64_t stelle;
            std::vector<uint64_t> kinder;
            size_t naechstes = 0;
        };
        std::vector<Schritt> pfad;
        fertig[chunkStelle(wurzel_)] = false;
        pfad.push_back({chunkStelle(wurzel_), kinder(chunkStelle(wurzel_))});
        while (!pfad.empty()) {
            Schritt& oben = pfad.back();
            if (oben.naechstes == oben.kinder.size()) {
                fertig[oben.stelle] = true;
                pfad.pop_back();
                continue;
            }
            const uint64_t kind = oben.kinder[oben.naechstes++];
            const auto [eintrag, neu] = fertig.emplace(kind, false);
            if (!neu) {
                if (!eintrag->second) return false;
                continue;
            }
            pfad.push_back({kind, kinder(kind)});
        }
        return true;
    }

    // The chain of listing chunks from the first, as chm_enumerate walks it.
    bool ketteOhneKreis() {
        std::unordered_set<uint64_t> besucht;
        for (int32_t n = ersterListenChunk_; n != -1;) {
            const uint64_t stelle = chunkStelle(n);
            if (!besucht.insert(stelle).second) return false;
            const auto chunk = lies(stelle, block_);
            if (!chunk || chunk->compare(0, 4, "PMGL") != 0) break;
            n = static_cast<int32_t>(dword(*chunk, 0x10));
        }
        return true;
    }

    std::ifstream ein_;
    uint64_t groesse_ = 0;
    int32_t wurzel_ = 0, ersterListenChunk_ = 0;
    uint64_t block_ = 0;
    uint64_t ersterChunk_ = 0;
    uint64_t daten_ = 0;
};

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
    // chmlib is handed only files whose headers, directory and decompression
    // settings have passed our own check.
    chmFile* h = Vorpruefung(pfad).bestanden() ? chm_open(pfad.c_str()) : nullptr;
    if (!h) {
        if (fehler) *fehler = "Die Datei \u201e" + name + "\u201c ist keine lesbare Hilfedatei.";
        return nullptr;
    }
    std::unique_ptr<ChmDatei> chm(new ChmDatei);
    chm->datei_ = h;
    chm->name_ = name;

    Sammler s;
    chm_enumerate(h, CHM_ENUMERATE_ALL, sammle, &s);
    for (const auto& p : s.pfade) {
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
