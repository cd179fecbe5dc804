#include "fenster/Spiel.h"

#include "fenster/MainFrm.h"
#include "basis/Rahmendateien.h"
#include "fenster/CompZugFrm.h"
#include "fenster/DateiInfoFrm.h"
#include "fenster/EinstellFrm.h"
#include "fenster/EndeFrm.h"
#include "fenster/MeisterFrm.h"
#include "fenster/InfoFrm.h"
#include "fenster/MldFenster.h"

namespace wx {

Spiel::Spiel(Plattform& p) : plattform(p), glob(p), sound(glob) {}
Spiel::~Spiel() = default;

MainFrm& Spiel::mainFrm() {
    if (!main_) main_ = std::make_unique<MainFrm>(*this);
    return *main_;
}

MldFenster& Spiel::mldFenster() {
    if (!mld_) mld_ = std::make_unique<MldFenster>(plattform);
    return *mld_;
}

DateiInfoFrm& Spiel::dateiInfoFrm() {
    if (!dateiInfo_) dateiInfo_ = std::make_unique<DateiInfoFrm>(plattform);
    return *dateiInfo_;
}

GradBackFrm& Spiel::gradBackFrm() {
    if (!gradBack_) gradBack_ = std::make_unique<GradBackFrm>(plattform);
    return *gradBack_;
}

EinstellFrm& Spiel::einstellFrm() {
    if (!einstell_) einstell_ = std::make_unique<EinstellFrm>(*this);
    return *einstell_;
}

MeisterFrm& Spiel::meisterFrm() {
    if (!meister_) meister_ = std::make_unique<MeisterFrm>(*this);
    return *meister_;
}

EndeFrm& Spiel::endeFrm() {
    if (!ende_) ende_ = std::make_unique<EndeFrm>(plattform);
    return *ende_;
}

InfoFrm& Spiel::infoFrm() {
    if (!info_) info_ = std::make_unique<InfoFrm>(plattform);
    return *info_;
}

CompZugFrm& Spiel::compZugFrm() {
    if (!compZug_) compZug_ = std::make_unique<CompZugFrm>(*this);
    return *compZug_;
}

void Spiel::zeigeMeldung(const std::string& meldText, const std::string& knopf1, const std::string& knopf2,
                         const std::string& titel) {
    mldFenster().zeige(meldText, knopf1, knopf2, titel);
}

int Spiel::Main(const std::string& startText, const std::string& programmOrdner) {
    if (!starte(startText, programmOrdner)) return 1;
    mainFrm().zeigeModal();
    return 0;
}

bool Spiel::starte(const std::string& startText, const std::string& programmOrdner) {
    auto& g = glob;
    if (startText.empty()) {
        // The framework always passes a launch text; someone started the
        // game by hand.
        g.MeldungsText = std::string("Wirbelix wird aus dem Lernprogramm KELMO\r") +
                         "heraus gestartet. Bitte starte das Spiel\r" + "dort mit deinem Namen.";
        zeigeMeldung(g.MeldungsText, "&OK", "", "Wirbelix");
        return false;
    }
    if (!leseStartParameter(g, startText)) {
        g.MeldungsText = std::string("Diese Version von Wirbelix ist nicht\r") +
                         "kompatibel mit der installierten Version\r" + "von KELMO.";
        zeigeMeldung(g.MeldungsText, "&OK", "", "Laufzeitfehler");
        return false;
    }
    dateiInfoFrm().zeigeSpieler(g);
    g.AppPfad = programmOrdner;
    g.UserPfad = g.AppPfad + "\\User";
    g.HilfeDatei = g.AppPfad + "\\Wirbelix.chm";
    gradBackFrm().zeigeModeless();
    leseSpielDauer(g);
    sound.ladeSoundTabelle();
    leseBaustein(g);
    setzeHilfeKontext(g);

    if (!mainFrm().Form_Load()) {
        startFehlgeschlagen = true;
        return false;
    }
    return true;
}

}  // namespace wx
