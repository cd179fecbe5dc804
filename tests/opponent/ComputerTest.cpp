// The computer opponent: whole turns at each strength, its stops, its two
// awkward letters, and the human who follows it.
#include <gtest/gtest.h>

#include "RundenSpiel.h"
#include "basis/Text.h"
#include "fenster/CompZugFrm.h"

namespace wx::test {
namespace {

constexpr int16_t kAlles = 5, kAus = 0, kGlueck = 3, k40 = 8;  // wheel positions

int wartend(const RundenSpiel& s, const std::string& wave) {
    int n = 0;
    for (const auto& w : s.plattform.wavs)
        if (w.find(wave) != std::string::npos && w.find("(warten)") != std::string::npos) ++n;
    return n;
}

bool menuesAn(MainFrm& m, bool an) {
    for (auto* e : {&m.mnuDateiNeu, &m.mnuDateiInfo, &m.mnuDateiMeisterliste, &m.mnuDateiEnde,
                    &m.mnuBearbEinstell, &m.mnuHilfeInfo, &m.mnuHilfeSpielregeln, &m.mnuHilfeAktKat})
        if (e->enabled != an) return false;
    return true;
}

// Anna and the computer; Anna names the first letter at 40, which hands the
// turn to the computer.
struct GegenComputer : RundenSpiel {
    explicit GegenComputer(int16_t staerke, const std::string& wort = "Mühe")
        : RundenSpiel({"Anna", "Computer"}) {
        g().GegenComputer = 1;
        g().ComputerSpielStaerke = staerke;
        legeWort(wort);
    }
    void annaNenntDenErsten() {
        stoppeAuf(k40);
        klicke(gross(g().aktWort.substr(0, 1)));
    }
    // After the computer's turn: Anna's turn, ready to spin, nothing locked.
    void erwarteAnnaAmZug() {
        EXPECT_EQ(m().SpNameLbl.caption, "Anna");
        EXPECT_FALSE(m().ComputerAmZug);
        EXPECT_FALSE(spiel->compZugFrm().visible || spiel->compZugFrm().CompZugTimer.enabled);
        EXPECT_TRUE(menuesAn(m(), true));
        erwarteNeuenDreh();
    }
};

TEST(Computer, AWholeTurnAtEachStrength) {
    struct Fall {
        int16_t staerke;
        int16_t ton;  // TonEinschalten
        int16_t posDanach;
        int32_t punkte;
        int tropfen;
    };
    // "Mühe": Anna has named the M, so the computer looks for the Ü (key 28).
    for (const Fall f : {Fall{1, 1, 2, 40, 0},
                         // Strong spells ü, h, e with a drop before each, even without sound.
                         Fall{0, 0, 0, 120, 3},
                         Fall{2, 1, 2, 40, 0}}) {
        SCOPED_TRACE(f.staerke);
        GegenComputer s(f.staerke);
        s.g().TonEinschalten = f.ton;
        s.plattform.zufallsWerte({0.5, 0.0});  // the length of the spin; the weak computer does not blunder
        s.computerStopptAuf({k40});
        s.annaNenntDenErsten();
        EXPECT_EQ(s.computerDrehungen, 1);
        EXPECT_EQ(s.punkte(1), f.punkte);
        EXPECT_EQ(s.g().aktBstPos, f.posDanach);
        EXPECT_EQ(s.g().aktWort == "Mühe", f.posDanach != 0);  // a finished word makes way for the next
        if (f.posDanach) EXPECT_EQ(s.m().BstLbl[1].vorder, kBlau);  // the Ü is revealed
        EXPECT_EQ(wartend(s, "TROPFEN"), f.tropfen);
        EXPECT_FALSE(s.m().WortRatenModus);
        EXPECT_EQ(s.m().WortRatenLampe.bild, s.m().LampeRotImg.bild);
        s.erwarteAnnaAmZug();
        EXPECT_EQ(s.punkte(0), 40);
    }
}

TEST(Computer, ItStopsAfterTheDrawnTicksAndChoosesFourTicksLater) {
    GegenComputer s(1);
    s.plattform.zufallsWerte({0.0});  // ZugTicks = 20: the stop after 1.7 s, the letter at 2.1 s
    std::vector<std::string> verlauf;
    s.plattform.wennModal("CompZugFrm", [&](Form& f) {
        auto& zug = static_cast<CompZugFrm&>(f);
        EXPECT_EQ(zug.ZugTicks, 20);
        EXPECT_FALSE(s.m().anhaltenBtn.enabled);  // no stop button for the player
        for (const double schritt : {1.65, 0.1, 0.3, 0.1}) {
            s.plattform.laufe(schritt);
            verlauf.push_back(std::to_string(zug.TickZaehler) + (s.m().gradTimer.enabled ? " dreht" : " steht") +
                              (f.visible ? " offen" : " zu"));
        }
    });
    s.annaNenntDenErsten();
    EXPECT_EQ(verlauf, (std::vector<std::string>{"16 dreht offen", "17 steht offen", "20 steht offen",
                                                 "20 steht zu"}));
    // Anna's stop left the wheel at 40; one picture per 30 ms, and 56 pictures later it shows 150.
    EXPECT_EQ(s.m().RadPos, 4);
    EXPECT_EQ(s.punkte(1), 150);
}

TEST(Computer, SpecialSegmentsDuringItsTurn) {
    struct Fall {
        const char* name;
        std::vector<int16_t> stopps;
        int drehungen;
        int32_t punkte;  // the computer had 70
        int16_t posDanach;
        const char* ton;
    };
    for (const auto& f : {Fall{"all lost, then 40", {kAlles, k40}, 2, 40, 2, "AllgemeinerFehler"},
                          Fall{"lucky hit, then 40", {kGlueck, k40}, 2, 210, 2, "Glückstreffer"},
                          Fall{"turn lost", {kAus}, 1, 70, 1, "BewegungEnde"}}) {
        SCOPED_TRACE(f.name);
        GegenComputer s(1);
        s.punkte(1) = 70;
        s.computerStopptAuf(f.stopps);
        s.annaNenntDenErsten();
        EXPECT_EQ(s.computerDrehungen, f.drehungen);
        EXPECT_EQ(s.punkte(1), f.punkte);
        EXPECT_EQ(s.g().aktBstPos, f.posDanach);
        const Toene t = s.toene();
        EXPECT_NE(std::find(t.begin(), t.end(), f.ton), t.end());
        s.erwarteAnnaAmZug();
    }
}

TEST(Computer, TheWeakComputerBlundersAtMostThreeTimesInARow) {
    struct Fall {
        const char* name;
        int16_t patzerVorher;
        std::vector<double> zufall;  // per spin: the length of the spin, then the weak draw
        int drehungen, tutut;
        int16_t hoechstens;  // PatzerZahl seen during the turn
    };
    const double patzer = 0.99, treffer = 0.0;
    for (const auto& f : {Fall{"three, then right", 0, {0, patzer, 0, patzer, 0, patzer, 0, patzer}, 4, 3, 3},
                          Fall{"one, then right", 0, {0, patzer, 0, treffer}, 2, 1, 1},
                          // The count runs on across turns.
                          Fall{"two from before", 2, {0, patzer, 0, patzer}, 2, 1, 3},
                          Fall{"three from before", 3, {0, patzer}, 1, 0, 3}}) {
        SCOPED_TRACE(f.name);
        GegenComputer s(2);
        s.g().FehlversucheMaximum = 10;
        s.punkte(1) = 1000;
        s.m().PatzerZahl = f.patzerVorher;
        for (double z : f.zufall) s.plattform.zufallsWerte({z});
        int16_t hoechstens = 0;
        s.computerStopptAuf({k40}, [&] { hoechstens = std::max(hoechstens, s.m().PatzerZahl); });
        s.annaNenntDenErsten();
        EXPECT_EQ(s.computerDrehungen, f.drehungen);
        EXPECT_EQ(wartend(s, "TUTUT"), f.tutut);
        EXPECT_EQ(hoechstens, f.hoechstens);
        EXPECT_EQ(s.m().PatzerZahl, 0);  // back to 0 with the right guess
        EXPECT_EQ(s.punkte(1), 1000 - 40 * f.tutut + 40);
        EXPECT_EQ(s.g().aktBstPos, 2);
        s.erwarteAnnaAmZug();
    }
}

TEST(Computer, ACharacterWithoutAKeyIsBoughtOrTheTurnPasses) {
    struct Fall {
        const char* name;
        int16_t staerke;
        const char* wort;
        int32_t vorher, nachher;
        int drehungen;
        int16_t posDanach;  // 0: the word was finished
        bool gekauft;
    };
    for (const auto& f : {// Buys the hyphen for 40, spins again and names the M.
                          Fall{"pays", 1, "E-Mail", 100, 100, 2, 3, true},
                          Fall{"cannot pay", 1, "E-Mail", 10, 10, 1, 1, false},
                          // Spells a, stops in front of the hyphen, buys it, then spells the rest.
                          Fall{"strong, in its word guess", 0, "Ja-Wort", 100, 100 + 40 - 40 + 4 * 40, 2, 0, true},
                          Fall{"strong, cannot pay", 0, "E-Mail", 0, 0, 1, 1, false}}) {
        SCOPED_TRACE(f.name);
        GegenComputer s(f.staerke, f.wort);
        s.punkte(1) = f.vorher;
        s.computerStopptAuf({k40});
        s.annaNenntDenErsten();
        EXPECT_EQ(s.punkte(1), f.nachher);
        EXPECT_EQ(s.computerDrehungen, f.drehungen);
        EXPECT_EQ(s.g().aktBstPos, f.posDanach);
        const Toene t = s.toene();
        EXPECT_EQ(std::find(t.begin(), t.end(), "Annahme2") != t.end(), f.gekauft);
        EXPECT_EQ(std::find(t.begin(), t.end(), "SchwererFehler"), t.end());  // no penalty
        EXPECT_FALSE(s.m().WortRatenModus);
        EXPECT_EQ(s.m().WortRatenLampe.bild, s.m().LampeRotImg.bild);
        s.erwarteAnnaAmZug();
    }
}

TEST(Computer, AWeakBlunderOnASoughtSharpSIsARightGuessAndEndsTheTurn) {
    GegenComputer s(2, "Fuß");
    s.g().aktBstPos = 2;
    s.m().PatzerZahl = 1;
    s.plattform.zufallsWerte({0, 0.99});
    s.computerStopptAuf({k40});
    s.m().naechsterSpieler();
    EXPECT_EQ(s.computerDrehungen, 1);  // the window closed at once
    EXPECT_EQ(wartend(s, "TUTUT"), 1);
    EXPECT_EQ(s.punkte(1), 40);
    EXPECT_EQ(s.m().PatzerZahl, 0);
    EXPECT_NE(s.g().aktWort, "Fuß");
    EXPECT_EQ(s.m().SpNameLbl.caption, "Anna");
    EXPECT_FALSE(s.m().ComputerAmZug);
    EXPECT_TRUE(menuesAn(s.m(), true));
}

TEST(Computer, ThePlayerCanNeitherPlayNorCloseTheWindowDuringTheComputersTurn) {
    GegenComputer s(1);
    MainFrm& m = s.m();
    m.mnuHilfeBedienung.enabled = false;
    int geprueft = 0;
    s.computerStopptAuf({k40}, [&] {
        CompZugFrm& zug = s.spiel->compZugFrm();
        if (!m.ComputerAmZug) return;
        ++geprueft;
        EXPECT_TRUE(menuesAn(m, false));
        EXPECT_TRUE(m.mnuDatei.enabled && !m.mnuHilfeBedienung.enabled);  // outside the group
        zug.beiSchliessen();
        EXPECT_TRUE(zug.visible);
        // Everything the player could press on the main window.
        m.Form_KeyPress('u');
        s.klicke("Ü");
        s.klicke("X");
        for (auto* b : {&m.drehenBtn, &m.anhaltenBtn, &m.BstKaufBtn, &m.WortRatenBtn}) b->beiKlick();
    });
    s.annaNenntDenErsten();
    EXPECT_GT(geprueft, 10);
    EXPECT_EQ(s.punkte(1), 40);  // the computer's own letter, nothing else
    EXPECT_EQ(s.g().aktBstPos, 2);
    EXPECT_EQ(m.FehlVersuche, 0);
    EXPECT_FALSE(m.WortRatenModus);
    EXPECT_FALSE(m.mnuHilfeBedienung.enabled);
    s.erwarteAnnaAmZug();
}

TEST(Computer, WithoutAHumanTheComputerPlaysOnInTheSameWindow) {
    RundenSpiel s({"Computer"});
    s.g().GegenComputer = 1;
    s.g().ComputerSpielStaerke = 1;
    s.legeWort("Hund");
    int16_t letzterZug = 0;
    s.plattform.wennModal("CompZugFrm", [&](Form& f) {
        s.plattform.laufe(60);  // a minute of the computer against itself
        letzterZug = s.g().aktBstPos;
        f.verstecke();
    });
    s.m().naechsterSpieler();
    EXPECT_EQ(s.plattform.modalGezeigt, std::vector<std::string>{"CompZugFrm"});
    EXPECT_TRUE(s.g().aktWort != "Hund" || letzterZug > 0);  // it got on with the word
}

}  // namespace
}  // namespace wx::test
