// The guess-time meter: the needle, the expiry and its message, switching
// the meter, and an expiry that meets another window.
#include <gtest/gtest.h>

#include "RundenSpiel.h"
#include "fenster/CompZugFrm.h"

namespace wx::test {
namespace {

constexpr int16_t k40 = 8;

struct Nadel {
    int32_t x1, y1, x2, y2;
    friend bool operator==(const Nadel&, const Nadel&) = default;
};
Nadel nadel(const MainFrm& m) { return {m.vuNadel.x1, m.vuNadel.y1, m.vuNadel.x2, m.vuNadel.y2}; }

// The dial lies at 8700, 5700 and is 825 wide: its centre is at 9112.5, 6112.5.
TEST(RateZeit, TheNeedleTurnsClockwiseOverTheDialFromItsCentre) {
    RundenSpiel s;
    MainFrm& m = s.m();
    struct Fall {
        int16_t s;
        Nadel erwartet;
    };
    // The needle is 0.6 of the radius, 247.5 long: at 500 it points straight
    // up and 247.5 becomes 248; at 0 and 1000 it points to the lower corners.
    for (const Fall f : {Fall{0, {9112, 6112, 8928, 6278}}, Fall{500, {9112, 6112, 9112, 5864}},
                         Fall{950, {9112, 6112, 9330, 6232}}, Fall{1000, {9112, 6112, 9296, 6278}}}) {
        m.drawVuZeiger(f.s);
        EXPECT_EQ(nadel(m), f.erwartet) << f.s;
    }
    EXPECT_EQ(MainFrm::polarZuXY(247.5, 90), (std::pair<int16_t, int16_t>{0, 248}));
    EXPECT_EQ(MainFrm::polarZuXY(10, 180), (std::pair<int16_t, int16_t>{-10, 0}));
    EXPECT_EQ(MainFrm::polarZuXY(2.5, 0), (std::pair<int16_t, int16_t>{2, 0}));  // halves to even
    EXPECT_DOUBLE_EQ(MainFrm::gradInRad(180), 3.1415926535);

    // The axis: an eighth of the dial, centred where the needle starts.
    EXPECT_EQ(m.vuAchse.width, 103);
    EXPECT_EQ(m.vuAchse.height, 103);
    EXPECT_EQ(m.vuAchse.left + m.vuAchse.width / 2.0, 9112.5);
    EXPECT_EQ(m.vuAchse.top + m.vuAchse.height / 2.0, 6112.5);
}

// Anna Maria and Ben; the meter switched on at 10 o'clock sharp.
struct MitRatezeit : RundenSpiel {
    explicit MitRatezeit(const std::vector<std::string>& spieler = {"Anna Maria", "Ben"})
        : RundenSpiel(spieler) {
        m().switchVuRestZeit(true);
    }
    // Expects the expiry's message next and answers it; during it, the timer is off.
    void erwarteAblauf() {
        plattform.wennModal("MldFenster", [this](Form& f) {
            EXPECT_FALSE(m().RestZeitTimer.enabled);
            static_cast<MldFenster&>(f).Btn1_Click();
        });
    }
};

TEST(RateZeit, TwentyStepsOfFiveSecondsThenTheMessageAndTheNextPlayer) {
    MitRatezeit s;
    MainFrm& m = s.m();
    EXPECT_EQ(m.vuRestZeitImage.bild, m.vuRestZeitEinImg.bild);
    s.plattform.laufe(95);
    EXPECT_EQ(m.RateZeitStand, 950);
    EXPECT_EQ(nadel(m), (Nadel{9112, 6112, 9330, 6232}));
    EXPECT_TRUE(s.plattform.modalGezeigt.empty());

    s.erwarteAblauf();
    s.plattform.laufe(5);
    const MldFenster& f = s.spiel->mldFenster();
    EXPECT_EQ(f.Meldung.caption, "Die Ratezeit ist leider\rabgelaufen, Anna.");  // only the first name
    EXPECT_EQ(f.caption + "|" + f.Btn1.caption + "|" + (f.Btn2.visible ? "zwei" : "eins"),
              "Ende der Ratezeit|&OK|eins");
    EXPECT_EQ(s.toene(), Toene{"ProgrammMeldung"});
    EXPECT_EQ(m.SpNameLbl.caption, "Ben");
    EXPECT_EQ(m.RateZeitStand, 0);
    EXPECT_EQ(nadel(m), (Nadel{9112, 6112, 8928, 6278}));
    EXPECT_TRUE(m.RestZeitTimer.enabled);

    // Ben's time counts from the expiry; a reset on the way starts it anew.
    s.plattform.laufe(50);
    EXPECT_EQ(m.RateZeitStand, 500);
    s.stoppeAuf(k40);
    s.klicke("X");  // a wrong letter resets the meter
    EXPECT_EQ(m.RateZeitStand, 0);
    s.plattform.laufe(99);
    EXPECT_EQ(s.plattform.modalGezeigt.size(), 1u);
    s.erwarteAblauf();
    s.plattform.laufe(1);
    EXPECT_EQ(m.SpNameLbl.caption, "Anna Maria");
}

TEST(RateZeit, SwitchingTheMeter) {
    MitRatezeit s;
    MainFrm& m = s.m();
    s.plattform.laufe(50);
    m.switchVuRestZeit(true);  // already on: the time used so far stays
    EXPECT_EQ(m.RateZeitStand, 500);
    s.plattform.laufe(45);
    EXPECT_EQ(m.RateZeitStand, 950);

    m.switchVuRestZeit(false);
    EXPECT_EQ(m.vuRestZeitImage.bild, m.vuRestZeitAusImg.bild);
    EXPECT_EQ(m.RateZeitStand, 0);
    EXPECT_EQ(nadel(m), (Nadel{9112, 6112, 8928, 6278}));
    s.plattform.laufe(300);  // off: no step, no expiry
    EXPECT_EQ(m.RateZeitStand, 0);
    EXPECT_TRUE(s.plattform.modalGezeigt.empty());

    m.switchVuRestZeit(true);  // on again: from 0, with the face of the running meter
    EXPECT_EQ(m.vuRestZeitImage.bild, m.vuRestZeitEinImg.bild);
    s.plattform.laufe(10);
    EXPECT_EQ(m.RateZeitStand, 100);
}

TEST(RateZeit, AnExpiryWaitsUntilAnOpenMessageIsAnswered) {
    MitRatezeit s;
    MainFrm& m = s.m();
    s.plattform.laufe(97);
    // The new-game question stays open over the end of the time; no second
    // message may open on top of it.
    s.plattform.wennModal("MldFenster", [&](Form& f) {
        s.plattform.laufe(20);
        EXPECT_EQ(m.RateZeitStand, 1000);
        EXPECT_EQ(m.SpNameLbl.caption, "Anna Maria");
        static_cast<MldFenster&>(f).Btn2_Click();
    });
    m.mnuDateiNeu_Click();
    EXPECT_EQ(s.plattform.modalGezeigt.size(), 1u);
    s.erwarteAblauf();
    s.plattform.laufe(0.2);  // shortly after the question is gone, the expiry follows
    EXPECT_EQ(s.plattform.modalGezeigt.size(), 2u);
    EXPECT_EQ(s.spiel->mldFenster().caption, "Ende der Ratezeit");
    EXPECT_EQ(m.SpNameLbl.caption, "Ben");
    // And the meter is back to its rhythm of five seconds.
    s.plattform.laufe(4.7);
    EXPECT_EQ(m.RateZeitStand, 0);
    s.plattform.laufe(0.2);
    EXPECT_EQ(m.RateZeitStand, 50);
}

TEST(RateZeit, AHintThatOutlastsTheTimeEndsInTheResetOfItsLetter) {
    MitRatezeit s;
    MainFrm& m = s.m();
    s.g().FehlversucheMaximum = 3;
    s.punkte(0) = 500;
    s.stoppeAuf(k40);
    s.klicke("X");
    s.plattform.laufe(97);
    s.stoppeAuf(k40);
    s.plattform.wennModal("MldFenster", [&](Form& f) {  // the hint after the second wrong letter
        s.plattform.laufe(20);
        static_cast<MldFenster&>(f).Btn1_Click();
    });
    s.klicke("X");
    EXPECT_EQ(s.spiel->mldFenster().caption, "Hilfe");
    EXPECT_EQ(m.RateZeitStand, 0);  // the letter counted: Anna's time starts anew
    s.plattform.laufe(90);
    EXPECT_EQ(s.plattform.modalGezeigt.size(), 1u);
    EXPECT_EQ(m.SpNameLbl.caption, "Anna Maria");
}

TEST(RateZeit, AnExpiryThatHandsTheTurnToTheComputerGoesOnAfterItsWholeTurn) {
    MitRatezeit s({"Anna", "Computer"});
    MainFrm& m = s.m();
    s.g().GegenComputer = 1;
    s.g().ComputerSpielStaerke = 1;
    s.legeWort("Hund");
    bool zeitLiefImZug = false;
    s.erwarteAblauf();
    s.computerStopptAuf({k40}, [&] { zeitLiefImZug |= m.RestZeitTimer.enabled; });
    s.plattform.laufe(100);
    EXPECT_EQ(s.plattform.modalGezeigt, (std::vector<std::string>{"MldFenster", "CompZugFrm"}));
    EXPECT_FALSE(zeitLiefImZug);
    EXPECT_EQ(s.punkte(1), 40);
    EXPECT_EQ(m.SpNameLbl.caption, "Anna");
    EXPECT_TRUE(m.RestZeitTimer.enabled);
    s.erwarteNeuenDreh();
    // Anna's time was reset by the computer's letter.
    EXPECT_LT(m.RateZeitStand, 100);
}

}  // namespace
}  // namespace wx::test
