// Real sound through the Qt front.
//
// MitTon: a private PulseAudio server with a silent sink is started for the
// test; its monitor is recorded while the game plays a wave and then blocks in
// a three-second pause. The recording must hold the whole wave, so the sound
// may not wait for the blocked thread's event loop.
// OhneTon: no audio output at all; nothing plays, and a waited sound still
// holds the game for the wave's length.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

#include "qt/QtPlattform.h"
#include "qt/Ton.h"

namespace wxqt::test {
namespace {

constexpr int kRate = 44100;

// A mono 16-bit sine wave of the given length, amplitude half of full scale.
void schreibeSinus(const QString& pfad, double sekunden, double hz) {
    const int n = int(sekunden * kRate);
    auto le = [](QByteArray& b, quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i) b.append(char((v >> (8 * i)) & 0xFF));
    };
    QByteArray w("RIFF");
    le(w, 36 + 2 * n, 4);
    w.append("WAVEfmt ");
    le(w, 16, 4), le(w, 1, 2), le(w, 1, 2), le(w, kRate, 4), le(w, 2 * kRate, 4), le(w, 2, 2), le(w, 16, 2);
    w.append("data");
    le(w, 2 * n, 4);
    for (int i = 0; i < n; ++i)
        le(w, quint16(qint16(std::lround(16384 * std::sin(2 * M_PI * hz * i / kRate)))), 2);
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(w) == w.size());
}

const QtPlattform::Optionen kMitTon{.ton = true, .startSkala = 1};

// The loud stretches of a recording (mono 16-bit), in frames of 10 ms; gaps
// of up to two frames do not split a stretch.
struct Strecke {
    int anfang, laenge;
};
std::vector<Strecke> lauteStrecken(const QByteArray& roh) {
    const int proRahmen = kRate / 100;
    const auto* s = reinterpret_cast<const qint16*>(roh.constData());
    const int rahmen = int(roh.size() / 2) / proRahmen;
    std::vector<Strecke> strecken;
    for (int r = 0; r < rahmen; ++r) {
        double summe = 0;
        for (int i = 0; i < proRahmen; ++i) summe += double(s[r * proRahmen + i]) * s[r * proRahmen + i];
        // The sine's level is about 11600; anything above a quarter of it counts.
        if (std::sqrt(summe / proRahmen) < 3000) continue;
        if (!strecken.empty() && r - (strecken.back().anfang + strecken.back().laenge) <= 2)
            strecken.back().laenge = r - strecken.back().anfang + 1;
        else
            strecken.push_back({r, 1});
    }
    return strecken;
}

// A PulseAudio server of the test's own, with a null sink "wirbelix", in a
// temporary runtime folder; stopped when the object goes.
class PulseServer {
public:
    bool starte(QString& fehler) {
        const QString programm = QStandardPaths::findExecutable("pulseaudio");
        if (programm.isEmpty()) {
            fehler = "pulseaudio is not installed (Debian packages pulseaudio and pulseaudio-utils)";
            return false;
        }
        QDir(ordner_.path()).mkpath("run");
        QDir(ordner_.path()).mkpath("home");
        socket_ = ordner_.filePath("run/native");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", ordner_.filePath("run"));
        env.insert("HOME", ordner_.filePath("home"));
        env.remove("PULSE_SERVER");
        prozess_.setProcessEnvironment(env);
        prozess_.setProcessChannelMode(QProcess::MergedChannels);
        // As root, --system=no keeps it a private per-user server anyway.
        prozess_.start(programm, {"-n", "--daemonize=no", "--system=no", "--use-pid-file=no",
                                  "--exit-idle-time=-1", "--disallow-exit=yes", "--log-target=stderr", "-L",
                                  "module-null-sink sink_name=wirbelix rate=44100 channels=1", "-L",
                                  "module-native-protocol-unix socket=" + socket_ + " auth-anonymous=1"});
        if (!prozess_.waitForStarted(3000)) {
            fehler = "pulseaudio did not start: " + prozess_.errorString();
            return false;
        }
        QElapsedTimer uhr;
        uhr.start();
        while (uhr.elapsed() < 8000) {
            if (QFile::exists(socket_) && pactl({"info"}) == 0) return true;
            if (prozess_.state() == QProcess::NotRunning) break;
            QThread::msleep(50);
        }
        fehler = "pulseaudio did not come up; its output:\n" + QString::fromLocal8Bit(prozess_.readAll());
        return false;
    }
    ~PulseServer() {
        if (prozess_.state() == QProcess::NotRunning) return;
        prozess_.terminate();
        if (!prozess_.waitForFinished(3000)) prozess_.kill(), prozess_.waitForFinished(1000);
    }
    QString adresse() const { return "unix:" + socket_; }
    int pactl(const QStringList& args) {
        QProcess p;
        p.start("pactl", QStringList{"--server=" + adresse()} + args);
        return p.waitForFinished(3000) ? p.exitCode() : -1;
    }

private:
    QTemporaryDir ordner_;
    QString socket_;
    QProcess prozess_;
};

