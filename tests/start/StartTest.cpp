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

TEST(Start, EmptyLaunchTextIsExplainedInGerman) {
    test::VirtuellePlattform p;
    Spiel spiel(p);
    p.wennModalDruecke("MldFenster", "Btn1");
    EXPECT_EQ(spiel.Main("", "/nirgends"), 1);
    EXPECT_NE(spiel.mldFenster().Meldung.caption.find("KELMO"), std::string::npos);
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
    EXPECT_EQ(m.SpNameLbl.caption, "Anna");
    EXPECT_EQ(g.aktSpieler, 0);
    EXPECT_EQ(g.aktBstPos, 0);
    EXPECT_EQ(m.UebTitelLabel.caption, "Lernwörter, Teil 1");
    EXPECT_EQ(g.BausteinTitel, "");
    EXPECT_EQ(g.BausteinNr, 2);
    EXPECT_EQ(g.nWoerter, 6);
    auto& info = t.spiel->dateiInfoFrm();
    EXPECT_EQ(info.DatInfLbl[0].caption, "6");
    EXPECT_EQ(info.DatInfLbl[1].caption, "nein");
    EXPECT_EQ(g.BenutzteWoerter.max(), 0);
    EXPECT_FALSE(g.aktWort.empty());
    // board ready: one hidden cell per letter
    int sichtbar = 0;
    for (auto& z : m.BstLbl) sichtbar += z.visible;
    EXPECT_EQ(sichtbar, laenge(g.aktWort));
    EXPECT_EQ(m.BstLbl[0].vorder, m.BstLbl[0].hinter);
    // wheel
    EXPECT_EQ(m.RadPos, 0);
    EXPECT_TRUE(m.RadImg[0].visible);
    EXPECT_FALSE(m.RadImg[1].visible);
    // buttons, lamps, timers, menus
    EXPECT_TRUE(m.drehenBtn.enabled);
    EXPECT_FALSE(m.anhaltenBtn.enabled);
    EXPECT_FALSE(m.WortRatenBtn.enabled);
    EXPECT_FALSE(m.bstBtn[0].enabled);
    EXPECT_EQ(m.WortRatenLampe.bild, m.LampeRotImg.bild);
    EXPECT_EQ(m.KaufenLampe.bild, m.LampeRotImg.bild);
    EXPECT_TRUE(m.EnergTimer.enabled);
    EXPECT_FALSE(m.gradTimer.enabled);
    EXPECT_TRUE(m.mnuDateiNeu.enabled);
    EXPECT_TRUE(m.mnuHilfeAktKat.enabled);
    EXPECT_EQ(m.vuRestZeitImage.bild, m.vuRestZeitAusImg.bild);
    // settings from the usual values
    EXPECT_EQ(g.FehlversucheMaximum, 5);
    EXPECT_EQ(g.LoesungswortFarbig, WAHR);
    EXPECT_EQ(g.TonEinschalten, 1);
}

TEST(Start, CoreVocabularyFilterAndPicture) {
    auto woerter = test::beispielWoerter();
    woerter[0].gws = false;
    test::VirtuellePlattform p;
    test::TestInstallation inst;
    inst.standard(woerter);
    inst.schreibeAnsi("Grafik/bst_lip.gif", {"GIF89a"});
    Spiel spiel(p);
    ASSERT_TRUE(spiel.starte("|Version=4;Class=D;TeskFeldName=LT12;GwsFlag=1;nSpieler=1;Mia;mia;|", inst.pfad()));
    EXPECT_EQ(spiel.glob.nWoerter, 5);
    EXPECT_EQ(spiel.dateiInfoFrm().DatInfLbl[1].caption, "ja");
    EXPECT_NE(spiel.mainFrm().UebBausteinImage.bild.find("bst_lip.gif"), std::string::npos);
}

TEST(Start, BrokenInstallationsEndWithAMessage) {
    test::VirtuellePlattform p;
    test::TestInstallation inst;  // only the wheel: no INI, no unit list, no database
    Spiel spiel(p);
    p.wennModalDruecke("MldFenster", "Btn1");
    EXPECT_FALSE(spiel.starte("|Version=4;Class=D;TeskFeldName=X;nSpieler=1;Mia;mia;|", inst.pfad()));
    EXPECT_EQ(spiel.mldFenster().caption, "Laufzeitfehler");
    EXPECT_NE(spiel.mldFenster().Meldung.caption.find("Kelmo-D.mdb"), std::string::npos);

    // a database whose filter leaves nothing
    test::VirtuellePlattform p2;
    test::TestInstallation inst2;
    auto woerter = test::beispielWoerter();
    for (auto& w : woerter) w.lip = false;
    inst2.schreibeWortDatenbank(woerter);
    Spiel spiel2(p2);
    p2.wennModalDruecke("MldFenster", "Btn1");
    EXPECT_FALSE(spiel2.starte("|Version=4;Class=D;TeskFeldName=X;nSpieler=1;Mia;mia;|", inst2.pfad()));
    EXPECT_EQ(spiel2.mldFenster().caption, "Keine Wörter");

    // no unit column at all: the filter cannot work either
    test::VirtuellePlattform p3;
    Spiel spiel3(p3);
    p3.wennModalDruecke("MldFenster", "Btn1");
    EXPECT_FALSE(spiel3.starte("|Version=4;Class=D;nSpieler=1;Mia;mia;|", inst2.pfad()));
    EXPECT_EQ(spiel3.mldFenster().caption, "Keine Wörter");
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
