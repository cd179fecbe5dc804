// The guess-time meter: the needle, the expiry and its message, switching
// the meter, and an expiry that meets another window.
#include <gtest/gtest.h>

#include <array>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

constexpr int16_t k40 = 8;

using Nadel = std::array<int32_t, 4>;
Nadel nadel(const MainFrm& m) { return {m.vuNadel.x1, m.vuNadel.y1, m.vuNadel.x2, m.vuNadel.y2}; }
const Nadel kNull{9112, 6112, 8928, 6278};

// The dial lies at 8700, 5700 and is 825 wide: its centre is at 9112.5, 6112.5.
TEST(RateZeit, TheNeedleTurnsClockwiseFromTheCentreOfTheDial) {
    RundenSpiel s;
    MainFrm& m = s.m();
    // 247.5 long: straight up at 500 (247.5 becomes 248), the lower corners at 0 and 1000.
    for (const auto& [stand, erwartet] : {std::pair{0, kNull},
                                          {500, Nadel{9112, 6112, 9112, 5864}},
                                          {950, Nadel{9112, 6112, 9330, 6232}},
                                          {1000, Nadel{9112, 6112, 9296, 6278}}}) {
        m.drawVuZeiger(static_cast<int16_t>(stand));
        EXPECT_EQ(nadel(m), erwartet) << stand;
    }
    EXPECT_EQ(MainFrm::polarZuXY(2.5, 0), (std::pair<int16_t, int16_t>{2, 0}));  // halves to even
    // The axis: an eighth of the dial, round, where the needle starts.
    EXPECT_EQ(Nadel({m.vuAchse.left, m.vuAchse.top, m.vuAchse.width, m.vuAchse.height}),
              Nadel({9061, 6061, 103, 103}));
}

// Anna Maria and Ben; the meter switched on.
struct MitRatezeit : RundenSpiel {
    explicit MitRatezeit(const std::vector<std::string>& spieler = {"Anna Maria", "Ben"})
        : RundenSpiel(spieler) {
        m().switchVuRestZeit(true);
    }
    void erwarteAblauf() {  // answers the expiry's message; meanwhile the timer is off
        plattform.wennModal("MldFenster", [this](Form& f) {
            EXPECT_FALSE(m().RestZeitTimer.enabled);
            static_cast<MldFenster&>(f).Btn1_Click();
        });
    }
};

TEST(RateZeit, TwentyStepsOfFiveSecondsThenTheMessageAndTheNextPlayer) {
    MitRatezeit s;
    MainFrm& m = s.m();
    s.plattform.laufe(95);
    EXPECT_EQ(m.RateZeitStand, 950);
    EXPECT_TRUE(s.plattform.modalGezeigt.empty());
    s.erwarteAblauf();
    s.plattform.laufe(5);
    const MldFenster& f = s.spiel->mldFenster();
    EXPECT_EQ(f.Meldung.caption, "Die Ratezeit ist leider\rabgelaufen, Anna.");  // only the first name
    EXPECT_EQ(f.caption + "|" + f.Btn1.caption + "|" + (f.Btn2.visible ? "2" : "1"),
              "Ende der Ratezeit|&OK|1");
    EXPECT_EQ(s.toene(), Toene{"ProgrammMeldung"});
    EXPECT_EQ(m.SpNameLbl.caption, "Ben");
    EXPECT_EQ(m.RateZeitStand, 0);
    EXPECT_EQ(nadel(m), kNull);
    EXPECT_TRUE(m.RestZeitTimer.enabled);
}

TEST(RateZeit, SwitchingTheMeter) {
    MitRatezeit s;
    MainFrm& m = s.m();
    s.plattform.laufe(50);
    m.switchVuRestZeit(true);  // already on: the time used so far stays
    s.plattform.laufe(45);
    EXPECT_EQ(m.RateZeitStand, 950);
    m.switchVuRestZeit(false);  // off: the face of the stopped meter, the needle at 0, no steps
    s.plattform.laufe(300);
    EXPECT_EQ(m.vuRestZeitImage.bild, m.vuRestZeitAusImg.bild);
    EXPECT_EQ(nadel(m), kNull);
    m.switchVuRestZeit(true);  // on again: counting from 0
    s.plattform.laufe(10);
    EXPECT_EQ(m.vuRestZeitImage.bild, m.vuRestZeitEinImg.bild);
    EXPECT_EQ(m.RateZeitStand, 100);
}

// A message open over the end of the time: the expiry waits for it and never
// opens a second message on top. After a declined new-game question it comes
// at once; after a hint, the letter that brought the hint starts the time anew.
TEST(RateZeit, AnExpiryWaitsForAnOpenMessage) {
    for (const bool hinweis : {false, true}) {
        SCOPED_TRACE(hinweis ? "hint" : "question");
        MitRatezeit s;
        MainFrm& m = s.m();
        s.g().FehlversucheMaximum = 3;
        if (hinweis) {
            s.stoppeAuf(k40);
            s.klicke("X");
            s.stoppeAuf(k40);
        }
        s.plattform.laufe(97);
        s.plattform.wennModal("MldFenster", [&](Form& f) {
            s.plattform.laufe(20);
            EXPECT_EQ(m.SpNameLbl.caption, "Anna Maria");
            auto& mld = static_cast<MldFenster&>(f);
            if (mld.Btn2.visible)
                mld.Btn2_Click();  // "nein" to the question
            else
                mld.Btn1_Click();
        });
        if (hinweis)
            s.klicke("X");
        else
            m.mnuDateiNeu_Click();
        if (!hinweis) s.erwarteAblauf();
        s.plattform.laufe(0.2);
        EXPECT_EQ(s.plattform.modalGezeigt.size(), hinweis ? 1u : 2u);
        EXPECT_EQ(m.SpNameLbl.caption, hinweis ? "Anna Maria" : "Ben");
        s.plattform.laufe(4.85);  // and the meter is back to its rhythm of five seconds
        EXPECT_EQ(m.RateZeitStand, hinweis ? 50 : 0);
    }
}

}  // namespace
}  // namespace wx::test
