// The computer's move window: a small window without buttons that stands in
// front of the game while the computer player has its turn. Its timer paces
// the computer: it spins the wheel, stops it after a while and then lets the
// main window choose the computer's letter.
#pragma once

#include <cstdint>

#include "forms/Form.h"

namespace wx {

class Spiel;

class CompZugFrm : public Form {
public:
    explicit CompZugFrm(Spiel& spiel);

    Steuerelement Frame1, Image1, Label1, Label2;
    Timer CompZugTimer;

    // Ticks of 100 ms from the start of a spin to the computer's letter; the
    // wheel stops three ticks before the letter.
    int16_t ZugTicks = 0;
    // Ticks counted since the current spin began.
    int16_t TickZaehler = 0;

    // Shows the window modally for one computer turn: it spins at once and
    // returns when the turn has left the computer.
    void zeigeZug();
    void Form_Activate();
    void CompZugTimer_Timer();

private:
    Spiel& spiel_;
};

}  // namespace wx
