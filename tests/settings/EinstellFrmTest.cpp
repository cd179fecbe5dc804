// The settings dialog in a running game: the game's section of Kelmo.ini read
// and written back, OK and Cancel, the computer player and the board.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "TestInstallation.h"
#include "basis/Text.h"
#include "fenster/DateiInfoFrm.h"
#include "fenster/EinstellFrm.h"
#include "fenster/MainFrm.h"
#include "fenster/MldFenster.h"
#include "settings/IniDatei.h"

namespace wx {
namespace {

std::string ansi(const std::vector<std::string>& zeilen) {
    std::string t;
    for (const auto& z : zeilen) t += nachAnsi(z) + "\r\n";
    return t;
}

// The framework's lines around the section; the last holds bytes that have
// no character in Windows-1252.
const std::string kVorher = ansi({"; Kelmo", "[Spiele]", "MaximaleSpielDauer=30", "", "[Wirbelix]"});
const std::string kNachher = "[Kelmo]\r\nW\xF6rterbuch=x\x81y\x9D\r\n";

using Feld = int16_t GlobModul::*;
const Feld kFelder[9] = {
    &GlobModul::GegenComputer,     &GlobModul::ComputerSpielStaerke, &GlobModul::TastaturEingabeSperren,
    &GlobModul::TonEinschalten,    &GlobModul::BuchstabenRahmen,     &GlobModul::LoesungswortFarbig,
    &GlobModul::RatezeitBegrenzen, &GlobModul::FehlversucheMaximum,  &GlobModul::EinstellungenSpeichern};
using Werte = std::array<int16_t, 9>;
const Werte kEntwurf = {0, 0, 0, 1, 0, WAHR, 0, 5, 1};  // the dialog's design values
Werte mit(std::initializer_list<std::pair<Feld, int16_t>> aenderungen) {
    Werte w = kEntwurf;
    for (auto [f, v] : aenderungen) w[static_cast<size_t>(std::find(kFelder, kFelder + 9, f) - kFelder)] = v;
    return w;
}

// A game started on an installation whose Kelmo.ini has exactly these bytes.
struct EinstellSpiel {
    test::VirtuellePlattform p;
    test::TestInstallation inst;
    std::unique_ptr<Spiel> spiel = std::make_unique<Spiel>(p);

