// The main window's word source: opening the database, the unit filter, and
// the choice of the next word with scripted random numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "VirtuellePlattform.h"
#include "WortDatenbank.h"
#include "WortWahlWoertlich.h"
#include "start/MainFrm.h"
#include "start/Spiel.h"
#include "ui/DateiInfoFrm.h"

namespace wx::test {
namespace {

class WortWahlTest : public ::testing::Test {
protected:
    TempOrdner ordner;
    std::string datei = ordner.datei("Kelmo-D.mdb");
    VirtuellePlattform plattform;
    Spiel spiel{plattform};
    MainFrm& m = spiel.mainFrm();
    GlobModul& g = spiel.glob;

    void lade(const std::vector<Wortzeile>& zeilen, flag16 gws = FALSCH) {
        schreibeWortDatenbank(datei, zeilen);
        ASSERT_TRUE(m.oeffneWortDatenbank(datei)) << m.rdb.fehler();
        g.KlassenFeld = "LIP_";
        g.GwsFlag = gws;
        ASSERT_TRUE(m.setzeWortFilter()) << m.rdb.fehler();
    }
    // The next draws of zufallsZahl(1, nWoerter) land on these records.
    void ziehe(std::initializer_list<int> positionen) {
        for (int k : positionen) plattform.zufallsWerte({zufallFuer(k, 1, g.nWoerter)});
    }
    std::string waehle() {
        EXPECT_TRUE(m.waehleWort());
        return g.aktWort;
    }
    void spiele(std::initializer_list<int16_t> ids) {
        for (auto id : ids) g.merkeBenutztesWort(id);
    }
};

// ---- opening and filtering ----

TEST_F(WortWahlTest, DatenbankOhneDateiOderOhneSemSyntLaesstSichNichtOeffnen) {
    EXPECT_FALSE(m.oeffneWortDatenbank(ordner.datei("Fehlt.mdb")));
    schreibeWortDatenbank(datei, nummerierteWoerter(3));
    fuehreAus(datei, "DROP TABLE SemSynt");
    EXPECT_FALSE(m.oeffneWortDatenbank(datei));
    schreibeWortDatenbank(datei, nummerierteWoerter(3));
    g.nWoerter = 9;
    EXPECT_TRUE(m.oeffneWortDatenbank(datei));
    EXPECT_EQ(g.nWoerter, 0);
}

TEST_F(WortWahlTest, FilterMitUndOhneGrundwortschatz) {
    std::vector<Wortzeile> w = {{1, "Hund", "der", true, true},  {2, "Katze", "die", false, true},
                                {3, "Bär", "der", true, false},  {4, "laufen", {}, true, true},
                                {5, "Straße", "die", false, false}};
    lade(w, WAHR);
    auto& info = spiel.dateiInfoFrm();
    EXPECT_EQ(info.DatInfLbl[1].caption, "ja");
    EXPECT_EQ(g.nWoerter, 2);  // GWS=TRUE AND LIP_=TRUE
    EXPECT_EQ(info.DatInfLbl[0].caption, "2");
    EXPECT_EQ(m.rdb.position(), 0);

    g.GwsFlag = FALSCH;
    ASSERT_TRUE(m.setzeWortFilter());
    EXPECT_EQ(info.DatInfLbl[1].caption, "nein");
    EXPECT_EQ(g.nWoerter, 3);
    EXPECT_EQ(info.DatInfLbl[0].caption, "3");

    g.KlassenFeld = "LT12";
    g.GwsFlag = WAHR;
    ASSERT_TRUE(m.setzeWortFilter());
    EXPECT_EQ(g.nWoerter, 1);
    EXPECT_EQ(waehle(), "Bär");
}

TEST_F(WortWahlTest, UngueltigerOderLeererFilter) {
    lade(nummerierteWoerter(4));
    g.KlassenFeld = "";  // "=TRUE"
    EXPECT_FALSE(m.setzeWortFilter());
    EXPECT_EQ(g.nWoerter, 0);
    EXPECT_FALSE(m.waehleWort());
    g.KlassenFeld = "XYZ_";
    g.GwsFlag = WAHR;
    EXPECT_FALSE(m.setzeWortFilter());
    EXPECT_EQ(spiel.dateiInfoFrm().DatInfLbl[1].caption, "ja");

    g.KlassenFeld = "LT12";  // a unit without words
    g.GwsFlag = FALSCH;
    ASSERT_TRUE(m.setzeWortFilter());
    EXPECT_EQ(g.nWoerter, 0);
    EXPECT_EQ(spiel.dateiInfoFrm().DatInfLbl[0].caption, "0");
    EXPECT_FALSE(m.waehleWort());
}

// ---- order of the words ----

TEST_F(WortWahlTest, ZehnWoerterJedesEinmalDannWiederGezogen) {
    lade(nummerierteWoerter(10));
    std::set<std::string> gesehen;
    for (int i = 0; i < 10; ++i) gesehen.insert(waehle());
    EXPECT_EQ(gesehen.size(), 10u);

    ziehe({4});
    EXPECT_EQ(waehle(), "W4");  // all played: the drawn word comes again
    EXPECT_EQ(g.BenutzteWoerter.anzahl(), 11);
}

TEST_F(WortWahlTest, ImmerErsterPlatzGezogenGehtDieListeDurch) {
    lade(nummerierteWoerter(10));
    ziehe({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(waehle(), "W" + std::to_string(i));
    EXPECT_EQ(waehle(), "W1");
    EXPECT_EQ(plattform.zufallsZuege, 11);  // one draw per word, no error words
}

TEST_F(WortWahlTest, SucheLaeuftUeberDasEndeZumErstenDatensatz) {
    lade(nummerierteWoerter(10));
    spiele({2, 3, 4, 5, 6, 7, 8, 9, 10});
    ziehe({7});
    EXPECT_EQ(waehle(), "W1");
    ziehe({1});
    EXPECT_EQ(waehle(), "W1");  // now all are played
}

TEST_F(WortWahlTest, UnbenutzterGezogenerPlatzWirdGenommen) {
    lade(nummerierteWoerter(10));
    spiele({1, 2, 3, 5});
    ziehe({4, 5});
    EXPECT_EQ(waehle(), "W4");
    EXPECT_EQ(waehle(), "W6");  // 5 played, 6 is next
}

TEST_F(WortWahlTest, AllesGespieltHeisstSoVieleEintraegeWieWoerter) {
    // "Every word played" is judged by the length of the played list, so
    // numbers from another unit count too: six entries for five words, and
    // the drawn word is taken although played and W1 is still open.
    lade(nummerierteWoerter(5));
    spiele({100, 101, 102, 2, 3, 4});
    ziehe({2});
    EXPECT_EQ(waehle(), "W2");
}

TEST_F(WortWahlTest, SucheFolgtNeuemSatzUndGekuerzterSpielListe) {
    lade(nummerierteWoerter(10));
    spiele({3, 4});
    ziehe({3});
    EXPECT_EQ(waehle(), "W5");
    g.merkeBenutztesWort(4);  // a number twice in the list
    ziehe({3});
    EXPECT_EQ(waehle(), "W6");
    // Back to the list as it was three entries ago: 4 is still in it, 6 not.
    NummernListe frueher;
    for (int16_t id : {3, 4, 5}) frueher.anhaengen(id);
    g.BenutzteWoerter = frueher;
    ziehe({3});
    EXPECT_EQ(waehle(), "W6");

    // The set filtered anew behind the word source's back, the played list
    // going on: the positions have moved.
    ASSERT_TRUE(m.rdb.filtern("RefNr <= 2 OR RefNr >= 7"));
    g.nWoerter = 6;
    spiele({2});
    ziehe({2});
    EXPECT_EQ(waehle(), "W7");
}

TEST_F(WortWahlTest, SucheUeberLangeStreckenGespielterWoerter) {
    // 4160 words: the unplayed ones lie far apart, and each one found leaves
    // a long stretch without any behind.
    lade(nummerierteWoerter(4160));
    for (int16_t id = 1; id <= 4160; ++id)
        if (id != 6 && id != 101 && id != 2001 && id != 4101) g.merkeBenutztesWort(id);
    const NummernListe vorher = g.BenutzteWoerter;
    ziehe({1, 1, 50, 3000, 4160});
    EXPECT_EQ(waehle(), "W6");
    EXPECT_EQ(waehle(), "W101");
    EXPECT_EQ(waehle(), "W2001");
    EXPECT_EQ(waehle(), "W4101");
    EXPECT_EQ(waehle(), "W4160");  // all played: the draw stands

    // The list as it was before: the four are open again.
    g.BenutzteWoerter = vorher;
    ziehe({200, 2002});
    EXPECT_EQ(waehle(), "W2001");
    EXPECT_EQ(waehle(), "W4101");

    g.BenutzteWoerter.leeren();
    for (int16_t id = 1; id <= 4160; ++id)
        if (id != 8) g.merkeBenutztesWort(id);
    ziehe({4000});
    EXPECT_EQ(waehle(), "W8");
}

// ---- error words ----

TEST_F(WortWahlTest, FehlerwortEinmalInVier) {
    lade(nummerierteWoerter(10));
    g.FehlerWoerter.anhaengen(7);
    g.FehlerWoerter.anhaengen(9);
    plattform.zufallsWerte({zufallFuer(76, 1, 100), zufallFuer(1, 0, 1)});
    EXPECT_EQ(waehle(), "W9");
    EXPECT_EQ(plattform.zufallsZuege, 2);  // no draw of a random word

    plattform.zufallsWerte({zufallFuer(75, 1, 100)});
    ziehe({3});
    EXPECT_EQ(waehle(), "W3");
    EXPECT_EQ(plattform.zufallsZuege, 4);
}

TEST_F(WortWahlTest, GespieltesFehlerwortGibtKeinenZweitenVersuch) {
    lade(nummerierteWoerter(10));
    g.FehlerWoerter.anhaengen(7);
    g.FehlerWoerter.anhaengen(9);
    spiele({7});
    // 100 > 75: try an error word; it is 7, played; the next draw leaves
    // even at 100; then a random word.
    plattform.zufallsWerte({zufallFuer(100, 1, 100), zufallFuer(0, 0, 1), zufallFuer(100, 1, 100)});
    ziehe({2});
    EXPECT_EQ(waehle(), "W2");
    EXPECT_EQ(plattform.zufallsZuege, 4);
}

TEST_F(WortWahlTest, FehlerwortAusserhalbDerEinheitFaelltAufZufallZurueck) {
    auto w = nummerierteWoerter(10);
    w.push_back({11, "Igel", "der", true, false});
    lade(w);
    g.FehlerWoerter.anhaengen(11);
    m.rdb.gehePosition(6);
    plattform.zufallsWerte({zufallFuer(90, 1, 100), zufallFuer(0, 0, 0)});
    ziehe({5});
    EXPECT_EQ(waehle(), "W5");
    EXPECT_EQ(plattform.zufallsZuege, 3);
    EXPECT_FALSE(g.istBenutztesWort(11));
}

TEST_F(WortWahlTest, FehlerwoerterInVielenRunden) {
    lade(nummerierteWoerter(5000));
    std::vector<int16_t> fehler;
    for (int i = 0; i < 20; ++i) fehler.push_back(static_cast<int16_t>(137 + 241 * i));
    for (auto f : fehler) g.FehlerWoerter.anhaengen(f);
    const std::set<int16_t> fehlerMenge(fehler.begin(), fehler.end());

    // Fresh game each time: with every error word open, one call in four
    // takes one (plus the few that a random draw hits).
    int treffer = 0;
    for (int i = 0; i < 4000; ++i) {
        g.BenutzteWoerter.leeren();
        ASSERT_TRUE(m.waehleWort());
        treffer += fehlerMenge.count(g.BenutzteWoerter[0]) ? 1 : 0;
    }
    EXPECT_NEAR(treffer / 4000.0, 0.25 + 0.75 * 20 / 5000.0, 0.03);

    // One long game. While an error word is open, one call in four tries an
    // error word: it draws four numbers when the pick was played already, two
    // when it took the error word. No error word and no word comes twice.
    g.BenutzteWoerter.leeren();
    int mitOffenen = 0, versucht = 0, fehlerGewaehlt = 0;
    for (int i = 0; i < 4000; ++i) {
        bool offen = false;
        for (auto f : fehler) offen = offen || !g.istBenutztesWort(f);
        const int zuege = plattform.zufallsZuege;
        ASSERT_TRUE(m.waehleWort());
        const bool istFehlerwort = fehlerMenge.count(g.BenutzteWoerter[i]) > 0;
        fehlerGewaehlt += istFehlerwort ? 1 : 0;
        if (offen) {
            ++mitOffenen;
            const int n = plattform.zufallsZuege - zuege;
            versucht += (n == 4 || (n == 2 && istFehlerwort)) ? 1 : 0;
        }
    }
    EXPECT_NEAR(static_cast<double>(versucht) / mitOffenen, 0.25, 0.06) << mitOffenen << " calls";
    EXPECT_EQ(fehlerGewaehlt, 20);
    const auto& liste = g.BenutzteWoerter.eintraege();
    EXPECT_EQ(std::set<int16_t>(liste.begin(), liste.end()).size(), 4000u);
    EXPECT_LT(mitOffenen, 1000);  // the error words go early
}

// ---- the fields of the chosen word ----

TEST_F(WortWahlTest, LeereFelderGebenLeerenText) {
    lade({{1, "Hund", std::nullopt, true, true, "Ein Haustier."},
          {2, "Katze", "die", true, true, "Miaut.", false},
          {3, "Maus", "die", true, true, std::nullopt}});
    g.aktKontext = "alt";
    g.aktParaphrase = "alt";
    ziehe({1, 2, 3});
    EXPECT_EQ(waehle(), "Hund");
    EXPECT_EQ(g.aktKontext, "");
    EXPECT_EQ(g.aktParaphrase, "Ein Haustier.");
    EXPECT_EQ(waehle(), "Katze");
    EXPECT_EQ(g.aktKontext, "die");
    EXPECT_EQ(g.aktParaphrase, "");  // no SemSynt row
    EXPECT_EQ(waehle(), "Maus");
    EXPECT_EQ(g.aktParaphrase, "");  // SemSynt row, paraphrase NULL
}

TEST_F(WortWahlTest, WortMitSechzehnBuchstabenWirdUebersprungen) {
    lade({{1, "Donaudampfschiff", "das"}, {2, "Frühlingsblumen", "die"}, {3, "Ei", "das"}});
    ziehe({1, 1});
    EXPECT_EQ(waehle(), "Frühlingsblumen");  // 15 letters, 16 bytes: fits
    EXPECT_EQ(g.BenutzteWoerter.eintraege(), (std::vector<int16_t>{1, 2}));
    EXPECT_EQ(plattform.zufallsZuege, 2);
}

TEST_F(WortWahlTest, NurZuLangeWoerterGibtKeinWort) {
    lade({{1, "Donaudampfschiff", "das"}, {2, "Schifffahrtskapitän", "der"}});
    g.aktWort = "vorher";
    EXPECT_FALSE(m.waehleWort());
    EXPECT_EQ(g.aktWort, "vorher");
    EXPECT_EQ(g.BenutzteWoerter.anzahl(), 2);
}

// ---- the quick forward search against the plain one ----

// A second, plain word source on the same file with its own random numbers.
struct WoertlicheQuelle {
    VirtuellePlattform plattform;
    GlobModul g{plattform};
    Datenverbindung rdb, phr;

    void oeffne(const std::string& datei) {
        rdb.DatabaseName = phr.DatabaseName = datei;
        rdb.RecordSource = "WortListe";
        phr.RecordSource = "SemSynt";
        ASSERT_TRUE(rdb.refresh());
        ASSERT_TRUE(phr.refresh());
    }
    void filtere(const std::string& einheit, bool gws) {
        ASSERT_TRUE(rdb.filtern((gws ? "GWS=TRUE AND " : "") + einheit + "=TRUE"));
        g.nWoerter = static_cast<int16_t>(rdb.recordCount());
        rdb.moveFirst();
    }
};

TEST_F(WortWahlTest, SchnelleSucheWaehltWieDieSchrittweise) {
    // 400 words; some numbers twice, some words too long, units and basic
    // vocabulary at random.
    std::mt19937 zufall(4711);
    std::vector<Wortzeile> w;
    for (int i = 1; i <= 400; ++i) {
        Wortzeile z;
        z.refNr = i % 37 == 0 ? i - 1 : i;
        z.wort = (i % 53 == 0 ? "Überlangeswortmitvielen" : "Wort") + std::to_string(i);
        z.kontext = i % 5 == 0 ? std::optional<std::string>() : "der";
        z.gws = zufall() % 4 != 0;
        z.lip = zufall() % 5 != 0;
        z.paraphrase = "P" + std::to_string(i);
        z.mitSemSynt = i % 11 != 0;
        w.push_back(z);
    }
    lade(w);
    WoertlicheQuelle ref;
    ref.oeffne(datei);

    for (int zustand = 0; zustand < 150; ++zustand) {
        SCOPED_TRACE("Zustand " + std::to_string(zustand));
        const bool gws = zufall() % 2;
        const std::string einheit = zufall() % 6 == 0 ? "LT12" : "LIP_";
        g.KlassenFeld = einheit;
        g.GwsFlag = alsFlag(gws);
        // Sometimes the set stays, so that the index is carried over.
        if (zustand == 0 || zufall() % 3 != 0) {
            ASSERT_TRUE(m.setzeWortFilter());
            ref.filtere(einheit, gws);
        }
        ASSERT_EQ(g.nWoerter, ref.g.nWoerter);

        // Played: a random share up to all, some foreign numbers among them.
        const double anteil = std::uniform_real_distribution<double>(0, 1.05)(zufall);
        for (auto* liste : {&g.BenutzteWoerter, &ref.g.BenutzteWoerter}) liste->leeren();
        for (auto* liste : {&g.FehlerWoerter, &ref.g.FehlerWoerter}) liste->leeren();
        for (int i = 0; i < m.rdb.recordCount(); ++i) {
            if (std::uniform_real_distribution<double>(0, 1)(zufall) < anteil) {
                const auto id = static_cast<int16_t>(m.rdb.feldBei(i, m.rdb.spalte("RefNr")).zahl());
                g.merkeBenutztesWort(id);
                ref.g.merkeBenutztesWort(id);
            }
        }
        if (zufall() % 4 == 0) {
            g.merkeBenutztesWort(999);
            ref.g.merkeBenutztesWort(999);
        }
        const int nFehler = static_cast<int>(zufall() % 8);
        for (int i = 0; i < nFehler; ++i) {
            const auto f = static_cast<int16_t>(zufall() % 420 + 1);
            g.FehlerWoerter.anhaengen(f);
            ref.g.FehlerWoerter.anhaengen(f);
        }

        for (int ruf = 0; ruf < 12; ++ruf) {
            // Now and then an earlier state of the played list comes back.
            if (ruf == 6 && zufall() % 2) {
                NummernListe frueher;
                const int bis = static_cast<int>(zufall() % static_cast<unsigned>(g.BenutzteWoerter.anzahl() + 1));
                for (int i = 0; i < bis; ++i) frueher.anhaengen(g.BenutzteWoerter[i]);
                g.BenutzteWoerter = frueher;
                ref.g.BenutzteWoerter = frueher;
            }
            const double r1 = std::uniform_real_distribution<double>(0, 1)(zufall);
            const double r2 = std::uniform_real_distribution<double>(0, 1)(zufall);
            const double r3 = std::uniform_real_distribution<double>(0, 1)(zufall);
            plattform.zufallsWerte({r1, r2, r3});
            ref.plattform.zufallsWerte({r1, r2, r3});
            const bool a = m.waehleWort();
            const bool b = woertlich::waehleWort(ref.g, ref.rdb, ref.phr);
            ASSERT_EQ(a, b);
            ASSERT_EQ(g.aktWort, ref.g.aktWort) << "Ruf " << ruf;
            ASSERT_EQ(g.aktKontext, ref.g.aktKontext);
            ASSERT_EQ(g.aktParaphrase, ref.g.aktParaphrase);
            ASSERT_EQ(g.BenutzteWoerter.eintraege(), ref.g.BenutzteWoerter.eintraege());
            ASSERT_EQ(plattform.zufallsZuege, ref.plattform.zufallsZuege);
        }
    }
}

TEST_F(WortWahlTest, SchnelleSucheBeiFastAllenGespieltenWoertern) {
    lade(nummerierteWoerter(3000));
    WoertlicheQuelle ref;
    ref.oeffne(datei);
    ref.filtere("LIP_", false);
    std::mt19937 zufall(99);
    std::vector<int16_t> ids(3000);
    for (int i = 0; i < 3000; ++i) ids[static_cast<size_t>(i)] = static_cast<int16_t>(i + 1);
    std::shuffle(ids.begin(), ids.end(), zufall);
    for (int i = 0; i < 2990; ++i) {
        g.merkeBenutztesWort(ids[static_cast<size_t>(i)]);
        ref.g.merkeBenutztesWort(ids[static_cast<size_t>(i)]);
    }
    for (int ruf = 0; ruf < 12; ++ruf) {
        const double r = std::uniform_real_distribution<double>(0, 1)(zufall);
        plattform.zufallsWerte({r});
        ref.plattform.zufallsWerte({r});
        ASSERT_TRUE(m.waehleWort());
        ASSERT_TRUE(woertlich::waehleWort(ref.g, ref.rdb, ref.phr));
        ASSERT_EQ(g.aktWort, ref.g.aktWort) << "Ruf " << ruf;
    }
    // After the last ten unplayed words every draw is taken as it lands.
    EXPECT_EQ(std::set<int16_t>(g.BenutzteWoerter.eintraege().begin(), g.BenutzteWoerter.eintraege().end()).size(),
              3000u);
}

}  // namespace
}  // namespace wx::test
