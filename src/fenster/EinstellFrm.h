// The settings dialog and the game's own section "[Wirbelix]" of Kelmo.ini.
//
// The dialog's controls are the working copy of the nine settings: OK takes
// them into the shared state and redraws the letter board, Cancel puts the
// settings back into the controls. The dialog lives from start-up to the end
// of the program and is only hidden between uses.
#pragma once

#include <array>
#include <functional>

#include "forms/Form.h"

namespace wx {

class Spiel;

// The steps of replacing Kelmo.ini by its rewritten copy, in their order.
enum class SpeicherSchritt {
    KopieAnlegen,  // create (or empty) Kelmo.tmp
    Schreiben,     // one piece of the new text into Kelmo.tmp
    AufPlatte,     // flush Kelmo.tmp to the disk
    KopieSchliessen,
    Ersetzen,        // rename Kelmo.tmp over Kelmo.ini
    OrdnerAufPlatte  // flush the folder, so that the rename itself lasts
};

class EinstellFrm : public Form {
public:
    explicit EinstellFrm(Spiel& spiel);

    Steuerelement Frame1, gegenComp;
    std::array<Steuerelement, 3> SpSt;
    Steuerelement Frame2, TonEin, RateZeitEin, TastaturAus, EinstSaveOpt;
    Steuerelement Frame3, BstRahmEin, LoesWortFarbe, LoesWortSW, Label1;
    // The text box and its attached up-down control are one spin box on the
    // screen (UpDnFehlVersuche, over both places); nFehlVersuche keeps the
    // text box's own text and place.
    Steuerelement nFehlVersuche, UpDnFehlVersuche;
    Steuerelement okBtn, abbrBtn;

    void okBtn_Click();
    void abbrBtn_Click();
    void LoesWortFarbe_Click();
    void LoesWortSW_Click();
    // Takes the settings from the controls and redraws the letter board.
    void EinstellAenderungUebernehmen();

    // Reads the section at start-up into the dialog and the settings.
    void loadKelmoIni();
    // Writes the section back at program end when "Einstellungen speichern"
    // is checked. The old file stays whole until the new one is complete on
    // the disk; false when the new file could not be put in its place.
    bool saveKelmoIni();

    // Runs before every step of replacing the file; a step for which it
    // returns false fails as if the disk had refused it.
    std::function<bool(SpeicherSchritt)> vorSpeicherSchritt;

    // Selects an option button as a click does: the others of its group are
    // cleared and its click handler runs.
    void waehleOption(Steuerelement& option);
    // Puts a count into the up-down control and its text box.
    void setzeFehlversuche(int n);

private:
    Spiel& spiel_;
};

}  // namespace wx
