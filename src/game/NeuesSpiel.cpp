// A new game with the same players: after a question, every score back to
// 0, the first player on turn and a fresh word on the board.
#include <string>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "fenster/MldFenster.h"

namespace wx {

void MainFrm::mnuDateiNeu_Click() {
    if (g.nSpieler > 1)
        g.MeldungsText = "Seid ihr wirklich sicher,\rdass ihr Wirbelix neu\rstarten wollt?";
    else
        g.MeldungsText = "Bist du wirklich sicher,\rdass du Wirbelix neu\rstarten willst?";
    spiel.zeigeMeldung(g.MeldungsText, "&ja", "&nein", "Neues Spiel");
    if (spiel.mldFenster().Antwort == "nein") return;

    for (int16_t i = 0; i < g.nSpieler; ++i) {
        g.aktSpieler = i;
        punkte() = 0;
        updateSpielerPunkte();
    }
    g.aktSpieler = 0;
    zeigePunkte();
    setzeCaption(SpNameLbl, g.SpielerName[0]);
    // A purchase offered to the old score is not offered to the new one.
    pruefeKaufAngebot();

    // A word guess of the old game does not carry over to the new word, nor
    // do the failed attempts at the old word.
    WortRatenModus = FALSCH;
    WortRatenStart = 0;
    setzeLampe(0, false);
    FehlVersuche = 0;

    waehleWort();
    WortAufbauen();
}

}  // namespace wx
