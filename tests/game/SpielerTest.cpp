// Turns, the six score digits, the lamps and the menu group, and a new game.
#include <gtest/gtest.h>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

using Namen = std::vector<std::string>;

TEST(Spieler, TheTurnGoesRoundShowingNameAndScoreOfEach) {
    for (const auto& [namen, folge] :
         {std::pair{Namen{"Anna", "Ben", "Cem"}, "Ben000011 Cem000022 Anna000007 Ben000011 "},
          {Namen{"Anna"}, "Anna000007 Anna000007 Anna000007 Anna000007 "}}) {
        RundenSpiel s(namen);
        for (int i = 0; i < 3; ++i) s.punkte(i) = i ? 11 * i : 7;
        s.m().SpNameLbl.caption = "?";  // a single player's name and score are shown anew too
        std::string gezeigt;
        for (int i = 0; i < 4; ++i) {
            s.m().naechsterSpieler();
            gezeigt += s.m().SpNameLbl.caption + s.ziffern() + " ";
        }
        EXPECT_EQ(gezeigt, folge);
    }
}

TEST(Spieler, TheComputersTurnLocksTheMenuGroupUntilItHandsBackAndOnlyLampsZeroAndOneExist) {
    RundenSpiel s({"Anna", "Computer"});
    MainFrm& m = s.m();
    auto gruppe = [&](bool an) {
        for (auto* e : {&m.mnuDateiNeu, &m.mnuDateiInfo, &m.mnuDateiMeisterliste, &m.mnuDateiEnde,
                        &m.mnuBearbEinstell, &m.mnuHilfeInfo, &m.mnuHilfeSpielregeln, &m.mnuHilfeAktKat})
            EXPECT_EQ(e->enabled, an) << e->name;
        EXPECT_TRUE(m.mnuDatei.enabled && !m.mnuHilfeBedienung.enabled);  // outside the group
    };
    m.mnuHilfeBedienung.enabled = false;
    m.naechsterSpieler();  // no computer opponent: a player called Computer is human
    EXPECT_FALSE(m.ComputerAmZug);
    EXPECT_TRUE(s.plattform.modalGezeigt.empty());
    gruppe(true);

    s.g().GegenComputer = 1;
    s.g().ComputerSpielStaerke = 1;
    s.legeWort("Hund");
    m.naechsterSpieler();
    int waehrendGesehen = 0;
    s.computerStopptAuf({8}, [&] {
        if (!m.ComputerAmZug) return;
        ++waehrendGesehen;
        gruppe(false);
    });
    m.naechsterSpieler();  // the computer's whole turn runs in here
    EXPECT_GT(waehrendGesehen, 0);
    EXPECT_EQ(s.plattform.modalGezeigt, std::vector<std::string>{"CompZugFrm"});
    EXPECT_EQ(s.g().aktBstPos, 1);
    EXPECT_FALSE(m.ComputerAmZug);
    EXPECT_EQ(m.SpNameLbl.caption, "Anna");
    gruppe(true);

    m.setzeLampe(0, true);
    m.setzeLampe(1, false);
    m.setzeLampe(2, true);
    m.setzeLampe(-1, true);
    EXPECT_EQ(m.WortRatenLampe.bild + m.KaufenLampe.bild, "@lampe_gruen@lampe_rot");
}

TEST(NeuesSpiel, TheQuestionSaysDuToOnePlayerAndIhrToMore) {
    for (const auto& [namen, frage] :
         {std::pair{Namen{"Anna"}, "Bist du wirklich sicher,\rdass du Wirbelix neu\rstarten willst?"},
          {Namen{"Anna", "Ben"}, "Seid ihr wirklich sicher,\rdass ihr Wirbelix neu\rstarten wollt?"}}) {
        RundenSpiel s(namen);
        s.plattform.wennModalDruecke("MldFenster", "Btn2");
        s.m().mnuDateiNeu_Click();
        const auto& f = s.spiel->mldFenster();
        EXPECT_EQ(f.Meldung.caption, frage);
        EXPECT_EQ(f.caption + f.Btn1.caption + f.Btn2.caption, "Neues Spiel&ja&nein");
    }
}

