// The example sentence: a sentence from the word's database record with a gap
// of underscores where the word belongs, shown in the title strip for the
// price of the value.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "basis/Text.h"

namespace wx {

void MainFrm::holeSatzBeispiel() {
    const auto refNr = static_cast<int16_t>(rdb.feld("RefNr").zahl());
    g.aktSatz.clear();
    if (!phr.findFirst("RefNr=" + std::to_string(refNr))) return;

    // "@" marks the word's place. Being a single byte that never occurs
    // inside a multi-byte character, its byte position splits the text
    // between whole characters. Without "@" the gap goes in front.
    const std::string s = phr.feld("SatzKontext").text();
    const auto at = s.find('@');
    const std::string vorher = at == std::string::npos ? std::string() : s.substr(0, at);
    const std::string nachher = at == std::string::npos ? s : s.substr(at + 1);
    const int luecke = std::min(laenge(g.aktWort), 10);
    g.aktSatz = vorher + std::string(static_cast<size_t>(luecke), '_') + nachher;
}

void MainFrm::uebernehmeSatzSchrift() { FormSchrift = SatzBspLbl.schrift; }

int16_t MainFrm::SatzBreite() {
    uebernehmeSatzSchrift();
    // A very long sentence is wider than 16 bits can say; it counts as the
    // widest rather than wrapping round to a small width that would "fit".
    const auto breite = runde(plattform().textGroesse(g.aktSatz, FormSchrift).breite);
    return static_cast<int16_t>(std::clamp<int64_t>(breite, INT16_MIN, INT16_MAX));
}

void MainFrm::showSatzBtn_Click() {
    // Never on credit: a score stays at 0 or above.
    if (ComputerAmZug || punkte() < wert()) return;
    holeSatzBeispiel();
    UebTitelLabel.visible = false;

    // Start at 12 points and shrink until the sentence fits on one line;
    // 1 point is as small as it gets.
    Schrift schrift = SatzBspLbl.schrift;
    schrift.groesse = 12;
    setzeSchrift(SatzBspLbl, schrift);
    while (SatzBreite() > SatzBspLbl.width && schrift.groesse > 1) {
        schrift.groesse -= 1;
        setzeSchrift(SatzBspLbl, schrift);
    }
    setzeCaption(SatzBspLbl, g.aktSatz);
    SatzBspLbl.visible = true;
    showSatzBtn.enabled = false;

    punkte() -= wert();
    zeigeUndMerkePunkte();

    // The sentence used up the spin; the same player spins again.
    zurueckZumDrehen();
}

}  // namespace wx
