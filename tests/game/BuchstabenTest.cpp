// After the wheel stopped on a value: judging a letter, buying one, guessing
// the word, the keyboard, and the hints after repeated failures.
#include <gtest/gtest.h>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

constexpr int16_t k20 = 1, k80 = 2, k150 = 4, k10 = 7, k40 = 8, k100 = 9;  // wheel positions

// A letter key, or "+" for buying the next letter.
TEST(Buchstaben, EveryOutcomeOfALetterOrAPurchase) {
    struct Fall {
        const char* name;
        int16_t pos = 0, fehl = 0, rad = k40;  // before: position in "Brunnen", failed attempts (of 3), wheel
        int32_t start = 500;
        const char* raten = nullptr;  // nullptr: no word guess; else the right letters typed in it first
        const char* taste;
        const char* ton;
        int pause = 0, punkte, spieler = 0, posDanach, fehlDanach = 0;
        bool ratenDanach = false, satzWeg = false;
    };
    const Fall faelle[] = {{.name = "right",
                            .fehl = 1,
                            .taste = "B",
                            .ton = "Annahme1",
                            .punkte = 540,
                            .spieler = 1,
                            .posDanach = 1,
                            .satzWeg = true},
                           {.name = "right, word done",
                            .pos = 6,
                            .fehl = 2,
                            .rad = k100,
                            .taste = "N",
                            .ton = "Gratulation1",
                            .pause = 3,
                            .punkte = 600,
                            .spieler = 1,
                            .posDanach = 0,
                            .satzWeg = true},
                           {.name = "wrong",
                            .rad = k80,
                            .taste = "X",
                            .ton = "LeichterFehler",
                            .punkte = 420,
                            .posDanach = 0,
                            .fehlDanach = 1},
                           {.name = "wrong, score low",
                            .rad = k80,
                            .start = 30,
                            .taste = "X",
                            .ton = "LeichterFehler",
                            .punkte = 0,
                            .posDanach = 0,
                            .fehlDanach = 1},
                           {.name = "wrong, used up",
                            .pos = 2,
                            .fehl = 2,
                            .taste = "X",
                            .ton = "AllgemeinerFehler",
                            .pause = 8,
                            .punkte = 460,
                            .posDanach = 0,
                            .satzWeg = true},
                           {.name = "guess: right",
                            .pos = 2,
                            .raten = "",
                            .taste = "U",
                            .ton = "Annahme1",
                            .punkte = 540,
                            .posDanach = 3,
                            .ratenDanach = true},
                           {.name = "guess: word done",
                            .pos = 6,
                            .raten = "",
                            .taste = "N",
                            .ton = "Gratulation1",
                            .pause = 3,
                            .punkte = 540,
                            .spieler = 1,
                            .posDanach = 0,
                            .satzWeg = true},
                           // Every letter missing when the guess began is paid: (7 - 2) * 40.
                           {.name = "guess: wrong",
                            .pos = 2,
                            .fehl = 1,
                            .raten = "U",
                            .taste = "X",
                            .ton = "SchwererFehler",
                            .punkte = 340,
                            .posDanach = 3},
                           {.name = "guess: wrong, too low",
                            .pos = 2,
                            .start = 100,
                            .raten = "",
                            .taste = "X",
                            .ton = "SchwererFehler",
                            .punkte = 0,
                            .posDanach = 2},
                           {.name = "buy",
                            .fehl = 2,
                            .rad = k150,
                            .start = 150,
                            .taste = "+",
                            .ton = "Annahme2",
                            .punkte = 0,
                            .posDanach = 1,
                            .fehlDanach = 2},
                           // The last letter bought brings the next word at once, without pause or bonus.
                           {.name = "buy the last",
                            .pos = 6,
                            .fehl = 2,
                            .rad = k20,
                            .taste = "+",
                            .ton = "Annahme2",
                            .punkte = 480,
                            .posDanach = 0,
                            .fehlDanach = 2}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        RundenSpiel s;
        MainFrm& m = s.m();
        s.legeWort("Brunnen");
        s.g().FehlversucheMaximum = 3;
        s.g().aktBstPos = f.pos;
        m.FehlVersuche = f.fehl;
        s.punkte(0) = f.start;
        s.punkte(1) = 70;
        s.stoppeAuf(f.rad);
        if (f.raten) {
            s.vergiss();
            m.WortRatenBtn.beiKlick();
            EXPECT_EQ(s.toene(), Toene{"Achtung"});
            EXPECT_FALSE(m.BstKaufBtn.enabled || m.WortRatenBtn.enabled || m.showSatzBtn.enabled);
        }
        if (f.raten && *f.raten) s.klicke(f.raten);
        m.UebTitelLabel.visible = false;
        m.SatzBspLbl.visible = true;
        const int16_t p = s.g().aktBstPos;
        const double geschlafen = s.plattform.verschlafen;
        std::vector<Farbe> brett;  // as a pause begins
        s.plattform.beiPause = [&] {
            for (const auto& z : m.BstLbl) brett.push_back(z.vorder);
        };
        s.vergiss();

        if (*f.taste == '+')
            m.BstKaufBtn.beiKlick();
        else
            s.klicke(f.taste);
        EXPECT_EQ(s.toene(), Toene{f.ton});
        EXPECT_NEAR(s.plattform.verschlafen - geschlafen, f.pause, 0.6);
        EXPECT_EQ(s.g().aktWort != "Brunnen", f.posDanach < p);
        if (f.pause) {  // on the screen in the pause: the word revealed from the judged cell on
            for (int i = 0; i < 7; ++i) EXPECT_EQ(brett.at(i), i < p ? kWeiss : kBlau) << i;
        } else if (f.posDanach >= p) {
            EXPECT_EQ(m.BstLbl[p].vorder, f.posDanach > p ? kBlau : kWeiss);
        }
        EXPECT_EQ(s.g().aktBstPos, f.posDanach);
        EXPECT_EQ(s.punkte(0), f.punkte);
        EXPECT_EQ(s.spiel->dateiInfoFrm().SpPunkte[0].caption, std::to_string(f.punkte));
        EXPECT_EQ(m.SpNameLbl.caption + s.ziffern(),
                  f.spieler ? "Ben000070" : "Anna" + std::to_string(1000000 + f.punkte).substr(1));
        EXPECT_EQ(m.FehlVersuche, f.fehlDanach);
        EXPECT_EQ(bool(m.WortRatenModus), f.ratenDanach);
        EXPECT_EQ(m.WortRatenLampe.bild, f.ratenDanach ? m.LampeGruenImg.bild : m.LampeRotImg.bild);
        EXPECT_EQ(m.SatzBspLbl.visible, !f.satzWeg);
        if (!f.ratenDanach)
            s.erwarteNeuenDreh();
        else
            EXPECT_TRUE(!m.drehenBtn.enabled && s.tasten(true));
    }
}

