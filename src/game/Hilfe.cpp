// Help for a player who keeps missing: after more than half of the allowed
// failed attempts the game names the next letter or gives away the word.
#include <string>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace wx {

void MainFrm::gibHilfe() {
    const std::string vorname = Vorname(g.SpielerName[static_cast<size_t>(g.aktSpieler)]);
    g.MeldungsText = "Ich glaube, ich muss dir helfen, " + vorname + ".\r";

    // About even odds: 0..50 names the letter, 51..100 the whole word.
    if (g.zufallsZahl(0, 100) <= 50) {
        const std::string& buchstabe = BstLbl[static_cast<size_t>(g.aktBstPos)].caption;
        if (g.aktBstPos == 0)
            g.MeldungsText += "Das gesuchte Wort beginnt mit einem <" + buchstabe + ">.";
        else
            g.MeldungsText += "Als nächster Buchstabe kommt ein <" + buchstabe + ">.";
    } else {
        g.MeldungsText += "Das gesuchte Wort heißt: <" + g.aktWort + ">.";
    }
    spiel.zeigeMeldung(g.MeldungsText, "&OK", "", "Hilfe");
}

}  // namespace wx
