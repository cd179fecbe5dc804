// A fuzz target without libFuzzer: feeds every file of the given folders (or
// the given files) to the target once, in name order, and fails when an input
// takes longer than the time limit. The test suite runs each target over its
// corpus this way, with any compiler.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {
// Generous against a slow shared machine; an input that hangs takes far longer.
constexpr double kZeitGrenze = 3.0;
}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    std::vector<std::filesystem::path> dateien;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path pfad(argv[i]);
        if (std::filesystem::is_directory(pfad)) {
            for (const auto& e : std::filesystem::directory_iterator(pfad))
                if (e.is_regular_file()) dateien.push_back(e.path());
        } else {
            dateien.push_back(pfad);
        }
    }
    std::sort(dateien.begin(), dateien.end());
    if (dateien.empty()) {
        std::fprintf(stderr, "no inputs\n");
        return 1;
    }
    int langsam = 0;
    double laengste = 0;
    for (const auto& pfad : dateien) {
        std::ifstream ein(pfad, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
        const auto anfang = std::chrono::steady_clock::now();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        const double sekunden =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - anfang).count();
        laengste = std::max(laengste, sekunden);
        if (sekunden > kZeitGrenze) {
            std::fprintf(stderr, "too slow (%.2f s): %s\n", sekunden, pfad.c_str());
            ++langsam;
        }
    }
    std::printf("%zu inputs, slowest %.3f s\n", dateien.size(), laengste);
    return langsam == 0 ? 0 : 1;
}
