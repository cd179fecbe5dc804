// Naming a letter: the thirty letter keys, the keyboard, and judging the
// letter against the next hidden cell of the word.
#include <algorithm>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "basis/Text.h"

namespace wx {

namespace {

// The word as it stands on the board, which has fifteen cells.
int brettLaenge(const std::string& wort) { return std::min(laenge(wort), 15); }

void ziehAb(int32_t& punkte, int32_t betrag) { punkte = std::max<int32_t>(punkte - betrag, 0); }

// Button index of a typed character (Windows-1252 code): letters in either
// case, the umlauts and ß; "[", "\", "]" and "^" share the codes of the last
// four keys. Anything else gives an index outside 0..29.
int16_t tastenIndex(int16_t ansi) {
    if (ansi < 0 || ansi > 255) return -1;
    const std::string gr = gross(ausAnsiCode(ansi));
    int code = ansiCode(gr);
    if (gr == "Ä") code = 91;
    else if (gr == "Ö") code = 92;
    else if (gr == "Ü") code = 93;
    else if (gr == "ß") code = 94;
    return static_cast<int16_t>(code - 65);
}

}  // namespace

void MainFrm::setzeBuchstabenTasten(bool ein) {
    for (auto& taste : bstBtn) taste.enabled = ein;
}

void MainFrm::bstBtn_Click(int16_t index) {
    if (!ComputerAmZug) pruefeBuchstabe(index);
}

void MainFrm::Form_KeyPress(int16_t ansiCode) {
    if (g.TastaturEingabeSperren == 1 || ComputerAmZug) return;
    pruefeBuchstabe(tastenIndex(ansiCode));
}

void MainFrm::pruefeBuchstabe(int16_t index) {
    // A letter counts only after the wheel has stopped on a points value.
    if (anhaltenBtn.enabled || drehenBtn.enabled) return;
    if (index < 0 || index > 29) return;

    setzeLampe(1, false);
    WortRatenBtn.enabled = false;
    BstKaufBtn.enabled = false;
    showSatzBtn.enabled = false;

    const auto pos = static_cast<size_t>(g.aktBstPos);
    const bool richtig = gross(BstLbl[pos].caption) == bstBtn[static_cast<size_t>(index)].caption;
    int32_t& punkte = g.SpielerPunkte[static_cast<size_t>(g.aktSpieler)];

    if (richtig) {
        deckeAuf(g.aktBstPos);
        ++g.aktBstPos;
        if (g.aktBstPos < brettLaenge(g.aktWort)) {
            spiel.sound.spieleSound("Annahme1");
            jetztZeichnen();
            if (!WortRatenModus) versteckeSatz();
        } else {
            // Word complete: let it stand a moment, then the next one.
            jetztZeichnen();
            spiel.sound.spieleSound("Gratulation1");
            versteckeSatz();
            warteSekunden(3);
            waehleWort();
            WortAufbauen();
            setzeLampe(0, false);
            WortRatenModus = FALSCH;
        }
        punkte += wert();
        zeigePunkte();
        updateSpielerPunkte();
        // The turn passes; in the computer's word guess the computer types
        // its next letter. Either may run a whole computer turn before this
        // evaluation goes on.
        if (!WortRatenModus) naechsterSpieler();
        else if (ComputerAmZug) simuliereComputerZug();
        FehlVersuche = 0;
    } else if (WortRatenModus) {
        // The word guess fails: every letter still missing at its start is paid.
        spiel.sound.spieleSound("SchwererFehler");
        setzeLampe(0, false);
        WortRatenModus = FALSCH;
        ziehAb(punkte, static_cast<int32_t>(brettLaenge(g.aktWort) - WortRatenStart) * wert());
        zeigePunkte();
        updateSpielerPunkte();
        WortRatenStart = 0;
    } else {
        ++FehlVersuche;
        if (FehlVersuche >= g.FehlversucheMaximum) {
            spiel.sound.spieleSound("AllgemeinerFehler");
            zeigeLoesung();
            FehlVersuche = 0;
        } else {
            spiel.sound.spieleSound("LeichterFehler");
            // More than half of the attempts used: help the player along.
            if (2 * FehlVersuche > g.FehlversucheMaximum) {
                if (ComputerAmZug) warteSekunden(2);
                else gibHilfe();
            }
        }
        ziehAb(punkte, wert());
        zeigePunkte();
        updateSpielerPunkte();
    }

    if (WortRatenModus) {
        drehenBtn.enabled = false;
    } else {
        drehenBtn.enabled = true;
        setzeBuchstabenTasten(false);
        resetVuRestZeit();
    }
}

Steuerelement* MainFrm::fokusNachSperre() {
    auto bereit = [](const Steuerelement& s) { return s.visible && s.enabled; };
    if (bereit(anhaltenBtn)) return &anhaltenBtn;
    if (bereit(drehenBtn)) return &drehenBtn;
    for (auto& taste : bstBtn)
        if (bereit(taste)) return &taste;
    return nullptr;
}

}  // namespace wx
