// A started game for round-play tests: every sound event is named in the
// INI file, so that the played waves tell which events sounded, and the
// platform notes the board as it stood when a blocking pause began.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TestInstallation.h"
#include "start/MainFrm.h"
#include "start/Spiel.h"
#include "ui/DateiInfoFrm.h"
#include "ui/MldFenster.h"

namespace wx::test {

class PausenPlattform : public VirtuellePlattform {
public:
    // Letter colours of the fifteen cells at the start of the last pause.
    std::vector<Farbe> brettBeiPause;
    MainFrm* main = nullptr;
    void beginnePause() override;
};

struct RundenSpiel {
    PausenPlattform plattform;
    TestInstallation installation;
    std::unique_ptr<Spiel> spiel;
    bool gestartet = false;

    static constexpr const char* kZweiSpieler =
        "|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;nSpieler=2;Anna;Ben;anna;ben;|";

    explicit RundenSpiel(const std::vector<TestWort>& woerter = beispielWoerter(),
                         const std::string& startText = kZweiSpieler, bool mitSaetzen = true);

    MainFrm& m() { return spiel->mainFrm(); }
    GlobModul& g() { return spiel->glob; }
    int32_t& punkte(int spieler) { return g().SpielerPunkte[static_cast<size_t>(spieler)]; }

    // Sound events played so far, by event name, in order; vergiss() starts afresh.
    std::vector<std::string> toene() const;
    void vergiss() { plattform.wavs.clear(); }

    // Lays out a word of our choosing (no context) at position 0.
    void legeWort(const std::string& wort);
    // Spins with drehenBtn and stops with anhaltenBtn on wheel position pos.
    void stoppeAuf(int16_t pos);
    // True when all thirty letter keys are enabled (ein) or all disabled.
    bool tasten(bool ein);
    // The letter colour cell i takes when it is revealed on coloured cells.
    Farbe aufgedeckt(int i);
    // After a letter outside a word guess: only drehenBtn left, buy lamp red.
    void erwarteNeuenDreh();
    // Clicks the letter key with this caption ("A" ... "ß").
    void klicke(const std::string& buchstabe);
    // Index of the letter key with this caption.
    static int16_t taste(const std::string& buchstabe);
};

// A start text for the given players (record files "anna" and "ben" reused).
std::string startTextFuer(const std::vector<std::string>& namen);

}  // namespace wx::test
