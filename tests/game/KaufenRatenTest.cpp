// Buying the next letter and starting a word guess.
#include <gtest/gtest.h>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

using Toene = std::vector<std::string>;

constexpr int16_t k20 = 1, k150 = 4;  // wheel positions

TEST(KaufenRaten, BuyingRevealsTheNextLetterForTheValueAndTheSamePlayerSpins) {
    RundenSpiel s;
    s.g().LoesungswortFarbig = FALSCH;
    s.legeWort("Katze");
    s.punkte(0) = 150;
    s.m().FehlVersuche = 2;
    s.stoppeAuf(k150);
    s.vergiss();
    s.m().BstKaufBtn.beiKlick();
    EXPECT_EQ(s.toene(), Toene{"Annahme2"});
    EXPECT_EQ(s.punkte(0), 0);
    EXPECT_EQ(s.m().BstLbl[0].vorder, kBlau);  // white cells: blue like a guessed letter
    EXPECT_EQ(s.m().BstLbl[1].vorder, kWeiss);
    EXPECT_EQ(s.g().aktBstPos, 1);
    EXPECT_EQ(s.g().aktSpieler, 0);
    EXPECT_EQ(s.m().FehlVersuche, 2);
    s.erwarteNeuenDreh();
}

TEST(KaufenRaten, BuyingTheLastLetterBringsTheNextWordAtOnceAndSilently) {
    RundenSpiel s;
    s.legeWort("Katze");
    s.punkte(0) = 500;
    s.g().aktBstPos = 4;
    s.stoppeAuf(k20);
    s.vergiss();
    const int pausen = s.plattform.pausen;
    s.m().BstKaufBtn.beiKlick();
    EXPECT_EQ(s.toene(), Toene{"Annahme2"});
    EXPECT_EQ(s.plattform.pausen, pausen);
    EXPECT_NE(s.g().aktWort, "Katze");
    EXPECT_EQ(s.g().aktBstPos, 0);
    EXPECT_EQ(s.punkte(0), 480);  // no bonus for the finished word
    EXPECT_EQ(s.g().aktSpieler, 0);
    s.erwarteNeuenDreh();
}

TEST(KaufenRaten, StartingAWordGuessTurnsTheWordLampGreenAndKeepsTheLetterKeys) {
    RundenSpiel s;
    s.legeWort("Katze");
    s.punkte(0) = 500;
    s.g().aktBstPos = 2;
    s.stoppeAuf(k20);
    s.vergiss();
    MainFrm& m = s.m();
    m.WortRatenBtn.beiKlick();
    EXPECT_EQ(s.toene(), Toene{"Achtung"});
    EXPECT_TRUE(m.WortRatenModus);
    EXPECT_EQ(m.WortRatenStart, 2);
    EXPECT_EQ(m.WortRatenLampe.bild, m.LampeGruenImg.bild);
    EXPECT_EQ(m.KaufenLampe.bild, m.LampeRotImg.bild);
    EXPECT_FALSE(m.BstKaufBtn.enabled || m.WortRatenBtn.enabled || m.showSatzBtn.enabled);
    EXPECT_FALSE(m.drehenBtn.enabled);
    EXPECT_TRUE(s.tasten(true));
    EXPECT_EQ(m.fokus, &m.bstBtn[0]);
}

TEST(KaufenRaten, AWordGuessFailingAtTheThirdLetterNetsTwoGainsMinusTheWholeRest) {
    RundenSpiel s;
    s.legeWort("laufen");
    s.punkte(0) = 200;
    s.stoppeAuf(k20);
    s.m().WortRatenBtn.beiKlick();
    for (const char* b : {"L", "A", "X"}) s.klicke(b);
    EXPECT_EQ(s.punkte(0), 200 + 40 - 120);
    EXPECT_EQ(s.g().aktSpieler, 0);

    s.punkte(0) = 50;
    s.stoppeAuf(k20);
    s.m().WortRatenBtn.beiKlick();
    s.klicke("X");
    EXPECT_EQ(s.punkte(0), 0);  // 4 letters missing make 80, but not below 0
}

}  // namespace
}  // namespace wx::test
