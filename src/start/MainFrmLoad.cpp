// The main window's start-up: everything the first player needs before the
// first spin, in a fixed order.
#include "fenster/EinstellFrm.h"
#include "fenster/MainFrm.h"
#include "basis/Rahmendateien.h"
#include "fenster/Spiel.h"
#include "basis/Text.h"

namespace wx {

namespace {

constexpr FarbTabelle kHintergrundFarben = {{{242, 185, 46},
                                             {228, 105, 55},
                                             {221, 54, 90},
                                             {132, 37, 102},
                                             {48, 44, 113},
                                             {46, 105, 167},
                                             {113, 194, 192},
                                             {142, 203, 158},
                                             {189, 216, 140},
                                             {242, 238, 106}}};
constexpr FarbTabelle kSchriftFarben = {{{44, 153, 57},
                                         {245, 198, 0},
                                         {242, 237, 82},
                                         {154, 198, 232},
                                         {255, 255, 255},
                                         {244, 198, 101},
                                         {132, 37, 102},
                                         {19, 21, 22},
                                         {50, 73, 143},
                                         {222, 67, 46}}};

}  // namespace

bool MainFrm::Form_Load() {
    WortRatenModus = FALSCH;
    g.nEinstellungen = 9;
    g.EinstellSchluessel = {"GegenComputer",     "ComputerSpielStärke", "TastaturEingabeSperren",
                            "TonEinschalten",    "BuchstabenRahmen",    "LösungswortFarbig",
                            "RatezeitBegrenzen", "FehlversucheMaximum", "EinstellungenSpeichern"};
    spiel.einstellFrm().loadKelmoIni();
    spiel.sound.spieleSound("ProgrammStart");
    StartZeit = g.sekundenJetzt();
    g.aktSpieler = 0;

    const std::string bild = findeDatei(g.AppPfad + "\\Grafik\\" + bausteinBildName(g.KlassenFeld));
    UebBausteinImage.bild = dateiVorhanden(bild) ? bild : std::string();
    setzeCaption(UebTitelLabel, g.BausteinTitel);
    g.BausteinTitel.clear();

    ladeRadBilder();
    RadPos = 0;
    RadImg[0].visible = true;
    // Both lamps off and the guess-time meter at rest: their pictures are
    // then known as well, and all of them are drawn beside the rest of the
    // start-up.
    setzeLampe(0, false);
    setzeLampe(1, false);
    initVuRestZeit();
    plattform().bereiteVor(*this);

    bool gefiltert = false;
    if (!ladeWortDatenbank(g.AppPfad + "\\Kelmo-D.mdb", gefiltert)) {
        g.MeldungsText = std::string("Die Rechtschreib-Datenbank \"Kelmo-D.mdb\"\r") +
                         "fehlt oder kann nicht gelesen werden.\r" + "Wirbelix wird beendet.";
        spiel.zeigeMeldung(g.MeldungsText, "&OK", "", "Laufzeitfehler");
        return false;
    }

    g.HintergrundFarben = kHintergrundFarben;
    g.SchriftFarben = kSchriftFarben;
    initRadWerte();
    setzeCaption(SpNameLbl, g.SpielerName[static_cast<size_t>(g.aktSpieler)]);

    g.FehlerWoerter.leeren();
    leseFehlerWoerter(g);
    g.BenutzteWoerter.leeren();
    if (!gefiltert || g.nWoerter <= 0 || !waehleWort()) {
        g.MeldungsText = std::string("In der Rechtschreib-Datenbank gibt es keine\r") +
                         "Wörter für diesen Übungsschwerpunkt.\r" + "Wirbelix wird beendet.";
        spiel.zeigeMeldung(g.MeldungsText, "&OK", "", "Keine Wörter");
        return false;
    }
    WortAufbauen();

    EnergTimer.enabled = true;
    benenneSpielzeit();
    FehlVersuche = 0;
    switchVuRestZeit(g.RatezeitBegrenzen != 0);
    schalteMenues(true);
    drehenBtn.enabled = true;
    return true;
}

}  // namespace wx
