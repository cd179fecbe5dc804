#include "qt/Ton.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <thread>

#include "basis/Wav.h"

namespace wxqt {

namespace {

// Longer waves play only their beginning; the game's are a second or so.
constexpr qint64 kMaxDatenBytes = 32 * 1024 * 1024;

std::optional<wx::WavKopf> kopfVon(const QString& datei) {
    return wx::leseWavKopfAusDatei(QFile::encodeName(datei).toStdString());
}

// Qt's audio layer tells the console when it finds no sound server; a game
// without a sound card just stays silent.
QtMessageHandler g_vorherigeAusgabe = nullptr;

void ohneServerMeldung(QtMsgType art, const QMessageLogContext& ort, const QString& text) {
    if (text.startsWith(QLatin1String("PulseAudioService:"))) return;
    if (g_vorherigeAusgabe)
        g_vorherigeAusgabe(art, ort, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(art, ort, text)));
}

QAudioFormat::SampleFormat abtastFormat(int bits) {
    switch (bits) {
        case 8:
            return QAudioFormat::UInt8;
        case 16:
            return QAudioFormat::Int16;
        case 32:
            return QAudioFormat::Int32;
        default:
            return QAudioFormat::Unknown;
    }
}

}  // namespace

// Lives on the audio thread; everything it does happens there.
class TonSpieler : public QObject {
public:
    explicit TonSpieler(Ton& ton) : ton_(ton) {}

    void starte(const QString& datei, uint64_t n) {
        stoppe();
        nummer_ = n;
        const auto kopf = kopfVon(datei);
        if (!kopf || kopf->datenLaenge == 0 || abtastFormat(kopf->bitsJeWert) == QAudioFormat::Unknown)
            return fertig();
        const QAudioDevice geraet = QMediaDevices::defaultAudioOutput();
        if (geraet.isNull()) return fertig();

        QFile f(datei);
        if (!f.open(QIODevice::ReadOnly) || !f.seek(qint64(kopf->datenAnfang))) return fertig();
        qint64 laenge = std::min<qint64>(qint64(kopf->datenLaenge), kMaxDatenBytes);
        laenge -= laenge % kopf->blockGroesse;
        daten_ = f.read(laenge);
        daten_.truncate(daten_.size() - daten_.size() % kopf->blockGroesse);
        if (daten_.isEmpty()) return fertig();

        QAudioFormat format;
        format.setSampleRate(int(kopf->abtastrate));
        format.setChannelCount(kopf->kanaele);
        format.setSampleFormat(abtastFormat(kopf->bitsJeWert));
        bytesJeSekunde_ = qint64(kopf->bytesJeSekunde());

        sink_ = new QAudioSink(geraet, format, this);
        connect(sink_, &QAudioSink::stateChanged, this, [this, n](QAudio::State s) { zustand(n, s); });
        puffer_ = new QBuffer(&daten_, this);
        puffer_->open(QIODevice::ReadOnly);
        sink_->start(puffer_);
        if (sink_->error() != QAudio::NoError) fertig();
    }

    // Ends the sound that is playing, if any, and releases the device.
    void stoppe() {
        if (sink_) {
            sink_->disconnect(this);
            sink_->stop();
            delete sink_;
            sink_ = nullptr;
        }
        delete puffer_;
        puffer_ = nullptr;
        daten_.clear();
        fertig();
    }

private:
    void zustand(uint64_t n, QAudio::State s) {
        if (n != nummer_ || !sink_) return;
        if (s == QAudio::IdleState) {
            // Every byte has been handed to the device; what is still in its
            // buffer plays out meanwhile.
            const qint64 rest = std::max<qint64>(0, sink_->bufferSize() - sink_->bytesFree());
            const int ms = int(rest * 1000 / std::max<qint64>(1, bytesJeSekunde_)) + 20;
            QTimer::singleShot(ms, this, [this, n] {
                if (n == nummer_) fertig();
            });
        } else if (s == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
            fertig();
        }
    }

    void fertig() { ton_.gespielt(nummer_); }

    Ton& ton_;
    QAudioSink* sink_ = nullptr;
    QBuffer* puffer_ = nullptr;
    QByteArray daten_;
    qint64 bytesJeSekunde_ = 1;
    uint64_t nummer_ = 0;
};

Ton::Ton(QObject* eltern) : QObject(eltern) {}

Ton::~Ton() {
    if (!faden_) return;
    QMetaObject::invokeMethod(
        spieler_, [s = spieler_] { s->stoppe(); }, Qt::BlockingQueuedConnection);
    faden_->quit();
    faden_->wait();
    delete faden_;
}

void Ton::sichereFaden() {
    if (faden_) return;
    static const bool einmal = (g_vorherigeAusgabe = qInstallMessageHandler(ohneServerMeldung), true);
    (void)einmal;
    faden_ = new QThread;
    faden_->setObjectName("Ton");
    spieler_ = new TonSpieler(*this);
    spieler_->moveToThread(faden_);
    QObject::connect(faden_, &QThread::finished, spieler_, &QObject::deleteLater);
    faden_->start();
}

void Ton::spiele(const QString& datei) {
    const auto kopf = kopfVon(datei);
    uint64_t n;
    {
        std::lock_guard<std::mutex> l(mutex_);
        n = ++gestartet_;
        startZeit_ = std::chrono::steady_clock::now();
        dauerMs_ = kopf ? kopf->dauerMs() : 0;
    }
    if (!kopf) {
        // Silent; it still ends the sound before.
        if (spieler_)
            QMetaObject::invokeMethod(
                spieler_, [s = spieler_] { s->stoppe(); }, Qt::QueuedConnection);
        gespielt(n);
        return;
    }
    sichereFaden();
    QMetaObject::invokeMethod(
        spieler_, [s = spieler_, datei, n] { s->starte(datei, n); }, Qt::QueuedConnection);
}

void Ton::warteAufEnde() {
    std::unique_lock<std::mutex> l(mutex_);
    const uint64_t n = gestartet_;
    const auto frueh = startZeit_ + std::chrono::milliseconds(dauerMs_);
    // A device that never reports the end holds the game no more than this.
    const auto spaet = frueh + std::chrono::seconds(1);
    ende_.wait_until(l, spaet, [&] { return beendet_ >= n; });
    l.unlock();
    std::this_thread::sleep_until(frueh);
}

void Ton::schliesse() {
    if (!spieler_) return;
    QMetaObject::invokeMethod(
        spieler_, [s = spieler_] { s->stoppe(); }, Qt::BlockingQueuedConnection);
}

void Ton::gespielt(uint64_t n) {
    {
        std::lock_guard<std::mutex> l(mutex_);
        beendet_ = std::max(beendet_, n);
    }
    ende_.notify_all();
}

int wavDauerMs(const QString& datei) {
    const auto kopf = kopfVon(datei);
    return kopf ? int(std::min<int64_t>(kopf->dauerMs(), INT32_MAX)) : 0;
}

}  // namespace wxqt
