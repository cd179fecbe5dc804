// The points wheel: ten pictures of one wheel, one shown at a time. A spin
// shows the next picture every 30 ms; where it stops decides the value.
#include <string>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "basis/Text.h"

namespace wx {

namespace {

// What a screen reader says for one picture of the wheel: the segment it
// stands on, as the picture shows it.
std::string radName(int16_t wert) {
    switch (wert) {
        case 0:
            return "Glücksrad: Aussetzen";
        case -1:
            return "Glücksrad: alle Punkte weg";
        case 300:
            return "Glücksrad: Glückstreffer, 100 Punkte";
        default:
            return "Glücksrad: " + std::to_string(wert) + " Punkte";
    }
}

}  // namespace

void MainFrm::initRadWerte() {
    RadWerte = {0, 20, 80, 300, 150, -1, 200, 10, 40, 100};
    // Only the picture at RadPos is shown, so its name is the wheel's value.
    for (size_t i = 0; i < RadImg.size(); ++i) RadImg[i].zugangsName = radName(RadWerte[i]);
}

void MainFrm::ladeRadBilder() {
    std::string fehlen;
    for (int i = 0; i < 10; ++i) {
        const std::string name = "Grafik\\GRAD" + std::to_string(i) + ".WMF";
        const std::string pfad = findeDatei(g.AppPfad + "\\" + name);
        const bool da = dateiVorhanden(pfad);
        RadImg[static_cast<size_t>(i)].bild = da ? pfad : std::string();
        if (!da) fehlen += "\r\"" + name + "\"";
    }
    // The game can be played with a blank segment, but the player should
    // know why the wheel looks wrong.
    if (!fehlen.empty()) {
        g.MeldungsText =
            "Diese Bilder des Glücksrads fehlen:" + fehlen + "\rDas Rad bleibt an diesen Stellen leer.";
        spiel.zeigeMeldung(g.MeldungsText, "&OK", "", "Fehlende Datei");
    }
}

void MainFrm::warteSekunden(int16_t n) {
    Plattform& p = plattform();
    const int32_t start = g.sekundenJetzt();
    p.beginnePause();
    while (g.sekundenSeit(start) < n) p.schlafe(0.05);
    p.beendePause();
}

// ---- the spin ----

void MainFrm::RadDrehen() {
    gradTimer.enabled = true;
    DrehStart = g.sekundenJetzt();
    drehenBtn.enabled = false;
    WortRatenBtn.enabled = false;
    setzeLampe(1, false);
    BstKaufBtn.enabled = false;
    showSatzBtn.enabled = false;
    if (!ComputerAmZug) anhaltenBtn.enabled = true;
    if (SatzBspLbl.visible) versteckeSatz();
    spiel.sound.spieleSound("BewegungStart");
}

void MainFrm::gradTimer_Timer() {
    RadImg[static_cast<size_t>(RadPos)].visible = false;
    if (++RadPos >= 10) RadPos = 0;
    RadImg[static_cast<size_t>(RadPos)].visible = true;

    // A spin may run past midnight.
    if (g.sekundenSeit(DrehStart) > 10) RadStoppen();
}

void MainFrm::RadStoppen() {
    gradTimer.enabled = false;
    const int16_t v = wert();
    int32_t& punkte = MainFrm::punkte();

    if (v == -1) {  // all points lost, spin again
        drehenBtn.enabled = true;
        punkte = 0;
        zeigeUndMerkePunkte();
        spiel.sound.spieleSound("AllgemeinerFehler");
        resetVuRestZeit();
    } else if (v == 0) {  // the turn is lost
        spiel.sound.spieleSound("BewegungEnde");
        resetVuRestZeit();
        drehenBtn.enabled = true;
        naechsterSpieler();
    } else if (v == 300) {  // lucky hit: 100 points at once, spin again
        drehenBtn.enabled = true;
        punkte += 100;
        zeigeUndMerkePunkte();
        spiel.sound.spieleSound("Glückstreffer");
        resetVuRestZeit();
    } else {  // a points value: now a letter, a purchase or the word
        BstKaufBtn.enabled = true;
        showSatzBtn.enabled = true;
        setzeLampe(1, true);
        drehenBtn.enabled = false;
        WortRatenBtn.enabled = true;
        setzeBuchstabenTasten(true);
        spiel.sound.spieleSound("BewegungStop");
    }

    // After a lost turn this is the next player's score.
    pruefeKaufAngebot();
    anhaltenBtn.enabled = false;
    if (bstBtn[0].enabled) setzeFokus(bstBtn[0]);
}

void MainFrm::pruefeKaufAngebot() {
    if (punkte() >= wert()) return;
    BstKaufBtn.enabled = false;
    showSatzBtn.enabled = false;
    setzeLampe(1, false);
}

void MainFrm::drehenBtn_Click() {
    if (!ComputerAmZug) RadDrehen();
}

void MainFrm::anhaltenBtn_Click() {
    if (!ComputerAmZug) RadStoppen();
}

}  // namespace wx
