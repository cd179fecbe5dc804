#include "fenster/MldFenster.h"

#include "basis/Text.h"

namespace wx {

namespace {
// The sums of the layout are whole 16-bit numbers, rounded halves to even.
int16_t W(double x) { return static_cast<int16_t>(runde(x)); }
}  // namespace

MldFenster::MldFenster(Plattform& p) : Form(p, "MldFenster") {
    // The message window is sized from the outside, title bar included.
    width = 4170;
    height = 2490;
    aussenMass = true;
    helpId = 1000;
    neu(Image1, Art::Image, "Image1", nullptr, 150, 180, 675, 675).bild = "@meldung";
    neu(MldFrame, Art::Frame, "MldFrame", nullptr, 960, 90, 3105, 1725);
    Image1.zugangsName = "Hinweiszeichen";
    MldFrame.zugangsName = "Meldung";
    auto& m = neu(Meldung, Art::Label, "Meldung", &MldFrame, 120, 180, 900, 240);
    m.autoSize = true;
    m.schrift = Schrift{"MS Sans Serif", 9.75, true, false};
    m.transparent = true;
    for (auto* b : {&Btn1, &Btn2}) {
        neu(*b, Art::Button, b == &Btn1 ? "Btn1" : "Btn2", nullptr, b == &Btn1 ? 120 : 2820, 1950, 1215, 405);
        b->visible = false;
        b->schrift = Schrift{"MS Sans Serif", 8.25, true, false};
    }
    Btn1.standardKnopf = true;
    Btn1.beiKlick = [this] { Btn1_Click(); };
    Btn2.beiKlick = [this] { Btn2_Click(); };
    // Closed without a button (title bar, Alt+F4, Escape), the window answers
    // as its last button: "nein" to a yes/no question, "OK" to a message.
    escSchliesst = true;
    beiSchliessen = [this] {
        if (Btn2.visible)
            Btn2_Click();
        else
            Btn1_Click();
    };
}

void MldFenster::setzeAntwort(const std::string& caption) {
    std::string ohne;
    for (char c : caption)
        if (c != '&') ohne += c;
    Antwort = ohne;
}

void MldFenster::Btn1_Click() {
    setzeAntwort(Btn1.caption);
    verstecke();
    Btn1.visible = false;
}

void MldFenster::Btn2_Click() {
    setzeAntwort(Btn2.caption);
    verstecke();
    Btn2.visible = false;
}

void MldFenster::zeige(const std::string& meldText, const std::string& knopf1, const std::string& knopf2,
                       const std::string& titel) {
    caption = titel;
    setzeCaption(Meldung, meldText);
    MldFrame.width = W(Meldung.width + Meldung.left) + 200;
    width = MldFrame.width + MldFrame.left + 200;
    MldFrame.height = W(Meldung.height + Meldung.top) + 100;
    const int32_t y = W(MldFrame.height + MldFrame.top);
    int knoepfe = 0;
    if (!knopf1.empty()) {
        Btn1.caption = knopf1;
        Btn1.top = y + 100;
        Btn1.visible = true;
        knoepfe = 1;
    }
    if (!knopf2.empty()) {
        Btn2.caption = knopf2;
        Btn2.top = y + 100;
        Btn2.visible = true;
        ++knoepfe;
    } else {
        Btn2.visible = false;
    }
    if (knoepfe == 1) {
        Btn1.left = static_cast<int32_t>(runde((width - Btn1.width) / 2.0));
    } else {
        Btn1.left = 120;
        Btn2.left = MldFrame.width + MldFrame.left - Btn2.width;
    }
    height = Btn1.height + Btn1.top + 500;
    zeigeModal();
}

}  // namespace wx
