#include "WortWahlWoertlich.h"

#include <string>

#include "basis/Text.h"

namespace wx::woertlich {

namespace {

bool benutzt(const GlobModul& g, int16_t n) {
    for (int16_t eintrag : g.BenutzteWoerter.eintraege())
        if (eintrag == n) return true;
    return false;
}

int16_t refNr(const Datenverbindung& d) { return static_cast<int16_t>(d.feld("RefNr").zahl()); }

}  // namespace

bool waehleWort(GlobModul& g, Datenverbindung& rdb, Datenverbindung& phr) {
    if (g.nWoerter <= 0 || rdb.istLeer()) return false;
    for (int versuch = 0; versuch < g.nWoerter; ++versuch) {
        if (rdb.eof()) rdb.moveFirst();

        bool gefunden = false;
        int schwelle = 75;
        while (g.FehlerWoerter.max() >= 0) {
            const int r = g.zufallsZahl(1, 100);
            if (r <= schwelle) break;
            const int16_t n = g.FehlerWoerter[g.zufallsZahl(0, g.FehlerWoerter.max())];
            if (benutzt(g, n)) {
                schwelle = 100;
                continue;
            }
            if (rdb.findFirst("RefNr=" + std::to_string(n))) gefunden = true;
            break;
        }

        if (!gefunden) {
            int k = g.zufallsZahl(1, g.nWoerter);
            if (k > rdb.recordCount()) k = rdb.recordCount();
            rdb.gehePosition(k);
            if (benutzt(g, refNr(rdb)) && g.BenutzteWoerter.max() + 1 < g.nWoerter) {
                // At most one lap: if two records share a number every record
                // may be played although the list is shorter than the unit; a
                // full lap ends on the drawn record again.
                for (int schritt = 0; schritt < rdb.recordCount(); ++schritt) {
                    rdb.moveNext();
                    if (rdb.eof()) rdb.moveFirst();
                    if (!benutzt(g, refNr(rdb))) break;
                }
            }
        }

        const std::string wort = rdb.feld("Wort").text();
        const int16_t id = refNr(rdb);
        if (laenge(wort) > 15) {
            g.merkeBenutztesWort(id);
            continue;
        }
        g.aktWort = wort;
        g.aktKontext = "";
        if (!rdb.feld("Kontext").istNull()) g.aktKontext = rdb.feld("Kontext").text();
        g.aktParaphrase = phr.findFirst("RefNr=" + std::to_string(id)) ? phr.feld("Paraphr").text() : "";
        g.merkeBenutztesWort(id);
        return true;
    }
    return false;
}

}  // namespace wx::woertlich
