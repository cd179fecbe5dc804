// The data connection on real SQLite files: reading, filtering, searching,
// and writing back.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestInstallation.h"
#include "WortDatenbank.h"
#include "basis/Datenverbindung.h"
#include "settings/IniDatei.h"

namespace wx::test {
namespace {

using Woerter = std::vector<std::string>;

class DatenverbindungTest : public ::testing::Test {
protected:
    TestInstallation inst;
    std::string datei = inst.pfad() + "/Kelmo-D.mdb";

    void SetUp() override {
        // Rows on purpose not ordered by RefNr: the set keeps insertion order.
        schreibeWortDatenbank(datei, {{30, "Hund", "der", true, true},
                                      {10, "Katze", std::nullopt, false, true},
                                      {20, "Bär", "der", true, false},
                                      {40, "laufen", std::nullopt, true, true},
                                      {10, "Kater", "der", true, true},
                                      {-5, "Minus", "der", false, false}});
        fuehreAus(datei,
                  "CREATE TABLE Punkte (Name TEXT, Punkte INTEGER);"
                  "INSERT INTO Punkte VALUES ('Anna', 500), ('Ben', 300)");
    }
    bool oeffne(Datenverbindung& d, const std::string& quelle = "WortListe", const std::string& pfad = "") {
        d.DatabaseName = pfad.empty() ? datei : pfad;
        d.RecordSource = quelle;
        return d.refresh();
    }
    static Woerter spalte(Datenverbindung& d, const std::string& feld = "Wort") {
        Woerter out;
        for (d.moveFirst(); !d.eof(); d.moveNext()) out.push_back(d.feld(feld).text());
        return out;
    }
};

TEST_F(DatenverbindungTest, OeffnenLesenUndBewegen) {
    Datenverbindung d;
    EXPECT_FALSE(oeffne(d, "WortListe", inst.pfad() + "/Fehlt.mdb"));
    EXPECT_FALSE(d.fehler().empty());
    EXPECT_FALSE(std::filesystem::exists(d.DatabaseName));  // not created
    EXPECT_FALSE(oeffne(d, "GibtEsNicht"));
    // The game's path: "\" separated, the name in any case.
    ASSERT_TRUE(oeffne(d, "WortListe", inst.pfad() + "\\KELMO-d.MDB")) << d.fehler();
    EXPECT_EQ(d.position(), 0);
    EXPECT_EQ(spalte(d), (Woerter{"Hund", "Katze", "Bär", "laufen", "Kater", "Minus"}));
    EXPECT_TRUE(d.feld("Wort").istNull());  // past the end
    d.gehePosition(2);
    EXPECT_EQ(d.feld("Wort").text(), "Katze");
    EXPECT_TRUE(d.feld("Kontext").istNull());
}

TEST_F(DatenverbindungTest, FilterDesSpielsUndFehlerhafteFilter) {
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d));
    ASSERT_TRUE(d.filtern("GWS=TRUE AND LIP_=TRUE")) << d.fehler();
    EXPECT_EQ(spalte(d), (Woerter{"Hund", "laufen", "Kater"}));
    const uint64_t stand = d.satzStand();
    ASSERT_TRUE(d.filtern("LIP_=TRUE"));  // replaces the earlier filter
    EXPECT_EQ(spalte(d), (Woerter{"Hund", "Katze", "laufen", "Kater"}));
    EXPECT_NE(d.satzStand(), stand);
    d.moveLast();

    for (const char* falsch : {"=TRUE", "XYZ_=TRUE"}) EXPECT_FALSE(d.filtern(falsch)) << falsch;
    EXPECT_EQ(d.recordCount(), 4);  // a failed filter leaves the set as it was
    EXPECT_EQ(d.feld("Wort").text(), "Kater");

    ASSERT_TRUE(d.filtern("LT12=TRUE AND LIP_=TRUE"));
    EXPECT_TRUE(d.istLeer());
    EXPECT_TRUE(d.eof());
}

