// The game-info window: size of the word selection and every player's score.
// It is kept up to date even while hidden.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "basis/GlobModul.h"
#include "forms/Form.h"

namespace wx {

class DateiInfoFrm : public Form {
public:
    explicit DateiInfoFrm(Plattform& p);

    Steuerelement Frame1, Label2, Label3, Frame2, okbtn;
    std::array<Steuerelement, 2> DatInfLbl;
    std::array<Steuerelement, 5> SpName;
    std::array<Steuerelement, 5> SpPunkte;

    // Shows one name and score row per player of the launch text.
    void zeigeSpieler(const GlobModul& g);
    // Row k (0-based) shows a player, or is hidden again.
    void zeigeSpielerZeile(int k, const std::string& name, int32_t punkte);
    void versteckeSpielerZeile(int k);

    void okbtn_Click() { verstecke(); }
};

// The empty window that stays behind the main window for the whole run.
class GradBackFrm : public Form {
public:
    explicit GradBackFrm(Plattform& p) : Form(p, "GradBackFrm") {
        caption = "Wirbelix";
        width = 9600;
        height = 6630;
        hinter = Farbe{0, 64, 128};
        eigenstaendig = true;
        veraenderlich = true;
    }
};

}  // namespace wx
