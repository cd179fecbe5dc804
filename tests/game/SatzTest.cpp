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
    const Fall faelle[] = {
        {"Fahrrad", "Das @ steht im Keller.", "Das _______ steht im Keller.", 12},
        {"Kindergärten", "Im @ spielen wir.", "Im __________ spielen wir.", 12},
        {"Bär", "Größer als @ ist ein Bär.", "Größer als ___ ist ein Bär.", 12},
        {"Hund", "Er bellt.", "____Er bellt.", 12},  // no @: the gap first
        {"Hund", "", "", 12, false},                 // no sentence at all
        // 69 characters: 8280 twips at 12 points, 7590 at 11, 6900 at 10
        {"Hund", std::string(30, 'x') + " @ " + std::string(33, 'y'), nullptr, 10},
        // wider than 32767 twips from 5 points on, 8040 at 1 point
        {"Hund", std::string(800, 'x') + "@", nullptr, 1},
    };
    for (const Fall& f : faelle) {
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
