// The audio output as the game's sound module provides it.
//
// Qt Multimedia brings the sound server's client library and a few dozen
// codec and network libraries along with it. The game needs none of them to
// start, so the output lives in a module of its own (libwirbelix-ton.so
// beside the program) that is loaded on the audio thread when the first
// sound is played.
#pragma once

#include <QByteArray>
#include <functional>

namespace wxqt {

// A wave's samples as they go to the device: interleaved PCM.
struct TonDaten {
    int abtastrate = 0;
    int kanaele = 0;
    int bitsJeWert = 0;
    QByteArray pcm;
};

// The sample sizes the output can play (Qt has no 24-bit format).
inline bool spielbareBits(int bits) { return bits == 8 || bits == 16 || bits == 32; }

// Made, used and destroyed on the audio thread, which runs an event loop.
class TonAusgabe {
public:
    virtual ~TonAusgabe() = default;
    // Ends the sound before and starts this one. `fertig` is called on the
    // audio thread once the sound has been heard out or could not be played;
    // never for a sound that was ended by stoppe() or by the next starte().
    virtual void starte(TonDaten daten, std::function<void()> fertig) = 0;
    // Ends the sound that is playing, if any, and releases the device.
    virtual void stoppe() = 0;
};

// The module's one entry point: a new output, owned by the caller.
using NeueTonAusgabe = TonAusgabe* (*)();
inline constexpr char kTonAusgabeEinstieg[] = "wirbelixNeueTonAusgabe";

}  // namespace wxqt
