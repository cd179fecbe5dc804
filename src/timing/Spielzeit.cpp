// The play-time limit: the bar RestZeitStand loses SpielzeitFaktor twips at
// its top for every second that passed since the last step; when it is
// shorter than 100 twips the play time is over and the game ends.
#include <algorithm>
#include <string>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace wx {

namespace {
constexpr int32_t kTag = 86400;
constexpr int32_t kLeererBalken = 100;
}  // namespace

void MainFrm::EnergTimer_Timer() {
    if (EndeLaeuft) return;
    const int32_t jetzt = g.sekundenJetzt();
    int32_t vergangen = g.sekundenSeit(StartZeit);
    // The timer ticks every few seconds: what looks like more than half a
    // day is the clock having been set back, and no play time has passed.
    if (vergangen > kTag / 2) vergangen = 0;
    // The step never takes more than the bar has left.
    const int64_t schritt =
        std::min<int64_t>(static_cast<int64_t>(vergangen) * std::max<int16_t>(g.SpielzeitFaktor, 0),
                          std::max<int32_t>(RestZeitStand.height, 0));
    const auto d = static_cast<int32_t>(schritt);
    RestZeitStand.height -= d;
    RestZeitStand.top += d;
    StartZeit = jetzt;
    benenneSpielzeit();

    if (RestZeitStand.height < kLeererBalken) {
        gradTimer.enabled = false;
        RestZeitTimer.enabled = false;
        EnergTimer.enabled = false;
        g.MeldungsText = "Die Höchstspielzeit ist abgelaufen!\rWirbelix wird jetzt beendet.";
        spiel.zeigeMeldung(g.MeldungsText, "&OK", "", "Ende der Spielzeit");
        programmEnde();
    }
}

// For a screen reader the bar is the play time left, in whole minutes begun.
void MainFrm::benenneSpielzeit() {
    if (g.SpielzeitFaktor <= 0) {
        RestZeitStand.zugangsName = "Spielzeit: nicht begrenzt";
        return;
    }
    const int32_t sekunden = std::max<int32_t>(RestZeitStand.height - kLeererBalken, 0) / g.SpielzeitFaktor;
    const int32_t minuten = (sekunden + 59) / 60;
    RestZeitStand.zugangsName =
        "Spielzeit: noch " + std::to_string(minuten) + (minuten == 1 ? " Minute" : " Minuten");
}

}  // namespace wx
