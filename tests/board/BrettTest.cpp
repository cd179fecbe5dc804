// The letter board: cell positions and colours, revealing, the solution.
#include <gtest/gtest.h>

#include "TestInstallation.h"
#include "fenster/MainFrm.h"

namespace wx {
namespace {

Farbe tabelle(const FarbTabelle& t, int i) { return {t[i][0], t[i][1], t[i][2]}; }

struct Brett : ::testing::Test {
    test::TestSpiel t;
    MainFrm& m = t.main();
    GlobModul& g = t.g();
    void lege(const std::string& wort, const std::string& kontext, double zufall) {
        g.aktWort = wort;
        g.aktKontext = kontext;
        g.aktParaphrase = "Umschreibung";
        t.plattform.zufallsWerte({zufall});
        m.WortAufbauen();
    }
};

TEST_F(Brett, CellsStandSideBySideAfterTheContext) {
    ASSERT_TRUE(t.gestartet);
    lege("Bär", "der", 0.0);
    // "der" at 9.75 pt is 292.5 -> 292 twips wide; cells start 80 twips after it
    EXPECT_EQ(m.KontextLbl.width, 292);
    EXPECT_EQ(m.BstLbl[0].left, 292 + 135 + 80);
    for (int i = 1; i < 3; ++i) EXPECT_EQ(m.BstLbl[i].left, m.BstLbl[i - 1].left + m.BstLbl[i - 1].width);
    EXPECT_EQ(m.BstLbl[1].caption, "ä");
    EXPECT_EQ(g.aktBstPos, 0);
    lege("laufen", "", 0.0);
    EXPECT_EQ(m.BstLbl[0].left, 135);
    EXPECT_EQ(m.ParaphrLbl.caption, "Umschreibung");
    EXPECT_EQ(m.ParaphrLbl.top, (1125 - m.ParaphrLbl.height) / 2 + 50);
}

TEST_F(Brett, LongParaphraseWrapsAndStaysCentred) {
    lege("Hund", "der", 0.0);
    // 120 twips a letter at 12 points: 21 letters fit the 2610-twip label
    g.aktParaphrase = "Ein Haustier, das gerne bellt und spielt.";
    m.WortAufbauen();
    EXPECT_EQ(m.ParaphrLbl.width, 2610);
    EXPECT_EQ(m.ParaphrLbl.height, 3 * 300);
    EXPECT_EQ(m.ParaphrLbl.top, 162);  // (1125 - 900) / 2 + 50 = 162.5, to even
    g.aktParaphrase = "Kurz.";
    m.WortAufbauen();
    EXPECT_EQ(m.ParaphrLbl.height, 300);
    EXPECT_EQ(m.ParaphrLbl.top, 462);
}

TEST_F(Brett, ShortWordAfterLongHidesTheRest) {
    lege("Geburtstagsfest", "das", 0.0);
    for (auto& z : m.BstLbl) EXPECT_TRUE(z.visible);
    lege("Ei", "das", 0.0);
    EXPECT_TRUE(m.BstLbl[1].visible);
    for (int i = 2; i < 15; ++i) EXPECT_FALSE(m.BstLbl[i].visible) << i;
}

TEST_F(Brett, ColouredCellsTakeConsecutiveEntries) {
    g.LoesungswortFarbig = WAHR;
    lege("Schokoladenhase", "der", 0.75);  // start 7: cells take 8, 9, 0, 1, ...
    for (int i = 0; i < 15; ++i) {
        const Farbe erwartet = tabelle(g.HintergrundFarben, (8 + i) % 10);
        EXPECT_EQ(m.BstLbl[i].hinter, erwartet) << i;
        EXPECT_EQ(m.BstLbl[i].vorder, erwartet) << i;  // hidden: letter in the cell's colour
    }
    EXPECT_EQ(m.BstLbl[10].hinter, m.BstLbl[0].hinter);
    // the cell of entry 4 reveals a white letter
    m.deckeAuf(6);
    EXPECT_EQ(m.BstLbl[6].hinter, tabelle(g.HintergrundFarben, 4));
    EXPECT_EQ(m.BstLbl[6].vorder, kWeiss);
}

TEST_F(Brett, WhiteCellsRevealBlue) {
    g.LoesungswortFarbig = FALSCH;
    lege("Hund", "der", 0.3);
    EXPECT_TRUE(m.BstLbl[2].hinter == kWeiss && m.BstLbl[2].vorder == kWeiss);
    m.deckeAuf(2);
    EXPECT_TRUE(m.BstLbl[2].hinter == kWeiss && m.BstLbl[2].vorder == kBlau);
    int16_t index = 9;
    m.sucheFarbIndex(kWeiss, index);
    EXPECT_EQ(index, 0);
    m.sucheFarbIndex(tabelle(g.HintergrundFarben, 6), index);
    EXPECT_EQ(index, 6);
}

TEST_F(Brett, SolutionRevealsTheRestPausesEightSecondsAndMovesOn) {
    g.LoesungswortFarbig = FALSCH;
    lege("Katze", "die", 0.0);
    m.deckeAuf(0);
    m.deckeAuf(1);
    g.aktBstPos = 2;
    m.BstLbl[0].vorder = kSchwarz;  // marks a cell the solution must not touch
    std::vector<Farbe> waehrendPause;
    bool gezeichnet = false;
    const int vorher = t.plattform.jetztGezeichnet;
    t.plattform.beiPause = [&] {
        gezeichnet = t.plattform.jetztGezeichnet > vorher;  // on the screen before the pause
        for (int i = 0; i < 5; ++i) waehrendPause.push_back(m.BstLbl[i].vorder);
    };
    const double geschlafen = t.plattform.verschlafen;
    m.zeigeLoesung();
    EXPECT_TRUE(gezeichnet);
    EXPECT_EQ(waehrendPause, (std::vector<Farbe>{kSchwarz, kBlau, kBlau, kBlau, kBlau}));
    // eight seconds on the rounded clock: 7.5 to 8.5 real seconds
    EXPECT_NEAR(t.plattform.verschlafen - geschlafen, 8.0, 0.51);
    EXPECT_NE(g.aktWort, "Katze");  // the next word is on the board
    EXPECT_EQ(g.aktBstPos, 0);
    EXPECT_EQ(m.WortRatenLampe.bild, m.LampeRotImg.bild);
}

TEST_F(Brett, PauseEndsAcrossMidnight) {
    t.plattform.zeit = 86398.6;  // 23:59:58.6, rounds to 86399
    const double vorher = t.plattform.verschlafen;
    m.warteSekunden(3);
    EXPECT_NEAR(t.plattform.verschlafen - vorher, 2.95, 0.55);  // 2.4 to 3.5 s
}

}  // namespace
}  // namespace wx
