// The message window: every message and yes/no question of the game.
#pragma once

#include <string>

#include "forms/Form.h"

namespace wx {

class MldFenster : public Form {
public:
    explicit MldFenster(Plattform& p);

    Steuerelement Image1, MldFrame, Meldung, Btn1, Btn2;
    // Caption of the button pressed last, without "&".
    std::string Antwort;

    void setzeAntwort(const std::string& caption);
    void Btn1_Click();
    void Btn2_Click();
    // Lays the window out around the text and shows it modally.
    void zeige(const std::string& meldText, const std::string& knopf1, const std::string& knopf2,
               const std::string& titel);
};

}  // namespace wx
