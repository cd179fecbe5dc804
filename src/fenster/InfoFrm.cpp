#include "fenster/InfoFrm.h"

#include <string>

#ifndef WIRBELIX_NEBENVERSION
#define WIRBELIX_NEBENVERSION 0
#endif
#ifndef WIRBELIX_REVISION
#define WIRBELIX_REVISION 0
#endif

namespace wx {

const int InfoFrm::kNebenVersion = WIRBELIX_NEBENVERSION;
const int InfoFrm::kRevision = WIRBELIX_REVISION;

InfoFrm::InfoFrm(Plattform& p, int nebenVersion, int revision) : Form(p, "InfoFrm") {
    caption = "Info über ...";
    width = 3285;
    height = 3660;
    helpId = 3007;
    const Schrift fett{"MS Sans Serif", 8.25, true, false};
    const Schrift normal{"MS Sans Serif", 8.25, false, false};

    neu(Image1, Art::Image, "Image1", nullptr, 1650, 90, 1500, 555).bild = "@info_logo";
    Image1.zugangsName = "Wirbelix-Logo";
    auto& rahmen = neu(Frame1, Art::Frame, "Frame1", nullptr, 90, 720, 3135, 2445);
    rahmen.caption = "Wirbelix";
    rahmen.schrift = fett;

    // Captions at the left, their values beside them.
    struct Zeile {
        Steuerelement* titel;
        const char* titelName;
        const char* titelText;
        Steuerelement* wert;
        const char* wertName;
        std::string wertText;
        int32_t top, hoehe;
    };
    const Zeile zeilen[] = {
        {&Label1, "Label1", "Version:", &RelLbl, "RelLbl",
         "4." + std::to_string(nebenVersion) + "." + std::to_string(revision), 300, 240},
        {&Label2, "Label2", "Autor:", &AutorLbl, "AutorLbl", "Das Tovenhalm-Team", 600, 240},
        {&Label3, "Label3", "Anschrift:", &AnschriftLbl, "AnschriftLbl",
         "Tovenhalm Lernsoftware\rAm Glücksrad 4\r12345 Buchstabenhausen", 900, 720},
        {&Label4, "Label4", "Internet:", &InternetLbl, "InternetLbl", "www.tovenhalm.example", 1680, 240},
    };
    for (const auto& z : zeilen) {
        auto& t = neu(*z.titel, Art::Label, z.titelName, &Frame1, 90, z.top, 900, 240);
        t.caption = z.titelText;
        t.schrift = fett;
        auto& w = neu(*z.wert, Art::Label, z.wertName, &Frame1, 1020, z.top, 2025, z.hoehe);
        w.caption = z.wertText;
        w.schrift = normal;
    }
    auto& recht = neu(Label5, Art::Label, "Label5", &Frame1, 90, 1980, 2955, 420);
    recht.caption = "© Tovenhalm Lernsoftware.\rAlle Rechte vorbehalten.";
    recht.schrift = normal;

    auto& ok = neu(okBtn, Art::Button, "okBtn", nullptr, 1080, 3240, 1035, 345);
    ok.caption = "&OK";
    ok.schrift = fett;
    ok.standardKnopf = true;
    ok.beiKlick = [this] { okBtn_Click(); };
    beiTaste = [this](int code) { Form_KeyPress(code); };
}

void InfoFrm::Form_KeyPress(int ansiCode) {
    if (ansiCode == 27) okBtn_Click();
}

}  // namespace wx
