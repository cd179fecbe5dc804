#include "TestInstallation.h"

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>

#include "fenster/MainFrm.h"
#include "basis/Text.h"

namespace fs = std::filesystem;

namespace wx::test {

TestInstallation::TestInstallation() {
    static int zaehler = 0;
    const fs::path p = fs::temp_directory_path() /
                       ("wirbelix-test-" + std::to_string(::getpid()) + "-" + std::to_string(++zaehler));
    fs::remove_all(p);
    fs::create_directories(p / "User");
    fs::create_directories(p / "Grafik");
    pfad_ = p.string();
    // The wheel's pictures only have to be there; what they show is the
    // front's business.
    for (int i = 0; i < 10; ++i) schreibeAnsi("Grafik/GRAD" + std::to_string(i) + ".WMF", {});
}

TestInstallation::~TestInstallation() {
    std::error_code ec;
    fs::remove_all(pfad_, ec);
}

void TestInstallation::schreibeAnsi(const std::string& relativ, const std::vector<std::string>& zeilen) {
    const fs::path p = fs::path(pfad_) / relativ;
    fs::create_directories(p.parent_path());
    if (!schreibeAnsiZeilen(p.string(), zeilen)) throw std::runtime_error("cannot write " + p.string());
}

void TestInstallation::schreibeWortDatenbank(const std::vector<TestWort>& woerter, bool mitSemSynt) {
    const std::string datei = pfad_ + "/Kelmo-D.mdb";
    fs::remove(datei);
    sqlite3* db = nullptr;
    if (sqlite3_open(datei.c_str(), &db) != SQLITE_OK) throw std::runtime_error("sqlite open");
    auto exec = [db](const std::string& sql) {
        char* fehler = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &fehler) != SQLITE_OK) {
            std::string m = fehler ? fehler : "?";
            sqlite3_free(fehler);
            throw std::runtime_error(m);
        }
    };
    exec("CREATE TABLE WortListe (RefNr INTEGER, Wort TEXT, Kontext TEXT, GWS INTEGER, LIP_ INTEGER, LT11 INTEGER)");
    exec("CREATE TABLE SemSynt (RefNr INTEGER, Paraphr TEXT, SatzKontext TEXT)");
    exec("BEGIN");
    sqlite3_stmt* w = nullptr;
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO WortListe VALUES (?,?,?,?,?,0)", -1, &w, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO SemSynt VALUES (?,?,?)", -1, &s, nullptr);
    for (const auto& t : woerter) {
        sqlite3_bind_int(w, 1, t.refNr);
        sqlite3_bind_text(w, 2, t.wort.c_str(), -1, SQLITE_TRANSIENT);
        if (t.kontext.empty()) sqlite3_bind_null(w, 3);
        else sqlite3_bind_text(w, 3, t.kontext.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(w, 4, t.gws);
        sqlite3_bind_int(w, 5, t.lip);
        sqlite3_step(w);
        sqlite3_reset(w);
        if (mitSemSynt) {
            sqlite3_bind_int(s, 1, t.refNr);
            sqlite3_bind_text(s, 2, t.paraphrase.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(s, 3, t.satz.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(s);
            sqlite3_reset(s);
        }
    }
    sqlite3_finalize(w);
    sqlite3_finalize(s);
    exec("COMMIT");
    sqlite3_close(db);
}

void TestInstallation::standard(const std::vector<TestWort>& woerter,
                                const std::vector<std::string>& einstellungen) {
    std::vector<std::string> ini = {"[Spiele]", "MaximaleSpielDauer=30", "[Sound]",
                                    "ProgrammStart=START", "[Wirbelix]"};
    ini.insert(ini.end(), einstellungen.begin(), einstellungen.end());
    schreibeAnsi("Kelmo.ini", ini);
    schreibeAnsi("Kelmo.tsp", {"\">>>Gruppe\",\"\"", "\"Wörter mit ck und tz\",\"LT12\"",
                               "\"Lernwörter, Teil 1\",\"LIP_\""});
    schreibeAnsi("User/anna.tmp", {});
    schreibeAnsi("User/ben.tmp", {});
    schreibeWortDatenbank(woerter);
}

std::vector<TestWort> beispielWoerter() {
    return {{1, "Hund", "der", true, true, "Ein Haustier, das bellt.", "Der @ bellt."},
            {2, "Katze", "die", true, true, "Ein Haustier, das miaut.", "Die @ schläft."},
            {3, "Bär", "der", true, true, "Ein großes Tier im Wald.", "Der @ brummt."},
            {4, "laufen", "", true, true, "Schnell gehen.", "Wir @ um den See."},
            {5, "Straße", "die", true, true, "Darauf fahren Autos.", "Die @ ist nass."},
            {6, "Fahrrad", "das", true, true, "Es hat zwei Räder.", "Das @ steht im Keller."}};
}

TestSpiel::TestSpiel(const std::vector<TestWort>& woerter, const std::vector<std::string>& einstellungen,
                     const std::string& startText) {
    installation.standard(woerter, einstellungen);
    spiel = std::make_unique<Spiel>(plattform);
    gestartet = spiel->starte(startText, installation.pfad());
    if (spiel->hatMainFrm()) plattform.beobachte(spiel->mainFrm());
}

MainFrm& TestSpiel::main() { return spiel->mainFrm(); }

}  // namespace wx::test