TEST(MitTon, AWaveStartedBeforeAPauseIsHeardWhole) {
    PulseServer server;
    QString fehler;
    ASSERT_TRUE(server.starte(fehler))
        << fehler.toStdString() << "\nThis test needs a PulseAudio server that it starts itself.";
    // The audio stack is loaded with the first sound, so it still sees this.
    qputenv("PULSE_SERVER", server.adresse().toLocal8Bit());

    QTemporaryDir ordner;
    const QString wav = ordner.filePath("SINUS.WAV");
    schreibeSinus(wav, 1.0, 440);

    // A null sink plays with up to two seconds of delay unless some stream
    // asks for less; a stream of silence that does makes it as quick as a
    // sound card.
    QProcess stille;
    stille.setStandardInputFile("/dev/zero");
    stille.start("pacat", {"--server=" + server.adresse(), "-d", "wirbelix", "--raw", "--format=s16le",
                           "--rate=44100", "--channels=1", "--latency-msec=60"});
    ASSERT_TRUE(stille.waitForStarted(3000)) << "pacat (pulseaudio-utils) is missing";

    QProcess aufnahme;
    aufnahme.setStandardOutputFile(ordner.filePath("aufnahme.raw"));
    aufnahme.start("parec", {"--server=" + server.adresse(), "-d", "wirbelix.monitor", "--raw",
                             "--format=s16le", "--rate=44100", "--channels=1"});
    ASSERT_TRUE(aufnahme.waitForStarted(3000)) << "parec (pulseaudio-utils) is missing";
    // parec takes a while to connect; the recording runs once data arrives.
    QElapsedTimer warten;
    warten.start();
    while (QFileInfo(ordner.filePath("aufnahme.raw")).size() == 0 && warten.elapsed() < 5000)
        QThread::msleep(20);
    QThread::msleep(200);

    {
        QtPlattform plattform(kMitTon);
        plattform.spieleWav(wav.toStdString(), false);
        plattform.beginnePause();
        plattform.schlafe(3.0);
        plattform.beendePause();

        // A waited sound holds the game as long as it plays, and not much longer.
        QElapsedTimer uhr;
        uhr.start();
        plattform.spieleWav(wav.toStdString(), true);
        EXPECT_GE(uhr.elapsed(), 1000);
        EXPECT_LT(uhr.elapsed(), 1800);
        plattform.schliesseAudio();
    }
    QThread::msleep(300);
    ::kill(pid_t(aufnahme.processId()), SIGINT);  // parec writes what it has and ends
    stille.kill();
    stille.waitForFinished(3000);
    ASSERT_TRUE(aufnahme.waitForFinished(3000));

    QFile roh(ordner.filePath("aufnahme.raw"));
    ASSERT_TRUE(roh.open(QIODevice::ReadOnly));
    const QByteArray daten = roh.readAll();
    // Recorded: 0.2 s before the first sound, the 3 s pause, the waited sound.
    ASSERT_GT(daten.size(), 2 * kRate * 4) << "the recording is too short";
    const auto strecken = lauteStrecken(daten);
    std::string gefunden;
    for (const Strecke& s : strecken)
        gefunden += " " + std::to_string(s.anfang * 10) + "+" + std::to_string(s.laenge * 10) + " ms";
    ASSERT_EQ(strecken.size(), 2u) << "two separate sounds expected, recorded:" << gefunden;
    SCOPED_TRACE("recorded:" + gefunden);
    EXPECT_LT(strecken[0].anfang, 150) << "the first sound started late";
    EXPECT_GE(strecken[1].anfang - strecken[0].anfang - strecken[0].laenge, 80)
        << "the first sound was not over long before the pause ended";
    for (const Strecke& s : strecken) {
        EXPECT_GE(s.laenge, 98) << "only " << s.laenge * 10 << " ms of the 1 s wave were heard";
        EXPECT_LE(s.laenge, 103);
    }
}

std::atomic<int> g_meldungen{0};

