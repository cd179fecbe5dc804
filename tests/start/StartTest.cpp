// The program's start: compatibility check, the order of windows, the state
// the main window's start-up leaves, and starts on broken installations.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestInstallation.h"
#include "fenster/MainFrm.h"
#include "basis/Text.h"
#include "fenster/DateiInfoFrm.h"
#include "fenster/MldFenster.h"

namespace wx {
namespace {

using test::TestSpiel;
using test::TestWort;

TEST(Start, IncompatibleFrameworkShowsThreeLinesAndEnds) {
    test::VirtuellePlattform p;
    test::TestInstallation inst;
    inst.standard(test::beispielWoerter());
    Spiel spiel(p);
    p.wennModalDruecke("MldFenster", "Btn1");
    EXPECT_EQ(spiel.Main("|Version=5;Class=D;nSpieler=1;a;a;|", inst.pfad()), 1);
    EXPECT_EQ(p.modalGezeigt, std::vector<std::string>{"MldFenster"});
    EXPECT_TRUE(p.modelessGezeigt.empty());
    auto& m = spiel.mldFenster();
    EXPECT_EQ(m.caption, "Laufzeitfehler");
    EXPECT_EQ(m.Meldung.caption,
              "Diese Version von Wirbelix ist nicht\rkompatibel mit der installierten Version\rvon KELMO.");
    EXPECT_EQ(m.Antwort, "OK");
    EXPECT_FALSE(spiel.hatMainFrm());
}

TEST(Start, BackgroundFirstThenMainWindowUntilClosed) {
    test::VirtuellePlattform p;
    test::TestInstallation inst;
    inst.standard(test::beispielWoerter());
    Spiel spiel(p);
    p.wennModal("MainFrm", [](Form& f) { f.verstecke(); });
    EXPECT_EQ(spiel.Main("|Version=4;Class=D;TeskFeldName=X;nSpieler=1;Mia;mia;|", inst.pfad()), 0);
    EXPECT_EQ(p.modelessGezeigt, std::vector<std::string>{"GradBackFrm"});
    EXPECT_EQ(p.modalGezeigt, std::vector<std::string>{"MainFrm"});
    EXPECT_EQ(spiel.glob.UserPfad, inst.pfad() + "\\User");
    EXPECT_EQ(spiel.glob.HilfeDatei, inst.pfad() + "\\Wirbelix.chm");
}

TEST(Start, StateAfterStartUp) {
    TestSpiel t;
    ASSERT_TRUE(t.gestartet);
    auto& m = t.main();
    auto& g = t.g();
    EXPECT_EQ(m.SpNameLbl.caption + " " + std::to_string(g.aktSpieler) + " " + std::to_string(g.aktBstPos),
              "Anna 0 0");
    EXPECT_EQ(m.UebTitelLabel.caption, "Lernwörter, Teil 1");
    EXPECT_EQ(g.BausteinTitel, "");
    EXPECT_EQ(g.BausteinNr, 2);
    EXPECT_EQ(g.BenutzteWoerter.max(), 0);  // the first word is on the board, hidden
    int sichtbar = 0;
    for (auto& z : m.BstLbl) sichtbar += z.visible;
    EXPECT_EQ(sichtbar, laenge(g.aktWort));
    EXPECT_EQ(m.BstLbl[0].vorder, m.BstLbl[0].hinter);
    EXPECT_TRUE(m.RadPos == 0 && m.RadImg[0].visible && !m.RadImg[1].visible);
    // Only a spin can start the game; the play time runs, the guess time does not.
    EXPECT_TRUE(m.drehenBtn.enabled && m.EnergTimer.enabled && m.mnuDateiNeu.enabled &&
                m.mnuHilfeAktKat.enabled);
    EXPECT_FALSE(m.anhaltenBtn.enabled || m.WortRatenBtn.enabled || m.bstBtn[0].enabled ||
                 m.gradTimer.enabled);
    EXPECT_EQ(m.WortRatenLampe.bild + m.KaufenLampe.bild, m.LampeRotImg.bild + m.LampeRotImg.bild);
    EXPECT_EQ(m.vuRestZeitImage.bild, m.vuRestZeitAusImg.bild);
}

TEST(Start, CoreVocabularyFilterAndPicture) {
    auto woerter = test::beispielWoerter();
    woerter[0].gws = false;
    test::VirtuellePlattform p;
    test::TestInstallation inst;
    inst.standard(woerter);
    inst.schreibeAnsi("Grafik/bst_lip.gif", {"GIF89a"});
    Spiel spiel(p);
    ASSERT_TRUE(
        spiel.starte("|Version=4;Class=D;TeskFeldName=LT12;GwsFlag=1;nSpieler=1;Mia;mia;|", inst.pfad()));
    EXPECT_EQ(spiel.glob.nWoerter, 5);
    EXPECT_EQ(spiel.dateiInfoFrm().DatInfLbl[1].caption, "ja");
    EXPECT_NE(spiel.mainFrm().UebBausteinImage.bild.find("bst_lip.gif"), std::string::npos);
}

// A database whose filter leaves nothing, for the unit or without one. (A
// missing or broken database is among the hostile files.)
TEST(Start, NoWordsToPlayEndWithAMessage) {
    auto woerter = test::beispielWoerter();
    for (auto& w : woerter) w.lip = false;
    test::TestInstallation inst;
    inst.schreibeWortDatenbank(woerter);
    for (const char* start : {"|Version=4;Class=D;TeskFeldName=X;nSpieler=1;Mia;mia;|",
                              "|Version=4;Class=D;nSpieler=1;Mia;mia;|"}) {
        test::VirtuellePlattform p;
        Spiel spiel(p);
        p.wennModalDruecke("MldFenster", "Btn1");
        EXPECT_FALSE(spiel.starte(start, inst.pfad())) << start;
        EXPECT_EQ(spiel.mldFenster().caption, "Keine Wörter") << start;
    }
}

TEST(Start, MissingFrameworkFilesAreTreatedAsEmpty) {
    test::VirtuellePlattform p;
    test::TestInstallation inst;
    inst.schreibeWortDatenbank(test::beispielWoerter());
    Spiel spiel(p);
    ASSERT_TRUE(spiel.starte("|Version=4;Class=D;TeskFeldName=X;nSpieler=2;A;B;a;b;|", inst.pfad()));
    EXPECT_EQ(spiel.glob.SpielzeitFaktor, 0);
    EXPECT_EQ(spiel.mainFrm().UebTitelLabel.caption, "");
    EXPECT_EQ(spiel.mainFrm().UebBausteinImage.bild, "");
    EXPECT_EQ(spiel.glob.FehlerWoerter.max(), -1);
}

TEST(Start, UnitPictureNames) {
    EXPECT_EQ(bausteinBildName("LT12"), "BST_LT_.GIF");
    EXPECT_EQ(bausteinBildName("AB1x"), "BST_ABx.GIF");
    EXPECT_EQ(bausteinBildName("AB12"), "BST_AB_.GIF");
    EXPECT_EQ(bausteinBildName("LIP_"), "BST_LIP.GIF");
    EXPECT_EQ(bausteinBildName("LTX"), "BST_LT_.GIF");
    EXPECT_EQ(bausteinBildName("AB1"), "BST_AB.GIF");
    EXPECT_EQ(bausteinBildName(""), "BST_.GIF");
}

}  // namespace
}  // namespace wx
