// The settings dialog: its controls, OK and Cancel, the colour options, the
// board redrawn after a change, and the game's section of Kelmo.ini.
#include "fenster/EinstellFrm.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "basis/GlobModul.h"
#include "basis/IniAbschnitt.h"
#include "basis/Text.h"
#include "fenster/DateiInfoFrm.h"
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "settings/IniDatei.h"

namespace wx {

namespace {

constexpr const char* kAbschnitt = "[Wirbelix]";
constexpr const char* kComputer = "Computer";

// How a setting sits in the dialog and in the file.
enum class Regel {
    Kasten,   // a check box: 0 or 1
    Staerke,  // the three strength options SpSt(0..2)
    Farbig,   // the two colour options; in the file "1" or "0"
    Anzahl,   // the up-down control
};

struct Einstellung {
    int16_t GlobModul::*feld;
    Regel regel;
    Steuerelement EinstellFrm::*kasten;  // the check box of a Kasten setting
};

// The nine settings in the order of their keys in EinstellSchluessel.
const std::array<Einstellung, 9> kEinstellungen = {{
    {&GlobModul::GegenComputer, Regel::Kasten, &EinstellFrm::gegenComp},
    {&GlobModul::ComputerSpielStaerke, Regel::Staerke, nullptr},
    {&GlobModul::TastaturEingabeSperren, Regel::Kasten, &EinstellFrm::TastaturAus},
    {&GlobModul::TonEinschalten, Regel::Kasten, &EinstellFrm::TonEin},
    {&GlobModul::BuchstabenRahmen, Regel::Kasten, &EinstellFrm::BstRahmEin},
    {&GlobModul::LoesungswortFarbig, Regel::Farbig, nullptr},
    {&GlobModul::RatezeitBegrenzen, Regel::Kasten, &EinstellFrm::RateZeitEin},
    {&GlobModul::FehlversucheMaximum, Regel::Anzahl, nullptr},
    {&GlobModul::EinstellungenSpeichern, Regel::Kasten, &EinstellFrm::EinstSaveOpt},
}};

// The number a value of the file begins with, as a whole 16-bit number
// ("3" -> 3, "1.0" -> 1, "2.5" -> 2, "ja" -> 0); huge numbers stop at the
// ends of the range instead of wrapping round.
int16_t zahlAus(const std::string& wert) {
    const int64_t n = runde(zahlAmAnfang(wert));
    return static_cast<int16_t>(
        std::clamp<int64_t>(n, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

// W(...) of the board: a whole 16-bit number, rounded halves to even.
int32_t W(double x) { return static_cast<int16_t>(runde(x)); }

Farbe farbeAus(const FarbTabelle& t, int i) {
    const auto& c = t[static_cast<size_t>(i)];
    return Farbe{c[0], c[1], c[2]};
}

}  // namespace

EinstellFrm::EinstellFrm(Spiel& spiel) : Form(spiel.plattform, "EinstellFrm"), spiel_(spiel) {
    helpId = 3003;
    caption = "Einstellungen";
    width = 6135;
    height = 3315;

    neu(Frame1, Art::Frame, "Frame1", nullptr, 3570, 90, 2490, 1575).caption = "Computer";
    neu(gegenComp, Art::CheckBox, "gegenComp", &Frame1, 120, 300, 2250, 270).caption = "&als Gegenspieler";
    neu(SpSt[0], Art::Option, "SpSt", &Frame1, 360, 615, 1650, 255, 0).caption = "&stark";
    neu(SpSt[1], Art::Option, "SpSt", &Frame1, 360, 900, 1860, 270, 1).caption = "&mittelmäßig";
    neu(SpSt[2], Art::Option, "SpSt", &Frame1, 360, 1170, 1650, 255, 2).caption = "sc&hwach";
    SpSt[0].wert = 1;

    neu(Frame2, Art::Frame, "Frame2", nullptr, 90, 1710, 3345, 1515).caption = "Verschiedenes";
    neu(TonEin, Art::CheckBox, "TonEin", &Frame2, 120, 300, 2910, 240).caption = "&Ton einschalten";
    neu(RateZeitEin, Art::CheckBox, "RateZeitEin", &Frame2, 120, 540, 2775, 330).caption =
        "&Ratezeit begrenzen";
    neu(TastaturAus, Art::CheckBox, "TastaturAus", &Frame2, 120, 810, 2775, 330).caption =
        "&Tastatur sperren";
    neu(EinstSaveOpt, Art::CheckBox, "EinstSaveOpt", &Frame2, 120, 1080, 2925, 330).caption =
        "Einstellungen s&peichern";
    TonEin.wert = 1;
    EinstSaveOpt.wert = 1;

    neu(Frame3, Art::Frame, "Frame3", nullptr, 90, 90, 3345, 1575).caption = "Lösungswort";
    neu(BstRahmEin, Art::CheckBox, "BstRahmEin", &Frame3, 120, 300, 2595, 240).caption = "&Buchstabenrahmen";
    neu(LoesWortFarbe, Art::Option, "LoesWortFarbe", &Frame3, 360, 600, 1935, 240).caption = "&farbig/farbig";
    neu(LoesWortSW, Art::Option, "LoesWortSW", &Frame3, 360, 870, 1935, 240).caption = "blau/&weiß";
    neu(Label1, Art::Label, "Label1", &Frame3, 150, 1155, 2475, 255).caption = "Fehlversuche maximal";
    LoesWortFarbe.wert = 1;

    // The text box with its attached up-down control at its right edge.
    nFehlVersuche.name = "nFehlVersuche";
    nFehlVersuche.container = &Frame3;
    nFehlVersuche.left = 2670;
    nFehlVersuche.top = 1110;
    nFehlVersuche.width = 300;
    nFehlVersuche.height = 360;
    auto& updn = neu(UpDnFehlVersuche, Art::SpinBox, "UpDnFehlVersuche", &Frame3, 2670, 1110, 300 + 255, 360);
    updn.minimum = 1;
    updn.maximum = 9;
    updn.zugangsName = "Fehlversuche maximal";
    setzeFehlversuche(5);

    auto& ok = neu(okBtn, Art::Button, "okBtn", nullptr, 4020, 2580, 1545, 450);
    ok.caption = "&OK";
    ok.standardKnopf = true;
    neu(abbrBtn, Art::Button, "abbrBtn", nullptr, 4020, 2070, 1545, 450).caption = "&abbrechen";

    okBtn.beiKlick = [this] { okBtn_Click(); };
    abbrBtn.beiKlick = [this] { abbrBtn_Click(); };
    LoesWortFarbe.beiKlick = [this] { LoesWortFarbe_Click(); };
    LoesWortSW.beiKlick = [this] { LoesWortSW_Click(); };
    // Closing the window by its title bar throws the changes away, as Cancel does.
    beiSchliessen = [this] { abbrBtn_Click(); };
}

void EinstellFrm::waehleOption(Steuerelement& option) {
    for (Steuerelement* o : steuerelemente)
        if (o->art == Art::Option && o->container == option.container) o->wert = 0;
    option.wert = 1;
    if (option.beiKlick) option.beiKlick();
}

void EinstellFrm::setzeFehlversuche(int n) {
    UpDnFehlVersuche.wert = std::clamp(n, UpDnFehlVersuche.minimum, UpDnFehlVersuche.maximum);
    nFehlVersuche.caption = std::to_string(UpDnFehlVersuche.wert);
}

void EinstellFrm::LoesWortFarbe_Click() {
    if (LoesWortFarbe.wert) BstRahmEin.enabled = true;
}

// A blue-on-white word always has frames round its cells: without them its
// white cells would melt into one bar and hide how many letters it has.
void EinstellFrm::LoesWortSW_Click() {
    if (LoesWortSW.wert) {
        BstRahmEin.wert = 1;
        BstRahmEin.enabled = false;
    } else {
        BstRahmEin.enabled = true;
    }
}

void EinstellFrm::EinstellAenderungUebernehmen() {
    auto& g = spiel_.glob;
    for (const auto& e : kEinstellungen) {
        int16_t& feld = g.*e.feld;
        switch (e.regel) {
            case Regel::Kasten:
                feld = (this->*e.kasten).wert != 0 ? 1 : 0;
                break;
            case Regel::Staerke:
                feld = SpSt[0].wert ? 0 : SpSt[1].wert ? 1 : 2;
                break;
            case Regel::Farbig:
                feld = alsFlag(LoesWortFarbe.wert != 0);
                break;
            case Regel::Anzahl:
                feld = static_cast<int16_t>(UpDnFehlVersuche.wert);
                break;
        }
    }

    // The board: cells edge to edge after the context, in the new colours.
    auto& m = spiel_.mainFrm();
    int16_t farbe = g.zufallsZahl(0, 9);
    int32_t x = 135;
    if (!m.KontextLbl.caption.empty()) x = W(m.KontextLbl.width + 135 + 80);
    for (int i = 0; i < static_cast<int>(m.BstLbl.size()); ++i) {
        auto& zelle = m.BstLbl[static_cast<size_t>(i)];
        zelle.left = x;
        const bool gefunden = i < g.aktBstPos;
        if (!LoesWortFarbe.wert) {
            if (zelle.visible) {
                zelle.hinter = kWeiss;
                zelle.vorder = gefunden ? kBlau : kWeiss;
            }
        } else {
            if (++farbe > 9) farbe = 0;
            zelle.hinter = farbeAus(g.HintergrundFarben, farbe);
            zelle.vorder = gefunden ? farbeAus(g.SchriftFarben, farbe) : zelle.hinter;
        }
        zelle.rahmen = BstRahmEin.wert != 0;
        x = W(x + zelle.width);
    }
}

void EinstellFrm::okBtn_Click() {
    auto& g = spiel_.glob;
    auto& m = spiel_.mainFrm();
    if (RateZeitEin.wert) {
        // A meter that already runs goes on without starting again.
        if (!m.RestZeitTimer.enabled) m.switchVuRestZeit(true);
    } else {
        m.switchVuRestZeit(false);
    }
    nFehlVersuche.caption = std::to_string(UpDnFehlVersuche.wert);
    EinstellAenderungUebernehmen();

    auto& info = spiel_.dateiInfoFrm();
    const bool computerZuletzt =
        g.nSpieler > 0 && g.SpielerName[static_cast<size_t>(g.nSpieler - 1)] == kComputer;
    if (gegenComp.wert && !computerZuletzt) {
        if (g.nSpieler >= static_cast<int16_t>(g.SpielerName.size())) {
            // No room for a sixth player: the list stays, and so that the
            // settings say what is played, the computer stays off.
            gegenComp.wert = 0;
            g.GegenComputer = 0;
            g.MeldungsText = std::string("Es spielen schon fünf Spieler mit.\r") +
                             "Für den Computer ist kein Platz mehr frei.";
            spiel_.zeigeMeldung(g.MeldungsText, "&OK", "", "Einstellungen");
        } else {
            const auto k = static_cast<size_t>(g.nSpieler);
            ++g.nSpieler;
            g.SpielerName[k] = kComputer;
            g.SpielerPunkte[k] = 0;
            g.SpielerDatei[k].clear();
            info.zeigeSpielerZeile(static_cast<int>(k), kComputer, 0);
        }
    } else if (!gegenComp.wert && computerZuletzt) {
        const auto k = static_cast<size_t>(g.nSpieler - 1);
        info.versteckeSpielerZeile(static_cast<int>(k));
        --g.nSpieler;
        if (g.aktSpieler >= g.nSpieler) {
            // The removed player was at the turn (played as a human): the
            // turn goes round to the first player.
            g.aktSpieler = 0;
            m.setzeCaption(m.SpNameLbl, g.SpielerName[0]);
            m.zeigePunkte();
        }
    }
    verstecke();
}

void EinstellFrm::abbrBtn_Click() {
    verstecke();
    auto& g = spiel_.glob;
    for (const auto& e : kEinstellungen) {
        const int16_t wert = g.*e.feld;
        switch (e.regel) {
            case Regel::Kasten:
                (this->*e.kasten).wert = wert != 0 ? 1 : 0;
                break;
            case Regel::Staerke:
                if (wert >= 0 && wert <= 2) waehleOption(SpSt[static_cast<size_t>(wert)]);
                break;
            case Regel::Farbig:
                waehleOption(wert ? LoesWortFarbe : LoesWortSW);
                break;
            case Regel::Anzahl:
                setzeFehlversuche(wert);
                break;
        }
    }
}

void EinstellFrm::loadKelmoIni() {
    auto& g = spiel_.glob;
    const auto zeilen = leseAnsiZeilen(g.AppPfad + "\\Kelmo.ini");
    if (!zeilen || std::find(zeilen->begin(), zeilen->end(), kAbschnitt) == zeilen->end()) {
        // No file, or one that has never held the game's section: the
        // dialog keeps its own values and the settings take them, so that
        // the first save stores those and not zeros for sound, colours and
        // attempts.
        EinstellAenderungUebernehmen();
        return;
    }

    const size_t n =
        std::min<size_t>(kEinstellungen.size(), static_cast<size_t>(std::max<int16_t>(g.nEinstellungen, 0)));
    const std::vector<std::string> schluessel(g.EinstellSchluessel.begin(), g.EinstellSchluessel.begin() + n);
    // Each line is applied as it comes, as if the user set that control:
    // a later line for the same key counts, and blue on white checks the
    // frames, which a frame line further down can still switch off.
    for (const auto& [i, text] : leseIniEintraege(*zeilen, kAbschnitt, schluessel)) {
        const auto& e = kEinstellungen[i];
        const int16_t zahl = zahlAus(text);
        switch (e.regel) {
            case Regel::Kasten:
                g.*e.feld = zahl;
                (this->*e.kasten).wert = zahl != 0 ? 1 : 0;
                break;
            case Regel::Staerke:
                // Only 0, 1 and 2 name an option; anything else is left alone.
                if (zahl >= 0 && zahl <= 2) {
                    g.*e.feld = zahl;
                    waehleOption(SpSt[static_cast<size_t>(zahl)]);
                }
                break;
            case Regel::Farbig:
                g.*e.feld = alsFlag(zahl == 1);
                waehleOption(text == "1" ? LoesWortFarbe : LoesWortSW);
                break;
            case Regel::Anzahl:
                g.*e.feld = zahl;
                setzeFehlversuche(zahl);
                break;
        }
    }
    EinstellAenderungUebernehmen();
}

bool EinstellFrm::saveKelmoIni() {
    if (!EinstSaveOpt.wert) return true;
    const auto& g = spiel_.glob;
    const std::string ini = findeDatei(g.AppPfad + "\\Kelmo.ini");
    const std::string tmp = findeDatei(g.AppPfad + "\\Kelmo.tmp");

    std::vector<std::string> eintraege;
    const size_t n =
        std::min<size_t>(kEinstellungen.size(), static_cast<size_t>(std::max<int16_t>(g.nEinstellungen, 0)));
    for (size_t i = 0; i < n; ++i) {
        const auto& e = kEinstellungen[i];
        const int16_t wert = g.*e.feld;
        const std::string text = e.regel == Regel::Farbig ? (wert ? "1" : "0") : std::to_string(wert);
        eintraege.push_back(nachAnsi(g.EinstellSchluessel[i]) + "=" + text);
    }
    // A missing file is written anew with only the game's section; a file
    // that is there but cannot be read is left alone.
    std::error_code ec;
    const auto alt = leseRoh(ini);
    if (!alt && std::filesystem::exists(ini, ec)) return false;
    return ersetzeDateiSicher(ini, tmp,
                              schreibeAbschnittNeu(alt.value_or(std::string()), kAbschnitt, eintraege),
                              vorSpeicherSchritt);
}

// The menu command "Einstellungen ..." opens the dialog; the main window
// waits until it is hidden again.
void MainFrm::mnuBearbEinstell_Click() { spiel.einstellFrm().zeigeModal(); }

}  // namespace wx
