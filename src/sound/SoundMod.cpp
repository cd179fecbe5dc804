#include "sound/SoundMod.h"

#include "basis/GlobModul.h"
#include "basis/Text.h"

namespace wx {

namespace {
constexpr const char* kOhneTon = "<NULL>";
constexpr std::array<const char*, 15> kEreignisse = {
    "ProgrammStart",  "ProgrammEnde",   "ProgrammMeldung", "Gratulation1",   "Gratulation2",
    "Achtung",        "AllgemeinerFehler", "LeichterFehler", "SchwererFehler", "Annahme1",
    "Annahme2",       "Glückstreffer",  "BewegungStart",   "BewegungStop",   "BewegungEnde"};
}  // namespace

void SoundMod::initSoundTabelle() {
    for (size_t i = 0; i < SoundTab.size(); ++i) SoundTab[i] = {kEreignisse[i], kOhneTon};
}

void SoundMod::ladeSoundTabelle() {
    initSoundTabelle();
    const auto zeilen = leseAnsiZeilen(g_.AppPfad + "\\Kelmo.ini");
    if (!zeilen) return;
    size_t i = abschnittsAnfang(*zeilen, "[Sound]");
    for (; i < zeilen->size(); ++i) {
        const std::string& z = (*zeilen)[i];
        if (beginntMit(z, "[")) break;
        for (auto& zeile : SoundTab) {
            if (beginntMit(z, zeile.ereignis + "=")) {
                zeile.wave = trimme(z.substr(zeile.ereignis.size() + 1));
                break;
            }
        }
    }
}

std::string SoundMod::wavePfad(const std::string& wave) const {
    return findeDatei(g_.AppPfad + "\\Sound\\" + wave + ".WAV");
}

void SoundMod::spieleSound(const std::string& ereignis) {
    if (g_.TonEinschalten == 0) return;
    for (const auto& zeile : SoundTab) {
        if (zeile.ereignis == ereignis) {
            if (zeile.wave != kOhneTon) spieleWav(zeile.wave);
            return;
        }
    }
}

void SoundMod::spieleWav(const std::string& wave) { g_.plattform.spieleWav(wavePfad(wave), false); }

void SoundMod::spieleWavWarten(const std::string& wave) {
    g_.plattform.spieleWav(wavePfad(wave), true);
}

void SoundMod::schliessen() { g_.plattform.schliesseAudio(); }

}  // namespace wx
