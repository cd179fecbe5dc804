// One run of the game: the shared state, the windows and the modules, owned
// together. Windows other than the main window are created on first use and
// then kept.
#pragma once

#include <memory>
#include <string>

#include "platform/Plattform.h"
#include "sound/SoundMod.h"
#include "basis/GlobModul.h"

namespace wx {

class MainFrm;
class MldFenster;
class DateiInfoFrm;
class GradBackFrm;
class EinstellFrm;
class MeisterFrm;
class EndeFrm;
class InfoFrm;
class CompZugFrm;

class Spiel {
public:
    explicit Spiel(Plattform& p);
    ~Spiel();

    Plattform& plattform;
    GlobModul glob;
    SoundMod sound;

    MainFrm& mainFrm();
    MldFenster& mldFenster();
    DateiInfoFrm& dateiInfoFrm();
    GradBackFrm& gradBackFrm();
    EinstellFrm& einstellFrm();
    MeisterFrm& meisterFrm();
    EndeFrm& endeFrm();
    InfoFrm& infoFrm();
    CompZugFrm& compZugFrm();
    bool hatMainFrm() const { return main_ != nullptr; }

    // Help of the game: command 0 default topic, 15 topic by number, 18 close
    // all, on a help file of the program folder, named with its leading
    // backslash as the game writes it.
    void hilfe(const std::string& datei, int befehl, int32_t kontext);
    // F1: the topic of a window or a menu entry in the program's help file.
    void kontextHilfe(int helpId);
    // Closes the help windows of both help files (at the program's end).
    void schliesseHilfe();

    // Shows a message or question; the answer is mldFenster().Antwort.
    void zeigeMeldung(const std::string& meldText, const std::string& knopf1, const std::string& knopf2,
                      const std::string& titel);

    // The program's entry: checks the launch text, reads the framework's
    // files and shows the main window modally. programmOrdner is the folder of
    // the executable. Returns the exit code.
    int Main(const std::string& startText, const std::string& programmOrdner);
    // Everything Main does before the main window is shown: false when the
    // game cannot start (the reason has been shown).
    bool starte(const std::string& startText, const std::string& programmOrdner);

    // Set when the start-up could not complete (no database, no word).
    bool startFehlgeschlagen = false;

private:
    std::unique_ptr<MainFrm> main_;
    std::unique_ptr<MldFenster> mld_;
    std::unique_ptr<DateiInfoFrm> dateiInfo_;
    std::unique_ptr<GradBackFrm> gradBack_;
    std::unique_ptr<EinstellFrm> einstell_;
    std::unique_ptr<MeisterFrm> meister_;
    std::unique_ptr<EndeFrm> ende_;
    std::unique_ptr<InfoFrm> info_;
    std::unique_ptr<CompZugFrm> compZug_;
};

}  // namespace wx
