// One spin tick through the real front: the game hides one wheel picture and
// shows the next, the binder finds the two changed controls among all of the
// main window's and touches their widgets. The counter "Widgets" must read 2.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <memory>

#include "qt/FormFenster.h"
#include "qt/QtPlattform.h"
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace {

const char* const kStart =
    "\"Version=4;Class=D;TeskFeldName=LIP_;LupenFlag=0;GwsFlag=0;nSpieler=2;Anna;Ben;anna;ben;\"";

// A game started on the demo installation, its main window on the screen
// and its wheel spinning.
struct LaufendesRad {
    wxqt::QtPlattform plattform{[] {
        wxqt::QtPlattform::Optionen o;
        o.ton = false;
        o.startSkala = 1.5;
        return o;
    }()};
    std::unique_ptr<wx::Spiel> spiel = std::make_unique<wx::Spiel>(plattform);
    bool bereit = false;

    LaufendesRad() {
        if (!spiel->starte(kStart, WIRBELIX_DEMO)) return;
        spiel->mainFrm().zeigeModeless();
        // Painting starts once the window system has put the window up.
        QWindow* fenster = plattform.fenster(spiel->mainFrm())->windowHandle();
        QElapsedTimer uhr;
        uhr.start();
        while (!(fenster && fenster->isExposed()) && uhr.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents();
        plattform.klick(spiel->mainFrm().drehenBtn);
        bereit = spiel->mainFrm().gradTimer.enabled;
    }
};

void zaehle(benchmark::State& state, long widgets, long schritte, bool genauZwei) {
    state.counters["Widgets"] = benchmark::Counter(double(widgets) / double(std::max(1L, schritte)));
    if (!genauZwei) state.SkipWithError("a tick touched other than two widgets");
}

void Drehschritt(benchmark::State& state) {
    LaufendesRad rad;
    if (!rad.bereit) {
        state.SkipWithError("the game does not start on the demo installation");
        return;
    }
    wx::MainFrm& m = rad.spiel->mainFrm();
    long widgets = 0, schritte = 0;
    bool genauZwei = true;
    for (auto _ : state) {
        rad.plattform.tick(m.gradTimer);
        const int n = rad.plattform.letzteAenderungen();
        widgets += n;
        ++schritte;
        genauZwei = genauZwei && n == 2;
    }
    zaehle(state, widgets, schritte, genauZwei);
}
// The wheel stops by itself after ten seconds; the runs stay well below.
BENCHMARK(Drehschritt)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

// The same tick with the wheel's area painted at once, as the screen sees it.
void DrehschrittGemalt(benchmark::State& state) {
    LaufendesRad rad;
    if (!rad.bereit) {
        state.SkipWithError("the game does not start on the demo installation");
        return;
    }
    wx::MainFrm& m = rad.spiel->mainFrm();
    QWidget* rahmen = rad.plattform.fenster(m)->widgetVon(m.Frame3);
    long widgets = 0, schritte = 0;
    bool genauZwei = true;
    for (auto _ : state) {
        rad.plattform.tick(m.gradTimer);
        const int n = rad.plattform.letzteAenderungen();
        rahmen->repaint();
        widgets += n;
        ++schritte;
        genauZwei = genauZwei && n == 2;
    }
    zaehle(state, widgets, schritte, genauZwei);
}
BENCHMARK(DrehschrittGemalt)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
