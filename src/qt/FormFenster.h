// The binder: one real window for one form model.
//
// The window builds a Qt widget for every control of the form, by kind, at
// the designed geometry times its scale. After every event the front has
// handed to the game, abgleichen() brings the widgets up to date with the
// model. It keeps, for every control, a light copy of what it showed last and
// touches a widget only where the control differs from that copy; a spin of
// the wheel therefore hides one picture and shows another and does nothing
// else.
#pragma once

#include <QDialog>
#include <QMargins>
#include <unordered_map>
#include <vector>

#include "forms/Form.h"

class QAction;
class QMenu;
class QMenuBar;
class QTimer;

namespace wxqt {

class QtPlattform;

class FormFenster : public QDialog {
public:
    // Where a control lies in its parent at a scale, in pixels.
    static QRect pixelRechteck(const wx::Steuerelement& s, double skala);
    FormFenster(QtPlattform& plattform, wx::Form& form, double skala, QWidget* eltern);
    ~FormFenster() override;

    wx::Form& form() const { return form_; }

    // Applies what changed in the model since the last call and returns the
    // number of controls whose widget was touched.
    int abgleichen();
    // The window icon, for the window manager and the task bar. Set once the
    // window is on the screen: nothing in the window waits for it.
    void setzeSymbol();
    // Hands the images the pictures that were still being drawn ahead when
    // the window was built, waiting for them if need be. Before the first
    // paint: a window on the screen never shows an image without its picture.
    void reicheBilderNach();

    // Redraws the whole layout and its fonts at another scale.
    void setzeSkala(double skala);
    double skala() const { return skala_; }

    // The main window and the background window give their client area and
    // may be resized by the user; other windows keep the size of the model.
    bool veraenderlich() const { return veraenderlich_; }
    // Whether the model's width and height are the outer size of the window
    // (title bar and border included) rather than its client area.
    bool aussenMass() const { return aussenMass_; }
    // Sizes the window from the model at the current scale; rahmen is the
    // window frame's thickness on each side, used for an outer size.
    void passeGroesseAn(QMargins rahmen);
    QMargins rahmen() const { return rahmen_; }
    // The client size the model asks for at a scale (the menu bar excluded).
    QSize designGroesse(double skala) const;

    QWidget* widgetVon(const wx::Steuerelement& s) const;
    QAction* aktionVon(const wx::MenuEintrag& m) const;
    QTimer* timerVon(const wx::Timer& t) const;
    QMenuBar* menueLeiste() const { return leiste_; }
    // The widget that holds the controls: the client area below the menu bar.
    QWidget* flaeche() const { return flaeche_; }

    // A window without controls is only its colour; on X11 the server paints
    // it, and Qt keeps no image of it (see XFlaeche.h).
    bool nurFarbe() const { return nurFarbe_; }
    QPaintEngine* paintEngine() const override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Escape is a close request where the model says so, and nothing else.
    void reject() override;

private:
    struct Bindung {
        wx::Steuerelement* s;
        QWidget* w;
        wx::Anzeige zuletzt;      // what the widget shows
        bool bildGemalt = false;  // images: the widget holds the picture of zuletzt
        bool bildOffen = false;   // images: that picture is still being drawn ahead
    };
    // Puts the picture of an image's model on its widget.
    void setzeBild(const Bindung& b);
    struct MenueBindung {
        wx::MenuEintrag* m;
        QAction* a;
        QMenu* menue;  // for a menu title, else nullptr
        std::string caption;
        bool enabled, visible;
    };
    struct TimerBindung {
        wx::Timer* t;
        QTimer* q;
    };

    void baue();
    QWidget* erzeuge(wx::Steuerelement& s);
    void baueMenue(QMenu* menue, wx::MenuEintrag& m);
    void anwenden(Bindung& b, const wx::Anzeige* alt);
    void anwendenMenue(MenueBindung& mb, bool alles);
    void abgleichenTimer();
    void abgleichenFenster(bool alles);
    void rettetFokus(QWidget* vorher);
    QRect pixelRechteck(const wx::Steuerelement& s) const { return pixelRechteck(s, skala_); }
    void ordneAn();
    void skaliereNachGroesse();
    int menueHoehe() const;
    QFont menueSchrift() const;

    QtPlattform& plattform_;
    wx::Form& form_;
    double skala_;
    bool veraenderlich_;
    bool aussenMass_;
    bool nurFarbe_ = false;
    bool symbolGesetzt_ = false;
    QMenuBar* leiste_ = nullptr;
    QWidget* flaeche_ = nullptr;
    QTimer* skalierTimer_ = nullptr;
    QSize gesetzteGroesse_;
    QMargins rahmen_;

    std::vector<Bindung> bindungen_;
    std::unordered_map<const wx::Steuerelement*, size_t> nachControl_;
    std::vector<MenueBindung> menues_;
    std::vector<TimerBindung> timer_;

    std::string caption_;
    wx::Farbe hinter_;
    unsigned fokusZaehler_ = 0;
    int32_t breite_ = 0, hoehe_ = 0;
};

}  // namespace wxqt
