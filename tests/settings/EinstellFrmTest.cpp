// The settings dialog in a running game: reading and writing the game's
// section of Kelmo.ini, OK and Cancel, the computer player, the colour
// options and the board after OK.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestInstallation.h"
#include "basis/Text.h"
#include "fenster/DateiInfoFrm.h"
#include "fenster/EinstellFrm.h"
#include "fenster/MainFrm.h"
#include "fenster/MldFenster.h"
#include "settings/IniDatei.h"

namespace wx {
namespace {

// Lines in Windows-1252 with CR LF, as the framework writes them.
std::string ansi(const std::vector<std::string>& zeilen) {
    std::string t;
    for (const auto& z : zeilen) t += nachAnsi(z) + "\r\n";
    return t;
}

// The framework's lines around the game's section; the last line holds bytes
// that have no character in Windows-1252 and must survive as they are.
const std::string kVorher = ansi({"; Kelmo - gemeinsame Einstellungen", "[Spiele]", "MaximaleSpielDauer=30", "",
                                  "[Sound]", "Glückstreffer=GLUECK", "", "[Wirbelix]"});
const std::string kNachher = "[Kelmo]\r\nW\xF6rterbuch=x\x81y\x9D\r\n";

// The nine settings, at the dialog's design values unless a case says otherwise.
struct Werte {
    int16_t computer = 0, staerke = 0, tastatur = 0, ton = 1, rahmen = 0;
    flag16 farbig = WAHR;
    int16_t ratezeit = 0, fehl = 5, speichern = 1;

    static Werte aus(const GlobModul& g) {
        return {g.GegenComputer,     g.ComputerSpielStaerke, g.TastaturEingabeSperren,
                g.TonEinschalten,    g.BuchstabenRahmen,     g.LoesungswortFarbig,
                g.RatezeitBegrenzen, g.FehlversucheMaximum,  g.EinstellungenSpeichern};
    }
    // The section's lines as a save writes them.
    std::vector<std::string> zeilen() const {
        auto z = [](const char* k, int v) { return std::string(k) + "=" + std::to_string(v); };
        return {z("GegenComputer", computer),   z("ComputerSpielStärke", staerke),
                z("TastaturEingabeSperren", tastatur), z("TonEinschalten", ton),
                z("BuchstabenRahmen", rahmen),  z("LösungswortFarbig", farbig ? 1 : 0),
                z("RatezeitBegrenzen", ratezeit), z("FehlversucheMaximum", fehl),
                z("EinstellungenSpeichern", speichern)};
    }
    friend bool operator==(const Werte&, const Werte&) = default;
};

void PrintTo(const Werte& w, std::ostream* os) {
    for (const auto& z : w.zeilen()) *os << z << " ";
}

// A game started on an installation whose Kelmo.ini has exactly these bytes.
struct EinstellSpiel {
    test::VirtuellePlattform p;
    test::TestInstallation inst;
    std::unique_ptr<Spiel> spiel;

