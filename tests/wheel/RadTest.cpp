// The wheel: spinning, the automatic stop, and the outcome of each kind of stop.
#include <gtest/gtest.h>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

using Toene = std::vector<std::string>;

class Rad : public ::testing::Test {
protected:
    RundenSpiel s;
    MainFrm& m = s.m();

    int sichtbareBilder() const {
        int n = 0;
        for (const auto& b : m.RadImg) n += b.visible;
        return n;
    }
    // After a stop on -1, 0 or 300: spin again, nothing else.
    void erwarteNochmalDrehen() {
        s.erwarteNeuenDreh();
        EXPECT_FALSE(m.anhaltenBtn.enabled);
        EXPECT_FALSE(m.gradTimer.enabled);
    }
};

TEST_F(Rad, SpinningLocksEverythingButTheStopButton) {
    s.punkte(0) = 500;
    s.stoppeAuf(8);  // buttons and lamp on, to see them go off
    m.drehenBtn.enabled = true;
    m.UebTitelLabel.visible = false;
    m.SatzBspLbl.visible = true;
    s.vergiss();
    m.drehenBtn.beiKlick();
    EXPECT_TRUE(m.gradTimer.enabled);
    EXPECT_EQ(m.DrehStart, 36000);
    EXPECT_FALSE(m.drehenBtn.enabled);
    EXPECT_TRUE(m.anhaltenBtn.enabled);
    EXPECT_FALSE(m.WortRatenBtn.enabled || m.BstKaufBtn.enabled || m.showSatzBtn.enabled);
    EXPECT_EQ(m.KaufenLampe.bild, m.LampeRotImg.bild);
    EXPECT_FALSE(m.SatzBspLbl.visible);
    EXPECT_TRUE(m.UebTitelLabel.visible);
    EXPECT_EQ(s.toene(), Toene{"BewegungStart"});
}

TEST_F(Rad, FirstTickAfterStartUpHidesPictureZeroAndShowsPictureOne) {
    ASSERT_EQ(m.RadPos, 0);
    ASSERT_TRUE(m.RadImg[0].visible);
    m.drehenBtn.beiKlick();
    s.plattform.laufe(0.035);
    EXPECT_EQ(m.RadPos, 1);
    EXPECT_FALSE(m.RadImg[0].visible);
    EXPECT_TRUE(m.RadImg[1].visible);
    EXPECT_EQ(sichtbareBilder(), 1);
}

TEST_F(Rad, TheWheelTurnsOnePositionPerTickAndStopsWhereItIs) {
    s.punkte(0) = 0;
    m.drehenBtn.beiKlick();
    s.plattform.laufe(0.03 * 17 + 0.015);  // 17 ticks: 0 -> 7, the value 10
    EXPECT_EQ(m.RadPos, 7);
    EXPECT_EQ(sichtbareBilder(), 1);
    m.anhaltenBtn.beiKlick();
    EXPECT_EQ(m.RadPos, 7);
    EXPECT_TRUE(m.WortRatenBtn.enabled);
    s.plattform.laufe(1);
    EXPECT_EQ(m.RadPos, 7);  // the timer is off
}

TEST_F(Rad, WithoutAStopTheWheelStopsItselfAfterMoreThanTenSeconds) {
    m.drehenBtn.beiKlick();
    s.plattform.laufe(10.4);
    EXPECT_TRUE(m.gradTimer.enabled);
    s.plattform.laufe(1.2);
    EXPECT_FALSE(m.gradTimer.enabled);
    EXPECT_FALSE(m.anhaltenBtn.enabled);
}

TEST_F(Rad, TheAutomaticStopAlsoWorksAcrossMidnight) {
    s.plattform.zeit = 86395;
    m.drehenBtn.beiKlick();
    EXPECT_EQ(m.DrehStart, 86395);
    s.plattform.laufe(10.4);
    EXPECT_TRUE(m.gradTimer.enabled);
    s.plattform.laufe(1.2);
    EXPECT_FALSE(m.gradTimer.enabled);
}

TEST_F(Rad, StopOnAllPointsLostSetsTheScoreToZero) {
    s.punkte(0) = 730;
    s.vergiss();
    s.stoppeAuf(5);
    EXPECT_EQ(s.punkte(0), 0);
    EXPECT_EQ(m.punkZiff[3].caption, "0");
    EXPECT_EQ(s.spiel->dateiInfoFrm().SpPunkte[0].caption, "0");
    EXPECT_EQ(s.toene(), (Toene{"BewegungStart", "AllgemeinerFehler"}));
    EXPECT_EQ(s.g().aktSpieler, 0);
    erwarteNochmalDrehen();
}

TEST_F(Rad, StopOnLoseTheTurnSoundsBeforeTheTurnPasses) {
    s.punkte(0) = 730;
    s.vergiss();
    s.stoppeAuf(0);
    EXPECT_EQ(s.toene(), (Toene{"BewegungStart", "BewegungEnde"}));
    EXPECT_EQ(s.g().aktSpieler, 1);
    EXPECT_EQ(m.SpNameLbl.caption, "Ben");
    EXPECT_EQ(s.punkte(0), 730);
    erwarteNochmalDrehen();
}

TEST_F(Rad, StopOnTheLuckyHitAddsExactlyOneHundred) {
    s.punkte(0) = 730;
    s.vergiss();
    s.stoppeAuf(3);
    EXPECT_EQ(s.punkte(0), 830);
    EXPECT_EQ(s.toene(), (Toene{"BewegungStart", "Glückstreffer"}));
    EXPECT_EQ(s.g().aktSpieler, 0);
    erwarteNochmalDrehen();
}

TEST_F(Rad, StopOnAValueTheScoreReachesOpensAllChoices) {
    s.punkte(0) = 50;
    s.vergiss();
    s.stoppeAuf(8);  // 40
    EXPECT_EQ(s.toene(), (Toene{"BewegungStart", "BewegungStop"}));
    EXPECT_FALSE(m.drehenBtn.enabled || m.anhaltenBtn.enabled);
    EXPECT_TRUE(m.WortRatenBtn.enabled && m.BstKaufBtn.enabled && m.showSatzBtn.enabled);
    EXPECT_EQ(m.KaufenLampe.bild, m.LampeGruenImg.bild);
    EXPECT_TRUE(s.tasten(true));
    EXPECT_EQ(m.fokus, &m.bstBtn[0]);
    EXPECT_EQ(s.punkte(0), 50);
}

TEST_F(Rad, StopOnAValueAboveTheScoreLeavesOnlyLettersAndTheWordGuess) {
    s.punkte(0) = 50;
    s.stoppeAuf(2);  // 80
    EXPECT_TRUE(m.WortRatenBtn.enabled);
    EXPECT_FALSE(m.BstKaufBtn.enabled || m.showSatzBtn.enabled);
    EXPECT_EQ(m.KaufenLampe.bild, m.LampeRotImg.bild);
    EXPECT_TRUE(s.tasten(true));
    EXPECT_FALSE(m.drehenBtn.enabled);
}

}  // namespace
}  // namespace wx::test
