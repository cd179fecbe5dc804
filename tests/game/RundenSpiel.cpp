#include "RundenSpiel.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

namespace wx::test {

namespace {
constexpr std::array<const char*, 15> kEreignisse = {
    "ProgrammStart",  "ProgrammEnde",      "ProgrammMeldung", "Gratulation1",   "Gratulation2",
    "Achtung",        "AllgemeinerFehler", "LeichterFehler",  "SchwererFehler", "Annahme1",
    "Annahme2",       "Glückstreffer",     "BewegungStart",   "BewegungStop",   "BewegungEnde"};
constexpr std::array<const char*, 30> kTasten = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J",
                                                 "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T",
                                                 "U", "V", "W", "X", "Y", "Z", "Ä", "Ö", "Ü", "ß"};
}  // namespace

void PausenPlattform::beginnePause() {
    VirtuellePlattform::beginnePause();
    brettBeiPause.clear();
    if (main)
        for (const auto& zelle : main->BstLbl) brettBeiPause.push_back(zelle.vorder);
}

RundenSpiel::RundenSpiel(const std::vector<TestWort>& woerter, const std::string& startText,
                         bool mitSaetzen) {
    installation.standard(woerter);
    // Every event gets a wave of its own, "EV<index>".
    std::vector<std::string> ini = {"[Spiele]", "MaximaleSpielDauer=30", "[Sound]"};
    for (size_t i = 0; i < kEreignisse.size(); ++i)
        ini.push_back(std::string(kEreignisse[i]) + "=EV" + std::to_string(i));
    ini.push_back("[Wirbelix]");
    installation.schreibeAnsi("Kelmo.ini", ini);
    if (!mitSaetzen) installation.schreibeWortDatenbank(woerter, false);

    spiel = std::make_unique<Spiel>(plattform);
    gestartet = spiel->starte(startText, installation.pfad());
    if (!gestartet) throw std::runtime_error("test game did not start");
    plattform.beobachte(m());
    plattform.main = &m();
    vergiss();
}

std::vector<std::string> RundenSpiel::toene() const {
    std::vector<std::string> namen;
    for (const auto& pfad : plattform.wavs) {
        const auto p = pfad.rfind("EV");
        const auto ende = pfad.rfind(".WAV");
        if (p == std::string::npos || ende == std::string::npos) continue;
        namen.push_back(kEreignisse.at(std::stoul(pfad.substr(p + 2, ende - p - 2))));
    }
    return namen;
}

void RundenSpiel::legeWort(const std::string& wort) {
    g().aktWort = wort;
    g().aktKontext.clear();
    m().WortAufbauen();
}

void RundenSpiel::stoppeAuf(int16_t pos) {
    if (!m().drehenBtn.enabled) ADD_FAILURE() << "spin requested while drehenBtn is disabled";
    m().drehenBtn.beiKlick();
    m().RadImg[static_cast<size_t>(m().RadPos)].visible = false;
    m().RadPos = pos;
    m().RadImg[static_cast<size_t>(pos)].visible = true;
    m().anhaltenBtn.beiKlick();
}

bool RundenSpiel::tasten(bool ein) {
    for (const auto& t : m().bstBtn)
        if (t.enabled != ein) return false;
    return true;
}

Farbe RundenSpiel::aufgedeckt(int i) {
    int16_t k = 0;
    m().sucheFarbIndex(m().BstLbl[static_cast<size_t>(i)].hinter, k);
    const auto& c = g().SchriftFarben[static_cast<size_t>(k)];
    return Farbe{c[0], c[1], c[2]};
}

void RundenSpiel::erwarteNeuenDreh() {
    EXPECT_TRUE(m().drehenBtn.enabled);
    EXPECT_TRUE(tasten(false));
    EXPECT_FALSE(m().WortRatenBtn.enabled || m().BstKaufBtn.enabled || m().showSatzBtn.enabled);
    EXPECT_EQ(m().KaufenLampe.bild, m().LampeRotImg.bild);
}

int16_t RundenSpiel::taste(const std::string& buchstabe) {
    for (size_t i = 0; i < kTasten.size(); ++i)
        if (buchstabe == kTasten[i]) return static_cast<int16_t>(i);
    throw std::invalid_argument("no letter key " + buchstabe);
}

void RundenSpiel::klicke(const std::string& buchstabe) {
    m().bstBtn[static_cast<size_t>(taste(buchstabe))].beiKlick();
}

std::string startTextFuer(const std::vector<std::string>& namen) {
    std::string t = "|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;nSpieler=" +
                    std::to_string(namen.size()) + ";";
    for (const auto& n : namen) t += n + ";";
    for (size_t i = 0; i < namen.size(); ++i) t += (i % 2 ? "ben;" : "anna;");
    return t + "|";
}

}  // namespace wx::test
