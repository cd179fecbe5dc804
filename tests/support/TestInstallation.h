// A throw-away installation folder for tests: framework files, a small
// spelling database and the players' record files.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fenster/Spiel.h"
#include "VirtuellePlattform.h"

namespace wx::test {

struct TestWort {
    int refNr;
    std::string wort;
    std::string kontext;  // "" is stored as NULL
    bool gws = true;
    bool lip = true;
    std::string paraphrase = "Eine Umschreibung.";
    std::string satz = "Ein Satz mit @ darin.";
};

class TestInstallation {
public:
    TestInstallation();
    ~TestInstallation();
    const std::string& pfad() const { return pfad_; }

    // Writes a text file in Windows-1252 with CRLF (relative path, "/" separated).
    void schreibeAnsi(const std::string& relativ, const std::vector<std::string>& zeilen);
    void schreibeWortDatenbank(const std::vector<TestWort>& woerter, bool mitSemSynt = true);
    // A usual installation: Kelmo.ini with the given [Wirbelix] lines, a unit
    // list with LIP_, the words, and empty record files for the players.
    void standard(const std::vector<TestWort>& woerter, const std::vector<std::string>& einstellungen = {});

private:
    std::string pfad_;
};

// Some plain words for tests that need a board but not particular words.
std::vector<TestWort> beispielWoerter();

// A game started on an installation, with the main window loaded (not shown).
struct TestSpiel {
    VirtuellePlattform plattform;
    TestInstallation installation;
    std::unique_ptr<Spiel> spiel;
    bool gestartet = false;

    explicit TestSpiel(const std::vector<TestWort>& woerter = beispielWoerter(),
                       const std::vector<std::string>& einstellungen = {},
                       const std::string& startText =
                           "|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;nSpieler=2;Anna;Ben;anna;ben;|");
    MainFrm& main();
    GlobModul& g() { return spiel->glob; }
};

}  // namespace wx::test