TEST(OhneTon, NothingPlaysButAWaitedSoundKeepsThePace) {
    // Whatever Qt would write to the console is counted instead.
    const QtMessageHandler vorher =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) { ++g_meldungen; });
    QTemporaryDir ordner;
    const QString wav = ordner.filePath("SINUS.WAV");
    schreibeSinus(wav, 0.6, 440);
    QtPlattform plattform(kMitTon);

    QElapsedTimer uhr;
    uhr.start();
    plattform.spieleWav(wav.toStdString(), false);
    EXPECT_LT(uhr.elapsed(), 300) << "a sound that is not waited for returns at once";
    uhr.restart();
    plattform.spieleWav(wav.toStdString(), true);
    EXPECT_GE(uhr.elapsed(), 600);
    EXPECT_LT(uhr.elapsed(), 1000);

    // Missing and broken waves are silent and hold nobody.
    QFile kaputt(ordner.filePath("KAPUTT.WAV"));
    ASSERT_TRUE(kaputt.open(QIODevice::WriteOnly) && kaputt.write("RIFF\x10\0\0\0WAVEdata", 16) == 16);
    kaputt.close();
    uhr.restart();
    plattform.spieleWav(ordner.filePath("FEHLT.WAV").toStdString(), true);
    plattform.spieleWav(kaputt.fileName().toStdString(), true);
    EXPECT_LT(uhr.elapsed(), 300);
    plattform.schliesseAudio();
    EXPECT_EQ(g_meldungen, 0) << "a machine without sound is no news";
    qInstallMessageHandler(vorher);
}

// Whether a library whose file name contains `name` is mapped into this process.
bool geladen(const char* name) {
    QFile karte("/proc/self/maps");
    return karte.open(QIODevice::ReadOnly) && karte.readAll().contains(name);
}

// Seen when the test program started, before any sound.
bool g_stapelAmAnfang = false;

// A unix socket at a path that refuses connections: there, but nobody answers.
class StillerSocket {
public:
    explicit StillerSocket(const QString& pfad) : pfad_(QFile::encodeName(pfad)) {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        std::strncpy(a.sun_path, pfad_.constData(), sizeof a.sun_path - 1);
        gebunden_ = fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~StillerSocket() {
        if (fd_ >= 0) ::close(fd_);
        ::unlink(pfad_.constData());
    }
    bool gebunden() const { return gebunden_; }

private:
    QByteArray pfad_;
    int fd_ = -1;
    bool gebunden_ = false;
};

TEST(OhneTon, ASoundServerIsThinkableUnlessPulseServerNamesOnlyMissingSockets) {
    QTemporaryDir ordner;
    const QString sock = ordner.filePath("native");
    StillerSocket da(sock);
    ASSERT_TRUE(da.gebunden());
    const QByteArray vorher = qgetenv("PULSE_SERVER");
    struct Fall {
        QByteArray wert;
        bool denkbar;
    };
    const Fall faelle[] = {
        {"", true},  // libpulse's own rules apply
        {"unix:/nonexistent/native", false},
        {"/nonexistent/native", false},
        {"  unix:/nonexistent/a   /nonexistent/b ", false},
        {"unix:/nonexistent/a unix:" + QFile::encodeName(sock), true},
        {QFile::encodeName(sock), true},
        {"unix:" + QFile::encodeName(ordner.path()), false},  // a folder, not a socket
        {"tcp:localhost:4713", true},
        {"{0123abcd}unix:/nonexistent/native", true},
        {"localhost", true},
    };
    for (const Fall& f : faelle) {
        qputenv("PULSE_SERVER", f.wert);
        EXPECT_EQ(tonServerDenkbar(), f.denkbar) << "PULSE_SERVER=\"" << f.wert.constData() << '"';
    }
    qputenv("PULSE_SERVER", vorher);
}

TEST(OhneTon, TheAudioStackIsLoadedOnlyByASoundThatCouldBeHeard) {
    ASSERT_FALSE(g_stapelAmAnfang) << "the program itself links the audio stack";
    QTemporaryDir ordner;
    const QString wav = ordner.filePath("KURZ.WAV");
    schreibeSinus(wav, 0.1, 880);
    const QByteArray vorher = qgetenv("PULSE_SERVER");
    Ton ton(nullptr);
    ton.spiele(ordner.filePath("FEHLT.WAV"));
    EXPECT_FALSE(ton.geladen()) << "a missing wave needs no audio";

    // The test's PULSE_SERVER names a socket that is not there.
    ton.spiele(wav);
    EXPECT_FALSE(ton.geladen()) << "no server can answer";
    ton.warteAufEnde();
    EXPECT_FALSE(geladen("libQt6Multimedia"));

    // A socket that is there: only the audio stack can tell whether a
    // server answers on it.
    StillerSocket da(ordner.filePath("native"));
    ASSERT_TRUE(da.gebunden());
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(ordner.filePath("native")));
    ton.spiele(wav);
    EXPECT_TRUE(ton.geladen());
    ton.warteAufEnde();
    EXPECT_TRUE(geladen("libwirbelix-ton.so"));
    EXPECT_TRUE(geladen("libQt6Multimedia"));
    qputenv("PULSE_SERVER", vorher);
}

}  // namespace
}  // namespace wxqt::test

int main(int argc, char** argv) {
    wxqt::test::g_stapelAmAnfang = wxqt::test::geladen("libQt6Multimedia");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
