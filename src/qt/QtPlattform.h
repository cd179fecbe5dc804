// The real platform: Qt windows, Qt's clock and fonts, sound through a module loaded on demand.
//
// Every event that reaches the game (a click, a key, a menu command, a timer
// tick, a close request) goes through ereignis(): the handler runs, then every
// window is brought up to date with its model. Modal windows run a nested
// event loop until their model is hidden; the main window's timers keep
// firing meanwhile. The blocking pause really blocks the thread and drops
// whatever the user typed or clicked in the meantime.
//
// QtPlattform.cpp holds the ports, QtFensterSteuerung.cpp the windows and
// the event dispatch.
#pragma once

#include <QMargins>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/Plattform.h"

class QEventLoop;
class QSoundEffect;
class QWidget;

namespace wx {
class Form;
struct MenuEintrag;
struct Steuerelement;
struct Timer;
}  // namespace wx

class QKeyEvent;

namespace wxqt {

class FormFenster;
class HilfeVerwaltung;
class Ton;

class QtPlattform : public QObject, public wx::Plattform {
public:
    struct Optionen {
        // Play sounds; off for tests, benchmarks and screenshots.
        bool ton = true;
        // Scale of the windows at start; 0 chooses one from the screen.
        double startSkala = 0;
        // When set: a PNG of the first window shown modally is written there
        // once it has been painted, and the program then ends as after
        // beenden().
        QString bildschirmfoto;
    };

    QtPlattform();
    explicit QtPlattform(Optionen optionen);
    ~QtPlattform() override;

    // ---- wx::Plattform ----
    double tageszeit() override;
    wx::Datum heute() override;
    void zeigeModal(wx::Form& form) override;
    void zeigeModeless(wx::Form& form) override;
    void bereiteVor(const wx::Form& form) override;
    void jetztZeichnen() override;
    void beginnePause() override;
    void schlafe(double sekunden) override;
    void beendePause() override;
    wx::TextGroesse textGroesse(const std::string& text, const wx::Schrift& schrift) override;
    void spieleWav(const std::string& pfad, bool warten) override;
    void schliesseAudio() override;
    void hilfe(const std::string& datei, int befehl, int32_t kontext) override;
    void neuSaeen() override;
    double zufall() override;
    void beenden() override;
    // Screenshot mode: the window that was photographed (null before), and
    // whether its picture was written.
    const wx::Form* fotografiert() const { return fotoForm_; }
    bool fotoGeschrieben() const { return fotoGeschrieben_; }

    // ---- for the windows ----
    // Runs a handler of the game and brings every window up to date. Events
    // that arrive while the thread is blocked (pause, waited sound) or after
    // the end are dropped.
    void ereignis(const std::function<void()>& handler);
    void klick(wx::Steuerelement& s);
    void menueKlick(wx::MenuEintrag& m);
    void tick(wx::Timer& t);
    void schliessAnfrage(wx::Form& form);

    // Brings every window up to date with its model; returns the number of
    // controls whose widget changed.
    int abgleichen();
    int letzteAenderungen() const { return letzteAenderungen_; }
    long aenderungenGesamt() const { return aenderungenGesamt_; }

    // The window of a form, nullptr until the form has been shown.
    FormFenster* fenster(const wx::Form& form) const;
    // Builds the window of a form without showing it.
    FormFenster& sichereFenster(wx::Form& form);

    // The scale new windows start with; follows the main window when the
    // user resizes it.
    double skala() const { return skala_; }
    void merkeSkala(double skala) { skala_ = skala; }
    // F1 asks the game for the help topic of a window or menu entry.
    std::function<void(int helpId)> beiKontextHilfe;
    HilfeVerwaltung& hilfeFenster();

    bool beendet() const { return beendet_; }
    bool blockiert() const { return blockiert_ > 0; }

protected:
    bool eventFilter(QObject* ziel, QEvent* e) override;

private:
    struct Schleife {
        wx::Form* form;
        QEventLoop* loop;
    };

    double startSkala() const;
    QMargins rahmenStaerke() const;
    void zeigeFenster(FormFenster& f, bool modal);
    void zentriere(FormFenster& f);
    void verschluckeEingaben();
    void macheBildschirmfoto(FormFenster& f);
    // The enabled button whose underlined letter an Alt key names, if any.
    wx::Steuerelement* knopfFuerAlt(QWidget* empfaenger, const QKeyEvent* k) const;
    bool taste(QWidget* empfaenger, QEvent* e);

    Optionen optionen_;
    double skala_ = 1.0;
    std::vector<FormFenster*> fenster_;    // in the order of creation
    std::vector<Schleife> schleifen_;      // nested modal loops, innermost last
    std::vector<QEvent*> weitergereicht_;  // key events handed on to their control
    int blockiert_ = 0;
    bool verschlucken_ = false;
    bool beendet_ = false;
    bool fotoGemacht_ = false;
    const wx::Form* fotoForm_ = nullptr;
    bool fotoGeschrieben_ = false;
    int letzteAenderungen_ = 0;
    long aenderungenGesamt_ = 0;
    std::mt19937_64 zufall_;
    Ton* ton_ = nullptr;
    std::unique_ptr<HilfeVerwaltung> hilfe_;
};

}  // namespace wxqt
