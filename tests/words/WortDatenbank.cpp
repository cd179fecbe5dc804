#include "WortDatenbank.h"

#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace wx::test {

TempOrdner::TempOrdner() {
    static int zaehler = 0;
    const fs::path p = fs::temp_directory_path() /
                       ("wirbelix-woerter-" + std::to_string(::getpid()) + "-" + std::to_string(++zaehler));
    fs::remove_all(p);
    fs::create_directories(p);
    pfad_ = p.string();
}

TempOrdner::~TempOrdner() {
    std::error_code ec;
    fs::remove_all(pfad_, ec);
}

namespace {

struct Db {
    sqlite3* db = nullptr;
    explicit Db(const std::string& datei) {
        if (sqlite3_open(datei.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot open " + datei);
    }
    ~Db() { sqlite3_close(db); }
    void exec(const std::string& sql) {
        char* fehler = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &fehler) != SQLITE_OK) {
            const std::string m = fehler ? fehler : "?";
            sqlite3_free(fehler);
            throw std::runtime_error(m + " in " + sql);
        }
    }
};

void bindeText(sqlite3_stmt* st, int nr, const std::optional<std::string>& t) {
    if (t) sqlite3_bind_text(st, nr, t->c_str(), static_cast<int>(t->size()), SQLITE_TRANSIENT);
    else sqlite3_bind_null(st, nr);
}

}  // namespace

void schreibeWortDatenbank(const std::string& datei, const std::vector<Wortzeile>& zeilen) {
    fs::remove(datei);
    Db d(datei);
    d.exec("PRAGMA synchronous=OFF");
    d.exec("CREATE TABLE WortListe (RefNr INTEGER, Wort TEXT, Kontext TEXT, GWS INTEGER, "
           "LIP_ INTEGER, LT12 INTEGER)");
    d.exec("CREATE TABLE SemSynt (RefNr INTEGER, Paraphr TEXT, SatzKontext TEXT)");
    d.exec("BEGIN");
    sqlite3_stmt* w = nullptr;
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(d.db, "INSERT INTO WortListe VALUES (?,?,?,?,?,?)", -1, &w, nullptr);
    sqlite3_prepare_v2(d.db, "INSERT INTO SemSynt VALUES (?,?,'Ein Satz mit @.')", -1, &s, nullptr);
    for (const auto& z : zeilen) {
        sqlite3_bind_int64(w, 1, z.refNr);
        bindeText(w, 2, z.wort);
        bindeText(w, 3, z.kontext);
        sqlite3_bind_int(w, 4, z.gws ? 1 : 0);
        sqlite3_bind_int(w, 5, z.lip ? 1 : 0);
        sqlite3_bind_int(w, 6, z.lip ? 0 : 1);
        if (sqlite3_step(w) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(d.db));
        sqlite3_reset(w);
        if (z.mitSemSynt) {
            sqlite3_bind_int64(s, 1, z.refNr);
            bindeText(s, 2, z.paraphrase);
            if (sqlite3_step(s) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(d.db));
            sqlite3_reset(s);
        }
    }
    sqlite3_finalize(w);
    sqlite3_finalize(s);
    d.exec("COMMIT");
}

void fuehreAus(const std::string& datei, const std::string& sql) {
    Db d(datei);
    d.exec(sql);
}

std::vector<int64_t> zahlenAus(const std::string& datei, const std::string& sql) {
    Db d(datei);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(d.db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(d.db));
    std::vector<int64_t> out;
    while (sqlite3_step(st) == SQLITE_ROW) out.push_back(sqlite3_column_int64(st, 0));
    sqlite3_finalize(st);
    return out;
}

std::vector<Wortzeile> nummerierteWoerter(int anzahl) {
    std::vector<Wortzeile> out;
    for (int n = 1; n <= anzahl; ++n) {
        Wortzeile z;
        z.refNr = n;
        z.wort = "W" + std::to_string(n);
        z.kontext = "der";
        z.paraphrase = "Umschreibung " + std::to_string(n);
        out.push_back(z);
    }
    return out;
}

double zufallFuer(int wert, int lo, int hi) {
    return (static_cast<double>(wert - lo) + 0.5) / static_cast<double>(hi - lo + 1);
}

}  // namespace wx::test
