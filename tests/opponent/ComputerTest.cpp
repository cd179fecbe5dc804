// The computer opponent: whole turns at each strength, its stops, its two
// awkward letters, and the human who follows it.
#include <gtest/gtest.h>

#include "RundenSpiel.h"
#include "basis/Text.h"
#include "fenster/CompZugFrm.h"

namespace wx::test {
namespace {

constexpr int16_t kAlles = 5, kAus = 0, kGlueck = 3, k40 = 8;  // wheel positions
constexpr double P = 0.99;                                     // a weak draw that blunders

int wartend(const RundenSpiel& s, const std::string& wave) {
    int n = 0;
    for (const auto& w : s.plattform.wavs)
        n += w.find(wave) != std::string::npos && w.find("(warten)") != std::string::npos;
    return n;
}

// Anna names the first letter of the word at 40, which hands the turn to the
// computer; the whole computer turn runs inside her letter.
TEST(Computer, WholeTurns) {
    struct Fall {  // the rows give the fields in this order, as far as they differ from the defaults
        const char* name;
        int32_t vorher, nachher;  // the computer's score
        int16_t staerke = 1;
        int drehungen = 1;
        int16_t posDanach = 2;  // 0: the word was finished
        int tropfen = 0, tutut = 0;
        int16_t patzerHoechst = 0;  // PatzerZahl seen during the turn at most
        int16_t patzerVorher = 0;
        const char* wort = "Mühe";
        std::vector<int16_t> stopps{k40};
        std::vector<double> zufall{};  // per spin: its length, then the weak computer's draw
    };
    const Fall faelle[] = {
        {"medium: the Ü, key 28", 0, 40},
        {"strong: ü, h, e, each after a drop", 0, 120, 0, 1, 0, 3},
        {"weak, right", 0, 40, 2, 1, 2, 0, 0, 0, 0, "Mühe", {k40}, {0, 0}},
        {"all lost, then 40", 70, 40, 1, 2, 2, 0, 0, 0, 0, "Mühe", {kAlles, k40}},
        {"lucky hit, then 40", 70, 210, 1, 2, 2, 0, 0, 0, 0, "Mühe", {kGlueck, k40}},
        {"turn lost", 70, 70, 1, 1, 1, 0, 0, 0, 0, "Mühe", {kAus}},
        {"weak: three blunders", 1000, 920, 2, 4, 2, 0, 3, 3, 0, "Mühe", {k40}, {0, P, 0, P, 0, P, 0, P}},
        {"weak: two from before", 1000, 1000, 2, 2, 2, 0, 1, 3, 2, "Mühe", {k40}, {0, P, 0, P}},
        {"weak: three from before", 1000, 1040, 2, 1, 2, 0, 0, 3, 3, "Mühe", {k40}, {0, P}},
        {"weak: the blunder ß is right", 0, 40, 2, 1, 0, 0, 1, 1, 1, "aß", {k40}, {0, P}},
        // A hyphen has no key: bought for 40, then the M; or the turn passes.
        {"no key, pays", 100, 100, 1, 2, 3, 0, 0, 0, 0, "E-Mail"},
        {"no key, cannot pay", 10, 10, 0, 1, 1, 0, 0, 0, 0, "E-Mail"},
        {"no key in the word guess", 100, 260, 0, 2, 0, 5, 0, 0, 0, "Ja-Wort"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        RundenSpiel s({"Anna", "Computer"});
        MainFrm& m = s.m();
        s.g().GegenComputer = 1;
        s.g().ComputerSpielStaerke = f.staerke;
        s.g().TonEinschalten = f.staerke == 0 ? 0 : 1;  // the drops sound even with sound off
        s.g().FehlversucheMaximum = 10;
        s.legeWort(f.wort);
        s.punkte(1) = f.vorher;
        m.PatzerZahl = f.patzerVorher;
        for (double z : f.zufall) s.plattform.zufallsWerte({z});
        int16_t meistePatzer = 0;
        s.computerStopptAuf(f.stopps, [&] { meistePatzer = std::max(meistePatzer, m.PatzerZahl); });
        s.stoppeAuf(k40);
        s.klicke(gross(std::string(f.wort).substr(0, 1)));

        EXPECT_EQ(s.punkte(1), f.nachher);
        EXPECT_EQ(s.computerDrehungen, f.drehungen);
        EXPECT_EQ(s.g().aktBstPos, f.posDanach);
        EXPECT_EQ(wartend(s, "TROPFEN"), f.tropfen);
        EXPECT_EQ(wartend(s, "TUTUT"), f.tutut);
        EXPECT_EQ(meistePatzer, f.patzerHoechst);
        EXPECT_EQ(m.PatzerZahl, 0);  // every turn here ends with a right guess
        const Toene t = s.toene();
        EXPECT_EQ(std::find(t.begin(), t.end(), "SchwererFehler"), t.end());
        // Back to Anna, who finds everything unlocked and must spin.
        EXPECT_EQ(m.SpNameLbl.caption, "Anna");
        EXPECT_FALSE(m.ComputerAmZug || m.WortRatenModus);
        EXPECT_FALSE(s.spiel->compZugFrm().visible || s.spiel->compZugFrm().CompZugTimer.enabled);
        EXPECT_TRUE(m.mnuDateiNeu.enabled && m.mnuBearbEinstell.enabled);
        s.erwarteNeuenDreh();
        EXPECT_EQ(s.punkte(0), 40);
    }
}

// A stop on "lose the turn" and the end of the guess time hand the turn over
// as well; each finishes its own steps after the computer's whole turn.
TEST(Computer, AStopOrTheEndOfTheTimeGoesOnAfterTheComputersTurn) {
    for (const bool zeit : {false, true}) {
        SCOPED_TRACE(zeit ? "end of the time" : "turn lost");
        RundenSpiel s({"Anna", "Computer"});
        MainFrm& m = s.m();
        s.g().GegenComputer = 1;
        s.g().ComputerSpielStaerke = 1;
        s.legeWort("Hund");
        if (zeit) {
            m.switchVuRestZeit(true);
            s.plattform.wennModalDruecke("MldFenster", "Btn1");
        }
        bool zeitLief = false;
        s.computerStopptAuf({k40}, [&] { zeitLief |= m.RestZeitTimer.enabled; });
        if (zeit)
            s.plattform.laufe(100);
        else
            s.stoppeAuf(kAus);
        EXPECT_EQ(s.punkte(1), 40);
        EXPECT_FALSE(zeitLief);  // off during the message and the computer's turn
        EXPECT_EQ(m.RestZeitTimer.enabled, zeit);
        EXPECT_EQ(m.SpNameLbl.caption, "Anna");
        s.erwarteNeuenDreh();
    }
}

TEST(Computer, ItStopsAfterTheDrawnTicksAndChoosesFourTicksLater) {
    RundenSpiel s({"Anna", "Computer"});
    s.g().GegenComputer = 1;
    s.g().ComputerSpielStaerke = 1;
    s.legeWort("Hund");
    s.plattform.zufallsWerte({0.0});  // ZugTicks = 20: the stop after 1.7 s, the letter at 2.1 s
    std::vector<std::string> verlauf;
    s.plattform.wennModal("CompZugFrm", [&](Form& f) {
        const auto& zug = static_cast<CompZugFrm&>(f);
        EXPECT_FALSE(s.m().anhaltenBtn.enabled);  // no stop button for the player
        for (const double schritt : {1.65, 0.1, 0.3, 0.1}) {
            s.plattform.laufe(schritt);
            verlauf.push_back(std::to_string(zug.TickZaehler) +
                              (s.m().gradTimer.enabled ? " dreht" : " steht") +
                              (f.visible ? " offen" : " zu"));
        }
    });
    s.stoppeAuf(k40);
    s.klicke("H");
    EXPECT_EQ(verlauf, (std::vector<std::string>{"16 dreht offen", "17 steht offen", "20 steht offen",
                                                 "20 steht zu"}));
    // From 40, one picture per 30 ms: 56 pictures later the wheel shows 150.
    EXPECT_EQ(s.m().RadPos, 4);
    EXPECT_EQ(s.punkte(1), 150);
}

TEST(Computer, WithoutAHumanTheComputerPlaysOnInTheSameWindow) {
    RundenSpiel s({"Computer"});
    s.g().GegenComputer = 1;
    s.g().ComputerSpielStaerke = 1;
    s.plattform.wennModal("CompZugFrm", [&](Form& f) {
        s.plattform.laufe(60);
        EXPECT_TRUE(f.visible);
        f.verstecke();
    });
    s.m().naechsterSpieler();
    EXPECT_EQ(s.plattform.modalGezeigt, std::vector<std::string>{"CompZugFrm"});
    const Toene t = s.toene();
    EXPECT_GT(std::count(t.begin(), t.end(), "BewegungStart"), 6);
    EXPECT_GT(std::count(t.begin(), t.end(), "Annahme1") + std::count(t.begin(), t.end(), "Gratulation1"), 2);
}

// A lost turn that comes straight back to the computer, its window still
// open, starts with a new spin: the standing wheel is not stopped again.
TEST(Computer, ATurnThatComesBackToTheComputerBeginsWithASpin) {
    RundenSpiel s({"Computer"});
    s.g().GegenComputer = 1;
    s.g().ComputerSpielStaerke = 1;
    s.legeWort("Hund");
    s.plattform.zufallsWerte({0.0, P});  // a short first move, then long ones
    int schritte = 0;                    // 20 s of play, then the window is closed from outside
    s.computerStopptAuf({kAus, k40}, [&] {
        if (++schritte == 400) s.spiel->compZugFrm().verstecke();
    });
    s.m().naechsterSpieler();
    std::vector<std::string> rad;
    for (const auto& t : s.toene())
        if (t.starts_with("Bewegung")) rad.push_back(t);
    ASSERT_GE(rad.size(), 4u);
    EXPECT_EQ(rad[0], "BewegungStart");
    EXPECT_EQ(rad[1], "BewegungEnde");
    EXPECT_EQ(rad[2], "BewegungStart");
}

}  // namespace
}  // namespace wx::test
