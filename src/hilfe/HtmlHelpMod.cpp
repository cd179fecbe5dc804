// The help calls of the game and the commands of the main window that open
// help and information windows.
#include "basis/GlobModul.h"
#include "fenster/DateiInfoFrm.h"
#include "fenster/InfoFrm.h"
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace wx {

namespace {
constexpr int kStandardThema = 0, kThemaNachNummer = 15, kAllesSchliessen = 18;
}

void Spiel::hilfe(const std::string& datei, int befehl, int32_t kontext) {
    plattform.hilfe(glob.AppPfad + datei, befehl, kontext);
}

void Spiel::kontextHilfe(int helpId) {
    // The program's help file is set at start-up; before that it is the one
    // in the program folder all the same.
    const std::string datei = glob.HilfeDatei.empty() ? glob.AppPfad + "\\Wirbelix.chm" : glob.HilfeDatei;
    if (helpId == 0)
        plattform.hilfe(datei, kStandardThema, 0);
    else
        plattform.hilfe(datei, kThemaNachNummer, helpId);
}

void Spiel::schliesseHilfe() {
    hilfe("\\Tesk.chm", kAllesSchliessen, 0);
    hilfe("\\Wirbelix.chm", kAllesSchliessen, 0);
}

void MainFrm::mnuHilfeSpielregeln_Click() { spiel.hilfe("\\Wirbelix.chm", kThemaNachNummer, 2000); }

void MainFrm::mnuHilfeBedienung_Click() { spiel.hilfe("\\Wirbelix.chm", kStandardThema, 0); }

void MainFrm::mnuHilfeAktKat_Click() { spiel.hilfe("\\Tesk.chm", kThemaNachNummer, g.HilfeKontextID); }

void MainFrm::mnuHilfeInfo_Click() { spiel.infoFrm().zeigeModal(); }

void MainFrm::mnuDateiInfo_Click() { spiel.dateiInfoFrm().zeigeModal(); }

}  // namespace wx
