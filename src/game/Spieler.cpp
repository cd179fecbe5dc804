// Turns and scores: whose turn it is, the six score digits, and the score
// column of the game-info window.
#include <cstdlib>
#include <string>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
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
        // GAP: the computer's move window comes with the computer opponent:
        // CompZugTimer interval 100 ms, ZugTicks = zufallsZahl(20, 80), timer on.
        ComputerAmZug = WAHR;
        // GAP: show CompZugFrm modally here; its timer plays the whole turn
        // and the call returns when the turn is over.
    } else {
        schalteMenues(true);
        ComputerAmZug = FALSCH;
    }
}

void MainFrm::zeigePunkte() {
    const std::string text = sechsstellig(g.SpielerPunkte[static_cast<size_t>(g.aktSpieler)]);
    for (size_t i = 0; i < punkZiff.size(); ++i) punkZiff[i].caption = text.substr(i, 1);
    jetztZeichnen();
}

void MainFrm::updateSpielerPunkte() {
    const auto i = static_cast<size_t>(g.aktSpieler);
    spiel.dateiInfoFrm().SpPunkte[i].caption = std::to_string(g.SpielerPunkte[i]);
}

}  // namespace wx
