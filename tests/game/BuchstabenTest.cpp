// Judging a letter: the outcome table, which letter is right, the guards,
// and the keyboard.
#include <gtest/gtest.h>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

using Toene = std::vector<std::string>;

constexpr int16_t k40 = 8, k80 = 2, k100 = 9;  // wheel positions

class Buchstaben : public ::testing::Test {
protected:
    RundenSpiel s;
    MainFrm& m = s.m();

    void SetUp() override {
        s.legeWort("Boot");
        s.punkte(0) = 500;
        s.punkte(1) = 70;
    }
    Farbe verdeckt(int i) const { return m.BstLbl[static_cast<size_t>(i)].hinter; }
};

// ---- the outcome table ----

TEST_F(Buchstaben, RightLetterWithLettersLeftRevealsScoresAndPassesTheTurn) {
    s.stoppeAuf(k40);
    s.vergiss();
    s.klicke("B");
    EXPECT_EQ(s.toene(), Toene{"Annahme1"});
    EXPECT_EQ(m.BstLbl[0].vorder, s.aufgedeckt(0));
    EXPECT_EQ(m.BstLbl[1].vorder, verdeckt(1));
    EXPECT_EQ(s.g().aktBstPos, 1);
    EXPECT_EQ(s.punkte(0), 540);
    EXPECT_EQ(s.spiel->dateiInfoFrm().SpPunkte[0].caption, "540");
    EXPECT_EQ(m.SpNameLbl.caption, "Ben");
    EXPECT_EQ(m.punkZiff[4].caption, "7");  // the digits show the next player
    s.erwarteNeuenDreh();
}

TEST_F(Buchstaben, RightLastLetterWaitsThreeSecondsThenNextWordAndTheTurnPasses) {
    s.g().aktBstPos = 3;
    m.FehlVersuche = 2;
    s.stoppeAuf(k100);
    s.vergiss();
    const double vorher = s.plattform.verschlafen;
    s.klicke("T");
    EXPECT_EQ(s.toene(), Toene{"Gratulation1"});
    EXPECT_NEAR(s.plattform.verschlafen - vorher, 3.0, 0.6);
    EXPECT_NE(s.g().aktWort, "Boot");
    EXPECT_EQ(s.g().aktBstPos, 0);
    EXPECT_EQ(s.punkte(0), 600);
    EXPECT_EQ(s.g().aktSpieler, 1);
    EXPECT_EQ(m.FehlVersuche, 0);
    EXPECT_EQ(m.WortRatenLampe.bild, m.LampeRotImg.bild);
    s.erwarteNeuenDreh();
}

TEST_F(Buchstaben, WrongLetterCostsTheValueNotBelowZeroAndTheSamePlayerSpins) {
    s.stoppeAuf(k80);
    s.vergiss();
    s.klicke("X");
    EXPECT_EQ(s.toene(), Toene{"LeichterFehler"});
    EXPECT_EQ(s.punkte(0), 420);
    EXPECT_EQ(m.FehlVersuche, 1);
    EXPECT_EQ(m.BstLbl[0].vorder, verdeckt(0));
    EXPECT_EQ(s.g().aktSpieler, 0);
    s.erwarteNeuenDreh();

    s.punkte(0) = 30;
    s.stoppeAuf(k80);
    s.klicke("X");
    EXPECT_EQ(s.punkte(0), 0);
}

TEST_F(Buchstaben, WrongLetterWithAttemptsUsedUpShowsTheSolutionForEightSeconds) {
    s.g().FehlversucheMaximum = 1;
    s.g().aktBstPos = 2;
    const std::vector<Farbe> erwartet = {verdeckt(0), verdeckt(1), s.aufgedeckt(2), s.aufgedeckt(3)};
    s.stoppeAuf(k40);
    s.vergiss();
    const double vorher = s.plattform.verschlafen;
    s.klicke("X");
    EXPECT_EQ(s.toene(), Toene{"AllgemeinerFehler"});
    EXPECT_NEAR(s.plattform.verschlafen - vorher, 8.0, 0.6);
    // On the screen during the pause: the rest of the word, from position 2.
    const auto& brett = s.plattform.brettBeiPause;
    ASSERT_EQ(brett.size(), 15u);
    EXPECT_EQ(std::vector<Farbe>(brett.begin(), brett.begin() + 4), erwartet);
    EXPECT_NE(s.g().aktWort, "Boot");
    EXPECT_EQ(m.FehlVersuche, 0);
    EXPECT_EQ(s.punkte(0), 460);  // the same player pays, after the new word
    EXPECT_EQ(s.g().aktSpieler, 0);
    s.erwarteNeuenDreh();
}

