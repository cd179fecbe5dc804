// After the wheel stopped on a value: judging a letter, buying one, guessing
// the word, the keyboard, and the hints after repeated failures.
#include <gtest/gtest.h>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

constexpr int16_t k20 = 1, k80 = 2, k150 = 4, k10 = 7, k40 = 8, k100 = 9;  // wheel positions

// A letter key, or "+" for buying the next letter.
TEST(Buchstaben, EveryOutcomeOfALetterOrAPurchase) {
    struct Fall {  // the rows below give every field in this order
        const char* name;
        int16_t pos, fehl, rad;  // before: position in "Brunnen", failed attempts (of 3), wheel
        int32_t start;
        const char* raten;  // nullptr: no word guess; else the right letters typed in it first
        const char* taste;
        const char* ton;
        int pause, punkte, spieler, posDanach, fehlDanach;  // after: seconds paused, Anna's score, ...
        bool ratenDanach, satzWeg;
    };
    const Fall faelle[] = {
        {"right", 0, 1, k40, 500, nullptr, "B", "Annahme1", 0, 540, 1, 1, 0, false, true},
        {"right, word done", 6, 2, k100, 500, nullptr, "N", "Gratulation1", 3, 600, 1, 0, 0, false, true},
        {"wrong", 0, 0, k80, 500, nullptr, "X", "LeichterFehler", 0, 420, 0, 0, 1, false, false},
        {"wrong, score low", 0, 0, k80, 30, nullptr, "X", "LeichterFehler", 0, 0, 0, 0, 1, false, false},
        {"wrong, used up", 2, 2, k40, 500, nullptr, "X", "AllgemeinerFehler", 8, 460, 0, 0, 0, false, true},
        {"guess: right", 2, 0, k40, 500, "", "U", "Annahme1", 0, 540, 0, 3, 0, true, false},
        {"guess: word done", 6, 0, k40, 500, "", "N", "Gratulation1", 3, 540, 1, 0, 0, false, true},
        // Every letter missing when the guess began is paid: (7 - 2) * 40.
        {"guess: wrong", 2, 1, k40, 500, "U", "X", "SchwererFehler", 0, 340, 0, 3, 0, false, false},
        {"guess: wrong, too low", 2, 0, k40, 100, "", "X", "SchwererFehler", 0, 0, 0, 2, 0, false, false},
        {"buy", 0, 2, k150, 150, nullptr, "+", "Annahme2", 0, 0, 0, 1, 2, false, false},
        // The last letter bought brings the next word at once, without pause or bonus.
        {"buy the last", 6, 2, k20, 500, nullptr, "+", "Annahme2", 0, 480, 0, 0, 2, false, false},
    };
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
    // ö Ö ä Ü ß, then [ \ ] ^ for Ä Ö Ü ß, a z. Small letters on the board count too.
    const std::pair<const char*, int> buchstaben[] = {
        {"öl", 246}, {"Öl", 214},   {"äpfel", 228}, {"Übung", 252}, {"ßa", 223}, {"Äpfel", 91},
        {"öl", 92},  {"übung", 93}, {"ßa", 94},     {"ast", 97},    {"Zoo", 122}};
    for (const auto& [wort, ansi] : buchstaben) {
        s.legeWort(wort);
        s.stoppeAuf(k40);
        s.m().Form_KeyPress(static_cast<int16_t>(ansi));
        EXPECT_EQ(s.g().aktBstPos, 1) << ansi;
    }
    for (const int ansi : {'1', '@', '{', ' ', '\r'}) {  // just beside the letters, and blank and Enter
        s.legeWort("Boot");
        s.stoppeAuf(k40);
        s.vergiss();
        s.m().Form_KeyPress(static_cast<int16_t>(ansi));
        EXPECT_EQ(s.g().aktBstPos, 0) << ansi;
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
