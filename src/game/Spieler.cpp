// Turns and scores: whose turn it is, the six score digits, and the score
// column of the game-info window.
#include <cstdlib>
#include <string>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "fenster/CompZugFrm.h"
#include "fenster/DateiInfoFrm.h"

namespace wx {

namespace {

// A score with at least six digits, leading zeros ("000000" pattern).
std::string sechsstellig(int32_t punkte) {
    std::string ziffern = std::to_string(std::abs(static_cast<int64_t>(punkte)));
    if (ziffern.size() < 6) ziffern.insert(0, 6 - ziffern.size(), '0');
    return punkte < 0 ? "-" + ziffern : ziffern;
}

}  // namespace

void MainFrm::naechsterSpieler() {
    if (++g.aktSpieler > g.nSpieler - 1) g.aktSpieler = 0;
    setzeCaption(SpNameLbl, g.SpielerName[static_cast<size_t>(g.aktSpieler)]);
    zeigePunkte();

    if (SpNameLbl.caption == "Computer" && g.GegenComputer == 1) {
        schalteMenues(false);
        resetVuRestZeit();
        CompZugFrm& zug = spiel.compZugFrm();
        zug.CompZugTimer.intervall = 100;
        zug.ZugTicks = g.zufallsZahl(20, 80);
        zug.CompZugTimer.enabled = true;
        ComputerAmZug = WAHR;
        // The window plays the whole turn; the call returns when it is over.
        // When the computer's own move handed the turn straight back to it
        // (no human plays), the window is still open and goes on: its next
        // tick ends the move that was lost and spins the wheel anew, rather
        // than counting on towards a stop of the wheel that already stands.
        if (!zug.visible)
            zug.zeigeZug();
        else
            zug.TickZaehler = zug.ZugTicks;
    } else {
        schalteMenues(true);
        ComputerAmZug = FALSCH;
    }
}

void MainFrm::zeigePunkte() {
    const std::string text = sechsstellig(punkte());
    // A screen reader reads the score as one number from any of its digits.
    const std::string name = "Punkte: " + std::to_string(punkte());
    for (size_t i = 0; i < punkZiff.size(); ++i) {
        punkZiff[i].caption = text.substr(i, 1);
        punkZiff[i].zugangsName = name;
    }
    jetztZeichnen();
}

void MainFrm::updateSpielerPunkte() {
    const auto i = static_cast<size_t>(g.aktSpieler);
    spiel.dateiInfoFrm().SpPunkte[i].caption = std::to_string(g.SpielerPunkte[i]);
}

}  // namespace wx
