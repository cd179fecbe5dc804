#include "basis/Wav.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace wx {

namespace {

// A wave file is a RIFF file: "RIFF", a length, "WAVE", then chunks of an
// id, a 32-bit length and that many bytes (padded to an even count). The
// format chunk "fmt " must come before the sample chunk "data"; chunks the
// game does not know ("LIST", "fact", ...) are stepped over.
constexpr int kMaxChunks = 64;
constexpr uint16_t kPcm = 1;
constexpr uint16_t kErweitert = 0xFFFE;

uint16_t le16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t le32(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// Reads the header through lies(position, count, target), which returns the
// number of bytes it could read; groesse is the length of the whole file.
template <class Leser>
std::optional<WavKopf> leseKopf(uint64_t groesse, Leser&& lies) {
    unsigned char riff[12];
    if (groesse < 12 || lies(0, 12, riff) != 12) return std::nullopt;
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) return std::nullopt;

    std::optional<WavKopf> kopf;
    uint64_t pos = 12;
    for (int n = 0; n < kMaxChunks && groesse - pos >= 8; ++n) {
        unsigned char id[8];
        if (lies(pos, 8, id) != 8) return std::nullopt;
        const uint64_t laenge = le32(id + 4);
        const uint64_t inhalt = pos + 8;
        const uint64_t vorhanden = groesse - inhalt;

        if (std::memcmp(id, "fmt ", 4) == 0) {
            if (kopf || laenge < 16 || laenge > vorhanden) return std::nullopt;
            std::array<unsigned char, 40> f{};
            const size_t lesen = size_t(std::min<uint64_t>(laenge, f.size()));
            if (lies(inhalt, lesen, f.data()) != lesen) return std::nullopt;
            uint16_t art = le16(&f[0]);
            if (art == kErweitert) {
                // The sub-format's first two bytes name the real coding.
                if (laenge < 40 || le16(&f[16]) < 22) return std::nullopt;
                art = le16(&f[24]);
            }
            WavKopf k;
            k.kanaele = le16(&f[2]);
            k.abtastrate = le32(&f[4]);
            k.blockGroesse = le16(&f[12]);
            k.bitsJeWert = le16(&f[14]);
            const bool bitsGut =
                k.bitsJeWert == 8 || k.bitsJeWert == 16 || k.bitsJeWert == 24 || k.bitsJeWert == 32;
            if (art != kPcm || !bitsGut || k.kanaele < 1 || k.kanaele > 8 || k.abtastrate < 1000 ||
                k.abtastrate > 384000 || k.blockGroesse != k.kanaele * (k.bitsJeWert / 8) ||
                le32(&f[8]) != k.bytesJeSekunde())
                return std::nullopt;
            kopf = k;
        } else if (std::memcmp(id, "data", 4) == 0) {
            if (!kopf) return std::nullopt;
            // A file cut short keeps the samples it still has.
            const uint64_t daten = std::min(laenge, vorhanden);
            kopf->datenAnfang = inhalt;
            kopf->datenLaenge = daten - daten % kopf->blockGroesse;
            return kopf;
        }
        // Step over the chunk and its pad byte; a chunk running past the end
        // of the file leaves no room for a "data" chunk behind it.
        const uint64_t weiter = laenge + (laenge & 1);
        if (weiter > vorhanden) return std::nullopt;
        pos = inhalt + weiter;
    }
    return std::nullopt;
}

}  // namespace

int64_t WavKopf::dauerMs() const {
    const uint64_t bps = bytesJeSekunde();
    if (bps == 0) return 0;
    return int64_t((datenLaenge * 1000 + bps / 2) / bps);
}

std::optional<WavKopf> leseWavKopf(std::string_view datei) {
    return leseKopf(datei.size(), [&](uint64_t pos, size_t n, unsigned char* ziel) -> size_t {
        if (pos >= datei.size()) return 0;
        const size_t k = std::min<uint64_t>(n, datei.size() - pos);
        std::memcpy(ziel, datei.data() + pos, k);
        return k;
    });
}

std::optional<WavKopf> leseWavKopfAusDatei(const std::string& pfad) {
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<WavKopf> kopf;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        kopf = leseKopf(uint64_t(st.st_size), [&](uint64_t pos, size_t n, unsigned char* ziel) -> size_t {
            size_t gelesen = 0;
            while (gelesen < n) {
                const ssize_t k = ::pread(fd, ziel + gelesen, n - gelesen, off_t(pos + gelesen));
                if (k <= 0) break;
                gelesen += size_t(k);
            }
            return gelesen;
        });
    }
    ::close(fd);
    return kopf;
}

}  // namespace wx
