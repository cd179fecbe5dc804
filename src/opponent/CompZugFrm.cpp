// The computer's move window and its timer: the pace of the computer's turn.
#include "fenster/CompZugFrm.h"

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace wx {

CompZugFrm::CompZugFrm(Spiel& spiel) : Form(spiel.plattform, "CompZugFrm"), spiel_(spiel) {
    caption.clear();  // a window without title text
    width = 4635;
    height = 1485;

    // The frame reaches a little above the window, so only its lower edge shows.
    neu(Frame1, Art::Frame, "Frame1", nullptr, 30, -60, 4575, 1515);
    auto& bild = neu(Image1, Art::Image, "Image1", &Frame1, 120, 180, 1275, 1170);
    bild.bild = "@computer";
    bild.zugangsName = "Computer";
    Frame1.zugangsName = "Der Computer ist am Zug";
    bild.strecken = true;
    auto& bitte = neu(Label1, Art::Label, "Label1", &Frame1, 1530, 240, 2985, 345);
    bitte.caption = "Bitte warten!";
    bitte.schrift = Schrift{"Arial", 12, true, false};
    auto& text = neu(Label2, Art::Label, "Label2", &Frame1, 1530, 630, 2985, 735);
    text.caption = "Ich darf jetzt das Wirbelix drehen und einen Buchstaben raten.";
    text.schrift = Schrift{"Arial", 9.75, true, false};
    text.wortUmbruch = true;
    for (auto* l : {&bitte, &text}) l->transparent = true;

    neuerTimer(CompZugTimer, "CompZugTimer", 100);
    CompZugTimer.beiTick = [this] { CompZugTimer_Timer(); };
    // The player cannot send the computer away: a close request does nothing.
    beiSchliessen = [] {};
}

void CompZugFrm::zeigeZug() {
    Form_Activate();
    zeigeModal();
}

void CompZugFrm::Form_Activate() {
    TickZaehler = 0;
    spiel_.mainFrm().RadDrehen();
}

void CompZugFrm::CompZugTimer_Timer() {
    MainFrm& m = spiel_.mainFrm();
    if (TickZaehler < ZugTicks) {
        ++TickZaehler;
        if (ZugTicks - TickZaehler == 3) m.RadStoppen();
        return;
    }

    CompZugTimer.enabled = false;
    m.simuliereComputerZug();
    // The turn is over when it has left the computer. A move that leaves the
    // turn with the computer (it bought a letter, or the turn came straight
    // back to it because no human plays) goes on with another spin.
    if (!m.ComputerAmZug) {
        verstecke();
        return;
    }
    ZugTicks = spiel_.glob.zufallsZahl(20, 80);
    TickZaehler = 0;
    CompZugTimer.enabled = true;
    m.RadDrehen();
}

}  // namespace wx