TEST(Buchstaben, ATurnPlayedInsideTheLetterCheckLeavesTheButtonsRight) {
    RundenSpiel s;
    MainFrm& m = s.m();
    s.legeWort("Boot");
    s.punkte(0) = 500;
    s.punkte(1) = 70;
    // As Anna's right letter passes the turn, Ben plays a whole turn before
    // her call returns: a wrong letter at 80, then a spin that loses the turn.
    s.plattform.beiZeichnen = [&] {
        if (s.g().aktSpieler != 1) return;
        s.plattform.beiZeichnen = nullptr;
        m.RadDrehen();
        m.RadPos = k80;
        m.RadStoppen();
        s.klicke("X");
        s.stoppeAuf(0);
    };
    s.stoppeAuf(k40);
    s.klicke("B");
    EXPECT_EQ(m.SpNameLbl.caption, "Anna");
    EXPECT_EQ(s.punkte(0), 540);
    EXPECT_EQ(s.punkte(1), 0);
    s.erwarteNeuenDreh();
}

TEST(Buchstaben, KeysMapToLetterKeysAndOthersCountForNothing) {
    RundenSpiel s;
    // ö Ö ä ü ß, [ \ ] ^ for Ä Ö Ü ß, a z; then 1 @ { blank CR. Small letters on the board count too.
    for (const auto& [wort, ansi] : {std::pair{"öl", 246},
                                     {"Öl", 214},
                                     {"äpfel", 228},
                                     {"Übung", 252},
                                     {"ßa", 223},
                                     {"Äpfel", 91},
                                     {"öl", 92},
                                     {"übung", 93},
                                     {"ßa", 94},
                                     {"ast", 97},
                                     {"Zoo", 122},
                                     {"", 49},
                                     {"", 64},
                                     {"", 123},
                                     {"", 32},
                                     {"", 13}}) {
        s.legeWort(*wort ? wort : "Boot");
        s.stoppeAuf(k40);
        s.vergiss();
        s.m().Form_KeyPress(static_cast<int16_t>(ansi));
        EXPECT_EQ(s.g().aktBstPos, *wort ? 1 : 0) << ansi;
        if (*wort) continue;
        EXPECT_TRUE(s.toene().empty() && s.m().BstKaufBtn.enabled) << ansi;  // judging never began
        s.klicke("B");
    }
}

