// Reading the framework's launch text, INI file, unit list and record files.
#include <gtest/gtest.h>

#include "TestInstallation.h"
#include "basis/Rahmendateien.h"
#include "basis/Text.h"

namespace wx {
namespace {

struct Rahmen : ::testing::Test {
    test::VirtuellePlattform plattform;
    test::TestInstallation inst;
    GlobModul g{plattform};
    void SetUp() override {
        g.AppPfad = inst.pfad();
        g.UserPfad = inst.pfad() + "\\User";
    }
};

// What a launch text leaves: "[GWS ]unit: name/file name/file ...".
std::string gelesen(const GlobModul& h) {
    std::string t = std::string(h.GwsFlag == WAHR ? "GWS " : "") + h.KlassenFeld + ":";
    for (size_t k = 0; k < static_cast<size_t>(h.nSpieler); ++k)
        t += " " + h.SpielerName[k] + "/" + h.SpielerDatei[k];
    return t;
}

// Any first and last character are the frame; GwsFlag counts by being there,
// whatever its value; names are taken as they stand; the count is rounded and
// held to the five places of the board; the last item may come without its ";".
TEST_F(Rahmen, LaunchTextItems) {
    for (const auto& [text, erwartet] :
         {std::pair{"|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;GwsFlag=1;nSpieler=2;"
                    "Spieler1;Spieler 2 ;datei1;datei2;|",
                    "GWS LIP_: Spieler1/datei1 Spieler 2 /datei2"},
          {"#GwsFlag=0;nSpieler=1;Spieler1;datei1;#", "GWS : Spieler1/datei1"},
          {"\"Unbekannt=1;nSpieler= 2.4;x;y;fx;fy;\"", ": x/fx y/fy"},
          {"|nSpieler=1;Anna;anna|", ": Anna/anna"},
          {"|nSpieler=5;a;b;c;d;e;1;2;3;4;5;|", ": a/1 b/2 c/3 d/4 e/5"},
          {"|nSpieler=-1;|", ":"},
          {"|nSpieler=99999999999999999999999999;a;b;c;d;e;|", ": a/ b/ c/ d/ e/"},
          {"|nSpieler=-99999999999999999999999999;|", ":"}}) {
        GlobModul h{plattform};
        ASSERT_TRUE(leseStartParameter(h, text)) << text;
        EXPECT_EQ(gelesen(h), erwartet) << text;
    }
}

TEST_F(Rahmen, IncompatibleFrameworkIsRefused) {
    EXPECT_FALSE(leseStartParameter(g, "|Version=5;Class=D;nSpieler=1;a;b;|"));
    EXPECT_FALSE(leseStartParameter(g, "|Version=4;Class=E;nSpieler=1;a;b;|"));
    EXPECT_EQ(g.nSpieler, 0);  // players are left untouched
    EXPECT_TRUE(leseStartParameter(g, "|Version= 4 ;Class=D;nSpieler=1;a;b;|"));
    EXPECT_EQ(wertNachGleich("Version=4=5"), "4=5");
    EXPECT_EQ(wertNachGleich("ohne"), "");
    EXPECT_EQ(wertNachGleich(""), "");
}

// The factor is 75 / minutes, rounded down, held to 1..15; a missing INI
// (no limit at all) is covered by the start on a bare installation.
TEST_F(Rahmen, PlayTimeFactorFromIni) {
    const std::vector<std::pair<std::vector<std::string>, int16_t>> faelle = {
        {{"[Spiele]", "MaximaleSpielDauer= 3"}, 15},  // below the five minutes
        {{"[Spiele]", "MaximaleSpielDauer=5"}, 15},
        {{"[Spiele]", "MaximaleSpielDauer=25"}, 3},
        {{"[Spiele]", "MaximaleSpielDauer=38"}, 1},  // 1.97 rounds down
        {{"[Spiele]", "MaximaleSpielDauer=76"}, 1},  // 0.98 is held to 1
        {{"[Spiele]", "MaximaleSpielDauer=120"}, 1},
        {{"[Spiele]", ";MaximaleSpielDauer=10", "MaximaleSpielDauer=10"}, 7},
        {{"[Spiele]", "[Sound]", "MaximaleSpielDauer=15"}, 5},  // the search runs to the end
        {{"MaximaleSpielDauer=15", "[Spiele]"}, 0},             // only after the header
        {{"[Spiele]", "MaximaleSpielDauer=30min"}, 2},
        {{"[Spiele]", "MaximaleSpielDauer=abc"}, 15},
        {{"[Spiele]", " MaximaleSpielDauer=10"}, 0},
    };
    for (const auto& [zeilen, faktor] : faelle) {
        inst.schreibeAnsi("Kelmo.ini", zeilen);
        g.SpielzeitFaktor = 0;
        leseSpielDauer(g);
        EXPECT_EQ(g.SpielzeitFaktor, faktor) << zeilen.back();
    }
}

TEST_F(Rahmen, UnitListFindsTitleAndPosition) {
    inst.schreibeAnsi("Kelmo.tsp", {"\">>>Gruppe A\",\"\"", "\"Einheit 1\",\"LT11\"",
                                    "\"Einheit 2\",\"LIP_\"", "\"Einheit 3\",\"LT12\""});
    g.KlassenFeld = "LIP_";
    leseBaustein(g);
    EXPECT_EQ(g.BausteinNr, 2);
    EXPECT_EQ(g.BausteinTitel, "Einheit 2");

    g.KlassenFeld = "XYZ";
    g.BausteinTitel.clear();
    leseBaustein(g);
    EXPECT_EQ(g.BausteinNr, 3);
    EXPECT_EQ(g.BausteinTitel, "");
}

TEST_F(Rahmen, UnitListFieldsQuotedAndUnquoted) {
    const auto s = leseTspDatensaetze(
        {"\"Wörter, mit Komma\" , LIP_", "  Ohne Anführung  ,\"X1\"", "Feld über", "zwei Zeilen"});
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].first, "Wörter, mit Komma");
    EXPECT_EQ(s[0].second, "LIP_");
    EXPECT_EQ(s[1].first, "Ohne Anführung");
    EXPECT_EQ(s[1].second, "X1");
    EXPECT_EQ(s[2].first, "Feld über");  // a field also ends at the line's end
    EXPECT_EQ(s[2].second, "zwei Zeilen");
}

