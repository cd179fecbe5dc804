// The sound module: wave samples through Qt Multimedia's audio sink.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "qt/TonAusgabe.h"

namespace wxqt {
namespace {

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

class QtTonAusgabe final : public QObject, public TonAusgabe {
public:
    ~QtTonAusgabe() override { stoppe(); }

    void starte(TonDaten daten, std::function<void()> fertig) override {
        stoppe();
        fertig_ = std::move(fertig);
        const uint64_t n = ++nummer_;
        const QAudioDevice geraet = QMediaDevices::defaultAudioOutput();
        if (geraet.isNull() || daten.pcm.isEmpty() || abtastFormat(daten.bitsJeWert) == QAudioFormat::Unknown)
            return melde();

        QAudioFormat format;
        format.setSampleRate(daten.abtastrate);
        format.setChannelCount(daten.kanaele);
        format.setSampleFormat(abtastFormat(daten.bitsJeWert));
        bytesJeSekunde_ =
            std::max<qint64>(1, qint64(daten.abtastrate) * daten.kanaele * daten.bitsJeWert / 8);
        daten_ = std::move(daten.pcm);

        sink_ = new QAudioSink(geraet, format, this);
        connect(sink_, &QAudioSink::stateChanged, this, [this, n](QAudio::State s) { zustand(n, s); });
        puffer_ = new QBuffer(&daten_, this);
        puffer_->open(QIODevice::ReadOnly);
        sink_->start(puffer_);
        if (sink_->error() != QAudio::NoError) melde();
    }

    void stoppe() override {
        ++nummer_;  // a timer still running for the sound before finds itself outdated
        fertig_ = nullptr;
        if (sink_) {
            sink_->disconnect(this);
            sink_->stop();
            delete sink_;
            sink_ = nullptr;
        }
        delete puffer_;
        puffer_ = nullptr;
        daten_.clear();
    }

private:
    void zustand(uint64_t n, QAudio::State s) {
        if (n != nummer_ || !sink_) return;
        if (s == QAudio::IdleState) {
            // Every byte has been handed to the device; what is still in its
            // buffer plays out meanwhile.
            const qint64 rest = std::max<qint64>(0, sink_->bufferSize() - sink_->bytesFree());
            const int ms = int(rest * 1000 / bytesJeSekunde_) + 20;
            QTimer::singleShot(ms, this, [this, n] {
                if (n == nummer_) melde();
            });
        } else if (s == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
            melde();
        }
    }

    // Tells the caller once that the sound is over.
    void melde() {
        if (auto f = std::exchange(fertig_, nullptr)) f();
    }

    QAudioSink* sink_ = nullptr;
    QBuffer* puffer_ = nullptr;
    QByteArray daten_;
    qint64 bytesJeSekunde_ = 1;
    uint64_t nummer_ = 0;
    std::function<void()> fertig_;
};

}  // namespace
}  // namespace wxqt

extern "C" Q_DECL_EXPORT wxqt::TonAusgabe* wirbelixNeueTonAusgabe() { return new wxqt::QtTonAusgabe; }
