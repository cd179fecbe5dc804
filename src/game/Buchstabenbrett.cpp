// The letter board: one cell per letter of the word, hidden in the colour of
// its cell until the letter is found.
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "basis/Text.h"

namespace wx {

namespace {
Farbe farbe(const FarbTabelle& t, int i) {
    const auto& c = t[static_cast<size_t>(i)];
    return Farbe{c[0], c[1], c[2]};
}
}  // namespace

int brettLaenge(std::string_view wort) { return std::min(laenge(wort), kBrettZellen); }

void MainFrm::WortAufbauen() {
    // Unused cells say nothing, not even to a screen reader.
    for (auto& zelle : BstLbl) {
        zelle.visible = false;
        zelle.caption.clear();
        zelle.zugangsName.clear();
    }

    setzeCaption(ParaphrLbl, g.aktParaphrase);
    ParaphrLbl.top = static_cast<int32_t>(runde((ParaphrFrm.height - ParaphrLbl.height) / 2.0 + 50));

    const auto buchstaben = zeichen(g.aktWort);
    const int n = std::min<int>(static_cast<int>(buchstaben.size()), kBrettZellen);
    setzeCaption(KontextLbl, g.aktKontext);
    int32_t x = 135;
    if (!KontextLbl.caption.empty()) x = static_cast<int32_t>(runde(KontextLbl.width + 135 + 80));

    int16_t c = g.zufallsZahl(0, 9);
    for (int i = 0; i < n; ++i) {
        auto& zelle = BstLbl[static_cast<size_t>(i)];
        zelle.left = x;
        setzeCaption(zelle, buchstaben[static_cast<size_t>(i)]);
        if (g.LoesungswortFarbig) {
            if (++c > 9) c = 0;
            zelle.hinter = zelle.vorder = farbe(g.HintergrundFarben, c);
        } else {
            zelle.hinter = zelle.vorder = kWeiss;
        }
        zelle.rahmen = g.BuchstabenRahmen != 0;
        // The letter is drawn in its cell's colour; a screen reader must not
        // give it away either.
        zelle.zugangsName = "verdeckt";
        zelle.visible = true;
        x += zelle.width;
    }
    g.aktBstPos = 0;
}

void MainFrm::sucheFarbIndex(const Farbe& f, int16_t& index) const {
    for (int16_t i = 0; i < 10; ++i) {
        if (farbe(g.HintergrundFarben, i) == f) {
            index = i;
            return;
        }
    }
    index = 0;
}

void MainFrm::deckeAuf(int zelle) {
    auto& z = BstLbl[static_cast<size_t>(zelle)];
    if (g.LoesungswortFarbig) {
        int16_t k = 0;
        sucheFarbIndex(z.hinter, k);
        z.vorder = farbe(g.SchriftFarben, k);
    } else {
        z.vorder = kBlau;
    }
    z.zugangsName = z.caption;
}

void MainFrm::zeigeLoesung() {
    const int n = brettLaenge(g.aktWort);
    for (int i = g.aktBstPos; i < n; ++i) {
        deckeAuf(i);
        BstLbl[static_cast<size_t>(i)].visible = true;
    }
    jetztZeichnen();
    warteSekunden(8);
    versteckeSatz();
    waehleWort();
    WortAufbauen();
    setzeLampe(0, false);
}

void MainFrm::versteckeSatz() {
    if (UebTitelLabel.visible) return;
    UebTitelLabel.visible = true;
    setzeCaption(SatzBspLbl, "");
    SatzBspLbl.visible = false;
}

}  // namespace wx
