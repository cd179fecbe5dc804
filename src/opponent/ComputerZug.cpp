// The computer's choice after its wheel has stopped. The computer always
// knows the letter sought (it reads the board); its strength is only how it
// uses that knowledge:
//   0 strong  spells the whole rest of the word, always right;
//   1 medium  names the next letter, always right;
//   2 weak    names the next letter, but about every second time presses
//             "ß" instead, never more than three times in a row.
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "basis/Text.h"

namespace wx {

namespace {
constexpr int16_t kPatzerTaste = 29;  // "ß", the weak computer's blunder
}  // namespace

bool MainFrm::simuliereComputerZug() {
    const int16_t v = wert();
    if (v == -1 || v == 300) return false;  // all lost or a lucky hit: spin again
    if (v == 0) return true;                // the stop has passed the turn already

    const std::string gesucht = gross(BstLbl[static_cast<size_t>(g.aktBstPos)].caption);
    int16_t k = -1;
    for (int16_t i = 0; i < 30 && k < 0; ++i)
        if (bstBtn[static_cast<size_t>(i)].caption == gesucht) k = i;
    if (k < 0) return computerOhneTaste();

    switch (g.ComputerSpielStaerke) {
        case 0:
            // The word guess the computer starts itself, letter by letter: each
            // right letter brings the evaluation back here for the next one.
            WortRatenModus = WAHR;
            WortRatenStart = g.aktBstPos;
            spiel.sound.spieleWavWarten("TROPFEN");
            pruefeBuchstabe(k);
            return true;
        case 2: {
            int16_t r = g.zufallsZahl(0, 100);
            if (PatzerZahl > 2) r = 0;  // after three blunders in a row the next guess is right
            if (r >= 50) {
                spiel.sound.spieleWavWarten("TUTUT");
                ++PatzerZahl;
                pruefeBuchstabe(kPatzerTaste);
                if (k != kPatzerTaste) return false;
                // "ß" was the letter sought: the blunder was a right guess after
                // all and has passed the turn like any right letter.
                PatzerZahl = 0;
                return true;
            }
            PatzerZahl = 0;
            pruefeBuchstabe(k);
            return true;
        }
        default:  // 1, and a strength the settings do not know, plays medium
            pruefeBuchstabe(k);
            return true;
    }
}

// A character that no letter key carries (a hyphen, an apostrophe) can never
// be named right. The computer does what a player can do about it: it buys
// the character when its score pays the value and spins again; otherwise it
// gives the turn to the next player. A word guess of the strong computer ends
// in front of such a character without penalty, since no wrong letter was
// named.
bool MainFrm::computerOhneTaste() {
    if (WortRatenModus) {
        WortRatenModus = FALSCH;
        WortRatenStart = 0;
        setzeLampe(0, false);
    }
    if (punkte() >= wert()) {
        kaufeBuchstabe();
        return false;
    }
    zurueckZumDrehen();
    resetVuRestZeit();
    naechsterSpieler();
    return true;
}

}  // namespace wx
