// Wave files through Qt Multimedia: one sound at a time, as the game's media
// control plays them; a new sound ends the one before.
#pragma once

#include <QObject>
#include <QString>

class QSoundEffect;

namespace wxqt {

class Ton : public QObject {
public:
    explicit Ton(QObject* eltern);

    void spiele(const QString& datei);
    // Returns when the sound has ended. Only the sound's own work is done
    // meanwhile: no input is taken, no timer of the game fires. Without a
    // sound device the wait lasts as long as the sound would have.
    void warteAufEnde();
    void schliesse();

private:
    QSoundEffect* effekt_ = nullptr;
    int dauerMs_ = 0;
};

// Length of a PCM wave file in milliseconds from its header; 0 if unknown.
int wavDauerMs(const QString& datei);

}  // namespace wxqt
