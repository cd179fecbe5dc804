// Two more choices after the wheel stopped on a points value: buy the next
// letter for the value, or guess the rest of the word letter by letter.
#include <algorithm>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "basis/Text.h"

namespace wx {

void MainFrm::BstKaufBtn_Click() {
    // Never on credit: a score stays at 0 or above.
    if (ComputerAmZug || punkte() < wert()) return;
    kaufeBuchstabe();
}

void MainFrm::kaufeBuchstabe() {
    spiel.sound.spieleSound("Annahme2");
    punkte() -= wert();
    zeigeUndMerkePunkte();

    deckeAuf(g.aktBstPos);
    ++g.aktBstPos;
    // The bought letter was the last one: straight on to the next word,
    // without fanfare or bonus.
    if (g.aktBstPos >= brettLaenge(g.aktWort)) {
        waehleWort();
        WortAufbauen();
    }

    // The purchase used up the spin; the same player spins again.
    zurueckZumDrehen();
}

void MainFrm::zurueckZumDrehen() {
    setzeLampe(1, false);
    WortRatenBtn.enabled = false;
    BstKaufBtn.enabled = false;
    showSatzBtn.enabled = false;
    drehenBtn.enabled = true;
    setzeBuchstabenTasten(false);
}

void MainFrm::WortRatenBtn_Click() {
    if (ComputerAmZug) return;
    WortRatenModus = WAHR;
    WortRatenStart = g.aktBstPos;
    setzeLampe(1, false);
    BstKaufBtn.enabled = false;
    WortRatenBtn.enabled = false;
    showSatzBtn.enabled = false;
    spiel.sound.spieleSound("Achtung");
    setzeLampe(0, true);
    // Typed letters go straight to the letter keys.
    setzeFokus(bstBtn[0]);
}

}  // namespace wx
