// The example sentence: its gap, its font, its price.
#include <gtest/gtest.h>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

TEST(Satz, TheWordsPlaceBecomesAGapOfAtMostTenUnderscoresAndTheFontShrinksToFit) {
    struct Fall {
        const char* wort;
        std::string satz;
        const char* erwartet;  // nullptr: not looked at
        int schrift;
        bool mitSaetzen = true;
    };
    for (const Fall& f :
         {Fall{.wort = "Fahrrad",
         .satz = "Das @ steht im Keller.",
         .erwartet = "Das _______ steht im Keller.",
         .schrift = 12},
          Fall{.wort = "Kindergärten",
          .satz = "Im @ spielen wir.",
          .erwartet = "Im __________ spielen wir.",
          .schrift = 12},
          Fall{.wort = "Bär",
          .satz = "Größer als @ ist ein Bär.",
          .erwartet = "Größer als ___ ist ein Bär.",
          .schrift = 12},
          Fall{.wort = "Hund",
          .satz = "Er bellt.",
          .erwartet = "____Er bellt.",
          .schrift = 12},  // no @: the gap first
          Fall{.wort = "Hund",
          .satz = "",
          .erwartet = "",
          .schrift = 12,
          .mitSaetzen = false},  // no sentence at all
          // 69 characters: 8280 twips at 12 points, 7590 at 11, 6900 at 10
          Fall{.wort = "Hund",
          .satz = std::string(30, 'x') + " @ " + std::string(33, 'y'),
          .erwartet = nullptr,
          .schrift = 10},
          // wider than 32767 twips from 5 points on, 8040 at 1 point
          Fall{.wort = "Hund", .satz = std::string(800, 'x') + "@", .erwartet = nullptr, .schrift = 1}}) {
        SCOPED_TRACE(f.satz.substr(0, 30));
        RundenSpiel s({"Anna", "Ben"}, {TestWort{6, f.wort, "das", true, true, "Umschreibung.", f.satz}},
                      f.mitSaetzen);
        MainFrm& m = s.m();
        auto zeige = [&] {  // at 80 with 100 points
            s.punkte(0) = 100;
            s.stoppeAuf(2);
            m.showSatzBtn.beiKlick();
        };
        zeige();
        if (f.erwartet) EXPECT_EQ(s.g().aktSatz, f.erwartet);
        EXPECT_EQ(m.SatzBspLbl.caption, s.g().aktSatz);
        EXPECT_TRUE(m.SatzBspLbl.visible && !m.UebTitelLabel.visible);
        EXPECT_EQ(m.SatzBspLbl.schrift.groesse, f.schrift);
        EXPECT_EQ(m.SatzBspLbl.width, 7065);
        // The value is paid, sentence or not, and the same player spins again.
        EXPECT_EQ(s.ziffern() + " " + s.spiel->dateiInfoFrm().SpPunkte[0].caption, "000020 20");
        EXPECT_EQ(s.g().aktSpieler, 0);
        s.erwarteNeuenDreh();

        m.SatzBspLbl.schrift.groesse = 4;
        zeige();  // every showing starts again at 12 points
        EXPECT_EQ(m.SatzBspLbl.schrift.groesse, f.schrift);
        m.drehenBtn.beiKlick();  // the next spin takes the sentence down
        EXPECT_TRUE(!m.SatzBspLbl.visible && m.UebTitelLabel.visible);
    }
}

}  // namespace
}  // namespace wx::test
