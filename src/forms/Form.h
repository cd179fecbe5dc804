// Base of every window model: the window's own properties, the list of its
// controls in drawing order, its timers and menus, and the few operations the
// game uses on a window (show, hide, size a label to its text, repaint now).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/Steuerelemente.h"
#include "platform/Plattform.h"

namespace wx {

class Form {
public:
    Form(Plattform& plattform, std::string name);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::string name;
    std::string caption;
    int32_t width = 0, height = 0;  // twips; see aussenMass
    bool visible = false;
    bool modal = false;  // set while shown modally
    Farbe hinter = kFensterGrund;
    // Topic of the game's help file that F1 opens in this window (0: none).
    int helpId = 0;

    // How the window sits on the desktop. A dialog stays in front of the
    // window that opened it; a window standing on its own does not. The main
    // window is the one dialogs centre on. A window the player may resize
    // scales its layout with its size; others keep their designed size.
    bool eigenstaendig = false;
    bool hauptfenster = false;
    bool veraenderlich = false;
    // Whether width and height are the outer size of the window (title bar
    // and border included) rather than its client area.
    bool aussenMass = false;
    Schrift menueSchrift;  // font of the menu bar and its menus
    std::string symbol;    // window icon: a built-in picture ("@name"), empty = none

    // Keyboard focus: the control that should have it; the front moves the
    // real focus whenever fokusZaehler changes.
    Steuerelement* fokus = nullptr;
    unsigned fokusZaehler = 0;

    std::vector<Steuerelement*> steuerelemente;  // drawing and tab order

    // Where the keyboard focus goes when the control holding it becomes
    // disabled or hidden: the control the player needs next, or nullptr to
    // leave it to the toolkit.
    virtual Steuerelement* fokusNachSperre() { return nullptr; }
    std::vector<Timer*> timer;
    std::vector<MenuEintrag*> menues;  // menu titles in bar order

    // The window's key handler: sees every typed character (Windows-1252 code)
    // before its controls do.
    std::function<void(int)> beiTaste;
    // Close request from the title bar or Alt+F4; the default hides the
    // window. Escape is a close request only where escSchliesst is set.
    std::function<void()> beiSchliessen;
    bool escSchliesst = false;

    Plattform& plattform() { return plattform_; }

    void zeigeModal();
    void zeigeModeless();
    void verstecke() { visible = false; }

    // Sets a label's caption; a label that sizes itself takes the text's size.
    void setzeCaption(Steuerelement& s, const std::string& text);
    void setzeSchrift(Steuerelement& s, const Schrift& schrift);
    void setzeFokus(Steuerelement& s);
    void jetztZeichnen() { plattform_.jetztZeichnen(); }

    // Control at its absolute position in the window (containers added up).
    static int32_t absLeft(const Steuerelement& s);
    static int32_t absTop(const Steuerelement& s);

    // Number of lines a caption takes when wrapped at a width (twips).
    int umbrocheneZeilen(const std::string& text, const Schrift& schrift, int32_t breite);

protected:
    // Registers a control; its position in this list is its drawing order.
    Steuerelement& neu(Steuerelement& s, Art art, const std::string& name, Steuerelement* container,
                       int32_t left, int32_t top, int32_t width, int32_t height, int index = -1);
    void neuerTimer(Timer& t, const std::string& name, int intervall);

private:
    void passeGroesseAn(Steuerelement& s);
    Plattform& plattform_;
};

}  // namespace wx
