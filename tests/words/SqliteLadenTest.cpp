// SQLite is in memory only while a database is open. This program does not
// link SQLite: it writes its databases through the loaded library, too.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "VirtuellePlattform.h"
#include "basis/Datenverbindung.h"
#include "basis/SqliteBibliothek.h"
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace wx::test {
namespace {

bool g_amAnfangGeladen = true;

class SqliteLadenTest : public ::testing::Test {
protected:
    std::string datei = "/tmp/wirbelix-sqlite-laden-" + std::to_string(getpid()) + ".mdb";

    void TearDown() override { std::remove(datei.c_str()); }

    void schreibe(const char* befehle) {
        sql::Halter h;
        ASSERT_TRUE(h.geladen()) << h.fehler();
        sqlite3* db = nullptr;
        ASSERT_EQ(h->open_v2(datei.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
                  SQLITE_OK);
        EXPECT_EQ(h->exec(db, befehle, nullptr, nullptr, nullptr), SQLITE_OK) << h->errmsg(db);
        h->close_v2(db);
    }
};

TEST_F(SqliteLadenTest, TheLibraryStaysWhileAnyConnectionHasItsFileOpen) {
    ASSERT_FALSE(g_amAnfangGeladen) << "the test program links SQLite itself";
    schreibe(
        "CREATE TABLE T (RefNr INTEGER, Wort TEXT);"
        "INSERT INTO T VALUES (1, 'a'), (2, 'b'), (3, 'c');");
    EXPECT_FALSE(sql::istGeladen());

    Datenverbindung d;
    d.DatabaseName = datei;
    d.RecordSource = "T";
    d.ReadOnly = true;
    ASSERT_TRUE(d.refresh()) << d.fehler();
    EXPECT_TRUE(sql::istGeladen());
    d.schliesseDatei();
    EXPECT_FALSE(sql::istGeladen());

    // The records are still there to walk and search.
    EXPECT_EQ(d.recordCount(), 3);
    ASSERT_TRUE(d.findFirst("RefNr=2"));
    EXPECT_EQ(d.feld("Wort").text(), "b");

    // Filtering reads the file again.
    ASSERT_TRUE(d.filtern("RefNr > 1")) << d.fehler();
    EXPECT_EQ(d.recordCount(), 2);
    EXPECT_TRUE(sql::istGeladen());

    Datenverbindung e;
    e.DatabaseName = datei;
    e.RecordSource = "T";
    ASSERT_TRUE(e.refresh()) << e.fehler();
    d.schliesseDatei();
    EXPECT_TRUE(sql::istGeladen()) << "the second connection still reads";
    e.schliessen();
    EXPECT_FALSE(sql::istGeladen());
}

TEST_F(SqliteLadenTest, TheGameLetsGoOfItOnceTheWordsAreRead) {
    schreibe(
        "CREATE TABLE WortListe (RefNr INTEGER, Wort TEXT, Kontext TEXT, GWS INTEGER, LIP_ INTEGER);"
        "CREATE TABLE SemSynt (RefNr INTEGER, Paraphr TEXT, SatzKontext TEXT);"
        "INSERT INTO WortListe VALUES (1, 'Hund', 'der', 1, 1), (2, 'Katze', 'die', 1, 0),"
        " (3, 'Maus', 'die', 0, 1);"
        "INSERT INTO SemSynt VALUES (1, 'Bellt.', 'Der @ bellt.'), (3, 'Piepst.', 'Die @ piepst.');");
    VirtuellePlattform plattform;
    Spiel spiel(plattform);
    MainFrm& m = spiel.mainFrm();
    spiel.glob.KlassenFeld = "LIP_";
    bool gefiltert = false;
    ASSERT_TRUE(m.ladeWortDatenbank(datei, gefiltert)) << m.rdb.fehler();
    EXPECT_TRUE(gefiltert);
    EXPECT_EQ(spiel.glob.nWoerter, 2);
    EXPECT_FALSE(sql::istGeladen());

    // Words and paraphrases come from memory from now on.
    plattform.zufallsWerte({0.9});
    ASSERT_TRUE(m.waehleWort());
    EXPECT_EQ(spiel.glob.aktWort, "Maus");
    EXPECT_EQ(spiel.glob.aktParaphrase, "Piepst.");
    EXPECT_FALSE(sql::istGeladen());

    // A missing file: the message case, and nothing left loaded either.
    EXPECT_FALSE(m.ladeWortDatenbank(datei + ".fehlt", gefiltert));
    EXPECT_FALSE(sql::istGeladen());
}

}  // namespace
}  // namespace wx::test

int main(int argc, char** argv) {
    wx::test::g_amAnfangGeladen = wx::sql::istGeladen();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
