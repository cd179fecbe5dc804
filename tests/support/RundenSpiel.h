// A started game for round-play tests: each sound event has a wave of its
// own, so the played waves tell which events sounded. The cells are white,
// so a revealed letter is blue.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestInstallation.h"
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "fenster/DateiInfoFrm.h"
#include "fenster/MldFenster.h"

namespace wx::test {

using Toene = std::vector<std::string>;

// A platform that runs a hook at every redraw while it is set.
struct ZeichenPlattform : VirtuellePlattform {
    std::function<void()> beiZeichnen;
    void jetztZeichnen() override {
        VirtuellePlattform::jetztZeichnen();
        if (auto f = beiZeichnen) f();  // a copy: the hook may clear itself
    }
};

struct RundenSpiel {
    ZeichenPlattform plattform;
    TestInstallation installation;
    std::unique_ptr<Spiel> spiel;

    explicit RundenSpiel(const std::vector<std::string>& spieler = {"Anna", "Ben"},
                         const std::vector<TestWort>& woerter = beispielWoerter(), bool mitSaetzen = true);
    MainFrm& m() { return spiel->mainFrm(); }
    GlobModul& g() { return spiel->glob; }
    int32_t& punkte(int spieler) { return g().SpielerPunkte[static_cast<size_t>(spieler)]; }

    Toene toene() const;  // sound events since the last vergiss(), in order
    void vergiss() { plattform.wavs.clear(); }
    void stoppeAuf(int16_t pos);                // spins and stops on wheel position pos
    void klicke(const std::string& buchstabe);  // the letter key with this caption
    void erwarteNeuenDreh();                    // only drehenBtn on, buy lamp red
    // Plays the computer's next turn when its window opens: the wheel stands
    // still and stops on the given positions, one per spin (the last one
    // repeats); waehrend runs between the steps of 50 ms. The turn fails the
    // test when it lasts more than two minutes.
    void computerStopptAuf(std::vector<int16_t> stopps, std::function<void()> waehrend = {});
    int computerDrehungen = 0;                // spins of the computer's turns so far
    void legeWort(const std::string& wort) {  // a word of our choosing, at position 0
        g().aktWort = wort;
        g().aktKontext.clear();
        m().WortAufbauen();
    }
    bool tasten(bool ein) {  // all thirty letter keys enabled (ein) or all disabled
        for (const auto& t : m().bstBtn)
            if (t.enabled != ein) return false;
        return true;
    }
    std::string ziffern() {  // the six score digits
        std::string t;
        for (const auto& z : m().punkZiff) t += z.caption;
        return t;
    }
};

}  // namespace wx::test
