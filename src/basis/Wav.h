// The header of a wave file: the sample format of its PCM data, where the data
// lies and how long it plays.
//
// Wave files come from the framework's sound folder, where anybody can put
// anything, so the reader trusts no number in the file: every chunk is checked
// against the bytes really present, only the few bytes of the format chunk are
// ever read into memory, and the walk over the chunks ends after a fixed
// number of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wx {

struct WavKopf {
    uint16_t kanaele = 0;
    uint32_t abtastrate = 0;    // samples per second and channel
    uint16_t bitsJeWert = 0;    // 8, 16, 24 or 32
    uint16_t blockGroesse = 0;  // bytes of one sample of every channel
    uint64_t datenAnfang = 0;   // offset of the first sample in the file
    uint64_t datenLaenge = 0;   // bytes of whole samples present in the file

    uint64_t bytesJeSekunde() const { return uint64_t(abtastrate) * blockGroesse; }
    // Playing time in milliseconds, rounded to the nearest.
    int64_t dauerMs() const;
};

// The header of a PCM wave file held in memory, or nothing when the bytes are
// no such file.
std::optional<WavKopf> leseWavKopf(std::string_view datei);
// The same for a file on disk (no file: nothing).
std::optional<WavKopf> leseWavKopfAusDatei(const std::string& pfad);

}  // namespace wx
