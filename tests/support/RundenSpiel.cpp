#include "RundenSpiel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <stdexcept>

#include "fenster/CompZugFrm.h"

namespace wx::test {

namespace {
constexpr std::array<const char*, 15> kEreignisse = {
    "ProgrammStart", "ProgrammEnde",      "ProgrammMeldung", "Gratulation1",   "Gratulation2",
    "Achtung",       "AllgemeinerFehler", "LeichterFehler",  "SchwererFehler", "Annahme1",
    "Annahme2",      "Glückstreffer",     "BewegungStart",   "BewegungStop",   "BewegungEnde"};
}  // namespace

RundenSpiel::RundenSpiel(const std::vector<std::string>& spieler, const std::vector<TestWort>& woerter,
                         bool mitSaetzen) {
    installation.standard(woerter);
    std::vector<std::string> ini = {"[Spiele]", "MaximaleSpielDauer=30", "[Sound]"};
    for (size_t i = 0; i < kEreignisse.size(); ++i)
        ini.push_back(std::string(kEreignisse[i]) + "=EV" + std::to_string(i));
    ini.push_back("[Wirbelix]");
    installation.schreibeAnsi("Kelmo.ini", ini);
    if (!mitSaetzen) installation.schreibeWortDatenbank(woerter, false);

    // Record files "anna" and "ben" are reused for any number of players.
    std::string start =
        "|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;nSpieler=" + std::to_string(spieler.size()) + ";";
    for (const auto& n : spieler) start += n + ";";
    for (size_t i = 0; i < spieler.size(); ++i) start += (i % 2 ? "ben;" : "anna;");
    spiel = std::make_unique<Spiel>(plattform);
    if (!spiel->starte(start + "|", installation.pfad())) throw std::runtime_error("game did not start");
    plattform.beobachte(m());
    g().LoesungswortFarbig = FALSCH;
    vergiss();
}

Toene RundenSpiel::toene() const {
    Toene namen;
    for (const auto& pfad : plattform.wavs) {
        const auto p = pfad.rfind("EV");
        if (p != std::string::npos) namen.push_back(kEreignisse.at(std::stoul(pfad.substr(p + 2))));
    }
    return namen;
}

void RundenSpiel::stoppeAuf(int16_t pos) {
    if (!m().drehenBtn.enabled) ADD_FAILURE() << "spin requested while drehenBtn is disabled";
    m().drehenBtn.beiKlick();
    m().RadPos = pos;
    m().anhaltenBtn.beiKlick();
}

void RundenSpiel::erwarteNeuenDreh() {
    EXPECT_TRUE(m().drehenBtn.enabled);
    EXPECT_TRUE(tasten(false));
    EXPECT_FALSE(m().anhaltenBtn.enabled || m().WortRatenBtn.enabled || m().BstKaufBtn.enabled ||
                 m().showSatzBtn.enabled);
    EXPECT_EQ(m().KaufenLampe.bild, m().LampeRotImg.bild);
}

void RundenSpiel::computerStopptAuf(std::vector<int16_t> stopps, std::function<void()> waehrend) {
    plattform.wennModal("CompZugFrm", [this, stopps, waehrend](Form& f) {
        MainFrm& m = this->m();
        const int takt = m.gradTimer.intervall;
        m.gradTimer.intervall = 0;  // the wheel stands where it is put
        size_t n = 0;
        bool drehteVorher = false;
        for (double t = 0; f.visible && t < 120; t += 0.05) {
            if (m.gradTimer.enabled && !drehteVorher) {  // a new spin has begun
                m.RadPos = stopps[std::min(n++, stopps.size() - 1)];
                ++computerDrehungen;
            }
            drehteVorher = m.gradTimer.enabled;
            if (waehrend) waehrend();
            plattform.laufe(0.05);
        }
        m.gradTimer.intervall = takt;
    });
}

void RundenSpiel::klicke(const std::string& buchstabe) {
    for (auto& t : m().bstBtn)
        if (t.caption == buchstabe) return t.beiKlick();
    ADD_FAILURE() << "no letter key " << buchstabe;
}

}  // namespace wx::test
