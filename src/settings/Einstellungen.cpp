#include "settings/Einstellungen.h"

#include "basis/GlobModul.h"
#include "basis/Text.h"

namespace wx {

void ladeEinstellungen(GlobModul& g) {
    g.GegenComputer = 0;
    g.ComputerSpielStaerke = 0;
    g.TastaturEingabeSperren = 0;
    g.TonEinschalten = 1;
    g.BuchstabenRahmen = 0;
    g.LoesungswortFarbig = WAHR;
    g.RatezeitBegrenzen = 0;
    g.FehlversucheMaximum = 5;
    g.EinstellungenSpeichern = 1;

    const auto zeilen = leseAnsiZeilen(g.AppPfad + "\\Kelmo.ini");
    if (!zeilen) return;
    size_t i = abschnittsAnfang(*zeilen, "[Wirbelix]");
    int16_t* felder[9] = {&g.GegenComputer,       &g.ComputerSpielStaerke, &g.TastaturEingabeSperren,
                          &g.TonEinschalten,      &g.BuchstabenRahmen,     &g.LoesungswortFarbig,
                          &g.RatezeitBegrenzen,   &g.FehlversucheMaximum,  &g.EinstellungenSpeichern};
    for (; i < zeilen->size(); ++i) {
        const std::string& z = (*zeilen)[i];
        if (beginntMit(z, "[")) break;
        if (beginntMit(z, ";")) continue;
        for (int k = 0; k < g.nEinstellungen && k < 9; ++k) {
            const std::string& schluessel = g.EinstellSchluessel[k];
            if (!beginntMit(z, schluessel + "=")) continue;
            const std::string wert = trimme(z.substr(schluessel.size() + 1));
            const auto n = static_cast<int16_t>(runde(zahlAmAnfang(wert)));
            if (k == 5) {
                // The option button follows the exact text "1".
                *felder[k] = alsFlag(wert == "1");
            } else if (k == 1) {
                if (n >= 0 && n <= 2) *felder[k] = n;
            } else {
                *felder[k] = n;
            }
            break;
        }
    }
}

}  // namespace wx
