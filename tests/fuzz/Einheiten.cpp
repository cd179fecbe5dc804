// The unit list Kelmo.tsp: its records, and the unit the launch names.
#include <memory>

#include "FuzzHilfe.h"
#include "VirtuellePlattform.h"
#include "basis/GlobModul.h"
#include "basis/Rahmendateien.h"

using namespace wx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const std::string_view text = fuzz::alsText(daten, groesse);
    const auto zeilen = fuzz::ansiZeilen(text);
    const auto saetze = leseTspDatensaetze(zeilen);
    size_t laenge = 0;
    for (const auto& [titel, code] : saetze) laenge += titel.size() + code.size();
    size_t gesamt = 0;
    for (const auto& z : zeilen) gesamt += z.size();
    fuzz::verlange(laenge <= gesamt, "records hold more than the lines");

    static test::VirtuellePlattform plattform;
    GlobModul g(plattform);
    g.AppPfad = fuzz::arbeitsOrdner();
    g.KlassenFeld = "LIP_";
    fuzz::schreibe("Kelmo.tsp", text);
    leseBaustein(g);
    fuzz::verlange(g.BausteinNr >= 0, "negative unit number");
    return 0;
}
