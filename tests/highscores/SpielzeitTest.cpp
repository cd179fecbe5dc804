// The play-time bar: how fast it shrinks, across midnight, and the one end
// message when it is used up.
#include <gtest/gtest.h>

#include "Lauf.h"
#include "fenster/MldFenster.h"

namespace wx::test {
namespace {

constexpr int32_t kTop = 330, kHoehe = 4605;

TEST(Spielzeit, BarLosesRateTimesRealSecondsAtItsTop) {
    struct Fall {
        const char* spielDauer = "15";
        double uhr = 36000;  // time of day before the first tick
        int32_t sprung = 0;  // the clock set back by this many seconds
        double sekunden = 60;
        int32_t kuerzer;
    };
    for (const Fall& f :
         {Fall{.kuerzer = 300}, Fall{.spielDauer = "3", .kuerzer = 900},
          Fall{.spielDauer = "", .sekunden = 3600, .kuerzer = 0}, Fall{.uhr = 86400 - 12, .kuerzer = 300},
          Fall{.sprung = 3600, .sekunden = 5, .kuerzer = 0}}) {
        Lauf lauf(f.spielDauer);
        auto& m = lauf.main();
        lauf.plattform.zeit = f.uhr;
        m.StartZeit = lauf.g().sekundenJetzt() + f.sprung;
        lauf.plattform.laufe(f.sekunden);
        EXPECT_EQ(m.RestZeitStand.height, kHoehe - f.kuerzer) << f.spielDauer << " at " << f.uhr;
        EXPECT_EQ(m.RestZeitStand.top, kTop + f.kuerzer) << f.spielDauer << " at " << f.uhr;
    }
}

TEST(Spielzeit, UsedUpBarShowsTheMessageOnceAndEnds) {
    for (int32_t verschlafen : {0, 5000}) {  // tick by tick; one step beyond the whole bar
        Lauf lauf("5");                      // 15 twips a second
        auto& m = lauf.main();
        m.StartZeit -= verschlafen;
        // The wheel and the guess-time timer run too; their own effects are
        // not what this test is about, only that the end stops them.
        m.gradTimer.beiTick = m.RestZeitTimer.beiTick = [] {};
        m.gradTimer.enabled = m.RestZeitTimer.enabled = true;
        int meldungen = 0;
        lauf.plattform.wennModal("MldFenster", [&](Form& fenster) {
            ++meldungen;
            EXPECT_EQ(fenster.caption + lauf.g().MeldungsText,
                      "Ende der SpielzeitDie Höchstspielzeit ist abgelaufen!\rWirbelix wird jetzt beendet.");
            for (const Timer* t : m.timer) EXPECT_FALSE(t->enabled) << t->name;
            EXPECT_TRUE(lauf.plattform.protokoll.empty()) << "the end follows the message";
            static_cast<MldFenster&>(fenster).Btn1_Click();
        });
        lauf.plattform.laufe(1000);
        EXPECT_EQ(meldungen, 1) << verschlafen;
        EXPECT_EQ(lauf.plattform.protokoll.back(), "end [0]+ini") << verschlafen;
        EXPECT_TRUE(m.RestZeitStand.height >= 0 && m.RestZeitStand.height < 100) << verschlafen;
        EXPECT_EQ(m.RestZeitStand.top + m.RestZeitStand.height, kTop + kHoehe) << verschlafen;
    }
}

}  // namespace
}  // namespace wx::test
