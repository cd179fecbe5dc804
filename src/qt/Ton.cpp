#include "qt/Ton.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QThread>
#include <sys/stat.h>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <thread>

#include "basis/Wav.h"
#include "qt/TonAusgabe.h"

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

// The sound module beside the program, or the one of the build tree for
// programs that run there (the tests). Nothing found: the game stays silent
// and says so once.
TonAusgabe* ladeTonModul() {
    const QStringList orte{QCoreApplication::applicationDirPath() + QStringLiteral("/libwirbelix-ton.so"),
                           QStringLiteral(WIRBELIX_TON_MODUL)};
    QString gruende;
    for (const QString& ort : orte) {
        if (!QFileInfo::exists(ort)) continue;
        QLibrary modul(ort);
        if (auto neu = reinterpret_cast<NeueTonAusgabe>(modul.resolve(kTonAusgabeEinstieg))) return neu();
        gruende += QStringLiteral("\n  ") + modul.errorString();
    }
    std::fprintf(stderr, "Wirbelix: kein Tonmodul (libwirbelix-ton.so) gefunden, das Spiel bleibt stumm.%s\n",
                 qPrintable(gruende));
    return nullptr;
}

}  // namespace

bool tonServerDenkbar() {
    const QByteArray liste = qgetenv("PULSE_SERVER").simplified();
    // Unset: libpulse finds its server by its own rules (configuration, the
    // X display, the user's runtime folder, starting one).
    if (liste.isEmpty()) return true;
    for (QByteArray eintrag : liste.split(' ')) {
        if (eintrag.startsWith("unix:")) eintrag = eintrag.mid(5);
        // A network address, or an entry bound to a machine ("{id}..."): maybe.
        if (!eintrag.startsWith('/')) return true;
        struct stat st {};
        if (::stat(eintrag.constData(), &st) == 0 && S_ISSOCK(st.st_mode)) return true;
    }
    return false;
}

// Lives on the audio thread; everything it does happens there. Loads the
// sound module with the first sound that is to be heard.
class TonSpieler : public QObject {
public:
    explicit TonSpieler(Ton& ton) : ton_(ton) {}
    ~TonSpieler() override {
        if (ausgabe_) ausgabe_->stoppe();
    }

    void starte(const QString& datei, uint64_t n) {
        stoppe();
        nummer_ = n;
        const auto kopf = kopfVon(datei);
        if (!kopf || kopf->datenLaenge == 0 || !spielbareBits(kopf->bitsJeWert)) return fertig();
        QFile f(datei);
        if (!f.open(QIODevice::ReadOnly) || !f.seek(qint64(kopf->datenAnfang))) return fertig();
        TonDaten daten;
        daten.abtastrate = int(kopf->abtastrate);
        daten.kanaele = kopf->kanaele;
        daten.bitsJeWert = kopf->bitsJeWert;
        qint64 laenge = std::min<qint64>(qint64(kopf->datenLaenge), kMaxDatenBytes);
        laenge -= laenge % kopf->blockGroesse;
        daten.pcm = f.read(laenge);
        daten.pcm.truncate(daten.pcm.size() - daten.pcm.size() % kopf->blockGroesse);
        if (daten.pcm.isEmpty() || !ausgabe()) return fertig();
        ausgabe_->starte(std::move(daten), [this, n] {
            if (n == nummer_) fertig();
        });
    }

    // Ends the sound that is playing, if any, and releases the device.
    void stoppe() {
        if (ausgabe_) ausgabe_->stoppe();
        fertig();
    }

private:
    TonAusgabe* ausgabe() {
        if (!versucht_) {
            versucht_ = true;
            ausgabe_.reset(ladeTonModul());
        }
        return ausgabe_.get();
    }

    void fertig() { ton_.gespielt(nummer_); }

    Ton& ton_;
    bool versucht_ = false;
    std::unique_ptr<TonAusgabe> ausgabe_;
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
    if (!kopf || !tonServerDenkbar()) {
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

}  // namespace wxqt
