#include "fenster/DateiInfoFrm.h"

#include <string>

namespace wx {

DateiInfoFrm::DateiInfoFrm(Plattform& p) : Form(p, "DateiInfoFrm") {
    caption = " Datei-Info";
    width = 2940;
    height = 3600;
    helpId = 3004;
    const Schrift fett{"MS Sans Serif", 8.25, true, false};
    neu(Frame1, Art::Frame, "Frame1", nullptr, 90, 135, 2790, 1020).caption = "Wortschatz";
    neu(Label2, Art::Label, "Label2", &Frame1, 135, 345, 1425, 240).caption = "Wortanzahl";
    neu(DatInfLbl[0], Art::Label, "DatInfLbl", &Frame1, 1935, 345, 705, 255, 0).caption = "0";
    neu(Label3, Art::Label, "Label3", &Frame1, 135, 615, 1890, 240).caption = "Grundwortschatz";
    neu(DatInfLbl[1], Art::Label, "DatInfLbl", &Frame1, 1935, 615, 705, 255, 1).caption = "nein";
    neu(Frame2, Art::Frame, "Frame2", nullptr, 90, 1200, 2790, 1815).caption = "Spielstand";
    for (int i = 0; i < 5; ++i) {
        const int32_t top = 360 + 270 * i;
        auto& n = neu(SpName[i], Art::Label, "SpName", &Frame2, 135, top, 1545, 255, i);
        n.caption = "Spieler" + std::to_string(i + 1);
        n.visible = false;
        auto& pk = neu(SpPunkte[i], Art::Label, "SpPunkte", &Frame2, 1935, top, 705, 255, i);
        pk.caption = "0";
        pk.visible = false;
    }
    for (auto* s : steuerelemente) s->schrift = fett;
    auto& ok = neu(okbtn, Art::Button, "okbtn", nullptr, 810, 3090, 1245, 420);
    ok.caption = "&OK";
    ok.standardKnopf = true;
    ok.beiKlick = [this] { okbtn_Click(); };
}

void DateiInfoFrm::zeigeSpieler(const GlobModul& g) {
    for (int k = 0; k < g.nSpieler && k < 5; ++k) zeigeSpielerZeile(k, g.SpielerName[k], 0);
}

void DateiInfoFrm::zeigeSpielerZeile(int k, const std::string& name, int32_t punkte) {
    if (k < 0 || k >= 5) return;
    SpName[k].visible = true;
    SpName[k].caption = name;
    SpPunkte[k].visible = true;
    SpPunkte[k].caption = std::to_string(punkte);
}

void DateiInfoFrm::versteckeSpielerZeile(int k) {
    if (k < 0 || k >= 5) return;
    SpName[k].visible = false;
    SpPunkte[k].visible = false;
}

}  // namespace wx
