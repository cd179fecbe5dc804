// mkwav: synthesises the game's sounds as wave files.
//
//   mkwav <output folder>
//
// Writes one short sound for each event of the game (the names that the demo
// Kelmo.ini gives in its [Sound] section) and the computer player's two
// sounds TROPFEN (a water drop) and TUTUT (a two-tone horn): 16-bit PCM, mono,
// 22050 Hz. Everything is computed here from sine tones, a little noise and
// envelopes; the output is the same on every run.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = std::numbers::pi;

// A sound under construction: samples in -1..1, mixed by adding.
struct Klang {
    std::vector<double> s;

    explicit Klang(double sekunden) : s(size_t(sekunden * kRate), 0.0) {}

    // Adds f(t) for t from `ab` seconds on, for `dauer` seconds.
    void misch(double ab, double dauer, const std::function<double(double)>& f) {
        const size_t a = size_t(ab * kRate);
        const size_t n = size_t(dauer * kRate);
        for (size_t i = 0; i < n && a + i < s.size(); ++i) s[a + i] += f(double(i) / kRate);
    }
};

// Frequency of a note given as semitones from A4 (440 Hz).
double ton(int halbtoene) { return 440.0 * std::pow(2.0, halbtoene / 12.0); }

// Quick rise, then an exponential fall: a struck or plucked tone.
double huelle(double t, double anschlag, double abklingen) {
    const double an = t < anschlag ? t / anschlag : 1.0;
    return an * std::exp(-t / abklingen);
}

// A bell-like tone: the fundamental with a few softer overtones that fade faster.
std::function<double(double)> glocke(double f, double laut, double abklingen) {
    return [=](double t) {
        const double grund = std::sin(2 * kPi * f * t) * huelle(t, 0.004, abklingen);
        const double o2 = 0.35 * std::sin(2 * kPi * 2 * f * t) * huelle(t, 0.003, abklingen * 0.5);
        const double o3 = 0.12 * std::sin(2 * kPi * 3.01 * f * t) * huelle(t, 0.002, abklingen * 0.3);
        return laut * (grund + o2 + o3);
    };
}

// A held tone with soft edges and a few odd overtones (a small reed or horn).
std::function<double(double)> horn(double f, double laut, double dauer) {
    return [=](double t) {
        const double ein = std::min(1.0, t / 0.015), aus = std::min(1.0, std::max(0.0, (dauer - t) / 0.03));
        const double w = 2 * kPi * f * t;
        const double klang = std::sin(w) + 0.45 * std::sin(2 * w) + 0.3 * std::sin(3 * w) +
                             0.15 * std::sin(4 * w) + 0.08 * std::sin(5 * w);
        return laut * ein * aus * klang / 1.9;
    };
}

// A tone whose pitch glides exponentially from f0 to f1 over `dauer`.
std::function<double(double)> gleiten(double f0, double f1, double dauer, double laut, double abklingen) {
    return [=](double t) {
        const double k = std::log(f1 / f0) / dauer;
        const double phase = 2 * kPi * f0 * (std::exp(k * std::min(t, dauer)) - 1) / k +
                             (t > dauer ? 2 * kPi * f1 * (t - dauer) : 0.0);
        return laut * std::sin(phase) * huelle(t, 0.003, abklingen);
    };
}

// Reproducible noise.
struct Rauschen {
    uint32_t z = 22222;
    double operator()() {
        z = z * 1664525u + 1013904223u;
        return double(z >> 8) / double(1u << 23) - 1.0;
    }
};

// Noise through a one-pole low pass, shaped by an envelope.
std::function<double(double)> rauschen(double grenze, double laut, std::function<double(double)> form) {
    auto r = std::make_shared<Rauschen>();
    auto y = std::make_shared<double>(0.0);
    const double a = 1 - std::exp(-2 * kPi * grenze / kRate);
    return [=](double t) {
        *y += a * ((*r)() - *y);
        return laut * *y * form(t);
    };
}

// ---- the sounds ----

Klang programmStart() {  // a rising major chord, broken
    Klang k(1.1);
    const int noten[] = {-9, -5, -2, 3};  // C5 E5 G5 C6
    for (int i = 0; i < 4; ++i) k.misch(i * 0.12, 1.1, glocke(ton(noten[i]), 0.45, 0.35));
    return k;
}