    explicit EinstellSpiel(const std::string& ini = kVorher + kNachher,
                           const std::string& spieler = "nSpieler=2;Anna;Ben;anna;ben;") {
        inst.standard(test::beispielWoerter());
        std::ofstream(datei(), std::ios::binary) << ini;
        spiel = std::make_unique<Spiel>(p);
        const bool ok = spiel->starte("|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;" + spieler + "|", inst.pfad());
        EXPECT_TRUE(ok);
    }
    std::string datei() const { return inst.pfad() + "/Kelmo.ini"; }
    std::string ini() const { return leseRoh(datei()).value_or("<fehlt>"); }
    GlobModul& g() { return spiel->glob; }
    EinstellFrm& d() { return spiel->einstellFrm(); }
    MainFrm& m() { return spiel->mainFrm(); }
    // Opens the dialog through the menu; bedienen works its controls and
    // presses a button.
    void oeffne(std::function<void(EinstellFrm&)> bedienen) {
        p.wennModal("EinstellFrm", [this, bedienen](Form&) { bedienen(d()); });
        m().mnuBearbEinstell.beiKlick();
    }
    void ok(std::function<void(EinstellFrm&)> aendern) {
        oeffne([aendern](EinstellFrm& d) {
            aendern(d);
            d.okBtn.beiKlick();
        });
    }
};

// What the dialog shows: the state of every control.
std::vector<std::pair<int, bool>> anzeige(EinstellFrm& d) {
    std::vector<std::pair<int, bool>> a;
    for (auto* s : d.steuerelemente) a.emplace_back(s->wert, s->enabled);
    a.emplace_back(0, d.nFehlVersuche.caption == std::to_string(d.UpDnFehlVersuche.wert));
    return a;
}

TEST(Einstellungen, SectionIsReadAndWrittenBackAroundTheFrameworksLines) {
    struct Fall {
        const char* name;
        std::vector<std::string> abschnitt;
        Werte werte;
        std::vector<std::string> kommentare{};  // kept after the line of one blank
    };
    const Fall faelle[] = {
        {.name = "only the sound", .abschnitt = {"TonEinschalten=0"}, .werte = {.ton = 0}},
        {.name = "blanks around = name no key",
         .abschnitt = {"FehlversucheMaximum = 3", "TonEinschalten =0", " GegenComputer=1"},
         .werte = {}},
        {.name = "1.0 is not the text 1: blue on white, with frames",
         .abschnitt = {"LösungswortFarbig=1.0"},
         .werte = {.rahmen = 1, .farbig = FALSCH}},
        {.name = "the later of two lines counts",
         .abschnitt = {"FehlversucheMaximum=3", "FehlversucheMaximum=7 "},
         .werte = {.fehl = 7}},
        {.name = "comments stay, blank and unknown lines go",
         .abschnitt = {";FehlversucheMaximum=9", "GegenComputer=1", "", "; zweiter Kommentar", "Unbekannt=4"},
         .werte = {.computer = 1},
         .kommentare = {";FehlversucheMaximum=9", "; zweiter Kommentar"}},
        {.name = "every key away from its design value",
         .abschnitt = {"GegenComputer=1", "ComputerSpielStärke=2", "TastaturEingabeSperren=1", "TonEinschalten=0",
                       "BuchstabenRahmen=1", "LösungswortFarbig=0", "RatezeitBegrenzen=1", "FehlversucheMaximum=9",
                       "EinstellungenSpeichern=1"},
         .werte = {.computer = 1, .staerke = 2, .tastatur = 1, .ton = 0, .rahmen = 1, .farbig = FALSCH,
                   .ratezeit = 1, .fehl = 9}},
        {.name = "blue on white forces the frames whatever the order of the lines",
         .abschnitt = {"LösungswortFarbig=0", "BuchstabenRahmen=0"},
         .werte = {.rahmen = 1, .farbig = FALSCH}},
        {.name = "values the dialog cannot show",
         .abschnitt = {"ComputerSpielStärke=7", "FehlversucheMaximum=0", "RatezeitBegrenzen=2", "TonEinschalten=x"},
         .werte = {.ton = 0, .ratezeit = 1, .fehl = 1}},
        {.name = "keys are case-sensitive; the umlaut of a key is one byte",
         .abschnitt = {"tonEinschalten=0", "ComputerSpielStärke=1", "ComputerSpielStaerke=2"},
         .werte = {.staerke = 1}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EinstellSpiel t(kVorher + ansi(f.abschnitt) + kNachher);
        EXPECT_EQ(Werte::aus(t.g()), f.werte);
        // Saving right away writes what was read; the next start reads it again.
        ASSERT_TRUE(t.d().saveKelmoIni());
        auto neu = f.werte.zeilen();
        neu.push_back(" ");
        neu.insert(neu.end(), f.kommentare.begin(), f.kommentare.end());
        EXPECT_EQ(t.ini(), kVorher + ansi(neu) + kNachher);
        EinstellSpiel wieder(t.ini());
        EXPECT_EQ(Werte::aus(wieder.g()), f.werte);
    }
}

TEST(Einstellungen, WithoutTheSectionTheDesignValuesAreUsedAndTheSaveAddsTheHeader) {
    const std::string ohne = ansi({"[Spiele]", "MaximaleSpielDauer=30"}) + kNachher;
    EinstellSpiel t(ohne);
    EXPECT_EQ(Werte::aus(t.g()), Werte{});
    ASSERT_TRUE(t.d().saveKelmoIni());
    auto neu = Werte{}.zeilen();
    neu.insert(neu.begin(), "[Wirbelix]");
    neu.push_back(" ");
    EXPECT_EQ(t.ini(), ohne + ansi(neu));
}

TEST(Einstellungen, SaveOnlyWhenWantedAndNeverLosingTheFile) {
    EinstellSpiel t(kVorher + ansi({"EinstellungenSpeichern=1", "TonEinschalten=1"}) + kNachher);
    const std::string vorher = t.ini();
    // A failed rename: the old file stays as it was.
    t.ok([](EinstellFrm& d) { d.TonEin.wert = 0; });
    t.d().vorSpeicherSchritt = [](SpeicherSchritt s) { return s != SpeicherSchritt::Ersetzen; };
    EXPECT_FALSE(t.d().saveKelmoIni());
    EXPECT_EQ(t.ini(), vorher);
    t.d().vorSpeicherSchritt = nullptr;
    // Switched off in the dialog: the file is not touched, so the switch-off
    // itself is not stored either.
    t.ok([](EinstellFrm& d) { d.EinstSaveOpt.wert = 0; });
    EXPECT_EQ(t.g().EinstellungenSpeichern, 0);
    EXPECT_TRUE(t.d().saveKelmoIni());
    EXPECT_EQ(t.ini(), vorher);
    // A file that went missing is written anew.
    t.ok([](EinstellFrm& d) { d.EinstSaveOpt.wert = 1; });
    std::filesystem::remove(t.datei());
    EXPECT_TRUE(t.d().saveKelmoIni());
    EXPECT_EQ(t.ini().substr(0, 12), "[Wirbelix]\r\n");
    EinstellSpiel wieder(t.ini());
    EXPECT_EQ(wieder.g().TonEinschalten, 0);
}

using Feld = int16_t GlobModul::*;
const Feld kFelder[] = {&GlobModul::GegenComputer,     &GlobModul::ComputerSpielStaerke, &GlobModul::TastaturEingabeSperren,
                        &GlobModul::TonEinschalten,    &GlobModul::BuchstabenRahmen,     &GlobModul::LoesungswortFarbig,
                        &GlobModul::RatezeitBegrenzen, &GlobModul::FehlversucheMaximum,  &GlobModul::EinstellungenSpeichern};

TEST(Einstellungen, OkTakesEachControlAndCancelPutsItBack) {
    struct Fall {
        const char* name;
        std::function<void(EinstellFrm&)> aendern;
        std::vector<std::pair<Feld, int16_t>> nachOk;  // the settings that change
    };
    const Fall faelle[] = {
        {"gegenComp", [](EinstellFrm& d) { d.gegenComp.wert = 1; }, {{&GlobModul::GegenComputer, 1}}},
        {"SpSt(1)", [](EinstellFrm& d) { d.waehleOption(d.SpSt[1]); }, {{&GlobModul::ComputerSpielStaerke, 1}}},
        {"SpSt(2)", [](EinstellFrm& d) { d.waehleOption(d.SpSt[2]); }, {{&GlobModul::ComputerSpielStaerke, 2}}},
        {"TonEin", [](EinstellFrm& d) { d.TonEin.wert = 0; }, {{&GlobModul::TonEinschalten, 0}}},
        {"RateZeitEin", [](EinstellFrm& d) { d.RateZeitEin.wert = 1; }, {{&GlobModul::RatezeitBegrenzen, 1}}},
        {"TastaturAus", [](EinstellFrm& d) { d.TastaturAus.wert = 1; }, {{&GlobModul::TastaturEingabeSperren, 1}}},
        {"EinstSaveOpt", [](EinstellFrm& d) { d.EinstSaveOpt.wert = 0; }, {{&GlobModul::EinstellungenSpeichern, 0}}},
        {"BstRahmEin", [](EinstellFrm& d) { d.BstRahmEin.wert = 1; }, {{&GlobModul::BuchstabenRahmen, 1}}},
        {"LoesWortSW",
         [](EinstellFrm& d) { d.waehleOption(d.LoesWortSW); },
         {{&GlobModul::LoesungswortFarbig, FALSCH}, {&GlobModul::BuchstabenRahmen, 1}}},
        {"UpDnFehlVersuche", [](EinstellFrm& d) { d.UpDnFehlVersuche.wert = 8; }, {{&GlobModul::FehlversucheMaximum, 8}}},
        {"everything at once",
         [](EinstellFrm& d) {
             for (auto* k : {&d.gegenComp, &d.RateZeitEin, &d.TastaturAus, &d.BstRahmEin}) k->wert = 1;
             d.TonEin.wert = d.EinstSaveOpt.wert = 0;
             d.waehleOption(d.SpSt[2]);
             d.waehleOption(d.LoesWortSW);
             d.UpDnFehlVersuche.wert = 2;
         },
         {{&GlobModul::GegenComputer, 1}, {&GlobModul::ComputerSpielStaerke, 2}, {&GlobModul::TastaturEingabeSperren, 1},
          {&GlobModul::TonEinschalten, 0}, {&GlobModul::BuchstabenRahmen, 1}, {&GlobModul::LoesungswortFarbig, FALSCH},
          {&GlobModul::RatezeitBegrenzen, 1}, {&GlobModul::FehlversucheMaximum, 2},
          {&GlobModul::EinstellungenSpeichern, 0}}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EinstellSpiel t;
        std::vector<int16_t> soll;
        for (Feld x : kFelder) soll.push_back(t.g().*x);
        const std::vector<int16_t> vorher = soll;
        const auto dialog = anzeige(t.d());

        t.oeffne([&f](EinstellFrm& d) {
            f.aendern(d);
            d.abbrBtn.beiKlick();
        });
        std::vector<int16_t> ist;
        for (Feld x : kFelder) ist.push_back(t.g().*x);
        EXPECT_EQ(ist, vorher) << "Cancel changes no setting";
        EXPECT_EQ(anzeige(t.d()), dialog) << "Cancel shows the dialog as it was";

        t.ok(f.aendern);
        for (auto [x, wert] : f.nachOk)
            soll[static_cast<size_t>(std::find(std::begin(kFelder), std::end(kFelder), x) - std::begin(kFelder))] = wert;
        ist.clear();
        for (Feld x : kFelder) ist.push_back(t.g().*x);
        EXPECT_EQ(ist, soll);
        EXPECT_FALSE(t.d().visible);
        EXPECT_EQ(t.p.modalGezeigt, (std::vector<std::string>{"EinstellFrm", "EinstellFrm"}));
        EXPECT_EQ(t.d().nFehlVersuche.caption, std::to_string(t.g().FehlversucheMaximum));
        // Reopened and cancelled, the dialog still shows what OK took.
        const auto nachOk = anzeige(t.d());
        t.oeffne([](EinstellFrm& d) { d.beiSchliessen(); });
        EXPECT_EQ(anzeige(t.d()), nachOk);
    }
}

TEST(Einstellungen, TheComputerJoinsOnceAndLeavesOnlyAsLastPlayer) {
    EinstellSpiel t;
    auto& info = t.spiel->dateiInfoFrm();
    t.ok([](EinstellFrm& d) { d.gegenComp.wert = 1; });
    t.g().SpielerPunkte[2] = 77;  // the computer scores ...
    t.ok([](EinstellFrm&) {});    // ... and OK again does not add it twice
    EXPECT_EQ(t.g().nSpieler, 3);
    EXPECT_EQ(t.g().SpielerName[2], "Computer");
    EXPECT_EQ(t.g().SpielerPunkte[2], 77);
    EXPECT_TRUE(info.SpName[2].visible && info.SpPunkte[2].visible);
    EXPECT_EQ(info.SpName[2].caption, "Computer");
    EXPECT_FALSE(info.SpName[3].visible);

    t.ok([](EinstellFrm& d) { d.gegenComp.wert = 0; });
    EXPECT_EQ(t.g().nSpieler, 2);
    EXPECT_FALSE(info.SpName[2].visible || info.SpPunkte[2].visible);
    t.ok([](EinstellFrm&) {});  // the last player is a human now
    EXPECT_EQ(t.g().nSpieler, 2);
    EXPECT_EQ(t.g().SpielerName[1], "Ben");

    // Back again, with a fresh score.
    t.ok([](EinstellFrm& d) { d.gegenComp.wert = 1; });
    EXPECT_EQ(t.g().nSpieler, 3);
    EXPECT_EQ(t.g().SpielerPunkte[2], 0);
    EXPECT_EQ(info.SpPunkte[2].caption, "0");
}

TEST(Einstellungen, AComputerThatIsNotLastStays) {
    EinstellSpiel t(kVorher + ansi({"GegenComputer=1"}), "nSpieler=3;Anna;Computer;Ben;anna;ben;anna;");
    t.ok([](EinstellFrm& d) { d.gegenComp.wert = 0; });
    EXPECT_EQ(t.g().nSpieler, 3);
    EXPECT_EQ(t.g().GegenComputer, 0);
}

TEST(Einstellungen, TheComputerLeavingWhileAtTheTurnPassesItToTheFirstPlayer) {
    // Named "Computer" but played as a human, since the setting is off.
    EinstellSpiel t(kVorher, "nSpieler=2;Anna;Computer;anna;ben;");
    t.g().SpielerPunkte[0] = 1234;
    t.m().naechsterSpieler();
    ASSERT_EQ(t.g().aktSpieler, 1);
    t.ok([](EinstellFrm& d) { d.gegenComp.wert = 0; });
    EXPECT_EQ(t.g().nSpieler, 1);
    EXPECT_EQ(t.g().aktSpieler, 0);
    EXPECT_EQ(t.m().SpNameLbl.caption, "Anna");
    EXPECT_EQ(t.m().punkZiff[2].caption + t.m().punkZiff[3].caption, "12");
}

TEST(Einstellungen, WithFivePlayersTheComputerFindsNoRoomAndIsToldSo) {
    EinstellSpiel t(kVorher, "nSpieler=5;A;B;C;D;E;anna;ben;anna;ben;anna;");
    t.p.wennModal("EinstellFrm", [&t](Form&) {
        t.d().gegenComp.wert = 1;
        t.d().okBtn.beiKlick();
    });
    t.p.wennModalDruecke("MldFenster", "Btn1");
    t.m().mnuBearbEinstell.beiKlick();
    EXPECT_EQ(t.p.modalGezeigt, (std::vector<std::string>{"EinstellFrm", "MldFenster"}));
    EXPECT_EQ(t.g().nSpieler, 5);
    EXPECT_EQ(t.g().SpielerName[4], "E");
    EXPECT_EQ(t.g().GegenComputer, 0) << "the setting says what is played";
    EXPECT_EQ(t.d().gegenComp.wert, 0);
    EXPECT_FALSE(t.d().visible);
    const auto& mld = t.spiel->mldFenster();
    EXPECT_EQ(mld.caption, "Einstellungen");
    EXPECT_NE(mld.Meldung.caption.find("fünf Spieler"), std::string::npos) << mld.Meldung.caption;
}

TEST(Einstellungen, BlueOnWhiteAlwaysHasFrames) {
    EinstellSpiel t;
    auto& d = t.d();
    ASSERT_EQ(d.BstRahmEin.wert, 0);
    d.waehleOption(d.LoesWortSW);
    EXPECT_EQ(d.LoesWortFarbe.wert, 0);
    EXPECT_EQ(d.BstRahmEin.wert, 1);
    EXPECT_FALSE(d.BstRahmEin.enabled);
    d.waehleOption(d.LoesWortFarbe);
    EXPECT_EQ(d.LoesWortSW.wert, 0);
    EXPECT_EQ(d.BstRahmEin.wert, 1) << "stays checked";
    EXPECT_TRUE(d.BstRahmEin.enabled);
    // The strength options are a group of their own.
    d.waehleOption(d.SpSt[1]);
    EXPECT_EQ(d.LoesWortFarbe.wert, 1);
    EXPECT_EQ(d.SpSt[0].wert + d.SpSt[1].wert + d.SpSt[2].wert, 1);

    // Read from the file: the board's cells get their edges.
    EinstellSpiel sw(kVorher + ansi({"BuchstabenRahmen=0", "LösungswortFarbig=0"}) + kNachher);
    EXPECT_EQ(sw.d().BstRahmEin.wert, 1);
    EXPECT_FALSE(sw.d().BstRahmEin.enabled);
    EXPECT_EQ(sw.g().BuchstabenRahmen, 1);
    EXPECT_TRUE(sw.m().BstLbl[0].rahmen);
}

TEST(Einstellungen, OkRedrawsTheBoardInTheNewColoursAndFrames) {
    for (const bool farbig : {true, false}) {
        SCOPED_TRACE(farbig ? "coloured" : "blue on white");
        EinstellSpiel t;
        auto& m = t.m();
        auto& g = t.g();
        const int n = laenge(g.aktWort);
        g.aktBstPos = 2;  // two letters found
        for (int i = n; i < 15; ++i) m.BstLbl[static_cast<size_t>(i)].hinter = m.BstLbl[static_cast<size_t>(i)].vorder = kRot;
        t.p.zufallsWerte({0.95});  // colour number 9: the first cell takes colour 0
        t.ok([farbig](EinstellFrm& d) {
            d.waehleOption(farbig ? d.LoesWortFarbe : d.LoesWortSW);
            d.BstRahmEin.wert = 1;
        });
        const int32_t x0 = m.KontextLbl.caption.empty() ? 135 : m.KontextLbl.width + 135 + 80;
        EXPECT_EQ(m.BstLbl[0].left, x0);
        for (int i = 0; i < 15; ++i) {
            SCOPED_TRACE(i);
            const auto& z = m.BstLbl[static_cast<size_t>(i)];
            if (i > 0) EXPECT_EQ(z.left, m.BstLbl[static_cast<size_t>(i - 1)].left + m.BstLbl[static_cast<size_t>(i - 1)].width);
            EXPECT_TRUE(z.rahmen);
            const auto& bg = g.HintergrundFarben[static_cast<size_t>(i % 10)];
            const auto& sf = g.SchriftFarben[static_cast<size_t>(i % 10)];
            const Farbe hinter = farbig ? Farbe{bg[0], bg[1], bg[2]} : i < n ? kWeiss : kRot;
            const Farbe schrift = farbig ? (i < 2 ? Farbe{sf[0], sf[1], sf[2]} : hinter) : i < 2 ? kBlau : i < n ? kWeiss : kRot;
            EXPECT_EQ(z.hinter, hinter);
            EXPECT_EQ(z.vorder, schrift);
        }
        t.ok([](EinstellFrm& d) { d.BstRahmEin.enabled ? d.BstRahmEin.wert = 0 : 0; });
        EXPECT_EQ(m.BstLbl[0].rahmen, !farbig) << "only the coloured word can do without frames";
    }
}

TEST(Einstellungen, OkSwitchesTheGuessTimeMeterButDoesNotRestartIt) {
    struct Fall {
        const char* name;
        bool haken, laeuft;
        bool eingeschaltet;  // switchVuRestZeit(true) was called
        bool ausgeschaltet;
    };
    const Fall faelle[] = {
        {.name = "switched on", .haken = true, .laeuft = false, .eingeschaltet = true},
        {.name = "already running", .haken = true, .laeuft = true},
        {.name = "switched off", .haken = false, .laeuft = true, .ausgeschaltet = true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EinstellSpiel t;
        auto& m = t.m();
        m.RestZeitTimer.enabled = f.laeuft;
        m.vuRestZeitImage.bild = "unberuehrt";
        t.ok([&f](EinstellFrm& d) { d.RateZeitEin.wert = f.haken; });
        const std::string bild = f.eingeschaltet   ? m.vuRestZeitEinImg.bild
                                 : f.ausgeschaltet ? m.vuRestZeitAusImg.bild
                                                   : "unberuehrt";
        EXPECT_EQ(m.vuRestZeitImage.bild, bild);
    }
}

}  // namespace
}  // namespace wx