    explicit EinstellSpiel(const std::string& ini = kVorher + kNachher,
                           const std::string& spieler = "2;Anna;Ben;anna;ben") {
        inst.standard(test::beispielWoerter());
        std::ofstream(inst.pfad() + "/Kelmo.ini", std::ios::binary) << ini;
        EXPECT_TRUE(
            spiel->starte("|Version=4;Class=D;TeskFeldName=LT12;nSpieler=" + spieler + ";|", inst.pfad()));
    }
    std::string ini() const { return leseRoh(inst.pfad() + "/Kelmo.ini").value_or("<fehlt>"); }
    GlobModul& g() { return spiel->glob; }
    EinstellFrm& d() { return spiel->einstellFrm(); }
    MainFrm& m() { return spiel->mainFrm(); }
    Werte werte() {
        Werte w;
        for (size_t i = 0; i < 9; ++i) w[i] = g().*kFelder[i];
        return w;
    }
    // The section's lines as a save writes them.
    std::vector<std::string> zeilen(const Werte& w) {
        std::vector<std::string> z;
        for (size_t i = 0; i < 9; ++i)
            z.push_back(g().EinstellSchluessel[i] + "=" + std::to_string(i == 5 ? w[i] != 0 : w[i]));
        return z;
    }
    // Opens the dialog from the menu, works its controls, presses a button.
    void bediene(std::function<void(EinstellFrm&)> aendern, bool ok = true) {
        p.wennModal("EinstellFrm", [this, aendern, ok](Form&) {
            aendern(d());
            (ok ? d().okBtn : d().abbrBtn).beiKlick();
        });
        m().mnuBearbEinstell.beiKlick();
    }
};

TEST(Einstellungen, SectionIsReadAndWrittenBackAroundTheFrameworksLines) {
    struct Fall {
        const char* name;
        std::vector<std::string> abschnitt;
        Werte werte;
        std::vector<std::string> kommentare{};  // kept after the line of one blank
        std::optional<Werte> naechsterStart{};  // when the saved lines, in key order, read otherwise
    };
    const Fall faelle[] = {
        {"blanks around = name no key", {"FehlversucheMaximum = 3", " GegenComputer=1"}, kEntwurf},
        {"1.0 is not the text 1: blue on white, and so with frames",
         {"BuchstabenRahmen=0", "LösungswortFarbig=1.0"},
         mit({{&GlobModul::LoesungswortFarbig, FALSCH}, {&GlobModul::BuchstabenRahmen, 1}})},
        {"the lines count in their order: a frame line after blue on white switches the frames off",
         {"LösungswortFarbig=0", "BuchstabenRahmen=0"},
         mit({{&GlobModul::LoesungswortFarbig, FALSCH}, {&GlobModul::BuchstabenRahmen, 0}}),
         {},
         mit({{&GlobModul::LoesungswortFarbig, FALSCH}, {&GlobModul::BuchstabenRahmen, 1}})},
        {"the later line counts",
         {"FehlversucheMaximum=3", "FehlversucheMaximum=7 "},
         mit({{&GlobModul::FehlversucheMaximum, 7}})},
        {"comments stay, blank and unknown lines go",
         {";FehlversucheMaximum=9", "GegenComputer=1", "", "; noch einer", "Unbekannt=4"},
         mit({{&GlobModul::GegenComputer, 1}}),
         {";FehlversucheMaximum=9", "; noch einer"}},
        {"every key; the umlauts of the keys are single bytes",
         {"GegenComputer=1", "ComputerSpielStärke=2", "TastaturEingabeSperren=1", "TonEinschalten=0",
          "BuchstabenRahmen=1", "LösungswortFarbig=0", "RatezeitBegrenzen=1", "FehlversucheMaximum=9"},
         Werte{1, 2, 1, 0, 1, FALSCH, 1, 9, 1}},
        {"values the dialog cannot show",
         {"ComputerSpielStärke=7", "FehlversucheMaximum=0", "RatezeitBegrenzen=2", "tonEinschalten=0"},
         mit({{&GlobModul::RatezeitBegrenzen, 1}, {&GlobModul::FehlversucheMaximum, 1}})},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EinstellSpiel t(kVorher + ansi(f.abschnitt) + kNachher);
        EXPECT_EQ(t.werte(), f.werte);
        ASSERT_TRUE(t.d().saveKelmoIni());
        auto neu = t.zeilen(f.werte);
        neu.push_back(" ");
        neu.insert(neu.end(), f.kommentare.begin(), f.kommentare.end());
        EXPECT_EQ(t.ini(), kVorher + ansi(neu) + kNachher);
        EXPECT_EQ(EinstellSpiel(t.ini()).werte(), f.naechsterStart.value_or(f.werte)) << "the next start";
    }
    // A file that never held the section gets it, with the design values.
    EinstellSpiel ohne(kNachher);
    EXPECT_EQ(ohne.werte(), kEntwurf);
    ASSERT_TRUE(ohne.d().saveKelmoIni());
    auto neu = ohne.zeilen(kEntwurf);
    neu.push_back(" ");
    EXPECT_EQ(ohne.ini(), kNachher + "[Wirbelix]\r\n" + ansi(neu));
}

TEST(Einstellungen, SavedOnlyWhenWantedAndNeverLosingTheFile) {
    EinstellSpiel t;
    const std::string vorher = t.ini();
    t.bediene([](EinstellFrm& d) { d.TonEin.wert = 0; });
    t.d().vorSpeicherSchritt = [](SpeicherSchritt s) { return s != SpeicherSchritt::Ersetzen; };
    EXPECT_FALSE(t.d().saveKelmoIni());
    t.d().vorSpeicherSchritt = nullptr;
    // Switched off, the file is not touched: the switch-off is not stored either.
    t.bediene([](EinstellFrm& d) { d.EinstSaveOpt.wert = 0; });
    EXPECT_TRUE(t.d().saveKelmoIni());
    EXPECT_EQ(t.ini(), vorher);
}

TEST(Einstellungen, OkTakesEachControlAndCancelPutsItBack) {
    struct Fall {
        const char* name;
        std::function<void(EinstellFrm&)> aendern;
        Werte nachOk;
    };
    const Fall faelle[] = {
        {"gegenComp", [](EinstellFrm& d) { d.gegenComp.wert = 1; }, mit({{&GlobModul::GegenComputer, 1}})},
        {"SpSt(1)", [](EinstellFrm& d) { d.waehleOption(d.SpSt[1]); },
         mit({{&GlobModul::ComputerSpielStaerke, 1}})},
        {"LoesWortSW", [](EinstellFrm& d) { d.waehleOption(d.LoesWortSW); },
         mit({{&GlobModul::LoesungswortFarbig, FALSCH}, {&GlobModul::BuchstabenRahmen, 1}})},
        {"all the others",
         [](EinstellFrm& d) {
             d.RateZeitEin.wert = d.TastaturAus.wert = d.BstRahmEin.wert = 1;
             d.EinstSaveOpt.wert = d.TonEin.wert = 0;
             d.waehleOption(d.SpSt[2]);
             d.UpDnFehlVersuche.wert = 8;
         },
         Werte{0, 2, 1, 0, 1, WAHR, 1, 8, 0}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EinstellSpiel t;
        std::vector<std::pair<int, bool>> anzeige;
        for (auto* s : t.d().steuerelemente) anzeige.emplace_back(s->wert, s->enabled);
        t.bediene(f.aendern, false);
        EXPECT_EQ(t.werte(), kEntwurf) << "Cancel changes no setting";
        for (size_t i = 0; i < anzeige.size(); ++i)
            EXPECT_EQ(anzeige[i],
                      std::make_pair(t.d().steuerelemente[i]->wert, t.d().steuerelemente[i]->enabled))
                << t.d().steuerelemente[i]->name << " as before the changes";
        t.bediene(f.aendern);
        EXPECT_EQ(t.werte(), f.nachOk);
        EXPECT_EQ(t.d().nFehlVersuche.caption, std::to_string(f.nachOk[7]));
        EXPECT_FALSE(t.d().visible);
    }
}

TEST(Einstellungen, TheComputerJoinsOnceAndLeavesOnlyAsLastPlayer) {
    EinstellSpiel t;
    auto& info = t.spiel->dateiInfoFrm();
    t.bediene([](EinstellFrm& d) { d.gegenComp.wert = 1; });
    t.bediene([](EinstellFrm&) {});
    EXPECT_EQ(t.g().nSpieler, 3);
    EXPECT_EQ(t.g().SpielerName[2], "Computer");
    EXPECT_TRUE(info.SpName[2].visible && info.SpPunkte[2].visible && !info.SpName[3].visible);
    t.bediene([](EinstellFrm& d) { d.gegenComp.wert = 0; });
    t.bediene([](EinstellFrm&) {});
    EXPECT_EQ(t.g().nSpieler, 2);
    EXPECT_FALSE(info.SpName[2].visible || info.SpPunkte[2].visible);

    EinstellSpiel mitte(kVorher + ansi({"GegenComputer=1"}), "3;Anna;Computer;Ben;anna;ben;anna");
    mitte.bediene([](EinstellFrm& d) { d.gegenComp.wert = 0; });
    EXPECT_EQ(mitte.g().nSpieler, 3);

    // No room for a sixth player: a message, and the computer stays off.
    EinstellSpiel fuenf(kVorher, "5;A;B;C;D;E;anna;ben;anna;ben;anna");
    fuenf.p.wennModal("EinstellFrm", [&fuenf](Form&) {
        fuenf.d().gegenComp.wert = 1;
        fuenf.d().okBtn.beiKlick();
    });
    fuenf.p.wennModalDruecke("MldFenster", "Btn1");
    fuenf.m().mnuBearbEinstell.beiKlick();
    EXPECT_EQ(fuenf.g().nSpieler, 5);
    EXPECT_EQ(fuenf.g().GegenComputer, 0);
    EXPECT_NE(fuenf.spiel->mldFenster().Meldung.caption.find("fünf Spieler"), std::string::npos);
}

TEST(Einstellungen, OkRedrawsTheBoardInTheNewColoursAndFrames) {
    for (const bool farbig : {true, false}) {
        SCOPED_TRACE(farbig ? "coloured" : "blue on white");
        EinstellSpiel t;
        auto& m = t.m();
        auto& g = t.g();
        const size_t n = static_cast<size_t>(laenge(g.aktWort));
        g.aktBstPos = 2;
        for (size_t i = n; i < 15; ++i) m.BstLbl[i].hinter = m.BstLbl[i].vorder = kRot;  // no letter there
        t.p.zufallsWerte({0.95});  // colour number 9: the first cell takes colour 0
        t.bediene([farbig](EinstellFrm& d) { d.waehleOption(farbig ? d.LoesWortFarbe : d.LoesWortSW); });
        int32_t x = m.KontextLbl.caption.empty() ? 135 : m.KontextLbl.width + 215;
        for (size_t i = 0; i < 15; ++i) {
            const auto& z = m.BstLbl[i];
            const auto& h = g.HintergrundFarben[i % 10];
            const auto& s = g.SchriftFarben[i % 10];
            const Farbe hinter = farbig ? Farbe{h[0], h[1], h[2]} : i < n ? kWeiss : kRot;
            const Farbe schrift = i >= 2 ? hinter : farbig ? Farbe{s[0], s[1], s[2]} : kBlau;
            EXPECT_EQ(z.left, x) << i;
            EXPECT_EQ(z.hinter, hinter) << i;
            EXPECT_EQ(z.vorder, schrift) << i;
            EXPECT_EQ(z.rahmen, !farbig) << i;
            x += z.width;
        }
    }
}

}  // namespace
}  // namespace wx
