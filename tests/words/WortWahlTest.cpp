// The main window's word source: opening the database, the unit filter, and
// the choice of the next word with scripted random numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "TestInstallation.h"
#include "WortDatenbank.h"
#include "WortWahlWoertlich.h"
#include "fenster/MainFrm.h"
#include "fenster/DateiInfoFrm.h"

namespace wx::test {
namespace {

class WortWahlTest : public ::testing::Test {
protected:
    TestInstallation inst;
    std::string datei = inst.pfad() + "/Kelmo-D.mdb";
    VirtuellePlattform plattform;
    Spiel spiel{plattform};
    MainFrm& m = spiel.mainFrm();
    GlobModul& g = spiel.glob;

    void lade(const std::vector<Wortzeile>& zeilen) {
        schreibeWortDatenbank(datei, zeilen);
        ASSERT_TRUE(m.oeffneWortDatenbank(datei)) << m.rdb.fehler();
        g.KlassenFeld = "LIP_";
        g.GwsFlag = FALSCH;
        ASSERT_TRUE(m.setzeWortFilter()) << m.rdb.fehler();
    }
    // The next draws of zufallsZahl(1, nWoerter) land on these records.
    void ziehe(std::initializer_list<int> positionen) {
        for (int k : positionen) plattform.zufallsWerte({zufallFuer(k, 1, g.nWoerter)});
    }
    std::string waehle() { return m.waehleWort() ? g.aktWort : "(keins)"; }
    static void fuelle(NummernListe& liste, const std::vector<int16_t>& ids) {
        liste.leeren();
        for (int16_t id : ids) liste.anhaengen(id);
    }
};

TEST_F(WortWahlTest, OeffnenUndFilterDerEinheit) {
    schreibeWortDatenbank(datei, nummerierteWoerter(3));
    fuehreAus(datei, "DROP TABLE SemSynt");
    EXPECT_FALSE(m.oeffneWortDatenbank(datei));
    lade({{1, "Hund", "der", true, true},
          {2, "Katze", "die", false, true},
          {3, "Bär", "der", false, false},
          {4, "laufen", {}, true, true},
          {5, "Straße", "die", false, false}});
    const struct {
        std::string einheit;
        flag16 gws;
        bool gut;
        int anzahl;
        const char* gwsText;
    } faelle[] = {{"LIP_", WAHR, true, 2, "ja"} /* GWS=TRUE AND LIP_=TRUE */,
                  {"LIP_", FALSCH, true, 3, "nein"},
                  {"LT12", FALSCH, true, 2, "nein"},
                  {"LT12", WAHR, true, 0, "ja"} /* a unit without words */,
                  {"", FALSCH, false, 0, "nein"} /* "=TRUE" */,
                  {"XYZ_", WAHR, false, 0, "ja"}};
    auto& info = spiel.dateiInfoFrm();
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.einheit + (f.gws ? " mit GWS" : ""));
        g.KlassenFeld = f.einheit;
        g.GwsFlag = f.gws;
        EXPECT_EQ(m.setzeWortFilter(), f.gut);
        EXPECT_EQ(g.nWoerter, f.anzahl);
        EXPECT_EQ(info.DatInfLbl[1].caption, f.gwsText);
        if (f.gut) EXPECT_EQ(info.DatInfLbl[0].caption, std::to_string(f.anzahl));
        EXPECT_EQ(m.waehleWort(), f.anzahl > 0);
    }
}

TEST_F(WortWahlTest, JedesWortEinmalDannWiederDasGezogene) {
    lade(nummerierteWoerter(10));
    ziehe({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 4});
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(waehle(), "W" + std::to_string(i));
    EXPECT_EQ(waehle(), "W4");  // all played: the drawn word comes again
    EXPECT_EQ(plattform.zufallsZuege, 11);
}

