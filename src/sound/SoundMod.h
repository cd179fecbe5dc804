// Event sounds: the framework's INI file names a wave file for each of the
// fifteen events of the game; the game plays events by name.
#pragma once

#include <array>
#include <string>

namespace wx {

class GlobModul;

class SoundMod {
public:
    explicit SoundMod(GlobModul& g) : g_(g) { initSoundTabelle(); }

    struct Zeile {
        std::string ereignis;
        std::string wave;
    };
    std::array<Zeile, 15> SoundTab;

    void initSoundTabelle();
    void ladeSoundTabelle();
    // Plays the wave of an event without waiting, when sound is switched on.
    void spieleSound(const std::string& ereignis);
    void spieleWav(const std::string& wave);
    void spieleWavWarten(const std::string& wave);
    void schliessen();

private:
    std::string wavePfad(const std::string& wave) const;
    GlobModul& g_;
};

}  // namespace wx
