// The data connection on real SQLite files: reading, filtering, searching,
// and writing back.
#include <gtest/gtest.h>

#include <filesystem>

#include "WortDatenbank.h"
#include "start/Text.h"
#include "words/Datenverbindung.h"

namespace wx::test {
namespace {

class DatenverbindungTest : public ::testing::Test {
protected:
    TempOrdner ordner;
    std::string datei = ordner.datei("Kelmo-D.mdb");

    void SetUp() override {
        // Row order on purpose not by RefNr: the set must keep insertion order.
        schreibeWortDatenbank(datei, {
            {30, "Hund", "der", true, true},
            {10, "Katze", std::nullopt, false, true},
            {20, "Bär", "der", true, false},
            {40, "laufen", std::nullopt, true, true},
            {10, "Kater", "der", true, true},  // a second row with RefNr 10
        });
    }

    bool oeffne(Datenverbindung& d, const std::string& quelle = "WortListe") {
        d.DatabaseName = datei;
        d.RecordSource = quelle;
        return d.refresh();
    }

    static std::vector<std::string> woerter(Datenverbindung& d) {
        std::vector<std::string> out;
        for (d.moveFirst(); !d.eof(); d.moveNext()) out.push_back(d.feld("Wort").text());
        return out;
    }
};

TEST_F(DatenverbindungTest, FehlendeDateiIstEinFehlerUndWirdNichtAngelegt) {
    Datenverbindung d;
    d.DatabaseName = ordner.datei("Fehlt.mdb");
    d.RecordSource = "WortListe";
    EXPECT_FALSE(d.refresh());
    EXPECT_FALSE(d.fehler().empty());
    EXPECT_FALSE(std::filesystem::exists(ordner.datei("Fehlt.mdb")));

    d.DatabaseName = datei;
    d.RecordSource = "GibtEsNicht";
    EXPECT_FALSE(d.refresh());
    EXPECT_NE(d.fehler().find("no such table"), std::string::npos) << d.fehler();
}

TEST_F(DatenverbindungTest, PfadWieImSpielOhneRuecksichtAufGrossschreibung) {
    Datenverbindung d;
    d.DatabaseName = ordner.pfad() + "\\KELMO-d.MDB";
    d.RecordSource = "WortListe";
    ASSERT_TRUE(d.refresh()) << d.fehler();
    EXPECT_EQ(d.recordCount(), 5);
}

TEST_F(DatenverbindungTest, LiestInEinfuegeReihenfolgeUndBewegtSich) {
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d)) << d.fehler();
    EXPECT_EQ(d.position(), 0);
    EXPECT_EQ(d.feld("Wort").text(), "Hund");
    EXPECT_EQ(woerter(d), (std::vector<std::string>{"Hund", "Katze", "Bär", "laufen", "Kater"}));
    EXPECT_TRUE(d.eof());
    EXPECT_TRUE(d.feld("Wort").istNull());  // no current record past the end
    d.moveNext();                           // stays past the end
    EXPECT_EQ(d.position(), 5);

    d.moveLast();
    EXPECT_EQ(d.feld("Wort").text(), "Kater");
    d.gehePosition(3);
    EXPECT_EQ(d.feld("Wort").text(), "Bär");
    d.gehePosition(6);
    EXPECT_TRUE(d.eof());
}

TEST_F(DatenverbindungTest, FeldwerteNachTyp) {
    fuehreAus(datei, "CREATE TABLE Typen (i INTEGER, r REAL, t TEXT, n TEXT);"
                     "INSERT INTO Typen VALUES (-7, 2.5, '12 Äpfel', NULL)");
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d, "Typen")) << d.fehler();
    EXPECT_TRUE(std::holds_alternative<int64_t>(d.feld("i").roh()));
    EXPECT_EQ(d.feld("i").zahl(), -7);
    EXPECT_TRUE(std::holds_alternative<double>(d.feld("r").roh()));
    EXPECT_EQ(d.feld("r").text(), "2.5");
    EXPECT_EQ(d.feld("r").zahl(), 2);  // halves to the even neighbour
    EXPECT_EQ(d.feld("t").text(), "12 Äpfel");
    EXPECT_EQ(d.feld("t").zahl(), 12);
    EXPECT_TRUE(d.feld("n").istNull());
    EXPECT_EQ(d.feld("n").text(), "");
    EXPECT_EQ(d.feld("n").zahl(), 0);
    EXPECT_EQ(d.spalte("I"), 0);  // field names ignore case
    EXPECT_EQ(d.spalte("fehlt"), -1);
}

