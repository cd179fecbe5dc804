// What a screen reader hears: the score as one number, the wheel's value,
// the lamps, the meters, and a name for every control that shows no text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RundenSpiel.h"
#include "fenster/CompZugFrm.h"
#include "fenster/EinstellFrm.h"
#include "fenster/EndeFrm.h"
#include "fenster/InfoFrm.h"
#include "fenster/MeisterFrm.h"

namespace wx::test {
namespace {

// Six digits on the screen (of a million or more the first six), but every
// digit reads the whole number.
TEST(Zugang, TheScoreShowsSixDigitsAndEveryDigitReadsTheWholeNumber) {
    RundenSpiel s;
    MainFrm& m = s.m();
    for (const auto& [punkte, ziffern] : {std::pair{0, "000000"},
                                          {1234, "001234"},
                                          {987654, "987654"},
                                          {1234567, "123456"},
                                          {-40, "-00004"}}) {
        s.punkte(0) = punkte;
        m.zeigePunkte();
        EXPECT_EQ(s.ziffern(), ziffern);
        for (const auto& z : m.punkZiff)
            EXPECT_EQ(z.zugangsName, "Punkte: " + std::to_string(punkte)) << punkte;
    }
}

TEST(Zugang, ARightLetterUpdatesTheSpokenScore) {
    RundenSpiel s({"Anna", "Ben"}, {{1, "Bad", ""}});
    MainFrm& m = s.m();
    s.stoppeAuf(2);  // 80
    s.klicke("B");   // right: Anna has 80, and the turn goes to Ben
    EXPECT_EQ(m.SpNameLbl.caption + " " + s.ziffern() + " " + m.punkZiff[5].zugangsName,
              "Ben 000000 Punkte: 0");
    s.punkte(1) = 200;
    s.stoppeAuf(2);
    s.klicke("X");  // wrong: Ben loses 80 and spins again
    EXPECT_EQ(m.SpNameLbl.caption + " " + s.ziffern() + " " + m.punkZiff[0].zugangsName,
              "Ben 000120 Punkte: 120");
}

TEST(Zugang, TheShownWheelPictureNamesItsSegment) {
    RundenSpiel s;
    MainFrm& m = s.m();
    for (const auto& [pos, name] : {std::pair{0, "Glücksrad: Aussetzen"},
                                    {2, "Glücksrad: 80 Punkte"},
                                    {3, "Glücksrad: Glückstreffer, 100 Punkte"},
                                    {5, "Glücksrad: alle Punkte weg"},
                                    {7, "Glücksrad: 10 Punkte"}})
        EXPECT_EQ(m.RadImg[static_cast<size_t>(pos)].zugangsName, name);

    // While the wheel turns, the picture on show always names the value that
    // a stop now would give.
    m.drehenBtn.beiKlick();
    for (int i = 0; i < 13; ++i) {
        m.gradTimer.beiTick();
        int sichtbar = 0;
        for (const auto& bild : m.RadImg) {
            if (!bild.visible) continue;
            ++sichtbar;
            const int16_t wert = m.RadWerte[static_cast<size_t>(m.RadPos)];
            if (wert > 0 && wert != 300)
                EXPECT_EQ(bild.zugangsName, "Glücksrad: " + std::to_string(wert) + " Punkte");
        }
        EXPECT_EQ(sichtbar, 1);
    }
}

TEST(Zugang, TheLampsSayWhatTheyAllowNotTheirColour) {
    RundenSpiel s;
    MainFrm& m = s.m();
    EXPECT_EQ(m.WortRatenLampe.zugangsName, "Lampe Wort raten: aus");
    EXPECT_EQ(m.KaufenLampe.zugangsName, "Lampe Kaufen: aus");
    s.punkte(0) = 500;
    s.stoppeAuf(2);
    EXPECT_EQ(m.KaufenLampe.zugangsName, "Lampe Kaufen: an");
    m.setzeLampe(0, true);
    EXPECT_EQ(m.WortRatenLampe.zugangsName, "Lampe Wort raten: an");
    m.drehenBtn.enabled = true;
    m.drehenBtn.beiKlick();  // a new spin puts the buy lamp out
    EXPECT_EQ(m.KaufenLampe.zugangsName, "Lampe Kaufen: aus");
}

TEST(Zugang, TheGuessTimeMeterSpeaksTheSecondsLeft) {
    RundenSpiel s;
    MainFrm& m = s.m();
    EXPECT_EQ(m.vuRestZeitImage.zugangsName, "Ratezeit: nicht begrenzt");
    m.switchVuRestZeit(true);
    EXPECT_EQ(m.vuRestZeitImage.zugangsName, "Ratezeit: noch 100 Sekunden");
    s.plattform.laufe(35);
    EXPECT_EQ(m.vuRestZeitImage.zugangsName, "Ratezeit: noch 65 Sekunden");
    m.drawVuZeiger(1000);
    EXPECT_EQ(m.vuRestZeitImage.zugangsName, "Ratezeit: noch 0 Sekunden");
    m.switchVuRestZeit(false);
    EXPECT_EQ(m.vuRestZeitImage.zugangsName, "Ratezeit: nicht begrenzt");
}

TEST(Zugang, ThePlayTimeBarSpeaksTheMinutesBegunThatAreLeft) {
    RundenSpiel s;  // 30 minutes allowed: the bar loses 2 twips a second
    MainFrm& m = s.m();
    // 4505 twips above the empty mark are 2252 seconds, 38 minutes begun.
    EXPECT_EQ(m.RestZeitStand.zugangsName, "Spielzeit: noch 38 Minuten");
    s.plattform.laufe(600);
    EXPECT_EQ(m.RestZeitStand.zugangsName, "Spielzeit: noch 28 Minuten");
    m.RestZeitStand.height = 100 + 2 * 60;
    m.benenneSpielzeit();
    EXPECT_EQ(m.RestZeitStand.zugangsName, "Spielzeit: noch 1 Minute");
    s.g().SpielzeitFaktor = 0;
    m.benenneSpielzeit();
    EXPECT_EQ(m.RestZeitStand.zugangsName, "Spielzeit: nicht begrenzt");
}

// Controls that show no text of their own need a name; the others speak
// their caption. On the main window after start-up nothing visible is mute
// except the unused cells of the board.
TEST(Zugang, NoControlOfAnyWindowIsMute) {
    RundenSpiel s;
    Spiel& sp = *s.spiel;
    const std::vector<Form*> fenster = {&sp.mainFrm(),     &sp.mldFenster(), &sp.dateiInfoFrm(),
                                        &sp.einstellFrm(), &sp.meisterFrm(), &sp.endeFrm(),
                                        &sp.infoFrm(),     &sp.compZugFrm()};
    for (Form* f : fenster) {
        for (const Steuerelement* c : f->steuerelemente) {
            const bool ohneText = c->art == Art::Image || c->art == Art::Line || c->art == Art::Shape ||
                                  c->art == Art::SpinBox || (c->art == Art::Frame && c->caption.empty());
            if (ohneText)
                EXPECT_FALSE(c->zugangsName.empty()) << f->name << "." << c->name << "(" << c->index << ")";
        }
    }
    for (const Steuerelement* c : s.m().steuerelemente) {
        if (!c->visible || c->name == "BstLbl") continue;
        bool sichtbarerBehaelter = true;
        for (const Steuerelement* b = c->container; b; b = b->container) sichtbarerBehaelter &= b->visible;
        if (sichtbarerBehaelter)
            EXPECT_FALSE(c->caption.empty() && c->zugangsName.empty()) << c->name << "(" << c->index << ")";
    }
}

}  // namespace
}  // namespace wx::test