TEST(Buchstaben, ALetterCountsOnlyAfterAStopAndTheKeyboardOnlyWhenFree) {
    RundenSpiel s;
    MainFrm& m = s.m();
    s.legeWort("Boot");
    m.setzeLampe(1, true);
    m.setzeBuchstabenTasten(true);
    s.klicke("B");  // before the spin: not even the lamp changes
    EXPECT_EQ(m.KaufenLampe.bild, m.LampeGruenImg.bild);
    m.drehenBtn.beiKlick();
    m.setzeBuchstabenTasten(true);
    s.vergiss();
    s.klicke("X");  // while the wheel turns
    EXPECT_EQ(m.FehlVersuche, 0);
    EXPECT_EQ(s.toene(), Toene{});
    m.RadPos = k40;
    m.anhaltenBtn.beiKlick();
    s.g().TastaturEingabeSperren = 1;
    m.Form_KeyPress('b');
    EXPECT_EQ(s.g().aktBstPos, 0);
    s.klicke("B");  // the keys on the screen still work
    EXPECT_EQ(s.g().aktBstPos, 1);
}

TEST(Buchstaben, ARightLetterThatHandsTheTurnToTheComputerFinishesAfterItsTurn) {
    RundenSpiel s({"Anna", "Computer"});
    MainFrm& m = s.m();
    s.g().GegenComputer = 1;
    s.g().ComputerSpielStaerke = 1;
    s.legeWort("Boot");
    m.FehlVersuche = 2;
    std::string imZug;
    s.computerStopptAuf({k40}, [&] {
        if (imZug.empty() && m.ComputerAmZug) {
            // Anna's evaluation waits: her letter is in, the rest is not done yet.
            imZug = std::to_string(s.g().aktBstPos) + (m.anhaltenBtn.enabled ? " anhalten" : "");
            s.vergiss();
            m.Form_KeyPress('o');  // input of the main window does not count now
            s.klicke("O");
            for (auto* b : {&m.BstKaufBtn, &m.WortRatenBtn, &m.showSatzBtn, &m.drehenBtn}) b->beiKlick();
            EXPECT_EQ(s.toene(), Toene{});
        }
    });
    s.stoppeAuf(k40);
    s.klicke("B");
    EXPECT_EQ(imZug, "1");
    EXPECT_EQ(s.g().aktBstPos, 2);  // the computer's O
    EXPECT_EQ(s.punkte(0), 40);
    EXPECT_EQ(s.punkte(1), 40);
    EXPECT_EQ(m.FehlVersuche, 0);
    EXPECT_EQ(m.SpNameLbl.caption, "Anna");
    s.erwarteNeuenDreh();  // and then the evaluation leaves Anna ready to spin
    EXPECT_FALSE(m.gradTimer.enabled);
}

TEST(Hilfe, HintsComeOnceMoreThanHalfTheAttemptsAreUsed) {
    // For each maximum, the wrong letters that bring a hint; the last shows the solution.
    for (const auto& [maximum, hinweise] :
         {std::pair{5, std::vector<int>{3, 4}}, {4, {3}}, {3, {2}}, {1, {}}}) {
        RundenSpiel s;
        s.g().FehlversucheMaximum = static_cast<int16_t>(maximum);
        s.legeWort("Boot");
        s.punkte(0) = 1000;
        std::vector<int> gezeigt;
        for (int n = 1; n <= maximum; ++n) {
            EXPECT_EQ(s.g().aktWort, "Boot") << maximum;
            s.plattform.wennModalDruecke("MldFenster", "Btn1");  // answers a hint, if one comes
            const auto fenster = s.plattform.modalGezeigt.size();
            s.stoppeAuf(k10);
            s.klicke("X");
            if (s.plattform.modalGezeigt.size() > fenster) gezeigt.push_back(n);
        }
        EXPECT_EQ(gezeigt, hinweise) << maximum;
        EXPECT_NE(s.g().aktWort, "Boot") << maximum;
    }
}

TEST(Hilfe, TheHintNamesTheNextLetterOrGivesAwayTheWord) {
    RundenSpiel s({"Anna Lena Schmidt"});
    s.legeWort("Boot");
    for (const auto& [pos, r, text] : {std::tuple{0, 0, "Das gesuchte Wort beginnt mit einem <B>."},
                                       {2, 50, "Als nächster Buchstabe kommt ein <o>."},
                                       {2, 51, "Das gesuchte Wort heißt: <Boot>."},
                                       {0, 100, "Das gesuchte Wort heißt: <Boot>."}}) {
        s.g().aktBstPos = static_cast<int16_t>(pos);
        s.plattform.zufallsWerte({(r + 0.5) / 101.0});  // zufallsZahl(0, 100) gives r
        s.plattform.wennModalDruecke("MldFenster", "Btn1");
        s.m().gibHilfe();
        const auto& f = s.spiel->mldFenster();
        EXPECT_EQ(f.Meldung.caption, std::string("Ich glaube, ich muss dir helfen, Anna.\r") + text);
        EXPECT_EQ(f.caption + f.Btn1.caption, "Hilfe&OK");
        EXPECT_FALSE(f.Btn2.visible);
    }
}

}  // namespace
}  // namespace wx::test
