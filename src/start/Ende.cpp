// Leaving the game: the quit question and the orderly end of the program.
//
// The menu command and closing the main window ask first; the play-time limit
// and an end asked for from outside (session end, SIGTERM) do not. Every end
// runs the same sequence once: sound, pause, high scores, settings, help
// windows, audio, exit.
#include "fenster/EndeFrm.h"
#include "fenster/EinstellFrm.h"
#include "fenster/MainFrm.h"
#include "fenster/MeisterFrm.h"
#include "fenster/Spiel.h"

namespace wx {

namespace {
constexpr int kEscape = 27;
// Below this height the play-time bar means the play time is over.
constexpr int32_t kLeererBalken = 100;
}  // namespace

EndeFrm::EndeFrm(Plattform& p) : Form(p, "EndeFrm") {
    caption = "Wirbelix beenden";
    helpId = 3009;
    width = 3795;
    height = 1800;
    neu(Image1, Art::Image, "Image1", nullptr, 150, 180, 675, 675).bild = "@meldung";
    neu(MldFrame, Art::Frame, "MldFrame", nullptr, 960, 90, 2745, 1095);
    Image1.zugangsName = "Hinweiszeichen";
    MldFrame.zugangsName = "Meldung";
    auto& m = neu(Meldung, Art::Label, "Meldung", &MldFrame, 120, 210, 2490, 750);
    m.wortUmbruch = true;
    m.transparent = true;
    m.schrift = Schrift{"MS Sans Serif", 9.75, true, false};
    neu(jaBtn, Art::Button, "jaBtn", nullptr, 90, 1260, 1320, 450).caption = "&ja";
    neu(neinBtn, Art::Button, "neinBtn", nullptr, 2370, 1260, 1320, 450).caption = "&nein";
    for (auto* b : {&jaBtn, &neinBtn}) b->schrift = Schrift{"MS Sans Serif", 8.25, true, false};
    jaBtn.standardKnopf = true;
    jaBtn.beiKlick = [this] { jaBtn_Click(); };
    neinBtn.beiKlick = [this] { neinBtn_Click(); };
    beiSchliessen = [this] { Form_QueryUnload(); };
    beiTaste = [this](int code) {
        if (code == kEscape) Form_QueryUnload();
    };
}

void EndeFrm::jaBtn_Click() {
    Antwort = "ja";
    verstecke();
}

void EndeFrm::neinBtn_Click() {
    Antwort = "nein";
    verstecke();
}

void MainFrm::frageBeenden() {
    // The computer is not asked.
    int n = g.nSpieler;
    if (g.GegenComputer == 1) --n;
    g.MeldungsText = n <= 1 ? "Bist du wirklich sicher, dass du Wirbelix beenden willst?"
                            : "Seid ihr wirklich sicher, dass ihr Wirbelix beenden wollt?";
    EndeFrm& frage = spiel.endeFrm();
    setzeCaption(frage.Meldung, g.MeldungsText);
    frageOffen_ = true;
    frage.zeigeModal();
    frageOffen_ = false;
}

void MainFrm::mnuDateiEnde_Click() {
    if (EndeLaeuft || frageOffen_) return;
    if (RestZeitStand.height >= kLeererBalken) {
        frageBeenden();
        if (spiel.endeFrm().Antwort == "nein") return;
    }
    programmEnde();
}

// A second close request while the question is open asks nothing more: the
// open question answers it.
void MainFrm::Form_Unload() { mnuDateiEnde_Click(); }

void MainFrm::programmEndeVonAussen() {
    if (EndeLaeuft) return;
    endeVonAussen_ = true;
    programmEnde();
}

void MainFrm::programmEnde() {
    if (EndeLaeuft) return;
    EndeLaeuft = true;
    // Nothing of the game moves any more while it ends.
    gradTimer.enabled = false;
    RestZeitTimer.enabled = false;
    EnergTimer.enabled = false;

    spiel.sound.spieleSound("ProgrammEnde");
    warteSekunden(3);
    if (!spiel.meisterFrm().updateMeister() && !endeVonAussen_) {
        g.MeldungsText = "Die Punkte konnten nicht in die Meisterliste\reingetragen werden.\r" +
                         spiel.meisterFrm().Fehler + "\rWirbelix wird trotzdem beendet.";
        spiel.zeigeMeldung(g.MeldungsText, "&OK", "", "Meisterliste");
    }
    spiel.einstellFrm().saveKelmoIni();
    spiel.schliesseHilfe();
    spiel.sound.schliessen();
    plattform().beenden();
}

}  // namespace wx
