// The play-time bar: how fast it shrinks, across midnight, and the one end
// message when it is used up.
#include <gtest/gtest.h>

#include "Lauf.h"
#include "fenster/MldFenster.h"

namespace wx::test {
namespace {

constexpr int32_t kTop = 330, kHoehe = 4605;

TEST(Spielzeit, BarShrinksFromTheTopByTheRealSecondsTimesTheRate) {
    struct Fall {
        const char* name;
        std::string spielDauer;
        double startUhr;   // time of day when the clock is set, before the first tick
        int32_t sprung;    // StartZeit moved by this (a clock set back: positive)
        double sekunden;
        int32_t kuerzer;
    };
    const Fall faelle[] = {
        {.name = "15 minutes: 300 twips in 60 s", .spielDauer = "15", .startUhr = 36000, .sprung = 0,
         .sekunden = 60, .kuerzer = 300},
        {.name = "3 minutes count as 5", .spielDauer = "3", .startUhr = 36000, .sprung = 0, .sekunden = 60,
         .kuerzer = 900},
        {.name = "no key, no shrinking", .spielDauer = "", .startUhr = 36000, .sprung = 0, .sekunden = 3600,
         .kuerzer = 0},
        {.name = "across midnight", .spielDauer = "15", .startUhr = 86400 - 12, .sprung = 0, .sekunden = 60,
         .kuerzer = 300},
        {.name = "clock set back an hour", .spielDauer = "15", .startUhr = 36000, .sprung = 3600, .sekunden = 5,
         .kuerzer = 0},
    };
    for (const auto& f : faelle) {
        Lauf lauf(f.spielDauer);
        ASSERT_TRUE(lauf.gestartet) << f.name;
        auto& m = lauf.main();
        lauf.plattform.zeit = f.startUhr;
        m.StartZeit = lauf.g().sekundenJetzt() + f.sprung;
        lauf.plattform.laufe(f.sekunden);
        EXPECT_EQ(m.RestZeitStand.height, kHoehe - f.kuerzer) << f.name;
        EXPECT_EQ(m.RestZeitStand.top, kTop + f.kuerzer) << f.name << ": the bottom edge stays";
        EXPECT_FALSE(lauf.plattform.beendet) << f.name;
    }
}

TEST(Spielzeit, UsedUpBarShowsTheMessageOnceAndEnds) {
    struct Fall {
        const char* name;
        int32_t verschlafen;  // seconds the program was suspended before the run
        double sekunden;
    };
    const Fall faelle[] = {{"the bar runs out tick by tick", 0, 400},
                           {"one late step larger than the whole bar", 5000, 5}};
    for (const auto& f : faelle) {
        Lauf lauf("5");  // 15 twips a second: about 300 s
        ASSERT_TRUE(lauf.gestartet);
        auto& m = lauf.main();
        m.StartZeit -= f.verschlafen;
        m.gradTimer.enabled = true;
        m.RestZeitTimer.enabled = true;
        int meldungen = 0;
        lauf.plattform.wennModal("MldFenster", [&](Form& fenster) {
            ++meldungen;
            EXPECT_EQ(fenster.caption, "Ende der Spielzeit");
            EXPECT_EQ(lauf.g().MeldungsText, "Die Höchstspielzeit ist abgelaufen!\rWirbelix wird jetzt beendet.");
            for (const Timer* t : m.timer) EXPECT_FALSE(t->enabled) << f.name << ": " << t->name;
            EXPECT_FALSE(lauf.plattform.beendet) << "the end follows the message";
            static_cast<MldFenster&>(fenster).Btn1_Click();
        });
        lauf.plattform.laufe(f.sekunden);
        lauf.plattform.laufe(600);  // no timer fires any more
        EXPECT_EQ(meldungen, 1) << f.name;
        EXPECT_TRUE(lauf.plattform.beendet) << f.name;
        EXPECT_GE(m.RestZeitStand.height, 0) << f.name;
        EXPECT_LT(m.RestZeitStand.height, 100) << f.name;
        EXPECT_EQ(m.RestZeitStand.top + m.RestZeitStand.height, kTop + kHoehe) << f.name;
        EXPECT_EQ(lauf.plattform.pausen, 1) << f.name << ": one end sequence";
    }
}

}  // namespace
}  // namespace wx::test
