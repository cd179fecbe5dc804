// Small spelling databases for the tests, written with plain SQL.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace wx::test {

struct Wortzeile {
    int64_t refNr = 0;
    std::string wort;
    std::optional<std::string> kontext;  // nullopt: NULL
    bool gws = true;
    bool lip = true;                                               // unit LIP_; LT12 is the opposite
    std::optional<std::string> paraphrase = "Eine Umschreibung.";  // nullopt: NULL
    bool mitSemSynt = true;                                        // false: no SemSynt row
    std::string satz = "Ein Satz mit @.";
};

// Runs SQL on a database file (created if missing).
inline void fuehreAus(const std::string& datei, const std::string& sql) {
    sqlite3* db = nullptr;
    char* fehler = nullptr;
    const bool gut = sqlite3_open(datei.c_str(), &db) == SQLITE_OK &&
                     sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &fehler) == SQLITE_OK;
    const std::string meldung = fehler ? fehler : sqlite3_errmsg(db);
    sqlite3_free(fehler);
    sqlite3_close(db);
    if (!gut) throw std::runtime_error(meldung);
}

inline std::string sqlText(const std::optional<std::string>& t) {
    if (!t) return "NULL";
    std::string out = "'";
    for (char c : *t) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

// Writes WortListe and SemSynt anew, rows in the order given.
inline void schreibeWortDatenbank(const std::string& datei, const std::vector<Wortzeile>& zeilen) {
    std::remove(datei.c_str());
    std::string sql =
        "CREATE TABLE WortListe (RefNr INTEGER, Wort TEXT, Kontext TEXT, GWS INTEGER, LIP_ INTEGER, LT12 "
        "INTEGER);"
        "CREATE TABLE SemSynt (RefNr INTEGER, Paraphr TEXT, SatzKontext TEXT); BEGIN;";
    for (const auto& z : zeilen) {
        const std::string nr = std::to_string(z.refNr);
        sql += "INSERT INTO WortListe VALUES (" + nr + "," + sqlText(z.wort) + "," + sqlText(z.kontext) +
               (z.gws ? ",1" : ",0") + (z.lip ? ",1,0);" : ",0,1);");
        if (z.mitSemSynt)
            sql += "INSERT INTO SemSynt VALUES (" + nr + "," + sqlText(z.paraphrase) + "," + sqlText(z.satz) +
                   ");";
    }
    fuehreAus(datei, sql + "COMMIT;");
}

// Words named "W<n>" with RefNr n, for n = 1..anzahl, all in LIP_.
inline std::vector<Wortzeile> nummerierteWoerter(int anzahl) {
    std::vector<Wortzeile> out;
    for (int n = 1; n <= anzahl; ++n)
        out.push_back({n, "W" + std::to_string(n), "der", true, true, "Umschreibung " + std::to_string(n)});
    return out;
}

// The random number that makes GlobModul::zufallsZahl(lo, hi) give wert.
inline double zufallFuer(int wert, int lo, int hi) { return (wert - lo + 0.5) / (hi - lo + 1); }

}  // namespace wx::test
