// A started game on a throw-away installation with a chosen play time, and
// the rows of its high-score file read and written directly.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "TestInstallation.h"
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace wx::test {

struct MeisterZeile {
    std::string name, programm;
    int64_t punkte;
    std::string datum = "01.02.2026";
    friend bool operator==(const MeisterZeile&, const MeisterZeile&) = default;
};

template <class P = VirtuellePlattform>
struct Lauf {
    P plattform;
    TestInstallation installation;
    std::unique_ptr<Spiel> spiel;
    bool gestartet = false;

    // spielDauer: "MaximaleSpielDauer", "" for none.
    explicit Lauf(const std::string& spielDauer = "30", const std::string& spieler = "nSpieler=2;Anna;Ben;a;b;") {
        installation.standard(beispielWoerter());
        std::vector<std::string> ini = {"[Spiele]", "[Sound]", "ProgrammEnde=ENDE", "[Wirbelix]"};
        if (!spielDauer.empty()) ini.insert(ini.begin() + 1, "MaximaleSpielDauer=" + spielDauer);
        installation.schreibeAnsi("Kelmo.ini", ini);
        spiel = std::make_unique<Spiel>(plattform);
        gestartet = spiel->starte("|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;" + spieler + "|",
                                  installation.pfad());
        plattform.beobachte(spiel->mainFrm());
    }
    MainFrm& main() { return spiel->mainFrm(); }
    GlobModul& g() { return spiel->glob; }
    std::string meisterDatei() const { return installation.pfad() + "/User/Meister.mdb"; }
};

inline std::vector<MeisterZeile> meisterZeilen(const std::string& datei) {
    std::vector<MeisterZeile> zeilen;
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_open_v2(datei.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, "SELECT Name, Programm, Punkte, Datum FROM Punkte ORDER BY rowid", -1, &st,
                           nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            zeilen.push_back({reinterpret_cast<const char*>(sqlite3_column_text(st, 0)),
                              reinterpret_cast<const char*>(sqlite3_column_text(st, 1)),
                              sqlite3_column_int64(st, 2), reinterpret_cast<const char*>(sqlite3_column_text(st, 3))});
    sqlite3_finalize(st);
    sqlite3_close(db);
    return zeilen;
}

inline void schreibeMeister(const std::string& datei, const std::vector<MeisterZeile>& zeilen) {
    sqlite3* db = nullptr;
    sqlite3_open(datei.c_str(), &db);
    std::string sql = "CREATE TABLE Punkte (Name TEXT, Programm TEXT, Datum TEXT, Punkte INTEGER);";
    for (const auto& z : zeilen)
        sql += "INSERT INTO Punkte VALUES ('" + z.name + "', '" + z.programm + "', '" + z.datum + "', " +
               std::to_string(z.punkte) + ");";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

}  // namespace wx::test
