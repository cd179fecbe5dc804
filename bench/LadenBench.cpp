// The main window's start-up on the 100,000-word database: reading both
// tables, filtering the unit, the error words of two players, the first word
// and the board. The launch fields are set as the launch text would set them.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchUmgebung.h"
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace wx::bench {
namespace {

std::unique_ptr<Spiel> gestartetesSpiel(StillePlattform& p) {
    auto spiel = std::make_unique<Spiel>(p);
    auto& g = spiel->glob;
    g.AppPfad = installation();
    g.UserPfad = g.AppPfad + "\\User";
    g.HilfeDatei = g.AppPfad + "\\Wirbelix.chm";
    g.KlassenFeld = "LIP_";
    g.GwsFlag = FALSCH;
    g.BausteinNr = 2;
    g.BausteinTitel = "Lernwörter, Teil 1";
    g.SpielzeitFaktor = 30;
    g.nSpieler = 2;
    g.SpielerName[0] = "Anna";
    g.SpielerName[1] = "Ben";
    g.SpielerDatei[0] = "anna";
    g.SpielerDatei[1] = "ben";
    spiel->sound.ladeSoundTabelle();
    spiel->mainFrm();
    return spiel;
}

void BM_FormLoad(benchmark::State& state) {
    StillePlattform p;
    for (auto _ : state) {
        state.PauseTiming();
        auto spiel = gestartetesSpiel(p);
        state.ResumeTiming();
        if (!spiel->mainFrm().Form_Load()) state.SkipWithError("Form_Load failed");
        state.PauseTiming();
        spiel.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FormLoad)->Unit(benchmark::kMillisecond);

// The two parts of it that touch the database.
void BM_OeffneWortDatenbank(benchmark::State& state) {
    StillePlattform p;
    auto spiel = gestartetesSpiel(p);
    for (auto _ : state)
        if (!spiel->mainFrm().oeffneWortDatenbank(datenbank())) state.SkipWithError("open failed");
}
BENCHMARK(BM_OeffneWortDatenbank)->Unit(benchmark::kMillisecond);

void BM_SetzeWortFilter(benchmark::State& state) {
    StillePlattform p;
    auto spiel = gestartetesSpiel(p);
    spiel->mainFrm().oeffneWortDatenbank(datenbank());
    for (auto _ : state)
        if (!spiel->mainFrm().setzeWortFilter()) state.SkipWithError("filter failed");
}
BENCHMARK(BM_SetzeWortFilter)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wx::bench
