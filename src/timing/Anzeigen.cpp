// Lamps, the menu group, and the hooks of the guess-time meter and the
// play-time gauge.
#include "fenster/MainFrm.h"

namespace wx {

void MainFrm::setzeLampe(int16_t lampe, bool an) {
    Steuerelement* ziel = lampe == 0 ? &WortRatenLampe : lampe == 1 ? &KaufenLampe : nullptr;
    if (!ziel) return;
    ziel->bild = an ? LampeGruenImg.bild : LampeRotImg.bild;
}

void MainFrm::schalteMenues(bool an) {
    for (auto* m : {&mnuDateiNeu, &mnuDateiInfo, &mnuDateiMeisterliste, &mnuDateiEnde,
                    &mnuBearbEinstell, &mnuHilfeInfo, &mnuHilfeSpielregeln, &mnuHilfeAktKat})
        m->enabled = an;
}

// The guess-time meter shows its dial; the needle and its timer come with
// the guess-time limit.
void MainFrm::initVuRestZeit() { vuRestZeitImage.bild = vuRestZeitAusImg.bild; }

void MainFrm::switchVuRestZeit(bool ein) {
    vuRestZeitImage.bild = ein ? vuRestZeitEinImg.bild : vuRestZeitAusImg.bild;
}

// GAP: the guess-time limit (needle back to zero) is not built yet.
void MainFrm::resetVuRestZeit() {}

// GAP: the guess-time limit is not built yet.
void MainFrm::RestZeitTimer_Timer() {}

}  // namespace wx
