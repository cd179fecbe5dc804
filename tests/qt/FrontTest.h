// Shared pieces of the front's tests: the real front on Qt's offscreen
// platform, typing, and a started game.
#pragma once

#include <QApplication>
#include <QKeyEvent>

#include "TestInstallation.h"
#include "qt/FormFenster.h"
#include "qt/QtPlattform.h"
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace wxqt::test {

// Types a text as the keyboard would, one press and release per character
// (QTest::keyClicks knows no "ä").
inline void tippe(QWidget* w, const QString& text) {
    for (const QChar c : text)
        for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(t, c.toUpper().unicode(), Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &e);
        }
}

// No sound, a fixed scale.
inline QtPlattform::Optionen testOptionen(double skala = 1.0) { return {.ton = false, .startSkala = skala}; }

// A game started on an installation with these words, its main window shown
// without a modal loop.
struct FrontSpiel {
    wx::test::TestInstallation installation;
    QtPlattform plattform;
    std::unique_ptr<wx::Spiel> spiel;
    bool gestartet = false;

    explicit FrontSpiel(const std::vector<wx::test::TestWort>& woerter = wx::test::beispielWoerter(),
                        double skala = 1.0)
        : plattform(testOptionen(skala)), spiel(std::make_unique<wx::Spiel>(plattform)) {
        installation.standard(woerter);
        gestartet =
            spiel->starte("|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;nSpieler=2;Anna;Ben;anna;ben;|",
                          installation.pfad());
        if (gestartet) main().zeigeModeless();
    }
    wx::MainFrm& main() { return spiel->mainFrm(); }
    FormFenster& fenster() { return *plattform.fenster(main()); }
    template <class W = QWidget>
    W* widget(const wx::Steuerelement& s) {
        return static_cast<W*>(fenster().widgetVon(s));
    }
};

}  // namespace wxqt::test
