// Passing the turn, the six score digits, the game-info window's scores, and
// the lamps and menu group as the turn changes.
#include <gtest/gtest.h>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

std::string ziffern(MainFrm& m) {
    std::string t;
    for (const auto& z : m.punkZiff) t += z.caption + ",";
    return t;
}

std::vector<MenuEintrag*> gruppe(MainFrm& m) {
    return {&m.mnuDateiNeu,     &m.mnuDateiInfo, &m.mnuDateiMeisterliste, &m.mnuDateiEnde,
            &m.mnuBearbEinstell, &m.mnuHilfeInfo, &m.mnuHilfeSpielregeln,  &m.mnuHilfeAktKat};
}

TEST(Spieler, TheTurnGoesRoundThreePlayersShowingNameAndScoreOfEach) {
    RundenSpiel s(beispielWoerter(), startTextFuer({"Anna", "Ben", "Cem"}));
    s.punkte(0) = 10;
    s.punkte(1) = 21;
    s.punkte(2) = 32;
    std::vector<std::string> folge;
    for (int i = 0; i < 4; ++i) {
        s.m().naechsterSpieler();
        folge.push_back(s.m().SpNameLbl.caption + ":" + s.m().punkZiff[4].caption +
                        s.m().punkZiff[5].caption);
    }
    EXPECT_EQ(folge, (std::vector<std::string>{"Ben:21", "Cem:32", "Anna:10", "Ben:21"}));
}

TEST(Spieler, WithOnePlayerTheTurnStaysButNameAndDigitsAreRefreshed) {
    RundenSpiel s(beispielWoerter(), startTextFuer({"Anna"}));
    s.m().SpNameLbl.caption = "?";
    s.punkte(0) = 7;
    const int gezeichnet = s.plattform.jetztGezeichnet;
    s.m().naechsterSpieler();
    EXPECT_EQ(s.g().aktSpieler, 0);
    EXPECT_EQ(s.m().SpNameLbl.caption, "Anna");
    EXPECT_EQ(ziffern(s.m()), "0,0,0,0,0,7,");
    EXPECT_GT(s.plattform.jetztGezeichnet, gezeichnet);
}

TEST(Spieler, TheScoreShowsAsSixDigitsWithLeadingZeros) {
    RundenSpiel s;
    s.punkte(0) = 1234;
    s.m().zeigePunkte();
    EXPECT_EQ(ziffern(s.m()), "0,0,1,2,3,4,");
    s.punkte(0) = 0;
    s.m().zeigePunkte();
    EXPECT_EQ(ziffern(s.m()), "0,0,0,0,0,0,");
    s.punkte(0) = 12345;
    s.m().zeigePunkte();
    EXPECT_EQ(ziffern(s.m()), "0,1,2,3,4,5,");
    s.punkte(0) = 987654;
    s.m().zeigePunkte();
    EXPECT_EQ(ziffern(s.m()), "9,8,7,6,5,4,");
    s.punkte(0) = 1234567;  // a million or more: the first six digits
    s.m().zeigePunkte();
    EXPECT_EQ(ziffern(s.m()), "1,2,3,4,5,6,");
}

TEST(Spieler, APlayerCalledComputerIsHumanWhileThereIsNoComputerOpponent) {
    RundenSpiel s(beispielWoerter(), startTextFuer({"Anna", "Computer"}));
    s.g().GegenComputer = 0;
    s.m().schalteMenues(false);
    s.m().naechsterSpieler();
    EXPECT_EQ(s.m().SpNameLbl.caption, "Computer");
    EXPECT_FALSE(s.m().ComputerAmZug);
    for (auto* m : gruppe(s.m())) EXPECT_TRUE(m->enabled) << m->name;
}

TEST(Spieler, TheComputersTurnLocksTheMenusAndTheNextHumanUnlocksThem) {
    RundenSpiel s(beispielWoerter(), startTextFuer({"Anna", "Computer"}));
    MainFrm& m = s.m();
    s.g().GegenComputer = 1;
    m.mnuHilfeBedienung.enabled = false;
    m.naechsterSpieler();
    EXPECT_TRUE(m.ComputerAmZug);
    for (auto* e : gruppe(m)) EXPECT_FALSE(e->enabled) << e->name;

    m.mnuHilfeBedienung.enabled = true;
    m.naechsterSpieler();
    EXPECT_EQ(m.SpNameLbl.caption, "Anna");
    EXPECT_FALSE(m.ComputerAmZug);
    for (auto* e : gruppe(m)) EXPECT_TRUE(e->enabled) << e->name;
    EXPECT_TRUE(m.mnuHilfeBedienung.enabled);
    EXPECT_TRUE(m.mnuDatei.enabled);
    m.mnuHilfeBedienung.enabled = false;
    m.naechsterSpieler();
    m.naechsterSpieler();
    EXPECT_FALSE(m.mnuHilfeBedienung.enabled);
}

TEST(Spieler, OnlyLampsZeroAndOneExist) {
    RundenSpiel s;
    MainFrm& m = s.m();
    m.setzeLampe(0, true);
    m.setzeLampe(1, false);
    m.setzeLampe(2, true);
    m.setzeLampe(-1, true);
    EXPECT_EQ(m.WortRatenLampe.bild, m.LampeGruenImg.bild);
    EXPECT_EQ(m.KaufenLampe.bild, m.LampeRotImg.bild);
    EXPECT_EQ(m.LampeGruenImg.bild, "@lampe_gruen");
    EXPECT_EQ(m.LampeRotImg.bild, "@lampe_rot");
}

}  // namespace
}  // namespace wx::test
