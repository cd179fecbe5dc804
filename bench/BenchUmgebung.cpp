#include "BenchUmgebung.h"

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <numeric>
#include <random>
#include <stdexcept>

#include "forms/Form.h"
#include "basis/Text.h"

namespace fs = std::filesystem;

namespace wx::bench {

void StillePlattform::zeigeModal(Form& form) { form.verstecke(); }

TextGroesse StillePlattform::textGroesse(const std::string& text, const Schrift& schrift) {
    return {static_cast<int32_t>(laenge(text) * schrift.groesse * 10),
            static_cast<int32_t>(schrift.groesse * 25)};
}

namespace {

void fuehreAus(sqlite3* db, const char* sql) {
    char* fehler = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &fehler) != SQLITE_OK) {
        const std::string m = fehler ? fehler : "?";
        sqlite3_free(fehler);
        throw std::runtime_error(m);
    }
}

std::string erfundenesWort(std::mt19937& z) {
    static const char* silben[] = {"ba",   "ker", "lin", "so", "mu", "tra", "gen", "ho", "fel", "ri",
                                   "schu", "ä",   "ö",   "ü",  "ß",  "ne",  "wal", "de", "ko",  "stu"};
    std::string w;
    const int n = 2 + static_cast<int>(z() % 4);
    for (int i = 0; i < n; ++i) {
        const std::string silbe = silben[z() % 20];
        if (laenge(w) + laenge(silbe) > 15) break;
        w += silbe;
    }
    const std::string erstes = zeichen(w)[0];
    return gross(erstes) + w.substr(erstes.size());
}

void schreibeDatenbank(const std::string& datei) {
    sqlite3* db = nullptr;
    if (sqlite3_open(datei.c_str(), &db) != SQLITE_OK) throw std::runtime_error("sqlite open");
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> halter(db, sqlite3_close);
    fuehreAus(db, "PRAGMA synchronous=OFF");
    fuehreAus(
        db,
        "CREATE TABLE WortListe (RefNr INTEGER, Wort TEXT, Kontext TEXT, GWS INTEGER, LIP_ INTEGER, "
        "LT11 INTEGER, LT12 INTEGER, BST_ INTEGER, WF_ INTEGER, SL_ INTEGER, DK_ INTEGER, GK_ INTEGER)");
    fuehreAus(db, "CREATE TABLE SemSynt (RefNr INTEGER, Paraphr TEXT, SatzKontext TEXT)");
    fuehreAus(db, "BEGIN");
    sqlite3_stmt* w = nullptr;
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO WortListe VALUES (?,?,?,?,?,?,?,?,?,?,?,?)", -1, &w, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO SemSynt VALUES (?,?,?)", -1, &s, nullptr);
    std::mt19937 z(1206);
    std::vector<int> refNrn(kWoerter);
    std::iota(refNrn.begin(), refNrn.end(), 1);
    std::shuffle(refNrn.begin(), refNrn.end(), z);
    static const char* artikel[] = {"der", "die", "das", nullptr};
    for (int ref : refNrn) {
        const std::string wort = erfundenesWort(z);
        sqlite3_bind_int(w, 1, ref);
        sqlite3_bind_text(w, 2, wort.c_str(), -1, SQLITE_TRANSIENT);
        if (const char* a = artikel[z() % 4])
            sqlite3_bind_text(w, 3, a, -1, SQLITE_STATIC);
        else
            sqlite3_bind_null(w, 3);
        sqlite3_bind_int(w, 4, static_cast<int>(z() % 2));
        sqlite3_bind_int(w, 5, ref <= kEinheitWoerter ? 1 : 0);
        for (int spalte = 6; spalte <= 12; ++spalte) sqlite3_bind_int(w, spalte, z() % 5 == 0 ? 1 : 0);
        if (sqlite3_step(w) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
        sqlite3_reset(w);

        const std::string paraphrase =
            "Eine Umschreibung für das Wort mit der Nummer " + std::to_string(ref) + ".";
        const std::string satz = "In diesem Beispielsatz steht das gesuchte Wort @ ungefähr in der Mitte.";
        sqlite3_bind_int(s, 1, ref);
        sqlite3_bind_text(s, 2, paraphrase.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 3, satz.c_str(), -1, SQLITE_STATIC);
        if (sqlite3_step(s) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
        sqlite3_reset(s);
    }
    sqlite3_finalize(w);
    sqlite3_finalize(s);
    fuehreAus(db, "COMMIT");
}

struct Ordner {
    std::string pfad;
    Ordner() {
        const fs::path p = fs::temp_directory_path() / ("wirbelix-bench-" + std::to_string(::getpid()));
        fs::remove_all(p);
        fs::create_directories(p / "User");
        fs::create_directories(p / "Grafik");
        pfad = p.string();
        schreibeAnsiZeilen(pfad + "/Kelmo.ini",
                           {"[Spiele]", "MaximaleSpielDauer=30", "[Sound]", "[Wirbelix]"});
        schreibeAnsiZeilen(pfad + "/Kelmo.tsp", {"\">>>Gruppe\",\"\"", "\"Lernwörter, Teil 1\",\"LIP_\""});
        std::vector<std::string> fehler;
        for (int i = 0; i < 20; ++i) fehler.push_back(std::to_string(137 + 1511 * i) + "=Fehler");
        schreibeAnsiZeilen(pfad + "/User/anna.tmp", fehler);
        schreibeAnsiZeilen(pfad + "/User/ben.tmp", {});
        schreibeDatenbank(pfad + "/Kelmo-D.mdb");
    }
    ~Ordner() {
        std::error_code ec;
        fs::remove_all(pfad, ec);
    }
};

}  // namespace

const std::string& installation() {
    static const Ordner ordner;
    return ordner.pfad;
}

std::string datenbank() { return installation() + "/Kelmo-D.mdb"; }

}  // namespace wx::bench
