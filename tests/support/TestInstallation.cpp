#include "TestInstallation.h"

#include <filesystem>
#include <stdexcept>

#include "fenster/MainFrm.h"
#include "WortDatenbank.h"
#include "basis/Text.h"

namespace fs = std::filesystem;

namespace wx::test {

TestInstallation::TestInstallation() {
    static int zaehler = 0;
    const fs::path p = fs::temp_directory_path() /
                       ("wirbelix-test-" + std::to_string(::getpid()) + "-" + std::to_string(++zaehler));
    fs::remove_all(p);
    fs::create_directories(p / "User");
    fs::create_directories(p / "Grafik");
    pfad_ = p.string();
    // The wheel's pictures only have to be there; what they show is the
    // front's business.
    for (int i = 0; i < 10; ++i) schreibeAnsi("Grafik/GRAD" + std::to_string(i) + ".WMF", {});
}

TestInstallation::~TestInstallation() {
    std::error_code ec;
    fs::remove_all(pfad_, ec);
}

void TestInstallation::schreibeAnsi(const std::string& relativ, const std::vector<std::string>& zeilen) {
    const fs::path p = fs::path(pfad_) / relativ;
    fs::create_directories(p.parent_path());
    if (!schreibeAnsiZeilen(p.string(), zeilen)) throw std::runtime_error("cannot write " + p.string());
}

void TestInstallation::schreibeWortDatenbank(const std::vector<TestWort>& woerter, bool mitSemSynt) {
    std::vector<Wortzeile> zeilen;
    for (const auto& w : woerter)
        zeilen.push_back({.refNr = w.refNr,
                          .wort = w.wort,
                          .kontext = w.kontext.empty() ? std::nullopt : std::optional(w.kontext),
                          .gws = w.gws,
                          .lip = w.lip,
                          .paraphrase = w.paraphrase,
                          .mitSemSynt = mitSemSynt,
                          .satz = w.satz});
    test::schreibeWortDatenbank(pfad_ + "/Kelmo-D.mdb", zeilen);
}

void TestInstallation::standard(const std::vector<TestWort>& woerter,
                                const std::vector<std::string>& einstellungen) {
    std::vector<std::string> ini = {"[Spiele]", "MaximaleSpielDauer=30", "[Sound]", "ProgrammStart=START",
                                    "[Wirbelix]"};
    ini.insert(ini.end(), einstellungen.begin(), einstellungen.end());
    schreibeAnsi("Kelmo.ini", ini);
    schreibeAnsi("Kelmo.tsp", {"\">>>Gruppe\",\"\"", "\"Wörter mit ck und tz\",\"LT12\"",
                               "\"Lernwörter, Teil 1\",\"LIP_\""});
    schreibeAnsi("User/anna.tmp", {});
    schreibeAnsi("User/ben.tmp", {});
    schreibeWortDatenbank(woerter);
}

std::vector<TestWort> beispielWoerter() {
    return {{1, "Hund", "der", true, true, "Ein Haustier, das bellt.", "Der @ bellt."},
            {2, "Katze", "die", true, true, "Ein Haustier, das miaut.", "Die @ schläft."},
            {3, "Bär", "der", true, true, "Ein großes Tier im Wald.", "Der @ brummt."},
            {4, "laufen", "", true, true, "Schnell gehen.", "Wir @ um den See."},
            {5, "Straße", "die", true, true, "Darauf fahren Autos.", "Die @ ist nass."},
            {6, "Fahrrad", "das", true, true, "Es hat zwei Räder.", "Das @ steht im Keller."}};
}

TestSpiel::TestSpiel(const std::vector<TestWort>& woerter, const std::vector<std::string>& einstellungen,
                     const std::string& startText) {
    installation.standard(woerter, einstellungen);
    spiel = std::make_unique<Spiel>(plattform);
    gestartet = spiel->starte(startText, installation.pfad());
    if (spiel->hatMainFrm()) plattform.beobachte(spiel->mainFrm());
}

MainFrm& TestSpiel::main() { return spiel->mainFrm(); }

}  // namespace wx::test
