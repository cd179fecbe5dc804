// The example sentence: its gap, its font, its price.
#include <gtest/gtest.h>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

constexpr int16_t k80 = 2;  // wheel position of the value 80

// A game whose only word is wort with this sentence material.
struct SatzSpiel {
    RundenSpiel s;
    SatzSpiel(const std::string& wort, const std::string& satz, bool mitSaetzen = true)
        : s({TestWort{6, wort, "das", true, true, "Umschreibung.", satz}}, RundenSpiel::kZweiSpieler,
            mitSaetzen) {}
    // Stops on 80 with 100 points and shows the sentence.
    void zeige() {
        s.punkte(0) = 100;
        s.stoppeAuf(k80);
        s.m().showSatzBtn.beiKlick();
    }
    const Steuerelement& lbl() { return s.m().SatzBspLbl; }
};

TEST(Satz, TheWordsPlaceBecomesAGapOfOneUnderscorePerLetter) {
    SatzSpiel t("Fahrrad", "Das @ steht im Keller.");
    t.zeige();
    EXPECT_EQ(t.s.g().aktSatz, "Das _______ steht im Keller.");
    EXPECT_EQ(t.lbl().caption, t.s.g().aktSatz);
    EXPECT_TRUE(t.lbl().visible);
    EXPECT_FALSE(t.s.m().UebTitelLabel.visible);
    EXPECT_EQ(t.lbl().schrift.groesse, 12);  // it fits as it is
}

TEST(Satz, TheGapHasAtMostTenUnderscores) {
    SatzSpiel t("Kindergärten", "Im @ spielen wir.");
    t.zeige();
    EXPECT_EQ(t.s.g().aktSatz, "Im __________ spielen wir.");
}

TEST(Satz, WithoutAnAtSignTheGapComesFirst) {
    SatzSpiel t("Hund", "Er bellt laut.");
    t.zeige();
    EXPECT_EQ(t.s.g().aktSatz, "____Er bellt laut.");
}

TEST(Satz, CharactersAroundTheAtSignStayWhole) {
    SatzSpiel t("Bär", "Größer als @ ist nur ein Bär.");
    t.zeige();
    EXPECT_EQ(t.s.g().aktSatz, "Größer als ___ ist nur ein Bär.");
}

TEST(Satz, WithoutASentenceTheLabelIsEmptyAndTheValueIsChargedAllTheSame) {
    SatzSpiel t("Hund", "", false);
    t.zeige();
    EXPECT_EQ(t.s.g().aktSatz, "");
    EXPECT_EQ(t.lbl().caption, "");
    EXPECT_EQ(t.s.punkte(0), 20);
}

TEST(Satz, ShowingCostsTheValueAndUsesUpTheSpin) {
    SatzSpiel t("Fahrrad", "Das @ steht im Keller.");
    t.zeige();
    MainFrm& m = t.s.m();
    EXPECT_EQ(t.s.punkte(0), 20);
    EXPECT_EQ(m.punkZiff[4].caption, "2");
    EXPECT_EQ(t.s.spiel->dateiInfoFrm().SpPunkte[0].caption, "20");
    EXPECT_EQ(t.s.g().aktSpieler, 0);
    t.s.erwarteNeuenDreh();

    m.drehenBtn.beiKlick();  // the next spin takes the sentence down
    EXPECT_FALSE(t.lbl().visible);
    EXPECT_TRUE(m.UebTitelLabel.visible);
}

TEST(Satz, ALongerSentenceShrinksToTheLargestSizeThatFits) {
    // 69 characters with the gap: 8280 twips at 12 points, 7590 at 11, 6900 at 10.
    SatzSpiel t("Hund", std::string(30, 'x') + " @ " + std::string(33, 'y'));
    t.zeige();
    ASSERT_EQ(testBreite(t.s.g().aktSatz, 10), 6900);
    EXPECT_EQ(t.lbl().schrift.groesse, 10);
    EXPECT_EQ(t.s.m().SatzBspLbl.width, 7065);

    // Every click starts again at 12 points.
    t.s.m().SatzBspLbl.schrift.groesse = 4;
    t.zeige();
    EXPECT_EQ(t.lbl().schrift.groesse, 10);
}

TEST(Satz, ASentenceTooWideEvenAtOnePointIsShownAtOnePoint) {
    // 804 characters: 8040 twips at 1 point, and wider than 32767 twips at
    // 5 points and more.
    SatzSpiel t("Hund", std::string(800, 'x') + "@");
    t.zeige();
    EXPECT_EQ(t.lbl().schrift.groesse, 1);
    EXPECT_TRUE(t.lbl().visible);
}

}  // namespace
}  // namespace wx::test
