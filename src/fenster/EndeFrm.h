// The quit question: a small fixed window that asks one player ("du") or
// several ("ihr") whether they really want to end the game.
#pragma once

#include <string>

#include "forms/Form.h"

namespace wx {

class EndeFrm : public Form {
public:
    explicit EndeFrm(Plattform& p);

    Steuerelement Image1, MldFrame, Meldung, jaBtn, neinBtn;
    // "ja" or "nein"; kept while the window is hidden.
    std::string Antwort;

    void jaBtn_Click();
    void neinBtn_Click();
    // Closed without a button (title bar, Alt+F4, Escape): a child who closes
    // the question does not mean to end the game, so this answers "nein".
    void Form_QueryUnload() { neinBtn_Click(); }
};

}  // namespace wx
