// A player's record file: the words spelt wrong in the unit.
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
    const auto& liste = g.FehlerWoerter.eintraege();
    for (size_t i = 0; i < liste.size(); ++i) {
        fuzz::verlange(g.istFehlerWort(liste[i]), "listed word not found");
        for (size_t k = 0; k < i; ++k) fuzz::verlange(liste[k] != liste[i], "word listed twice");
    }
    return 0;
}
