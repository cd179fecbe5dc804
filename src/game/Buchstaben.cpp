// Naming a letter: the thirty letter keys, the keyboard, and judging the
// letter against the next hidden cell of the word.
#include <algorithm>
#include <array>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "basis/Text.h"

namespace wx {

namespace {

void ziehAb(int32_t& punkte, int32_t betrag) { punkte = std::max<int32_t>(punkte - betrag, 0); }

// Letter key of each typed character (Windows-1252 code), -1 for none:
// letters in either case, the umlauts and ß; "[", "\", "]" and "^" follow "Z"
// in the code table and share the last four keys.
constexpr std::array<int8_t, 256> kTasteVonCode = [] {
    std::array<int8_t, 256> t{};
    t.fill(-1);
    for (int i = 0; i < 26; ++i) t['A' + i] = t['a' + i] = static_cast<int8_t>(i);
    t['['] = t[0xC4] = t[0xE4] = 26;   // Ä ä
    t['\\'] = t[0xD6] = t[0xF6] = 27;  // Ö ö
    t[']'] = t[0xDC] = t[0xFC] = 28;   // Ü ü
    t['^'] = t[0xDF] = 29;             // ß
    return t;
}();

int16_t tastenIndex(int16_t ansi) {
    return ansi < 0 || ansi > 255 ? -1 : kTasteVonCode[static_cast<size_t>(ansi)];
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
    int32_t& punkte = MainFrm::punkte();

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
        zeigeUndMerkePunkte();
        // The turn passes; in the computer's word guess the computer types
        // its next letter. Either may run a whole computer turn before this
        // evaluation goes on.
        if (!WortRatenModus)
            naechsterSpieler();
        else if (ComputerAmZug)
            simuliereComputerZug();
        FehlVersuche = 0;
    } else if (WortRatenModus) {
        // The word guess fails: every letter still missing at its start is paid.
        spiel.sound.spieleSound("SchwererFehler");
        setzeLampe(0, false);
        WortRatenModus = FALSCH;
        ziehAb(punkte, static_cast<int32_t>(brettLaenge(g.aktWort) - WortRatenStart) * wert());
        zeigeUndMerkePunkte();
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
                if (ComputerAmZug)
                    warteSekunden(2);
                else
                    gibHilfe();
            }
        }
        ziehAb(punkte, wert());
        zeigeUndMerkePunkte();
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