TEST_F(DatenverbindungTest, FilterDesSpielsUndFehlerhafteFilter) {
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d));
    ASSERT_TRUE(d.filtern("GWS=TRUE AND LIP_=TRUE")) << d.fehler();
    EXPECT_EQ(woerter(d), (std::vector<std::string>{"Hund", "laufen", "Kater"}));
    ASSERT_TRUE(d.filtern("LIP_=TRUE"));  // replaces the earlier filter, does not narrow it
    EXPECT_EQ(woerter(d), (std::vector<std::string>{"Hund", "Katze", "laufen", "Kater"}));
    d.moveLast();

    // The unit field empty: the game's filter text becomes "=TRUE".
    EXPECT_FALSE(d.filtern("=TRUE"));
    EXPECT_FALSE(d.fehler().empty());
    EXPECT_FALSE(d.filtern("XYZ_=TRUE"));
    EXPECT_NE(d.fehler().find("no such column"), std::string::npos) << d.fehler();
    // A failed filter leaves the set as it was.
    EXPECT_EQ(d.recordCount(), 4);
    EXPECT_EQ(d.feld("Wort").text(), "Kater");

    ASSERT_TRUE(d.filtern("LT12=TRUE AND LIP_=TRUE"));
    EXPECT_TRUE(d.istLeer());
    EXPECT_TRUE(d.eof());
}

TEST_F(DatenverbindungTest, AbfrageAlsQuelleUndGefiltert) {
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d, "select Wort, RefNr from WortListe where GWS = 1 order by Wort"));
    EXPECT_EQ(woerter(d), (std::vector<std::string>{"Bär", "Hund", "Kater", "laufen"}));
    ASSERT_TRUE(d.filtern("RefNr >= 30"));
    EXPECT_EQ(woerter(d), (std::vector<std::string>{"Hund", "laufen"}));
}

TEST_F(DatenverbindungTest, FindFirstTrifftDenErstenUndMeldetNoMatch) {
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d));
    ASSERT_TRUE(d.findFirst("RefNr=10"));
    EXPECT_FALSE(d.noMatch());
    EXPECT_EQ(d.feld("Wort").text(), "Katze");  // the first of the two rows with 10
    ASSERT_TRUE(d.findFirst(" RefNr = 40 "));
    EXPECT_EQ(d.feld("Wort").text(), "laufen");

    EXPECT_FALSE(d.findFirst("RefNr=99"));
    EXPECT_TRUE(d.noMatch());
    EXPECT_EQ(d.feld("Wort").text(), "laufen");  // position unchanged
    EXPECT_FALSE(d.findFirst("GibtEsNicht=1"));
    EXPECT_FALSE(d.findFirst("RefNr=abc"));
    EXPECT_FALSE(d.findFirst("RefNr"));

    // The index belongs to the set: after filtering, rows moved and some left.
    ASSERT_TRUE(d.filtern("GWS=TRUE"));
    ASSERT_TRUE(d.findFirst("RefNr=10"));
    EXPECT_EQ(d.feld("Wort").text(), "Kater");
    EXPECT_EQ(d.position(), 3);
    EXPECT_FALSE(d.findFirst("RefNr=15"));
}

TEST_F(DatenverbindungTest, FindFirstMitNegativenZahlen) {
    fuehreAus(datei, "CREATE TABLE Z (RefNr INTEGER, Wort TEXT);"
                     "INSERT INTO Z VALUES (5, 'a'), (-5, 'b'), (32767, 'c'), (-32768, 'd')");
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d, "Z"));
    ASSERT_TRUE(d.findFirst("RefNr=-5"));
    EXPECT_EQ(d.feld("Wort").text(), "b");
    ASSERT_TRUE(d.findFirst("RefNr=-32768"));
    EXPECT_EQ(d.feld("Wort").text(), "d");
}

class PunkteTest : public DatenverbindungTest {
protected:
    void SetUp() override {
        DatenverbindungTest::SetUp();
        fuehreAus(datei, "CREATE TABLE Punkte (Name TEXT, Punkte INTEGER, Datum TEXT);"
                         "INSERT INTO Punkte VALUES ('Anna', 500, '1.12.2026'), ('Ben', 300, '2.12.2026')");
    }
    std::vector<int64_t> punkteInDatei() {
        return zahlenAus(datei, "SELECT Punkte FROM Punkte ORDER BY rowid");
    }
};

