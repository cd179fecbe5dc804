#include "sound/SoundMod.h"

#include "basis/GlobModul.h"
#include "basis/IniAbschnitt.h"
#include "basis/Text.h"

namespace wx {

namespace {
constexpr const char* kOhneTon = "<NULL>";
constexpr std::array<const char*, 15> kEreignisse = {
    "ProgrammStart", "ProgrammEnde",      "ProgrammMeldung", "Gratulation1",   "Gratulation2",
    "Achtung",       "AllgemeinerFehler", "LeichterFehler",  "SchwererFehler", "Annahme1",
    "Annahme2",      "Glückstreffer",     "BewegungStart",   "BewegungStop",   "BewegungEnde"};
}  // namespace

void SoundMod::initSoundTabelle() {
    for (size_t i = 0; i < SoundTab.size(); ++i) SoundTab[i] = {kEreignisse[i], kOhneTon};
}

void SoundMod::ladeSoundTabelle() {
    initSoundTabelle();
    const auto zeilen = leseAnsiZeilen(g_.AppPfad + "\\Kelmo.ini");
    if (!zeilen) return;
    std::vector<std::string> namen;
    for (const auto& zeile : SoundTab) namen.push_back(zeile.ereignis);
    const auto waves = leseIniAbschnitt(*zeilen, "[Sound]", namen);
    for (size_t i = 0; i < SoundTab.size(); ++i)
        if (waves[i]) SoundTab[i].wave = *waves[i];
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

void SoundMod::spieleWavWarten(const std::string& wave) { g_.plattform.spieleWav(wavePfad(wave), true); }

void SoundMod::schliessen() { g_.plattform.schliesseAudio(); }

}  // namespace wx
