// The settings dialog and the game's own section "[Wirbelix]" of Kelmo.ini.
#pragma once

#include "forms/Form.h"

namespace wx {

class Spiel;

class EinstellFrm : public Form {
public:
    explicit EinstellFrm(Spiel& spiel);

    // Reads the section at start-up into the dialog and the settings.
    void loadKelmoIni();
    // Writes the section back at program end when the players want it saved.
    void saveKelmoIni();

private:
    Spiel& spiel_;
};

}  // namespace wx
