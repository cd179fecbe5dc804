#include "qt/Ton.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>
#include <QtEndian>

namespace wxqt {

int wavDauerMs(const QString& datei) {
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QByteArray kopf = f.read(12);
    if (kopf.size() < 12 || !kopf.startsWith("RIFF") || kopf.mid(8, 4) != "WAVE") return 0;
    quint32 bytesJeSekunde = 0;
    while (!f.atEnd()) {
        const QByteArray stueck = f.read(8);
        if (stueck.size() < 8) break;
        const quint32 laenge = qFromLittleEndian<quint32>(stueck.constData() + 4);
        if (stueck.startsWith("fmt ")) {
            const QByteArray fmt = f.read(laenge + (laenge & 1));
            if (fmt.size() >= 12) bytesJeSekunde = qFromLittleEndian<quint32>(fmt.constData() + 8);
        } else if (stueck.startsWith("data")) {
            if (bytesJeSekunde == 0) return 0;
            const qint64 daten = std::min<qint64>(laenge, f.size() - f.pos());
            return static_cast<int>(daten * 1000 / bytesJeSekunde);
        } else if (!f.seek(f.pos() + laenge + (laenge & 1))) {
            break;
        }
    }
    return 0;
}

Ton::Ton(QObject* eltern) : QObject(eltern) {}

void Ton::spiele(const QString& datei) {
    dauerMs_ = wavDauerMs(datei);
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        effekt_ = nullptr;
        return;
    }
    if (!effekt_) effekt_ = new QSoundEffect(this);
    effekt_->stop();
    effekt_->setSource(QUrl::fromLocalFile(datei));
    effekt_->play();
}

void Ton::warteAufEnde() {
    QElapsedTimer uhr;
    uhr.start();
    bool gestartet = false;
    while (effekt_ && uhr.elapsed() < dauerMs_ + 1000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        if (effekt_->isPlaying())
            gestartet = true;
        else if (gestartet || effekt_->status() == QSoundEffect::Error)
            break;
        QThread::msleep(5);
    }
    if (!gestartet && uhr.elapsed() < dauerMs_) QThread::msleep(static_cast<unsigned long>(dauerMs_ - uhr.elapsed()));
}

void Ton::schliesse() {
    if (!effekt_) return;
    effekt_->stop();
    effekt_->setSource(QUrl());
}

}  // namespace wxqt