Klang programmEnde() {  // the same chord falling, slower and softer
    Klang k(1.3);
    const int noten[] = {3, -2, -5, -9};
    for (int i = 0; i < 4; ++i) k.misch(i * 0.18, 1.3, glocke(ton(noten[i]), 0.42, 0.4));
    return k;
}

Klang meldung() {  // a two-note chime, high to low
    Klang k(0.8);
    k.misch(0.0, 0.8, glocke(ton(12), 0.5, 0.3));
    k.misch(0.18, 0.62, glocke(ton(7), 0.5, 0.35));
    return k;
}

Klang gratulation1() {  // a quick happy triad and a sparkle
    Klang k(0.75);
    const int noten[] = {-2, 2, 5, 10};  // G5 B5 D6 G6
    for (int i = 0; i < 4; ++i) k.misch(i * 0.07, 0.75 - i * 0.07, glocke(ton(noten[i]), 0.4, 0.2));
    return k;
}

Klang gratulation2() {  // a small fanfare: ta-ta-taaa
    Klang k(1.2);
    k.misch(0.0, 0.14, horn(ton(-2), 0.55, 0.14));
    k.misch(0.16, 0.14, horn(ton(-2), 0.55, 0.14));
    k.misch(0.32, 0.8, horn(ton(3), 0.6, 0.8));
    k.misch(0.32, 0.8, glocke(ton(15), 0.12, 0.4));
    return k;
}

Klang achtung() {  // two equal, clear beeps
    Klang k(0.45);
    for (double ab : {0.0, 0.22}) k.misch(ab, 0.16, horn(ton(7), 0.5, 0.16));
    return k;
}

Klang allgemeinerFehler() {  // "uh-oh": two falling low tones
    Klang k(0.6);
    k.misch(0.0, 0.2, horn(ton(-5), 0.55, 0.2));
    k.misch(0.24, 0.34, horn(ton(-9), 0.55, 0.34));
    return k;
}

Klang leichterFehler() {  // a soft low bonk
    Klang k(0.3);
    k.misch(0.0, 0.3, gleiten(ton(-14), ton(-19), 0.12, 0.7, 0.08));
    return k;
}

Klang schwererFehler() {  // three falling minor tones with a rough edge
    Klang k(0.9);
    const int noten[] = {-9, -13, -18};
    for (int i = 0; i < 3; ++i) {
        const double dauer = i == 2 ? 0.42 : 0.2;
        k.misch(i * 0.23, dauer, horn(ton(noten[i]), 0.45, dauer));
        k.misch(i * 0.23, dauer, horn(ton(noten[i]) * 1.012, 0.3, dauer));
    }
    return k;
}

Klang annahme1() {  // a short bright pling
    Klang k(0.25);
    k.misch(0.0, 0.25, glocke(ton(15), 0.55, 0.07));
    return k;
}

Klang annahme2() {  // a coin: two quick rising tones
    Klang k(0.4);
    k.misch(0.0, 0.08, glocke(ton(14), 0.45, 0.05));
    k.misch(0.07, 0.33, glocke(ton(19), 0.45, 0.1));
    return k;
}

Klang glueckstreffer() {  // a run up two octaves, then a shimmer
    Klang k(1.2);
    const int leiter[] = {-9, -7, -5, -4, -2, 0, 2, 3, 5, 7, 8, 10, 12, 15};
    for (int i = 0; i < 14; ++i) k.misch(i * 0.045, 0.4, glocke(ton(leiter[i]), 0.28, 0.1));
    k.misch(0.63, 0.57, glocke(ton(15), 0.35, 0.25));
    k.misch(0.63, 0.57, glocke(ton(19), 0.25, 0.25));
    return k;
}

Klang bewegungStart() {  // a rising whoosh with a few clicks of the wheel
    Klang k(0.6);
    k.misch(0.0, 0.6, rauschen(2500, 0.9, [](double t) { return std::sin(kPi * t / 0.6) * (0.3 + t); }));
    k.misch(0.0, 0.6, gleiten(ton(-17), ton(-5), 0.6, 0.15, 1.0));
    for (int i = 0; i < 6; ++i) k.misch(0.05 + i * (0.09 - i * 0.008), 0.02, glocke(ton(10), 0.3, 0.004));
    return k;
}

