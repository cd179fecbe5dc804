// Files and launch texts the way a careless hand leaves them: missing, empty,
// binary, a folder where a file belongs, values far out of range. The game
// starts with its fallbacks or ends on a message, and never loses a file.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestInstallation.h"
#include "basis/Text.h"
#include "basis/Wav.h"
#include "fenster/MainFrm.h"
#include "fenster/MldFenster.h"
#include "fenster/Spiel.h"
#include "hilfe/ChmDatei.h"

namespace wx::test {
namespace {

namespace fs = std::filesystem;

enum class Art { fehlt, leer, binaer, ordner };
constexpr Art kArten[] = {Art::fehlt, Art::leer, Art::binaer, Art::ordner};
const char* name(Art a) { return std::array{"missing", "empty", "binary", "folder"}[static_cast<int>(a)]; }

// Every byte value but the line ends, a NUL first: one long "line" of junk.
std::string binaerDaten() {
    std::string s(1, '\0');
    for (int runde = 0; runde < 16; ++runde)
        for (int b = 255; b >= 0; --b)
            if (b != '\n' && b != '\r') s += static_cast<char>(b);
    return s;
}

std::string inhalt(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void verderbe(const fs::path& p, Art art) {
    fs::remove_all(p);
    fs::create_directories(p.parent_path());
    switch (art) {
        case Art::fehlt:
            break;
        case Art::leer:
            std::ofstream(p, std::ios::binary);
            break;
        case Art::binaer:
            std::ofstream(p, std::ios::binary) << binaerDaten();
            break;
        case Art::ordner:
            fs::create_directories(p / "darin");
            break;
    }
}

// What is left where the spoiled file was: "missing", "folder" or the bytes.
std::string stand(const fs::path& p) {
    if (fs::is_directory(p)) return "folder";
    if (!fs::exists(p)) return "missing";
    return inhalt(p);
}

// Answers the next message with its first button and keeps its text.
void merkeMeldung(VirtuellePlattform& p, const Spiel& spiel, std::vector<std::string>& meldungen) {
    p.wennModal("MldFenster", [m = &meldungen, s = &spiel](Form& f) {
        m->push_back(s->glob.MeldungsText);
        static_cast<MldFenster&>(f).Btn1_Click();
    });
}

const std::string kStart = "|Version=4;Class=D;TeskFeldName=LIP_;LupenFlag=0;nSpieler=2;Anna;Ben;anna;ben;|";

TEST(SchlechteDateien, FrameworkFilesSpoiledEveryWayNeitherStopTheGameNorAreLost) {
    // The wheel picture and the unit picture are only looked for here; what
    // the front makes of their bytes is its own test.
    const char* dateien[] = {"Kelmo.ini",          "Kelmo.tsp",       "User/anna.tmp",
                             "Wirbelix.chm",       "Tesk.chm",        "Grafik/GRAD3.WMF",
                             "Grafik/BST_LIP.GIF", "Sound/START.WAV", "User/Meister.mdb"};
    for (const char* datei : dateien) {
        for (Art art : kArten) {
            SCOPED_TRACE(std::string(datei) + " " + name(art));
            VirtuellePlattform p;
            TestInstallation inst;
            inst.standard(beispielWoerter(), {"EinstellungenSpeichern=1", "FehlversucheMaximum=4"});
            inst.schreibeAnsi("User/anna.tmp", {"\"1\",\"Hund\""});
            const fs::path pfad = fs::path(inst.pfad()) / datei;
            verderbe(pfad, art);
            const std::string vorher = stand(pfad);

            Spiel spiel(p);
            // A spoiled high-score file is named in one message when the
            // scores are offered; nothing else may ask anything.
            std::vector<std::string> meldungen;
            merkeMeldung(p, spiel, meldungen);
            ASSERT_TRUE(spiel.starte(kStart, inst.pfad()));
            EXPECT_TRUE(spiel.mainFrm().drehenBtn.enabled);
            EXPECT_FALSE(spiel.glob.aktWort.empty());
            spiel.hilfe("\\Wirbelix.chm", 0, 0);
            spiel.hilfe("\\Tesk.chm", 15, 1000);

            spiel.glob.SpielerPunkte = {120, 0};
            spiel.glob.EinstellungenSpeichern = 1;
            spiel.mainFrm().programmEnde();
            EXPECT_TRUE(p.beendet);
            EXPECT_FALSE(fs::exists(fs::path(inst.pfad()) / "Kelmo.tmp"));

            const std::string nachher = stand(pfad);
            if (std::string(datei) == "Kelmo.ini" && (art == Art::fehlt || art == Art::leer)) {
                // Nothing to lose: the settings are written anew.
                EXPECT_NE(nachher.find("[Wirbelix]"), std::string::npos);
            } else if (std::string(datei) == "Kelmo.ini" && art == Art::binaer) {
                // The junk stays; only the game's section is added.
                EXPECT_NE(nachher.find(vorher), std::string::npos);
                EXPECT_NE(nachher.find("[Wirbelix]"), std::string::npos);
            } else if (std::string(datei) == "User/Meister.mdb" && art != Art::ordner && art != Art::binaer) {
                // A missing or empty file becomes the list with the one score.
                EXPECT_EQ(meldungen.size(), 0u);
            } else {
                EXPECT_EQ(nachher, vorher) << "the file was changed";
            }
        }
    }
}

// The readers on their own, one by one, for the spoiled file.
TEST(SchlechteDateien, ReadersTakeSpoiledFilesAsAbsent) {
    TestInstallation inst;
    const fs::path pfad = fs::path(inst.pfad()) / "Datei";
    for (Art art : kArten) {
        SCOPED_TRACE(name(art));
        verderbe(pfad, art);
        EXPECT_FALSE(leseWavKopfAusDatei(pfad.string()));
        std::string fehler;
        EXPECT_EQ(ChmDatei::oeffne(pfad.string(), &fehler), nullptr);
        EXPECT_FALSE(fehler.empty());
        const auto zeilen = leseAnsiZeilen(pfad.string());
        if (art == Art::fehlt || art == Art::ordner) {
            EXPECT_FALSE(zeilen);
        } else {
            ASSERT_TRUE(zeilen);
            EXPECT_LE(zeilen->size(), 1u);
        }
    }
}

TEST(SchlechteDateien, SettingsFarOutOfRangeFallBackOrSaturate) {
    const std::string d(30, '9');
    // The strength always falls back to 0. A play time of 30 digits is the
    // longest (factor 1), a negative one the shortest of five minutes (factor
    // 15), never a wrapped-round number; the installation's 30 minutes give 2.
    const struct {
        std::vector<std::string> einstellungen;
        const char* dauer;                      // nullptr: the installation's
        int16_t fehlversuche, spielzeitFaktor;  // fehlversuche 0: not looked at
    } faelle[] = {
        {{"ComputerSpielStärke=7", "FehlversucheMaximum=0"}, nullptr, 1, 2},
        {{"ComputerSpielStärke=" + d, "FehlversucheMaximum=" + d}, nullptr, 9, 2},
        {{"ComputerSpielStärke=-" + d, "FehlversucheMaximum=-" + d}, nullptr, 1, 2},
        {{}, "999999999999999999999999999999", 0, 1},
        {{}, "-999999999999999999999999999999", 0, 15},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.dauer ? f.dauer : f.einstellungen[0]);
        VirtuellePlattform p;
        TestInstallation inst;
        inst.standard(beispielWoerter(), f.einstellungen);
        if (f.dauer)
            inst.schreibeAnsi("Kelmo.ini", {"[Spiele]", std::string("MaximaleSpielDauer=") + f.dauer});
        Spiel spiel(p);
        ASSERT_TRUE(spiel.starte(kStart, inst.pfad()));
        EXPECT_EQ(spiel.glob.ComputerSpielStaerke, 0);
        if (f.fehlversuche) EXPECT_EQ(spiel.glob.FehlversucheMaximum, f.fehlversuche);
        EXPECT_EQ(spiel.glob.SpielzeitFaktor, f.spielzeitFaktor);
    }
}

// Runs SQL on a database file (created if missing).
void sql(const std::string& datei, const std::string& befehle) {
    sqlite3* db = nullptr;
    sqlite3_open(datei.c_str(), &db);
    char* fehler = nullptr;
    sqlite3_exec(db, befehle.c_str(), nullptr, nullptr, &fehler);
    const std::string text = fehler ? fehler : "";
    sqlite3_free(fehler);
    sqlite3_close(db);
    ASSERT_EQ(text, "") << befehle;
}

// Another process holds the file's write lock until the returned pipe end is
// closed; the child is then reaped.
struct FremdeSperre {
    pid_t kind = -1;
    int schluss = -1;
    explicit FremdeSperre(const std::string& datei) {
        int fertig[2], ende[2];
        if (pipe(fertig) != 0 || pipe(ende) != 0) return;
        kind = fork();
        if (kind == 0) {
            close(fertig[0]);
            close(ende[1]);
            sqlite3* db = nullptr;
            sqlite3_open(datei.c_str(), &db);
            const int rc =
                sqlite3_exec(db, "BEGIN EXCLUSIVE; CREATE TABLE IF NOT EXISTS Sperre (x)", 0, 0, 0);
            const char ok = rc == SQLITE_OK ? '1' : '0';
            if (write(fertig[1], &ok, 1) != 1) _exit(1);
            char c;
            while (read(ende[0], &c, 1) > 0) {}
            _exit(0);  // the lock goes with the process, nothing is committed
        }
        close(fertig[1]);
        close(ende[0]);
        schluss = ende[1];
        char ok = '0';
        if (read(fertig[0], &ok, 1) != 1 || ok != '1') ADD_FAILURE() << "no lock on " << datei;
        close(fertig[0]);
    }
    ~FremdeSperre() {
        if (schluss >= 0) close(schluss);
        if (kind > 0) waitpid(kind, nullptr, 0);
    }
};

TEST(SchlechteDatenbanken, SpellingDatabaseStartsOrEndsOnAMessageAndIsNeverWritten) {
    const std::string woerter =
        "CREATE TABLE WortListe (RefNr INTEGER, Wort TEXT, Kontext TEXT, GWS INTEGER, LIP_ INTEGER);"
        "CREATE TABLE SemSynt (RefNr INTEGER, Paraphr TEXT, SatzKontext TEXT);"
        "INSERT INTO SemSynt VALUES (1, 'Tier', '@'), (2, 'Tier', '@');";
    const std::string leereWoerter =
        "INSERT INTO WortListe VALUES (1, '', 'der', 1, 1), (2, NULL, 'die', 1, 1),";
    struct Fall {
        const char* name;
        std::string sql;    // "": the file spoiled as art says
        const char* titel;  // of the message that ends the start; "" when it starts
        const char* wort = "";
        Art art = Art::fehlt;
    };
    const Fall faelle[] = {
        {"missing", "", "Laufzeitfehler"},
        {"folder", "", "Laufzeitfehler", "", Art::ordner},
        {"empty file", "", "Laufzeitfehler", "", Art::leer},
        {"not a database", "", "Laufzeitfehler", "", Art::binaer},
        {"without WortListe", "CREATE TABLE SemSynt (RefNr, Paraphr)", "Laufzeitfehler"},
        {"without SemSynt",
         "CREATE TABLE WortListe (RefNr, Wort, Kontext, GWS, LIP_);"
         "INSERT INTO WortListe VALUES (1, 'Hund', 'der', 1, 1)",
         "Laufzeitfehler"},
        {"without the unit's column",
         "CREATE TABLE WortListe (RefNr, Wort, Kontext, GWS); CREATE TABLE SemSynt (RefNr, Paraphr);"
         "INSERT INTO WortListe VALUES (1, 'Hund', 'der', 1)",
         "Keine Wörter"},
        {"without the column Wort",
         "CREATE TABLE WortListe (RefNr, Kontext, GWS, LIP_); CREATE TABLE SemSynt (RefNr, Paraphr);"
         "INSERT INTO WortListe VALUES (1, 'der', 1, 1)",
         "Keine Wörter"},
        {"only empty and NULL words", woerter + leereWoerter + "(3, '   ', 'das', 1, 1)", "Keine Wörter"},
        {"empty and NULL words beside a good one", woerter + leereWoerter + "(3, 'Igel', NULL, 1, 1)", "",
         "Igel"},
        {"in WAL mode",
         "PRAGMA journal_mode=WAL;" + woerter + "INSERT INTO WortListe VALUES (1, 'Igel', NULL, 1, 1)", "",
         "Igel"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        VirtuellePlattform p;
        TestInstallation inst;
        inst.standard(beispielWoerter());
        const std::string datei = inst.pfad() + "/Kelmo-D.mdb";
        fs::remove(datei);
        if (f.sql.empty())
            verderbe(datei, f.art);
        else
            sql(datei, f.sql);
        const std::string vorher = stand(datei);
        Spiel spiel(p);
        const bool startet = std::string(f.titel).empty();
        if (!startet) p.wennModalDruecke("MldFenster", "Btn1");
        EXPECT_EQ(spiel.starte(kStart, inst.pfad()), startet);
        if (startet) {
            EXPECT_EQ(spiel.glob.aktWort, f.wort);
            // The empty rows are put aside: the one good word comes again.
            EXPECT_TRUE(spiel.mainFrm().waehleWort());
            EXPECT_EQ(spiel.glob.aktWort, f.wort);
        } else {
            EXPECT_EQ(spiel.mldFenster().caption, f.titel);
            if (f.titel == std::string("Laufzeitfehler"))
                EXPECT_NE(spiel.mldFenster().Meldung.caption.find("\"Kelmo-D.mdb\""), std::string::npos);
        }
        spiel.glob.EinstellungenSpeichern = 0;
        spiel.mainFrm().programmEndeVonAussen();
        EXPECT_EQ(stand(datei), vorher);
        for (const char* neben : {"-wal", "-shm", "-journal"})
            EXPECT_FALSE(fs::exists(datei + neben)) << neben;
    }
}

TEST(SchlechteDatenbanken, SpellingDatabaseLockedByAnotherProgramIsStillRead) {
    VirtuellePlattform p;
    TestInstallation inst;
    inst.standard(beispielWoerter());
    const std::string datei = inst.pfad() + "/Kelmo-D.mdb";
    const std::string vorher = inhalt(datei);
    FremdeSperre sperre(datei);
    Spiel spiel(p);
    const auto anfang = std::chrono::steady_clock::now();
    ASSERT_TRUE(spiel.starte(kStart, inst.pfad()));
    EXPECT_LT(std::chrono::steady_clock::now() - anfang, std::chrono::seconds(1));  // no waiting on the lock
    EXPECT_EQ(spiel.glob.nWoerter, 6);
    EXPECT_EQ(inhalt(datei), vorher);
}

TEST(SchlechteDatenbanken, HighScoresThatCannotBeWrittenAreNamedAndKept) {
    // Written through a journal that cannot be made (a folder has its name),
    // as on a read-only medium; and locked by another process.
    for (const std::string grund : {"kann nicht geschrieben werden", "von einem anderen Programm benutzt"}) {
        SCOPED_TRACE(grund);
        VirtuellePlattform p;
        TestInstallation inst;
        inst.standard(beispielWoerter());
        const std::string meister = inst.pfad() + "/User/Meister.mdb";
        sql(meister,
            "CREATE TABLE Punkte (Name TEXT, Programm TEXT, Datum TEXT, Punkte INTEGER);"
            "INSERT INTO Punkte VALUES ('Alt', 'Wirbelix', '01.01.2026', 50)");
        const std::string vorher = inhalt(meister);
        std::unique_ptr<FremdeSperre> sperre;
        if (grund.starts_with("kann"))
            fs::create_directories(meister + "-journal/darin");
        else
            sperre = std::make_unique<FremdeSperre>(meister);

        Spiel spiel(p);
        ASSERT_TRUE(spiel.starte(kStart, inst.pfad()));
        std::vector<std::string> meldungen;
        for (int i = 0; i < 2; ++i) merkeMeldung(p, spiel, meldungen);
        spiel.glob.SpielerPunkte = {500, 70};
        spiel.glob.EinstellungenSpeichern = 1;
        spiel.mainFrm().programmEnde();
        EXPECT_TRUE(p.beendet);
        ASSERT_FALSE(meldungen.empty());
        EXPECT_NE(meldungen[0].find(grund), std::string::npos) << meldungen[0];
        sperre.reset();
        EXPECT_EQ(inhalt(meister), vorher);
        // The settings are saved all the same.
        EXPECT_NE(inhalt(inst.pfad() + "/Kelmo.ini").find("EinstellungenSpeichern=1"), std::string::npos);
    }
}

TEST(SchlechteStarttexte, StartOrRefuseWithAMessageAndQuickly) {
    std::string megabyte = "|Version=4;Class=D;TeskFeldName=LIP_;nSpieler=1;Mia;mia;";
    while (megabyte.size() < (1u << 20)) megabyte += "x;";
    megabyte += "|";
    struct Fall {
        const char* name;
        std::string text;
        bool startet;
        int16_t nSpieler;     // when it starts
        const char* meldung;  // a part of the message when it does not
    };
    const Fall faelle[] = {
        {"empty", "", false, 0, "KELMO"},
        // Blanks are a launch text without a unit: no words for it.
        {"blanks only", "   ", false, 0, "keine"},
        // The first and the last character are taken as the frame whatever they are.
        {"unframed", "Version=4;Class=D;TeskFeldName=LIP_;nSpieler=1;Mia;mia;", true, 1, ""},
        {"without a semicolon", "|Version=4 TeskFeldName=LIP_|", false, 0, "keine"},
        {"six players", "|Version=4;TeskFeldName=LIP_;nSpieler=6;a;b;c;d;e;f;1;2;3;4;5;6;|", true, 5, ""},
        {"players announced but missing", "|TeskFeldName=LIP_;nSpieler=5;a;|", true, 5, ""},
        {"a megabyte", megabyte, true, 1, ""},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        VirtuellePlattform p;
        TestInstallation inst;
        inst.standard(beispielWoerter());
        Spiel spiel(p);
        std::vector<std::string> meldungen;
        if (!f.startet) merkeMeldung(p, spiel, meldungen);
        const auto anfang = std::chrono::steady_clock::now();
        const bool gestartet = spiel.starte(f.text, inst.pfad());
        EXPECT_LT(std::chrono::steady_clock::now() - anfang, std::chrono::seconds(3));
        ASSERT_EQ(gestartet, f.startet);
        if (!f.startet) {
            ASSERT_EQ(meldungen.size(), 1u);
            EXPECT_NE(meldungen[0].find(f.meldung), std::string::npos) << meldungen[0];
            continue;
        }
        EXPECT_EQ(spiel.glob.nSpieler, f.nSpieler);
        EXPECT_FALSE(spiel.glob.aktWort.empty());
        // The turn goes round all of them, named or not.
        for (int i = 0; i < 6; ++i) spiel.mainFrm().naechsterSpieler();
        EXPECT_GE(spiel.glob.aktSpieler, 0);
        EXPECT_LT(spiel.glob.aktSpieler, std::max<int>(f.nSpieler, 1));
    }
}

}  // namespace
}  // namespace wx::test
