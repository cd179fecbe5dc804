// The play-time limit: the bar RestZeitStand loses SpielzeitFaktor twips at
// its top for every second that passed since the last step; when it is
// shorter than 100 twips the play time is over and the game ends.
#include <algorithm>

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
    int32_t vergangen = jetzt - StartZeit;
    // The time of day starts again at midnight: a jump back by most of a day
    // is the night passing. A small jump back is the clock being set back,
    // and no play time has passed.
    if (vergangen < 0) vergangen = vergangen < -kTag / 2 ? vergangen + kTag : 0;
    // The step never takes more than the bar has left.
    const int64_t schritt = std::min<int64_t>(static_cast<int64_t>(vergangen) * std::max<int16_t>(g.SpielzeitFaktor, 0),
                                              std::max<int32_t>(RestZeitStand.height, 0));
    const auto d = static_cast<int32_t>(schritt);
    RestZeitStand.height -= d;
    RestZeitStand.top += d;
    StartZeit = jetzt;

    if (RestZeitStand.height < kLeererBalken) {
        gradTimer.enabled = false;
        RestZeitTimer.enabled = false;
        EnergTimer.enabled = false;
        g.MeldungsText = "Die Höchstspielzeit ist abgelaufen!\rWirbelix wird jetzt beendet.";
        spiel.zeigeMeldung(g.MeldungsText, "&OK", "", "Ende der Spielzeit");
        programmEnde();
    }
}

}  // namespace wx
