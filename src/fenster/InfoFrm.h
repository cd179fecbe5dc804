// The about window: the game's picture, its version and its publisher.
#pragma once

#include "forms/Form.h"

namespace wx {

class InfoFrm : public Form {
public:
    // The version shown is "4." followed by the minor version and the
    // revision; both come from the build unless a test gives others.
    explicit InfoFrm(Plattform& p, int nebenVersion = kNebenVersion, int revision = kRevision);

    Steuerelement Image1, Frame1, Label1, Label2, Label3, Label4, Label5;
    Steuerelement RelLbl, AutorLbl, AnschriftLbl, InternetLbl;
    Steuerelement okBtn;

    void okBtn_Click() { verstecke(); }
    // Escape presses OK.
    void Form_KeyPress(int ansiCode);

    static const int kNebenVersion, kRevision;
};

}  // namespace wx
