// Lamps, the menu group, the guess-time meter, and the hook of the
// play-time gauge.
#include <algorithm>
#include <cmath>
#include <string>

#include "fenster/EinstellFrm.h"
#include "fenster/MainFrm.h"
#include "fenster/MldFenster.h"
#include "fenster/Spiel.h"
#include "basis/Text.h"

namespace wx {

void MainFrm::setzeLampe(int16_t lampe, bool an) {
    Steuerelement* ziel = lampe == 0 ? &WortRatenLampe : lampe == 1 ? &KaufenLampe : nullptr;
    if (!ziel) return;
    ziel->bild = an ? LampeGruenImg.bild : LampeRotImg.bild;
    // The colour alone tells a screen reader nothing: the lamp says what it allows.
    ziel->zugangsName =
        std::string(lampe == 0 ? "Lampe Wort raten: " : "Lampe Kaufen: ") + (an ? "an" : "aus");
}

void MainFrm::schalteMenues(bool an) {
    for (auto* m : {&mnuDateiNeu, &mnuDateiInfo, &mnuDateiMeisterliste, &mnuDateiEnde, &mnuBearbEinstell,
                    &mnuHilfeInfo, &mnuHilfeSpielregeln, &mnuHilfeAktKat})
        m->enabled = an;
}

// ---- the guess-time meter ----
//
// A round dial like a VU meter: the needle turns clockwise over 264 degrees,
// from the lower left (no time used, -42 degrees) over the top (half the
// time, 90 degrees) to the lower right (time over, 222 degrees). Angles are
// measured from the left, so the needle's end lies at centre minus the polar
// offset. RestZeitTimer adds 50 of 1000 every 5 seconds.

namespace {
constexpr int16_t kVoll = 1000;
constexpr int16_t kSchritt = 50;
constexpr int kTakt = 5000;      // ms between two steps of the needle
constexpr int kNachfrage = 100;  // ms between looks while the expiry waits
}  // namespace

double MainFrm::gradInRad(double grad) { return grad * (3.1415926535 / 180); }

std::pair<int16_t, int16_t> MainFrm::polarZuXY(double L, double grad) {
    const double r = gradInRad(grad);
    return {static_cast<int16_t>(runde(L * std::cos(r))), static_cast<int16_t>(runde(L * std::sin(r)))};
}

void MainFrm::drawVuZeiger(int16_t s) {
    const double theta = s / 1000.0 * 264 - 42;
    const double r = vuRestZeitImage.width / 2.0;
    const double L = 0.6 * r;
    const auto [dx, dy] = polarZuXY(L, theta);
    // The needle stands on the axis in the middle of the dial; the width
    // serves for both directions. Positions are whole twips.
    vuNadel.x1 = static_cast<int32_t>(runde(vuRestZeitImage.left + r));
    vuNadel.y1 = static_cast<int32_t>(runde(vuRestZeitImage.top + r));
    vuNadel.x2 = static_cast<int32_t>(runde(vuRestZeitImage.left + r - dx));
    vuNadel.y2 = static_cast<int32_t>(runde(vuRestZeitImage.top + r - dy));

    // For a screen reader the dial is the time left, in seconds.
    if (vuRestZeitImage.bild == vuRestZeitEinImg.bild && !vuRestZeitEinImg.bild.empty()) {
        const int rest = std::max(0, kVoll - s) / kSchritt * kTakt / 1000;
        vuRestZeitImage.zugangsName =
            "Ratezeit: noch " + std::to_string(rest) + (rest == 1 ? " Sekunde" : " Sekunden");
    } else {
        vuRestZeitImage.zugangsName = "Ratezeit: nicht begrenzt";
    }
}

void MainFrm::initVuRestZeit() {
    vuRestZeitImage.bild = vuRestZeitAusImg.bild;
    drawVuZeiger(0);
    // The axis is a round knob an eighth of the dial wide, on the dial's centre.
    const double w = vuRestZeitImage.width;
    vuAchse.width = static_cast<int32_t>(runde(w / 8));
    vuAchse.height = vuAchse.width;
    vuAchse.top = static_cast<int32_t>(runde(vuRestZeitImage.top + w / 2 - vuAchse.width / 2.0));
    vuAchse.left = static_cast<int32_t>(runde(vuRestZeitImage.left + w / 2 - vuAchse.width / 2.0));
}

// Switching on a meter that already runs changes nothing: the time counted
// so far stays, and the timer keeps its rhythm.
void MainFrm::switchVuRestZeit(bool ein) {
    if (ein && RestZeitTimer.enabled) return;
    RestZeitTimer.enabled = ein;
    vuRestZeitImage.bild = ein ? vuRestZeitEinImg.bild : vuRestZeitAusImg.bild;
    resetVuRestZeit();
}

void MainFrm::resetVuRestZeit() {
    RateZeitStand = 0;
    drawVuZeiger(0);
    // An expiry that was waiting for another window is void: the time counts anew.
    RestZeitTimer.intervall = kTakt;
}

// The message window shows one message at a time, and the computer's turn
// must not be cut short; an expiry waits for both. The settings dialog is
// left alone as well.
bool MainFrm::ablaufMussWarten() {
    return spiel.mldFenster().visible || spiel.einstellFrm().visible || ComputerAmZug;
}

void MainFrm::RestZeitTimer_Timer() {
    if (RateZeitStand < kVoll) {
        RateZeitStand = static_cast<int16_t>(RateZeitStand + kSchritt);
        drawVuZeiger(RateZeitStand);
    }
    if (RateZeitStand < kVoll) return;

    if (ablaufMussWarten()) {
        // The needle rests at the end; the timer looks again shortly and
        // the expiry follows as soon as the other window is gone.
        RestZeitTimer.intervall = kNachfrage;
        return;
    }
    RestZeitTimer.enabled = false;
    RestZeitTimer.intervall = kTakt;
    g.MeldungsText = "Die Ratezeit ist leider\rabgelaufen, " +
                     Vorname(g.SpielerName[static_cast<size_t>(g.aktSpieler)]) + ".";
    spiel.sound.spieleSound("ProgrammMeldung");
    spiel.zeigeMeldung(g.MeldungsText, "&OK", "", "Ende der Ratezeit");
    resetVuRestZeit();
    // When the next player is the computer, its whole turn runs in here.
    naechsterSpieler();
    RestZeitTimer.enabled = true;
}

}  // namespace wx