TEST_F(DatenverbindungTest, FindFirstTrifftDenErstenUndMeldetNoMatch) {
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d));
    ASSERT_TRUE(d.findFirst("RefNr=10"));
    EXPECT_EQ(d.feld("Wort").text(), "Katze");  // the first of the two
    ASSERT_TRUE(d.findFirst("RefNr=-5"));
    EXPECT_EQ(d.feld("Wort").text(), "Minus");
    ASSERT_TRUE(d.findFirst("RefNr=40"));
    EXPECT_FALSE(d.noMatch());
    EXPECT_FALSE(d.findFirst("RefNr=99"));
    EXPECT_TRUE(d.noMatch());
    EXPECT_EQ(d.feld("Wort").text(), "laufen");  // position unchanged
    EXPECT_FALSE(d.findFirst("GibtEsNicht=1"));

    // The search follows the filtered set.
    ASSERT_TRUE(d.filtern("GWS=TRUE"));
    ASSERT_TRUE(d.findFirst("RefNr=10"));
    EXPECT_EQ(d.feld("Wort").text(), "Kater");
    EXPECT_EQ(d.position(), 3);
}

TEST_F(DatenverbindungTest, AnhaengenUndLoeschenBleibenNachNeuemOeffnen) {
    Datenverbindung d;
    ASSERT_TRUE(oeffne(d, "Punkte"));
    d.gehePosition(2);
    ASSERT_TRUE(d.anhaengen({{"Name", "O'Neil"}, {"Punkte", int64_t{700}}})) << d.fehler();
    EXPECT_EQ(d.feld("Name").text(), "Ben");  // current record unchanged
    ASSERT_TRUE(d.findFirst("Punkte=700"));   // the search sees the new row
    EXPECT_EQ(d.feld("Name").text(), "O'Neil");
    EXPECT_FALSE(d.anhaengen({{"GibtEsNicht", int64_t{1}}}));

    d.moveFirst();
    ASSERT_TRUE(d.loeschen()) << d.fehler();
    EXPECT_EQ(d.feld("Name").text(), "Ben");  // the following row is current
    EXPECT_EQ(spalte(d, "Name"), (Woerter{"Ben", "O'Neil"}));
    EXPECT_FALSE(d.loeschen());  // nothing current past the end

    d.schliessen();
    Datenverbindung neu;
    ASSERT_TRUE(oeffne(neu, "Punkte")) << neu.fehler();
    EXPECT_EQ(spalte(neu, "Name"), (Woerter{"Ben", "O'Neil"}));
    EXPECT_EQ(spalte(neu, "Punkte"), (Woerter{"300", "700"}));
}

TEST_F(DatenverbindungTest, NurLesenSchreibtNieUndLaesstKeineNebendateien) {
    // Folder names that mean something in a URI must stay part of the path.
    for (const std::string ordner : {"", "/a?b#c%41 d", "//doppelt"}) {
        SCOPED_TRACE(ordner);
        const std::string pfad = inst.pfad() + ordner + "/Kelmo-D.mdb";
        std::filesystem::create_directories(std::filesystem::path(pfad).parent_path());
        schreibeWortDatenbank(pfad, {{1, "Hund", "der"}, {2, "Katze", std::nullopt}});
        fuehreAus(pfad, "PRAGMA journal_mode=WAL");
        const auto vorher = leseRoh(pfad);
        ASSERT_TRUE(vorher);

        // For comparison: a connection for writing leaves its side files while open.
        {
            Datenverbindung schreibend;
            ASSERT_TRUE(oeffne(schreibend, "WortListe", pfad)) << schreibend.fehler();
            EXPECT_TRUE(std::filesystem::exists(pfad + "-shm"));
        }

        Datenverbindung d;
        d.ReadOnly = true;
        ASSERT_TRUE(oeffne(d, "WortListe", pfad)) << d.fehler();
        ASSERT_TRUE(d.filtern("LIP_=TRUE")) << d.fehler();
        EXPECT_EQ(spalte(d), (Woerter{"Hund", "Katze"}));
        EXPECT_FALSE(d.anhaengen({{"RefNr", int64_t{3}}, {"Wort", "Maus"}}));
        d.moveFirst();
        EXPECT_FALSE(d.loeschen());
        EXPECT_EQ(d.recordCount(), 2);
        for (const char* neben : {"-wal", "-shm", "-journal"})
            EXPECT_FALSE(std::filesystem::exists(pfad + neben)) << neben;
        d.schliessen();
        EXPECT_EQ(leseRoh(pfad), vorher);
    }
    // Missing stays missing.
    Datenverbindung d;
    d.ReadOnly = true;
    EXPECT_FALSE(oeffne(d, "WortListe", inst.pfad() + "/Fehlt.mdb"));
    EXPECT_FALSE(std::filesystem::exists(inst.pfad() + "/Fehlt.mdb"));
}

}  // namespace
}  // namespace wx::test
