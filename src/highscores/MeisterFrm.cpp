// The window of the high-score list: four multi-line columns (running
// number, name, date, points) in a frame, best first.
#include "fenster/MeisterFrm.h"

#include "basis/GlobModul.h"
#include "basis/Text.h"
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "highscores/MeisterDb.h"

namespace wx {

namespace {
// Longer names are cut in the window; the database keeps them whole.
constexpr int kNamenLaenge = 18;
}  // namespace

MeisterFrm::MeisterFrm(Spiel& spiel) : Form(spiel.plattform, "MeisterFrm"), spiel_(spiel) {
    caption = "Meisterliste";
    helpId = 3005;
    width = 4755;
    height = 3675;
    neu(Frame1, Art::Frame, "Frame1", nullptr, 75, 0, 4605, 3135).zugangsName = "Meisterliste";
    const Schrift fett{"MS Sans Serif", 8.25, true, false};
    auto ueberschrift = [&](Steuerelement& s, const char* name, const char* text, int32_t left, int32_t w) {
        neu(s, Art::Label, name, &Frame1, left, 195, w, 240);
        s.caption = text;
        s.schrift = fett;
    };
    ueberschrift(Label5, "Label5", "Name", 510, 600);
    ueberschrift(Label6, "Label6", "Datum", 2685, 810);
    ueberschrift(Label7, "Label7", "Punkte", 3720, 780);
    neu(lfdNrLbl, Art::Label, "lfdNrLbl", &Frame1, 60, 525, 375, 2415).schrift = fett;
    lfdNrLbl.ausrichtung = Ausrichtung::Rechts;
    neu(MstNameLbl, Art::Label, "MstNameLbl", &Frame1, 495, 525, 1920, 2415);
    neu(DatLbl, Art::Label, "DatLbl", &Frame1, 2565, 525, 930, 2415);
    neu(PunkteLbl, Art::Label, "PunkteLbl", &Frame1, 3615, 525, 810, 2415);
    PunkteLbl.ausrichtung = Ausrichtung::Rechts;
    for (auto* s : {&Label5, &Label6, &Label7, &lfdNrLbl, &MstNameLbl, &DatLbl, &PunkteLbl})
        s->transparent = true;
    neu(okBtn, Art::Button, "okBtn", nullptr, 1800, 3180, 1140, 435);
    okBtn.caption = "&OK";
    okBtn.standardKnopf = true;
    okBtn.beiKlick = [this] { okBtn_Click(); };
    // Closed from the title bar: the same as OK.
    beiSchliessen = [this] { okBtn_Click(); };
}

MeisterFrm::~MeisterFrm() = default;

void MeisterFrm::zeigeMeisterliste() {
    for (auto* s : {&lfdNrLbl, &MstNameLbl, &DatLbl, &PunkteLbl}) s->caption.clear();
    if (!MstDb) return;
    int k = 1;
    for (const auto& zeile : MstDb->zeilen) {
        if (zeile.Punkte <= 0) continue;  // no number for empty rows
        std::string name = zeile.Name;
        if (laenge(trimme(name)) > kNamenLaenge) {
            const auto teile = zeichen(name);
            name.clear();
            for (int i = 0; i < kNamenLaenge; ++i) name += teile[static_cast<size_t>(i)];
        }
        lfdNrLbl.caption += std::to_string(k) + ".\r";
        MstNameLbl.caption += name + "\r";
        DatLbl.caption += zeile.Datum + "\r";
        PunkteLbl.caption += std::to_string(zeile.Punkte) + "\r";
        ++k;
    }
}

bool MeisterFrm::Form_Load() {
    const bool gelesen = oeffneMeisterListe();
    if (gelesen) zeigeMeisterliste();
    schliesseMeisterDb();
    return gelesen;
}

void MeisterFrm::zeigeModalMitListe() {
    // Read anew every time: another game of this program may have ended in
    // the meantime.
    if (!Form_Load()) {
        auto& g = spiel_.glob;
        g.MeldungsText = "Die Meisterliste kann nicht angezeigt werden.\r" + Fehler;
        spiel_.zeigeMeldung(g.MeldungsText, "&OK", "", "Meisterliste");
        return;
    }
    zeigeModal();
}

void MainFrm::mnuDateiMeisterliste_Click() { spiel.meisterFrm().zeigeModalMitListe(); }

}  // namespace wx
