// The new-game question and what a new game sets back.
#include <gtest/gtest.h>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

TEST(NeuesSpiel, OnePlayerIsAskedWithDu) {
    RundenSpiel s(beispielWoerter(), startTextFuer({"Anna"}));
    s.plattform.wennModalDruecke("MldFenster", "Btn2");
    s.m().mnuDateiNeu_Click();
    const auto& f = s.spiel->mldFenster();
    EXPECT_EQ(f.Meldung.caption, "Bist du wirklich sicher,\rdass du Wirbelix neu\rstarten willst?");
    EXPECT_EQ(f.caption, "Neues Spiel");
    EXPECT_EQ(f.Btn1.caption, "&ja");
    EXPECT_EQ(f.Btn2.caption, "&nein");
}

TEST(NeuesSpiel, SeveralPlayersAreAskedWithIhr) {
    RundenSpiel s;
    s.plattform.wennModalDruecke("MldFenster", "Btn2");
    s.m().mnuDateiNeu_Click();
    EXPECT_EQ(s.spiel->mldFenster().Meldung.caption,
              "Seid ihr wirklich sicher,\rdass ihr Wirbelix neu\rstarten wollt?");
}

class NeuesSpielDrei : public ::testing::Test {
protected:
    RundenSpiel s{beispielWoerter(), startTextFuer({"Anna", "Ben", "Cem"})};
    MainFrm& m = s.m();
    std::string wort;

    void SetUp() override {
        s.punkte(0) = 120;
        s.punkte(1) = 340;
        s.punkte(2) = 560;
        m.naechsterSpieler();
        m.naechsterSpieler();
        for (int i = 0; i < 3; ++i) s.spiel->dateiInfoFrm().SpPunkte[i].caption = "x";
        s.legeWort("Boot");
        s.g().aktBstPos = 3;
        m.FehlVersuche = 2;
    }
};

TEST_F(NeuesSpielDrei, NoChangesNothing) {
    s.plattform.wennModalDruecke("MldFenster", "Btn2");
    m.mnuDateiNeu_Click();
    EXPECT_EQ(s.g().aktSpieler, 2);
    EXPECT_EQ(s.punkte(0), 120);
    EXPECT_EQ(s.punkte(2), 560);
    EXPECT_EQ(s.g().aktWort, "Boot");
    EXPECT_EQ(s.g().aktBstPos, 3);
    EXPECT_EQ(m.FehlVersuche, 2);
}

TEST_F(NeuesSpielDrei, YesZeroesEveryScoreAndGivesTheFirstPlayerANewWord) {
    s.plattform.wennModalDruecke("MldFenster", "Btn1");
    m.mnuDateiNeu_Click();
    EXPECT_EQ(s.g().aktSpieler, 0);
    EXPECT_EQ(m.SpNameLbl.caption, "Anna");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.punkte(i), 0);
        EXPECT_EQ(s.spiel->dateiInfoFrm().SpPunkte[i].caption, "0");
    }
    for (const auto& z : m.punkZiff) EXPECT_EQ(z.caption, "0");
    EXPECT_NE(s.g().aktWort, "Boot");
    EXPECT_EQ(s.g().aktBstPos, 0);
    EXPECT_EQ(m.FehlVersuche, 0);
}

TEST_F(NeuesSpielDrei, YesEndsARunningWordGuessButLeavesTheButtonsAsTheyWere) {
    s.stoppeAuf(8);
    m.WortRatenBtn.beiKlick();
    s.plattform.wennModalDruecke("MldFenster", "Btn1");
    m.mnuDateiNeu_Click();
    EXPECT_FALSE(m.WortRatenModus);
    EXPECT_EQ(m.WortRatenStart, 0);
    EXPECT_EQ(m.WortRatenLampe.bild, m.LampeRotImg.bild);
    EXPECT_FALSE(m.drehenBtn.enabled);
    EXPECT_TRUE(m.bstBtn[0].enabled);

    // The next letter is an ordinary guess: a wrong one costs the value only.
    s.klicke("X");
    EXPECT_EQ(s.punkte(0), 0);
    EXPECT_EQ(m.FehlVersuche, 1);
    EXPECT_TRUE(m.drehenBtn.enabled);
}

}  // namespace
}  // namespace wx::test
