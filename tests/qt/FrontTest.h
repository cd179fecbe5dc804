// Shared pieces of the front's tests: the real front on Qt's offscreen
// platform, a small form with one control of every kind, and a game started
// on a test installation with its main window on the screen.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestInstallation.h"
#include "forms/Form.h"
#include "qt/FormFenster.h"
#include "qt/QtPlattform.h"
#include "start/MainFrm.h"
#include "start/Spiel.h"

namespace wxqt::test {

// Lets the event loop run until bedingung() holds; false after ms milliseconds.
bool warteBis(const std::function<bool()>& bedingung, int ms = 3000);

// Types a text into a widget, one key press and release per character, as
// the keyboard would (also for "ä", "ß").
void tippe(QWidget* w, const QString& text);

// Options of a front for tests: no sound, a fixed scale.
QtPlattform::Optionen testOptionen(double skala = 1.0);

// One control of every kind, with handlers that count what they see.
class ProbeFrm : public wx::Form {
public:
    explicit ProbeFrm(wx::Plattform& p);

    wx::Steuerelement Rahmen, Text, Knopf, Haken, Zahl, Bild, Strich, Punkt;
    std::array<wx::Steuerelement, 2> Wahl;
    wx::Timer Uhr;

    int klicks = 0, hakenKlicks = 0, ticks = 0;
    std::vector<int> tasten;
    bool schliessenGefragt = false;
};

// A game started by the real front on an installation with these words; the
// main window is on the screen (shown without a modal loop).
struct FrontSpiel {
    explicit FrontSpiel(const std::vector<wx::test::TestWort>& woerter = wx::test::beispielWoerter(),
                        double skala = 1.0);
    wx::test::TestInstallation installation;
    QtPlattform plattform;
    std::unique_ptr<wx::Spiel> spiel;
    bool gestartet = false;

    wx::MainFrm& main() { return spiel->mainFrm(); }
    wx::GlobModul& g() { return spiel->glob; }
    FormFenster& fenster() { return *plattform.fenster(main()); }
    template <class W = QWidget>
    W* widget(const wx::Steuerelement& s) {
        return static_cast<W*>(fenster().widgetVon(s));
    }
};

}  // namespace wxqt::test