TEST_F(WortWahlTest, FehlerwortOderGezogenesWortSonstDasNaechsteUngespielte) {
    auto alleAusser = [](std::vector<int16_t> offen) {  // of 4160 words
        std::vector<int16_t> out;
        for (int16_t id = 1; id <= 4160; ++id)
            if (!std::ranges::count(offen, id)) out.push_back(id);
        return out;
    };
    auto p = [](int v) { return zufallFuer(v, 1, 100); };  // under 76: no error word
    auto ix = [](int i, int max) { return zufallFuer(i, 0, max); };
    // Error words, played words, draws before the position drawn (0: none), the word chosen.
    const struct {
        int n;
        std::vector<int16_t> fehler, gespielt;
        std::vector<double> zuege;
        int zug;
        std::string wort;
    } faelle[] = {{10, {}, {2, 3, 4, 5, 6, 7, 8, 9, 10}, {}, 7, "W1"},  // round the end to the first record
                  {10, {}, {1, 2, 3, 5}, {}, 4, "W4"},
                  {10, {}, {1, 2, 3, 5}, {}, 5, "W6"},
                  // "Every word played" means as many list entries as words, of any unit.
                  {5, {}, {100, 101, 102, 2, 3, 4}, {}, 2, "W2"},
                  // Long stretches of played words across the levels of the index.
                  {4160, {}, alleAusser({6, 101, 2001, 4101}), {}, 3000, "W4101"},
                  {4160, {}, alleAusser({6, 101}), {}, 4110, "W6"},
                  {4160, {}, alleAusser({8}), {}, 4000, "W8"},
                  {10, {7, 9}, {}, {p(76), ix(1, 1)}, 0, "W9"},
                  {10, {7, 9}, {}, {p(75)}, 3, "W3"},
                  // The pick played: no second try, the threshold 100 lets it leave.
                  {10, {7, 9}, {7}, {p(100), ix(0, 1), p(100)}, 2, "W2"},
                  {10, {11}, {}, {p(90), ix(0, 0)}, 5, "W5"}};  // 11 is not in the unit
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.wort);
        auto w = nummerierteWoerter(f.n);
        w.push_back({f.n + 1, "Igel", "der", true, false});  // in LT12 only
        lade(w);
        fuelle(g.FehlerWoerter, f.fehler);
        fuelle(g.BenutzteWoerter, f.gespielt);
        for (double z : f.zuege) plattform.zufallsWerte({z});
        if (f.zug) ziehe({f.zug});
        const int vorher = plattform.zufallsZuege;
        EXPECT_EQ(waehle(), f.wort);
        EXPECT_EQ(plattform.zufallsZuege - vorher, static_cast<int>(f.zuege.size()) + (f.zug > 0));
        EXPECT_EQ(g.BenutzteWoerter.anzahl(), static_cast<int>(f.gespielt.size()) + 1);
    }
}

TEST_F(WortWahlTest, FelderDesWortsUndZuLangeWoerter) {
    lade({{1, "Donaudampfschiff", "das"},
          {2, "Frühlingsblumen", "die"},
          {3, "Hund", std::nullopt},
          {4, "Katze", "die", true, true, "Miaut.", false},
          {5, "Maus", "die", true, true, std::nullopt}});
    ziehe({1, 1, 3, 4, 5});
    EXPECT_EQ(waehle(), "Frühlingsblumen");  // 16 letters skipped; 15 letters in 16 bytes fit
    EXPECT_EQ(g.BenutzteWoerter.eintraege(), (std::vector<int16_t>{1, 2}));
    EXPECT_EQ(plattform.zufallsZuege, 2);
    const struct {
        std::string wort, kontextUndParaphrase;
    } faelle[] = {{"Hund", "|Eine Umschreibung."}, {"Katze", "die|"} /* no SemSynt row */, {"Maus", "die|"}};
    for (const auto& f : faelle) {
        g.aktKontext = g.aktParaphrase = "alt";
        EXPECT_EQ(waehle(), f.wort);
        EXPECT_EQ(g.aktKontext + "|" + g.aktParaphrase, f.kontextUndParaphrase);
    }
    lade({{1, "Donaudampfschiff", "das"}, {2, "Schifffahrtskapitän", "der"}});
    EXPECT_FALSE(m.waehleWort());  // only words too long: none

    // Rows without a word are put aside the same way.
    schreibeWortDatenbank(datei, {{1, "", "der"}, {2, "Igel", "der"}, {3, "  ", "die"}, {4, "x", "das"}});
    fuehreAus(datei, "UPDATE WortListe SET Wort = NULL WHERE RefNr = 4");
    ASSERT_TRUE(m.oeffneWortDatenbank(datei));
    ASSERT_TRUE(m.setzeWortFilter());
    g.BenutzteWoerter.leeren();
    ziehe({1, 3, 4, 4});  // the last draw lands on a played row: the search goes on to Igel
    EXPECT_EQ(waehle(), "Igel");
    EXPECT_EQ(g.BenutzteWoerter.eintraege(), (std::vector<int16_t>{1, 3, 4, 2}));
    ziehe({3, 2});  // every row played: drawn again, the empty one put aside
    EXPECT_EQ(waehle(), "Igel");
}

