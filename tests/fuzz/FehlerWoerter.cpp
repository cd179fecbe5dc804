// A player's record file: the words spelt wrong in the unit.
#include <set>

#include "FuzzHilfe.h"
#include "VirtuellePlattform.h"
#include "basis/GlobModul.h"
#include "basis/Rahmendateien.h"

using namespace wx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    static test::VirtuellePlattform plattform;
    GlobModul g(plattform);
    g.UserPfad = fuzz::arbeitsOrdner();
    g.nSpieler = 2;
    g.SpielerDatei[0] = "anna";
    g.SpielerDatei[1] = "anna";  // the same file twice: no number may be listed twice
    fuzz::schreibe("anna.tmp", fuzz::alsText(daten, groesse));
    leseFehlerWoerter(g);
    std::set<int16_t> gesehen;
    for (const int16_t n : g.FehlerWoerter.eintraege()) {
        fuzz::verlange(g.istFehlerWort(n), "listed word not found");
        fuzz::verlange(gesehen.insert(n).second, "word listed twice");
    }
    return 0;
}