Klang bewegungStop() {  // a clack: a click and a short thump
    Klang k(0.15);
    k.misch(0.0, 0.15, rauschen(4000, 1.0, [](double t) { return std::exp(-t / 0.006); }));
    k.misch(0.0, 0.15, gleiten(ton(-24), ton(-30), 0.05, 0.6, 0.03));
    return k;
}

Klang bewegungEnde() {  // a clear ding
    Klang k(0.6);
    k.misch(0.0, 0.6, glocke(ton(10), 0.6, 0.2));
    return k;
}

Klang tropfen() {  // a drop: a sine whose pitch jumps up fast and dies away
    Klang k(0.25);
    k.misch(0.0, 0.25, gleiten(ton(-3), ton(18), 0.045, 0.8, 0.035));
    k.misch(0.06, 0.19, gleiten(ton(6), ton(20), 0.03, 0.15, 0.025));  // its small echo
    return k;
}

Klang tutut() {  // a two-tone horn: high, low, high
    Klang k(1.2);
    const double hoch = ton(5), tief = ton(0);  // D5 and A4
    k.misch(0.0, 0.36, horn(hoch, 0.55, 0.36));
    k.misch(0.4, 0.36, horn(tief, 0.55, 0.36));
    k.misch(0.8, 0.36, horn(hoch, 0.55, 0.36));
    return k;
}

// ---- writing ----

void schreibe16(std::ofstream& o, uint16_t v) { o.put(char(v & 0xFF)).put(char(v >> 8)); }
void schreibe32(std::ofstream& o, uint32_t v) {
    schreibe16(o, uint16_t(v & 0xFFFF));
    schreibe16(o, uint16_t(v >> 16));
}

bool schreibeWav(const std::filesystem::path& pfad, Klang k) {
    // Peak at -3 dB, and short fades at both ends so that nothing clicks.
    double spitze = 0;
    for (double v : k.s) spitze = std::max(spitze, std::abs(v));
    const double faktor = spitze > 0 ? 0.7 / spitze : 0;
    const size_t rand = kRate / 200;
    for (size_t i = 0; i < k.s.size(); ++i) {
        double v = k.s[i] * faktor;
        if (i < rand / 4) v *= double(i) / (rand / 4);
        if (k.s.size() - i <= rand) v *= double(k.s.size() - i - 1) / rand;
        k.s[i] = v;
    }

    const uint32_t daten = uint32_t(k.s.size() * 2);
    std::ofstream o(pfad, std::ios::binary);
    o.write("RIFF", 4);
    schreibe32(o, 36 + daten);
    o.write("WAVEfmt ", 8);
    schreibe32(o, 16);
    schreibe16(o, 1);  // PCM
    schreibe16(o, 1);  // mono
    schreibe32(o, kRate);
    schreibe32(o, kRate * 2);
    schreibe16(o, 2);
    schreibe16(o, 16);
    o.write("data", 4);
    schreibe32(o, daten);
    for (double v : k.s) schreibe16(o, uint16_t(int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32767))));
    return bool(o.flush());
}

struct Welle {
    const char* name;
    Klang (*machen)();
};

const Welle kWellen[] = {
    {"PROGSTART", programmStart},
    {"PROGENDE", programmEnde},
    {"MELDUNG", meldung},
    {"GRATUL1", gratulation1},
    {"GRATUL2", gratulation2},
    {"ACHTUNG", achtung},
    {"FEHLER", allgemeinerFehler},
    {"LFEHLER", leichterFehler},
    {"SFEHLER", schwererFehler},
    {"ANNAHME1", annahme1},
    {"ANNAHME2", annahme2},
    {"GLUECK", glueckstreffer},
    {"RADSTART", bewegungStart},
    {"RADSTOP", bewegungStop},
    {"RADENDE", bewegungEnde},
    {"TROPFEN", tropfen},
    {"TUTUT", tutut},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: mkwav <Ausgabeordner>\n");
        return 2;
    }
    const std::filesystem::path ordner = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(ordner, ec);
    for (const Welle& w : kWellen) {
        const auto pfad = ordner / (std::string(w.name) + ".WAV");
        if (!schreibeWav(pfad, w.machen())) {
            std::fprintf(stderr, "mkwav: %s lässt sich nicht schreiben\n", pfad.string().c_str());
            return 1;
        }
    }
    return 0;
}