TEST_F(WortWahlTest, SchnelleSucheWaehltWieDieSchrittweise) {
    // Numbers twice, words too long, no SemSynt rows, units at random; LIP_ has over 64 * 64 words.
    std::mt19937 zufall(4711);
    auto r = [&] { return std::uniform_real_distribution<double>(0, 1)(zufall); };
    std::vector<Wortzeile> w;
    for (int i = 1; i <= 4500; ++i)
        w.push_back({i % 37 ? i : i - 1, (i % 53 ? "Wort" : "Überlangeswortmitvielen") + std::to_string(i),
                     i % 5 ? std::optional<std::string>("der") : std::nullopt, r() < 0.75, r() < 0.96,
                     "P" + std::to_string(i), i % 11 != 0});
    lade(w);
    VirtuellePlattform refPlattform;
    GlobModul ref{refPlattform};
    Datenverbindung rdb, phr;  // the plain choice's own connections
    rdb.DatabaseName = phr.DatabaseName = datei;
    rdb.RecordSource = "WortListe", phr.RecordSource = "SemSynt";
    ASSERT_TRUE(rdb.refresh() && phr.refresh());
    for (int zustand = 0; zustand < 80; ++zustand) {
        if (zustand == 0 || r() < 0.6) {  // otherwise the set and its index stay
            g.KlassenFeld = r() < 0.2 ? "LT12" : "LIP_";
            g.GwsFlag = alsFlag(r() < 0.5);
            ASSERT_TRUE(m.setzeWortFilter());
            ASSERT_TRUE(rdb.filtern((g.GwsFlag ? "GWS=TRUE AND " : "") + g.KlassenFeld + "=TRUE"));
            ref.nWoerter = static_cast<int16_t>(rdb.recordCount());
        }
        // Played: a random share up to all, sometimes a foreign number.
        const double anteil = r() * 1.05;
        g.BenutzteWoerter = g.FehlerWoerter = NummernListe();
        for (int i = 0; i < m.rdb.recordCount(); ++i)
            if (r() < anteil) g.merkeBenutztesWort(static_cast<int16_t>(m.rdb.feldBei(i, 0).zahl()));
        if (r() < 0.25) g.merkeBenutztesWort(9999);
        for (int i = static_cast<int>(r() * 8); i > 0; --i)
            g.FehlerWoerter.anhaengen(static_cast<int16_t>(r() * 4600 + 1));
        ref.BenutzteWoerter = g.BenutzteWoerter, ref.FehlerWoerter = g.FehlerWoerter;
        for (int ruf = 0; ruf < 12; ++ruf) {
            if (ruf == 6 && r() < 0.5) {  // an earlier state of the played list comes back
                NummernListe frueher;
                for (int i = static_cast<int>(r() * g.BenutzteWoerter.anzahl()); i > 0; --i)
                    frueher.anhaengen(g.BenutzteWoerter[frueher.anzahl()]);
                g.BenutzteWoerter = ref.BenutzteWoerter = frueher;
            }
            for (double z : {r(), r(), r()}) plattform.zufallsWerte({z}), refPlattform.zufallsWerte({z});
            ASSERT_EQ(m.waehleWort(), woertlich::waehleWort(ref, rdb, phr));
            ASSERT_EQ(g.aktWort, ref.aktWort) << "Zustand " << zustand << ", Ruf " << ruf;
            ASSERT_EQ(g.aktKontext + "|" + g.aktParaphrase, ref.aktKontext + "|" + ref.aktParaphrase);
            ASSERT_EQ(g.BenutzteWoerter.eintraege(), ref.BenutzteWoerter.eintraege());
            ASSERT_EQ(plattform.zufallsZuege, refPlattform.zufallsZuege);
        }
    }
}

}  // namespace
}  // namespace wx::test
