// Wave files, one sound at a time, as the game's media control plays them; a
// new sound ends the one before.
//
// The sound plays on an audio thread of its own with its own event loop, so it
// goes on while the game's thread is blocked (the pause after a solved word,
// a waited sound). The thread and the sound module with Qt's audio stack
// (TonAusgabe.h) are only brought up when the first sound is played, which
// keeps the program's start quick and small.
#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class QThread;

namespace wxqt {

class TonSpieler;

class Ton : public QObject {
public:
    explicit Ton(QObject* eltern);
    ~Ton() override;

    // Starts the wave and returns at once. A missing or unreadable file, or a
    // machine without audio output, plays nothing and says nothing.
    void spiele(const QString& datei);
    // Returns when the sound started last has ended, and never before its
    // length (from the file's header) has passed since it was started, so a
    // machine without a sound card keeps the same pace.
    void warteAufEnde();
    // Ends the sound and releases the audio device; the next sound opens it again.
    void schliesse();

    // Whether the audio thread has been started (the audio stack is loaded).
    // It is not when PULSE_SERVER names only sockets that are not there.
    bool geladen() const { return faden_ != nullptr; }

private:
    friend class TonSpieler;
    void sichereFaden();
    // Called on the audio thread when sound number n has ended or could not play.
    void gespielt(uint64_t n);

    QThread* faden_ = nullptr;
    TonSpieler* spieler_ = nullptr;

    std::mutex mutex_;
    std::condition_variable ende_;
    uint64_t gestartet_ = 0;  // number of the sound started last
    uint64_t beendet_ = 0;    // highest number that has ended
    std::chrono::steady_clock::time_point startZeit_;
    int64_t dauerMs_ = 0;
};

// Whether a sound could be heard at all. Qt's audio output on Linux is
// PulseAudio's (PipeWire serves the same protocol). When PULSE_SERVER names
// only local sockets and none of them is there, nothing can answer, and
// loading the audio stack just to learn that would be wasted.
bool tonServerDenkbar();

}  // namespace wxqt
