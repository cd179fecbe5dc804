#include "FuzzHilfe.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "basis/Text.h"

namespace wx::fuzz {

std::vector<std::string> ansiZeilen(std::string_view text) {
    std::vector<std::string> zeilen;
    size_t anfang = 0;
    while (anfang < text.size()) {
        size_t ende = text.find('\n', anfang);
        if (ende == std::string_view::npos) ende = text.size();
        std::string_view zeile = text.substr(anfang, ende - anfang);
        if (!zeile.empty() && zeile.back() == '\r') zeile.remove_suffix(1);
        zeilen.push_back(ausAnsi(std::string(zeile)));
        anfang = ende + 1;
    }
    return zeilen;
}

namespace {
struct Ordner {
    std::string pfad;
    Ordner() {
        // In memory where the system offers it: every input is written and
        // read back, and on a disk each write costs a flush of its own.
        std::error_code fehler;
        const auto basis = std::filesystem::is_directory("/dev/shm", fehler) && access("/dev/shm", W_OK) == 0
                               ? std::filesystem::path("/dev/shm")
                               : std::filesystem::temp_directory_path();
        std::string muster = (basis / "wirbelix-fuzz-XXXXXX").string();
        if (!mkdtemp(muster.data())) verlange(false, "no scratch folder");
        pfad = muster;
    }
    ~Ordner() {
        std::error_code fehler;
        std::filesystem::remove_all(pfad, fehler);
    }
};
}  // namespace

const std::string& arbeitsOrdner() {
    static Ordner ordner;
    return ordner.pfad;
}

std::string schreibe(const std::string& name, std::string_view bytes) {
    const std::string pfad = arbeitsOrdner() + "/" + name;
    std::ofstream aus(pfad, std::ios::binary | std::ios::trunc);
    aus.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    aus.close();
    verlange(static_cast<bool>(aus), "scratch file not written");
    return pfad;
}

void verlange(bool gilt, const char* was) {
    if (gilt) return;
    std::fprintf(stderr, "fuzz property broken: %s\n", was);
    std::abort();
}

}  // namespace wx::fuzz
