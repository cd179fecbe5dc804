// The wave header reader on good files, broken ones and hostile ones.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "TestInstallation.h"
#include "basis/Wav.h"

namespace wx {
namespace {

std::string le(uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += char((v >> (8 * i)) & 0xFF);
    return s;
}

// A chunk; its length field is the content's unless given.
std::string chunk(const char* id, const std::string& inhalt, std::optional<uint32_t> laenge = {},
                  bool auffuellen = true) {
    std::string c = std::string(id, 4) + le(laenge.value_or(uint32_t(inhalt.size())), 4) + inhalt;
    if (auffuellen && inhalt.size() % 2) c += '\0';
    return c;
}

struct Fmt {
    uint16_t art = 1;
    uint16_t kanaele = 1;
    uint32_t rate = 8000;
    uint16_t bits = 16;
    std::optional<uint32_t> bytesJeSekunde;
    std::optional<uint16_t> block;
};

std::string fmt(const Fmt& f) {
    const uint16_t block = f.block.value_or(uint16_t(f.kanaele * f.bits / 8));
    return chunk("fmt ", le(f.art, 2) + le(f.kanaele, 2) + le(f.rate, 4) +
                             le(f.bytesJeSekunde.value_or(f.rate * block), 4) + le(block, 2) + le(f.bits, 2));
}

// The extensible format chunk, with the given coding as its sub-format.
std::string fmtErweitert(uint16_t unterArt, uint16_t kanaele, uint32_t rate, uint16_t bits) {
    const uint16_t block = uint16_t(kanaele * bits / 8);
    return chunk("fmt ", le(0xFFFE, 2) + le(kanaele, 2) + le(rate, 4) + le(rate * block, 4) + le(block, 2) +
                             le(bits, 2) + le(22, 2) + le(bits, 2) + le(3, 4) + le(unterArt, 2) +
                             std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14));
}

std::string riff(const std::string& chunks, const char* art = "WAVE") {
    return "RIFF" + le(uint32_t(4 + chunks.size()), 4) + art + chunks;
}

std::string stille(size_t n) { return std::string(n, '\0'); }

TEST(Wav, GoodHeaders) {
    struct Fall {
        const char* name;
        std::string datei;
        uint16_t kanaele, bits;
        uint32_t rate;
        uint64_t anfang, laenge;
        int64_t ms;
    };
    const Fall faelle[] = {
        {"plain mono 16 bit", riff(fmt({}) + chunk("data", stille(16000))), 1, 16, 8000, 44, 16000, 1000},
        {"a chunk of odd length with its pad byte before the format",
         riff(chunk("LIST", "abc") + fmt({.kanaele = 2, .rate = 11025, .bits = 8}) +
              chunk("data", stille(11025))),
         2, 8, 11025, 56, 11024, 500},
        {"a chunk between format and data; an 18-byte format chunk",
         riff(chunk("fmt ", fmt({.rate = 22050}).substr(8) + le(0, 2)) + chunk("fact", le(5, 4)) +
              chunk("data", stille(4410))),
         1, 16, 22050, 58, 4410, 100},
        {"a file cut short keeps the samples it has", riff(fmt({}) + chunk("data", stille(4000), 100000)), 1,
         16, 8000, 44, 4000, 250},
        {"a torn last sample is dropped", riff(fmt({.kanaele = 2}) + chunk("data", stille(10), {}, false)), 2,
         16, 8000, 44, 8, 0},
        {"the extensible format with PCM inside",
         riff(fmtErweitert(1, 2, 48000, 24) + chunk("data", stille(6 * 4800))), 2, 24, 48000, 68, 28800, 100},
        {"length rounded to the nearest millisecond; the RIFF length is not trusted",
         "RIFF" + le(7, 4) + "WAVE" + fmt({.bits = 8}) + chunk("data", stille(12)), 1, 8, 8000, 44, 12, 2},
        {"an empty data chunk", riff(fmt({}) + chunk("data", "")), 1, 16, 8000, 44, 0, 0},
    };
    for (const Fall& f : faelle) {
        const auto k = leseWavKopf(f.datei);
        ASSERT_TRUE(k) << f.name;
        EXPECT_EQ(k->kanaele, f.kanaele) << f.name;
        EXPECT_EQ(k->bitsJeWert, f.bits) << f.name;
        EXPECT_EQ(k->abtastrate, f.rate) << f.name;
        EXPECT_EQ(k->datenAnfang, f.anfang) << f.name;
        EXPECT_EQ(k->datenLaenge, f.laenge) << f.name;
        EXPECT_EQ(k->dauerMs(), f.ms) << f.name;
    }
}

TEST(Wav, BrokenHeadersAreNoWaves) {
    const std::string daten = chunk("data", stille(800));
    std::string vieleChunks;
    for (int i = 0; i < 100; ++i) vieleChunks += chunk("junk", "");
    struct Fall {
        const char* name;
        std::string datei;
    };
    const Fall faelle[] = {
        {.name = "empty", .datei = ""},
        {.name = "shorter than the RIFF header", .datei = "RIFF\0\0\0\0WAV"},
        {.name = "no RIFF", .datei = "RIFX" + riff(fmt({}) + daten).substr(4)},
        {.name = "not WAVE", .datei = riff(fmt({}) + daten, "AVI ")},
        {.name = "no data chunk", .datei = riff(fmt({}))},
        {.name = "no format chunk", .datei = riff(daten)},
        {.name = "data before the format", .datei = riff(daten + fmt({}))},
        {.name = "two format chunks", .datei = riff(fmt({}) + fmt({.bits = 8}) + daten)},
        {.name = "format chunk too short", .datei = riff(chunk("fmt ", fmt({}).substr(8, 14)) + daten)},
        {.name = "format chunk longer than the file", .datei = riff(chunk("fmt ", fmt({}).substr(8), 5000))},
        {.name = "header cut inside the format", .datei = riff(fmt({})).substr(0, 30)},
        {.name = "floating point", .datei = riff(fmt({.art = 3, .bits = 32}) + daten)},
        {.name = "compressed", .datei = riff(fmt({.art = 2, .bits = 4}) + daten)},
        {.name = "extensible with floats inside", .datei = riff(fmtErweitert(3, 1, 8000, 32) + daten)},
        {.name = "12 bits", .datei = riff(fmt({.bits = 12, .block = 2}) + daten)},
        {.name = "no channel", .datei = riff(fmt({.kanaele = 0, .block = 2}) + daten)},
        {.name = "rate 0", .datei = riff(fmt({.rate = 0}) + daten)},
        {.name = "absurd rate", .datei = riff(fmt({.rate = 0x7FFFFFFF}) + daten)},
        {.name = "block size that does not fit", .datei = riff(fmt({.block = 4}) + daten)},
        {.name = "wrong bytes per second", .datei = riff(fmt({.bytesJeSekunde = 1}) + daten)},
        {.name = "a chunk claiming 4 GB before the data",
         .datei = riff(fmt({}) + chunk("LIST", "ab", 0xFFFFFFFF) + daten)},
        {.name = "endless tiny chunks", .datei = riff(fmt({}) + vieleChunks + daten)},
    };
    for (const Fall& f : faelle) EXPECT_FALSE(leseWavKopf(f.datei)) << f.name;
}

// Every prefix of a good file and every corruption of one byte of its header:
// the reader never reaches outside the bytes it was given.
TEST(Wav, DamagedFilesStayInsideTheirBytes) {
    const std::string gut = riff(chunk("LIST", "abc") + fmt({.kanaele = 2}) + chunk("data", stille(400)));
    auto pruefe = [](const std::string& d, const std::string& was) {
        const auto k = leseWavKopf(d);
        if (!k) return;
        EXPECT_LE(k->datenAnfang + k->datenLaenge, d.size()) << was;
        EXPECT_EQ(k->datenLaenge % k->blockGroesse, 0u) << was;
        EXPECT_GT(k->bytesJeSekunde(), 0u) << was;
    };
    int angenommen = 0;
    for (size_t n = 0; n <= gut.size(); ++n) {
        pruefe(gut.substr(0, n), "prefix " + std::to_string(n));
        angenommen += leseWavKopf(gut.substr(0, n)).has_value();
    }
    // Only the prefixes that reach into the data are waves.
    EXPECT_EQ(angenommen, int(gut.size() - 56 + 1));
    for (size_t i = 0; i < 64; ++i)
        for (unsigned char b : {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF}) {
            std::string d = gut;
            d[i] = char(b);
            pruefe(d, "byte " + std::to_string(i) + "=" + std::to_string(b));
        }
}

TEST(Wav, FromDisk) {
    test::TestInstallation inst;
    const std::string pfad = inst.pfad() + "/ton.wav";
    const std::string datei = riff(chunk("LIST", "abc") + fmt({.rate = 16000}) + chunk("data", stille(8000)));
    std::ofstream(pfad, std::ios::binary) << datei;
    const auto k = leseWavKopfAusDatei(pfad);
    ASSERT_TRUE(k);
    EXPECT_EQ(k->datenAnfang, leseWavKopf(datei)->datenAnfang);
    EXPECT_EQ(k->dauerMs(), 250);

    std::ofstream(pfad, std::ios::binary | std::ios::trunc) << datei.substr(0, 40);
    EXPECT_FALSE(leseWavKopfAusDatei(pfad));
    EXPECT_FALSE(leseWavKopfAusDatei(inst.pfad() + "/fehlt.wav"));
    EXPECT_FALSE(leseWavKopfAusDatei(inst.pfad())) << "a folder";
}

}  // namespace
}  // namespace wx
