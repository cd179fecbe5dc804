// The points wheel: ten pictures of one wheel, one shown at a time.
#include <string>

#include "start/MainFrm.h"
#include "start/Spiel.h"
#include "start/Text.h"

namespace wx {

void MainFrm::initRadWerte() { RadWerte = {0, 20, 80, 300, 150, -1, 200, 10, 40, 100}; }

void MainFrm::ladeRadBilder() {
    for (int i = 0; i < 10; ++i) {
        const std::string pfad = findeDatei(g.AppPfad + "\\Grafik\\GRAD" + std::to_string(i) + ".WMF");
        RadImg[static_cast<size_t>(i)].bild = dateiVorhanden(pfad) ? pfad : std::string();
    }
}

void MainFrm::warteSekunden(int16_t n) {
    // The time of day is measured in whole seconds; across midnight the clock
    // starts again at 0, so a day is added to keep the difference growing.
    constexpr int32_t kTag = 86400;
    Plattform& p = plattform();
    const int32_t start = g.sekundenJetzt();
    p.beginnePause();
    int32_t vorher = start;
    int32_t tage = 0;
    while (true) {
        int32_t jetzt = g.sekundenJetzt();
        if (jetzt < vorher) tage += kTag;
        vorher = jetzt;
        if (jetzt + tage - start >= n) break;
        p.schlafe(0.05);
    }
    p.beendePause();
}

}  // namespace wx