TEST_F(Buchstaben, WrongLetterInAWordGuessCostsEveryLetterMissingAtItsStart) {
    s.legeWort("Fahrrad");
    s.g().aktBstPos = 2;
    s.stoppeAuf(k40);
    m.WortRatenBtn.beiKlick();
    s.vergiss();
    s.klicke("X");
    EXPECT_EQ(s.toene(), Toene{"SchwererFehler"});
    EXPECT_EQ(s.punkte(0), 300);  // (7 - 2) * 40
    EXPECT_FALSE(m.WortRatenModus);
    EXPECT_EQ(m.WortRatenStart, 0);
    EXPECT_EQ(m.WortRatenLampe.bild, m.LampeRotImg.bild);
    EXPECT_EQ(m.FehlVersuche, 0);
    EXPECT_EQ(s.g().aktSpieler, 0);
    s.erwarteNeuenDreh();

    s.punkte(0) = 100;
    s.stoppeAuf(k40);
    m.WortRatenBtn.beiKlick();
    s.klicke("X");
    EXPECT_EQ(s.punkte(0), 0);
}

TEST_F(Buchstaben, RightLettersInAWordGuessKeepThePlayerTypingUntilTheWordIsDone) {
    s.stoppeAuf(k40);
    m.WortRatenBtn.beiKlick();
    s.klicke("B");
    EXPECT_EQ(s.g().aktSpieler, 0);
    EXPECT_EQ(s.punkte(0), 540);
    EXPECT_FALSE(m.drehenBtn.enabled);
    EXPECT_TRUE(s.tasten(true));
    for (const char* b : {"O", "O", "T"}) s.klicke(b);
    EXPECT_EQ(s.punkte(0), 660);
    EXPECT_FALSE(m.WortRatenModus);
    EXPECT_EQ(m.WortRatenLampe.bild, m.LampeRotImg.bild);
    EXPECT_EQ(s.g().aktSpieler, 1);
    s.erwarteNeuenDreh();
}

TEST_F(Buchstaben, TheSentenceStaysDuringAWordGuessAndGoesAfterAnOrdinaryRightLetter) {
    auto zeigeSatz = [this] {
        m.UebTitelLabel.visible = false;
        m.SatzBspLbl.visible = true;
    };
    s.stoppeAuf(k40);
    m.WortRatenBtn.beiKlick();
    zeigeSatz();
    s.klicke("B");
    EXPECT_TRUE(m.SatzBspLbl.visible);
    s.klicke("X");

    s.stoppeAuf(k40);
    zeigeSatz();
    s.klicke("O");
    EXPECT_FALSE(m.SatzBspLbl.visible);
    EXPECT_TRUE(m.UebTitelLabel.visible);
}

// ---- which letter is right, and when a letter counts at all ----

TEST_F(Buchstaben, LowerCaseLettersMatchTheirCapitalsAndSharpSOnlyItsOwnKey) {
    s.legeWort("aß");
    s.stoppeAuf(k40);
    s.klicke("A");
    EXPECT_EQ(s.g().aktBstPos, 1);
    s.stoppeAuf(k40);
    s.klicke("S");
    EXPECT_EQ(s.g().aktBstPos, 1);
    s.stoppeAuf(k40);
    s.klicke("ß");
    EXPECT_NE(s.g().aktWort, "aß");
}