TEST_F(PunkteTest, AnhaengenSchreibtInDieDateiUndAnsEndeDerMenge) {
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d, "Punkte"));
    d.gehePosition(2);
    ASSERT_TRUE(d.anhaengen({{"Name", "Clara"}, {"Punkte", int64_t{700}}, {"Datum", Wert()}})) << d.fehler();
    EXPECT_EQ(d.recordCount(), 3);
    EXPECT_EQ(d.feld("Name").text(), "Ben");  // current record unchanged
    d.moveLast();
    EXPECT_EQ(d.feld("Name").text(), "Clara");
    EXPECT_EQ(d.feld("Punkte").zahl(), 700);
    EXPECT_TRUE(d.feld("Datum").istNull());
    ASSERT_TRUE(d.findFirst("Punkte=700"));  // the search index sees the new row
    EXPECT_EQ(punkteInDatei(), (std::vector<int64_t>{500, 300, 700}));

    // A name with a quote is a value like any other.
    ASSERT_TRUE(d.anhaengen({{"Name", "O'Neil\"); DROP TABLE Punkte; --"}, {"Punkte", int64_t{1}}}));
    Datenverbindung neu;
    ASSERT_TRUE(oeffne(neu, "Punkte"));
    neu.moveLast();
    EXPECT_EQ(neu.feld("Name").text(), "O'Neil\"); DROP TABLE Punkte; --");

    EXPECT_FALSE(d.anhaengen({{"GibtEsNicht", int64_t{1}}}));
    EXPECT_EQ(d.recordCount(), 4);
}

TEST_F(PunkteTest, LoeschenEntferntDieZeileUndRueckt) {
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d, "Punkte"));
    ASSERT_TRUE(d.anhaengen({{"Name", "Clara"}, {"Punkte", int64_t{700}}}));
    d.moveFirst();
    ASSERT_TRUE(d.loeschen()) << d.fehler();
    EXPECT_EQ(d.recordCount(), 2);
    EXPECT_EQ(d.feld("Name").text(), "Ben");  // the following row is current
    d.moveLast();
    ASSERT_TRUE(d.loeschen());
    EXPECT_TRUE(d.eof());
    EXPECT_FALSE(d.loeschen());  // nothing current
    EXPECT_EQ(punkteInDatei(), (std::vector<int64_t>{300}));

    // Survives closing and opening again.
    d.schliessen();
    Datenverbindung neu;
    ASSERT_TRUE(oeffne(neu, "Punkte"));
    ASSERT_EQ(neu.recordCount(), 1);
    EXPECT_EQ(neu.feld("Name").text(), "Ben");
}

TEST_F(PunkteTest, LoeschenUeberEineAbfrageTrifftGenauEineGleicheZeile) {
    fuehreAus(datei, "INSERT INTO Punkte VALUES ('Ben', 300, '2.12.2026'), ('Dora', NULL, NULL)");
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d, "SELECT * FROM Punkte ORDER BY Punkte DESC"));
    ASSERT_EQ(d.recordCount(), 4);
    d.gehePosition(2);
    ASSERT_EQ(d.feld("Name").text(), "Ben");
    ASSERT_TRUE(d.loeschen()) << d.fehler();
    EXPECT_EQ(punkteInDatei().size(), 3u);  // only one of the two equal rows
    d.moveLast();
    ASSERT_EQ(d.feld("Name").text(), "Dora");
    ASSERT_TRUE(d.loeschen()) << d.fehler();  // empty fields match too
    EXPECT_EQ(zahlenAus(datei, "SELECT count(*) FROM Punkte WHERE Name='Dora'"), std::vector<int64_t>{0});
}

TEST_F(DatenverbindungTest, SchliessenGibtDieDateiFreiUndLeertDieNamen) {
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d));
    const uint64_t vorher = d.satzStand();
    d.schliessen();
    EXPECT_TRUE(d.DatabaseName.empty());
    EXPECT_TRUE(d.RecordSource.empty());
    EXPECT_TRUE(d.istLeer());
    EXPECT_NE(d.satzStand(), vorher);
    EXPECT_FALSE(d.refresh());

    // The file can be replaced and read anew by the same object.
    schreibeWortDatenbank(datei, nummerierteWoerter(3));
    ASSERT_TRUE(oeffne(d)) << d.fehler();
    EXPECT_EQ(d.recordCount(), 3);
}

TEST_F(DatenverbindungTest, JederNeueSatzHatEinenNeuenStand) {
    Datenverbindung a, b;
    ASSERT_TRUE(oeffne(a));
    ASSERT_TRUE(oeffne(b));
    EXPECT_NE(a.satzStand(), b.satzStand());
    const uint64_t s = a.satzStand();
    ASSERT_TRUE(a.filtern("LIP_=TRUE"));
    EXPECT_NE(a.satzStand(), s);
    const uint64_t t = a.satzStand();
    EXPECT_FALSE(a.filtern("=TRUE"));
    EXPECT_EQ(a.satzStand(), t);  // unchanged set, unchanged stand
    a.moveNext();
    EXPECT_EQ(a.satzStand(), t);
}

}  // namespace
}  // namespace wx::test