// Closing the question without an answer is a "no".
TEST(NeuesSpiel, NoOrClosingChangesNothingAndYesStartsAgainWithTheFirstPlayer) {
    for (const std::string antwort : {"Btn1", "Btn2", "schliessen"}) {
        SCOPED_TRACE(antwort);
        const bool ja = antwort == "Btn1";
        RundenSpiel s({"Anna", "Ben", "Cem"});
        MainFrm& m = s.m();
        s.punkte(0) = 120;
        s.punkte(2) = 560;
        m.naechsterSpieler();
        m.naechsterSpieler();
        s.legeWort("Boot");
        s.g().aktBstPos = 2;
        m.FehlVersuche = 2;
        s.stoppeAuf(8);
        m.WortRatenBtn.beiKlick();  // Cem is guessing the word
        if (antwort != "schliessen")
            s.plattform.wennModalDruecke("MldFenster", antwort);
        else
            s.plattform.wennModal("MldFenster", [](Form& f) { f.beiSchliessen(); });
        m.mnuDateiNeu_Click();
        EXPECT_EQ(m.SpNameLbl.caption + s.ziffern(), ja ? "Anna000000" : "Cem000560");
        EXPECT_EQ(s.punkte(0), ja ? 0 : 120);
        EXPECT_EQ(s.punkte(2), ja ? 0 : 560);
        EXPECT_EQ(s.g().aktWort == "Boot", !ja);
        EXPECT_EQ(s.g().aktBstPos, ja ? 0 : 2);
        EXPECT_EQ(m.FehlVersuche, ja ? 0 : 2);
        EXPECT_EQ(bool(m.WortRatenModus), !ja);
        if (!ja) continue;
        EXPECT_EQ(m.WortRatenStart, 0);
        for (int i = 0; i < 3; ++i) {  // the last player's too
            EXPECT_EQ(s.punkte(i), 0) << i;
            EXPECT_EQ(s.spiel->dateiInfoFrm().SpPunkte[i].caption, "0") << i;
        }
        EXPECT_EQ(m.WortRatenLampe.bild, m.LampeRotImg.bild);
        EXPECT_TRUE(!m.drehenBtn.enabled && s.tasten(true));  // the buttons stay as they were
    }
}

TEST(NeuesSpiel, AfterEveryKindOfStopNoButtonTakesAScoreBelowZero) {
    for (int16_t pos = 0; pos < 10; ++pos) {
        SCOPED_TRACE(pos);
        RundenSpiel s({"Anna"});
        MainFrm& m = s.m();
        s.punkte(0) = 100;
        s.stoppeAuf(pos);
        s.plattform.wennModalDruecke("MldFenster", "Btn1");
        m.mnuDateiNeu_Click();
        ASSERT_EQ(s.punkte(0), 0);
        // Offered only when the new score pays for it; the lamp says the same.
        const bool angeboten = m.BstKaufBtn.enabled;
        EXPECT_EQ(m.showSatzBtn.enabled, angeboten);
        EXPECT_EQ(m.KaufenLampe.bild, angeboten ? m.LampeGruenImg.bild : m.LampeRotImg.bild);
        EXPECT_FALSE(angeboten) << "nothing costs 0 on this wheel";
        for (auto* knopf : {&m.BstKaufBtn, &m.showSatzBtn, &m.WortRatenBtn})
            if (knopf->enabled) knopf->beiKlick();
        s.plattform.wennModalDruecke("MldFenster", "Btn1");
        if (m.bstBtn[0].enabled) s.klicke("Q");
        EXPECT_GE(s.punkte(0), 0);
        EXPECT_EQ(s.ziffern().find('-'), std::string::npos);
    }
}

TEST(Kaufen, OfferedWhenTheScoreEqualsTheValueButNotWhenItIsOneLess) {
    for (const int32_t punkte : {80, 79}) {
        RundenSpiel s({"Anna"});
        MainFrm& m = s.m();
        s.punkte(0) = punkte;
        s.stoppeAuf(2);  // 80 points
        const bool angeboten = punkte == 80;
        EXPECT_EQ(m.BstKaufBtn.enabled, angeboten) << punkte;
        EXPECT_EQ(m.showSatzBtn.enabled, angeboten) << punkte;
        EXPECT_EQ(m.KaufenLampe.bild, angeboten ? m.LampeGruenImg.bild : m.LampeRotImg.bild) << punkte;
        m.BstKaufBtn.beiKlick();  // even called directly, nothing on credit
        EXPECT_EQ(s.punkte(0), angeboten ? 0 : 79);
    }
}

}  // namespace
}  // namespace wx::test
