// The word choice with 0 %, 50 % and 99 % of a 32,000-word unit played: the
// game's chooser against the plain one that asks the played list entry by
// entry and walks record by record.
//
// Every timed iteration is one real call. A call plays one more word, so
// after every 16 calls the played list goes back to its prepared state (with
// the clock stopped); the share moves by at most 16 words in between. The
// chooser notices the shorter list and puts those 16 words back into its
// index on the next call, which is part of the time measured.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <random>

#include "BenchUmgebung.h"
#include "WortWahlWoertlich.h"
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace wx::bench {
namespace {

constexpr int kZuruecksetzenNach = 16;

struct Wortquelle {
    StillePlattform plattform;
    Spiel spiel{plattform};
    MainFrm& m = spiel.mainFrm();
    GlobModul& g = spiel.glob;

    Wortquelle() {
        if (!m.oeffneWortDatenbank(datenbank())) throw std::runtime_error(m.rdb.fehler());
        g.KlassenFeld = "LIP_";
        g.GwsFlag = FALSCH;
        if (!m.setzeWortFilter() || g.nWoerter != kEinheitWoerter) throw std::runtime_error("filter");
    }
};

Wortquelle& quelle() {
    static Wortquelle q;
    return q;
}

// The unit's numbers in a fixed random order; the first share of them played.
NummernListe gespielt(int prozent) {
    std::vector<int16_t> ids(kEinheitWoerter);
    std::iota(ids.begin(), ids.end(), int16_t{1});
    std::shuffle(ids.begin(), ids.end(), std::mt19937(42));
    NummernListe liste;
    const auto n = static_cast<size_t>(std::lround(kEinheitWoerter * prozent / 100.0));
    for (size_t i = 0; i < n; ++i) liste.anhaengen(ids[i]);
    return liste;
}

template <typename Waehle>
void miss(benchmark::State& state, Waehle waehle) {
    auto& q = quelle();
    const NummernListe vorbereitet = gespielt(static_cast<int>(state.range(0)));
    q.g.FehlerWoerter.leeren();
    q.g.BenutzteWoerter = vorbereitet;
    waehle(q);  // lets the chooser build whatever it keeps
    q.g.BenutzteWoerter = vorbereitet;
    int seitZurueck = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(waehle(q));
        if (++seitZurueck == kZuruecksetzenNach) {
            state.PauseTiming();
            q.g.BenutzteWoerter = vorbereitet;
            seitZurueck = 0;
            state.ResumeTiming();
        }
    }
    state.counters["gespielt"] = static_cast<double>(vorbereitet.anzahl());
}

void BM_WaehleWort(benchmark::State& state) {
    miss(state, [](Wortquelle& q) { return q.m.waehleWort(); });
}
void BM_WaehleWortWoertlich(benchmark::State& state) {
    miss(state, [](Wortquelle& q) { return woertlich::waehleWort(q.g, q.m.rdb, q.m.phr); });
}

BENCHMARK(BM_WaehleWort)->Arg(0)->Arg(50)->Arg(99)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WaehleWortWoertlich)->Arg(0)->Arg(50)->Arg(99)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wx::bench
