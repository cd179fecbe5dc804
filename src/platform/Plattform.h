// The seam between the game's rules and the outside world.
//
// The core asks for time, text sizes, modal display, pauses, sound, help and
// random numbers only through this interface. The Qt front implements it for
// real; the tests implement it with a virtual clock and scripted answers.
#pragma once

#include <cstdint>
#include <string>

namespace wx {

class Form;
struct Schrift;

struct Datum {
    int jahr = 2000, monat = 1, tag = 1;
};

struct TextGroesse {
    int32_t breite = 0;  // twips
    int32_t hoehe = 0;   // twips
};

class Plattform {
public:
    virtual ~Plattform() = default;

    // Clock: time of day in seconds since midnight (with fraction) and today's date.
    virtual double tageszeit() = 0;
    virtual Datum heute() = 0;

    // Windows. zeigeModal returns once the form is hidden again; a modeless
    // form is merely put on the screen.
    virtual void zeigeModal(Form& form) = 0;
    virtual void zeigeModeless(Form& form) = 0;
    // The form will be shown soon: a platform may draw its pictures ahead
    // while the game goes on with its start-up.
    virtual void bereiteVor(const Form&) {}

    // Bring the screen up to date with the models now ("repaint at once").
    virtual void jetztZeichnen() = 0;

    // Blocking pause: beginnePause puts the screen up to date, schlafe blocks
    // the thread (no input, no timer, no repaint), beendePause drops every
    // input that arrived in the meantime.
    virtual void beginnePause() = 0;
    virtual void schlafe(double sekunden) = 0;
    virtual void beendePause() = 0;

    // Size of a text in a font, in twips; lines are separated by character 13.
    virtual TextGroesse textGroesse(const std::string& text, const Schrift& schrift) = 0;

    // Sound: play a WAV file, waiting for its end or not; release the device.
    virtual void spieleWav(const std::string& pfad, bool warten) = 0;
    virtual void schliesseAudio() = 0;

    // Help viewer: command 0 default topic, 15 topic by number, 18 close all.
    virtual void hilfe(const std::string& datei, int befehl, int32_t kontext) = 0;

    // A uniform random number 0 <= r < 1; neuSaeen re-seeds from the clock.
    virtual void neuSaeen() = 0;
    virtual double zufall() = 0;

    // End the program (after the current event has been handled).
    virtual void beenden() = 0;
};

}  // namespace wx
