// Kelmo.ini as every reader of the game sees it: the section reader in both
// search modes, the "[Spiele]" play time, the sound table and the settings.
#include <memory>

#include "FuzzHilfe.h"
#include "VirtuellePlattform.h"
#include "basis/GlobModul.h"
#include "basis/IniAbschnitt.h"
#include "basis/Rahmendateien.h"
#include "fenster/EinstellFrm.h"
#include "fenster/Spiel.h"

using namespace wx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const std::string_view text = fuzz::alsText(daten, groesse);
    const auto zeilen = fuzz::ansiZeilen(text);
    const std::vector<std::string> schluessel{"Computer", "MaximaleSpielDauer", "Achtung", "", "="};
    for (const char* kopf : {"[Wirbelix]", "[Spiele]", "[Sound]", ""}) {
        for (auto suche : {IniSuche::abschnitt, IniSuche::ersterBisDateiende}) {
            const auto werte = leseIniAbschnitt(zeilen, kopf, schluessel, suche);
            fuzz::verlange(werte.size() == schluessel.size(), "one value per key");
            for (const auto& w : werte)
                if (w) fuzz::verlange(w->size() <= 4 * text.size(), "value longer than the file");
        }
    }

    // The readers that open the file themselves, on one game kept for the run.
    static test::VirtuellePlattform plattform;
    static std::unique_ptr<Spiel> spiel = [] {
        auto s = std::make_unique<Spiel>(plattform);
        s->glob.AppPfad = fuzz::arbeitsOrdner();
        return s;
    }();
    fuzz::schreibe("Kelmo.ini", text);
    GlobModul& g = spiel->glob;
    g.SpielzeitFaktor = 1;
    leseSpielDauer(g);
    fuzz::verlange(g.SpielzeitFaktor >= 1 && g.SpielzeitFaktor <= 15, "play-time factor out of range");
    spiel->sound.ladeSoundTabelle();
    spiel->einstellFrm().loadKelmoIni();
    fuzz::verlange(g.ComputerSpielStaerke >= 0 && g.ComputerSpielStaerke <= 2, "strength names no option");
    return 0;
}
