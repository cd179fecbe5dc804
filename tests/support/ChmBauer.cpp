#include "ChmBauer.h"

#include <fstream>
#include <stdexcept>

namespace wx::test {

namespace {

void dword(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xff);
}
void qword(std::string& s, uint64_t v) {
    for (int i = 0; i < 8; ++i) s += static_cast<char>((v >> (8 * i)) & 0xff);
}
// The directory's variable-length number: seven bits a byte, most significant first.
void encint(std::string& s, uint64_t v) {
    std::string b(1, static_cast<char>(v & 0x7f));
    while (v >>= 7) b.insert(b.begin(), static_cast<char>(0x80 | (v & 0x7f)));
    s += b;
}

constexpr uint32_t kBlock = 4096;
constexpr uint32_t kItsf = 0x60, kItsp = 0x54, kPmgl = 20;

}  // namespace

std::string baueChm(const std::vector<ChmEintrag>& eintraege) {
    std::string liste, inhalt;
    for (const auto& e : eintraege) {
        encint(liste, e.pfad.size());
        liste += e.pfad;
        encint(liste, 0);  // uncompressed section
        encint(liste, inhalt.size());
        encint(liste, e.inhalt.size());
        inhalt += e.inhalt;
    }
    if (kPmgl + liste.size() + 2 > kBlock) throw std::runtime_error("too many entries for one chunk");

    std::string chunk = "PMGL";
    dword(chunk, static_cast<uint32_t>(kBlock - kPmgl - liste.size()));
    dword(chunk, 0);
    dword(chunk, 0xffffffff);
    dword(chunk, 0xffffffff);
    chunk += liste;
    chunk.resize(kBlock, '\0');
    chunk[kBlock - 2] = static_cast<char>(eintraege.size() & 0xff);
    chunk[kBlock - 1] = static_cast<char>(eintraege.size() >> 8);

    std::string itsp = "ITSP";
    dword(itsp, 1);
    dword(itsp, kItsp);
    dword(itsp, 10);
    dword(itsp, kBlock);
    dword(itsp, 2);           // quick-reference density
    dword(itsp, 1);           // depth of the index
    dword(itsp, 0xffffffff);  // no index chunk
    dword(itsp, 0);           // first listing chunk
    dword(itsp, 0);           // last listing chunk
    dword(itsp, 0xffffffff);
    dword(itsp, 1);       // chunks
    dword(itsp, 0x0407);  // German
    itsp.resize(kItsp, '\0');

    std::string itsf = "ITSF";
    dword(itsf, 3);
    dword(itsf, kItsf);
    dword(itsf, 1);
    dword(itsf, 0);
    dword(itsf, 0x0407);
    itsf.resize(0x38, '\0');
    qword(itsf, 0);
    qword(itsf, 0);
    qword(itsf, kItsf);
    qword(itsf, kItsp + kBlock);
    qword(itsf, kItsf + kItsp + kBlock);
    return itsf + itsp + chunk + inhalt;
}

std::vector<ChmEintrag> kontextKarte(const std::vector<std::pair<int32_t, std::string>>& karte) {
    std::string ivb, strings(1, '\0');
    dword(ivb, static_cast<uint32_t>(karte.size() * 8));
    for (const auto& [nummer, pfad] : karte) {
        dword(ivb, static_cast<uint32_t>(nummer));
        dword(ivb, static_cast<uint32_t>(strings.size()));
        strings += pfad;
        strings += '\0';
    }
    return {{"/#IVB", ivb}, {"/#STRINGS", strings}};
}

ChmEintrag systemMitStart(const std::string& thema) {
    std::string s;
    dword(s, 3);
    auto eintrag = [&s](uint16_t code, const std::string& daten) {
        s += static_cast<char>(code & 0xff);
        s += static_cast<char>(code >> 8);
        s += static_cast<char>(daten.size() & 0xff);
        s += static_cast<char>(daten.size() >> 8);
        s += daten;
    };
    eintrag(3, std::string("Titel") + '\0');
    eintrag(2, thema + '\0');
    return {"/#SYSTEM", s};
}

std::string schreibeDatei(const std::string& pfad, const std::string& bytes) {
    std::ofstream aus(pfad, std::ios::binary | std::ios::trunc);
    aus << bytes;
    return pfad;
}

}  // namespace wx::test