TEST_F(Buchstaben, ALetterBeforeTheSpinOrWhileTheWheelTurnsChangesNothing) {
    ASSERT_TRUE(m.drehenBtn.enabled);
    m.setzeLampe(1, true);
    m.setzeBuchstabenTasten(true);
    m.WortRatenBtn.enabled = true;
    s.klicke("B");
    EXPECT_EQ(m.KaufenLampe.bild, m.LampeGruenImg.bild);  // not even the lamp
    EXPECT_TRUE(m.WortRatenBtn.enabled);
    EXPECT_EQ(s.g().aktBstPos, 0);
    EXPECT_EQ(s.punkte(0), 500);
    EXPECT_TRUE(s.toene().empty());

    m.drehenBtn.beiKlick();
    m.setzeBuchstabenTasten(true);
    s.vergiss();
    s.klicke("B");
    EXPECT_EQ(s.g().aktBstPos, 0);
    EXPECT_TRUE(s.toene().empty());
}

// ---- the keyboard ----

TEST_F(Buchstaben, KeysMapToTheirLetterKeysUmlautsAndBracketsIncluded) {
    struct Fall {
        const char* wort;
        int16_t ansi;
    };
    // ö Ö ä ü ß, then [ \ ] ^ for Ä Ö Ü ß, then a and z
    for (const Fall f : {Fall{"Öl", 246}, Fall{"Öl", 214}, Fall{"Äpfel", 228}, Fall{"Übung", 252},
                         Fall{"ßa", 223}, Fall{"Äpfel", 91}, Fall{"Öl", 92}, Fall{"Übung", 93},
                         Fall{"ßa", 94}, Fall{"Ast", 97}, Fall{"Zoo", 122}}) {
        s.legeWort(f.wort);
        s.stoppeAuf(k40);
        m.Form_KeyPress(f.ansi);
        EXPECT_EQ(s.g().aktBstPos, 1) << f.wort << " with key " << f.ansi;
    }
}

TEST_F(Buchstaben, KeysWithoutALetterKeyAreDropped) {
    s.stoppeAuf(k40);
    s.vergiss();
    for (int16_t ansi : {49, 64, 123, 32, 13}) m.Form_KeyPress(ansi);  // 1 @ { blank CR
    EXPECT_TRUE(s.toene().empty());
    EXPECT_EQ(m.FehlVersuche, 0);
    EXPECT_TRUE(m.BstKaufBtn.enabled);  // judging did not even begin
}

TEST_F(Buchstaben, KeysAreIgnoredWhileTheKeyboardIsLocked) {
    s.g().TastaturEingabeSperren = 1;
    s.stoppeAuf(k40);
    m.Form_KeyPress('b');
    EXPECT_EQ(s.g().aktBstPos, 0);
    s.klicke("B");  // the keys on the screen still work
    EXPECT_EQ(s.g().aktBstPos, 1);
}

// ---- the computer's turn ----

TEST(BuchstabenComputer, NoInputOfTheMainWindowCountsDuringTheComputersTurn) {
    RundenSpiel s(beispielWoerter(), startTextFuer({"Anna", "Computer"}));
    MainFrm& m = s.m();
    s.g().GegenComputer = 1;
    s.legeWort("Boot");
    s.stoppeAuf(k40);
    s.klicke("B");  // Anna is right: the turn goes to the computer
    ASSERT_TRUE(m.ComputerAmZug);

    // Everything enabled, as if the computer's wheel had stopped on 40.
    for (auto* b : {&m.WortRatenBtn, &m.BstKaufBtn, &m.showSatzBtn}) b->enabled = true;
    m.drehenBtn.enabled = false;
    m.setzeBuchstabenTasten(true);
    s.punkte(1) = 500;
    s.vergiss();
    m.Form_KeyPress('o');
    s.klicke("O");
    m.BstKaufBtn.beiKlick();
    m.WortRatenBtn.beiKlick();
    m.showSatzBtn.beiKlick();
    EXPECT_EQ(s.g().aktBstPos, 1);
    EXPECT_EQ(s.punkte(1), 500);
    EXPECT_FALSE(m.WortRatenModus);
    EXPECT_FALSE(m.SatzBspLbl.visible);
    EXPECT_TRUE(s.toene().empty());

    m.drehenBtn.enabled = true;
    m.drehenBtn.beiKlick();
    EXPECT_FALSE(m.gradTimer.enabled);
    m.RadDrehen();  // the computer's own spin: no stop button for the user
    EXPECT_FALSE(m.anhaltenBtn.enabled);
    m.anhaltenBtn.beiKlick();
    EXPECT_TRUE(m.gradTimer.enabled);
}

}  // namespace
}  // namespace wx::test