TEST_F(Rahmen, RecordFilesGiveOpenErrorWordsOnce) {
    inst.schreibeAnsi("User/anna.tmp", {"12=falsch", "15= OK", "12=falsch", "7 = F"});
    inst.schreibeAnsi("User/Ben.TMP", {"7=falsch", "20=OK", "x= OK"});
    g.nSpieler = 3;
    g.SpielerDatei = {"anna", "ben", "fehlt"};
    leseFehlerWoerter(g);
    EXPECT_EQ(g.FehlerWoerter.eintraege(), (std::vector<int16_t>{12, 7, 20}));
    EXPECT_EQ(g.FehlerWoerter.max(), 2);
}

TEST(GlobModulTest, RandomNumbersStayInRange) {
    test::VirtuellePlattform p;
    GlobModul g{p};
    p.zufallsWerte({0.0, 0.999999, 0.5, 0.999999, 0.0});
    EXPECT_EQ(g.zufallsZahl(1, 1), 1);
    EXPECT_EQ(g.zufallsZahl(0, 9), 9);
    EXPECT_EQ(g.zufallsZahl(0, 9), 5);
    EXPECT_EQ(g.zufallsZahl(5, 3), 5);  // the lower bound wins
    EXPECT_EQ(g.zufallsZahl(-3, 3), -3);
    for (int i = 0; i < 2000; ++i) {
        const int v = g.zufallsZahl(0, 9);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 9);
    }
}

}  // namespace
}  // namespace wx
