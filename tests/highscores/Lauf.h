// A started game on a throw-away installation whose Kelmo.ini the test
// chooses, and direct access to the high-score file.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "TestInstallation.h"
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace wx::test {

inline const std::string kZweiSpieler =
    "|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;nSpieler=2;Anna;Ben;anna;ben;|";

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

    // spielDauer: the value of "MaximaleSpielDauer", or "" for no such key.
    explicit Lauf(const std::string& spielDauer = "30", const std::string& startText = kZweiSpieler) {
        installation.standard(beispielWoerter());
        std::vector<std::string> ini = {"[Spiele]"};
        if (!spielDauer.empty()) ini.push_back("MaximaleSpielDauer=" + spielDauer);
        ini.insert(ini.end(), {"[Sound]", "ProgrammEnde=ENDE", "[Wirbelix]"});
        installation.schreibeAnsi("Kelmo.ini", ini);
        spiel = std::make_unique<Spiel>(plattform);
        gestartet = spiel->starte(startText, installation.pfad());
        if (spiel->hatMainFrm()) plattform.beobachte(spiel->mainFrm());
    }
    MainFrm& main() { return spiel->mainFrm(); }
    GlobModul& g() { return spiel->glob; }
    std::string meisterDatei() const { return installation.pfad() + "/User/Meister.mdb"; }
};

// The rows of "Punkte" in the table's order; empty when file or table is missing.
inline std::vector<MeisterZeile> meisterZeilen(const std::string& datei) {
    std::vector<MeisterZeile> zeilen;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(datei.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT Name, Programm, Punkte, Datum FROM Punkte ORDER BY rowid", -1, &st,
                               nullptr) == SQLITE_OK) {
            auto text = [&](int i) {
                const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
                return p ? std::string(p) : std::string();
            };
            while (sqlite3_step(st) == SQLITE_ROW)
                zeilen.push_back({text(0), text(1), sqlite3_column_int64(st, 2), text(3)});
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return zeilen;
}

inline void schreibeMeister(const std::string& datei, const std::vector<MeisterZeile>& zeilen) {
    sqlite3* db = nullptr;
    sqlite3_open(datei.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE Punkte (Name TEXT, Programm TEXT, Datum TEXT, Punkte INTEGER)", nullptr,
                 nullptr, nullptr);
    for (const auto& z : zeilen) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO Punkte VALUES (?, ?, ?, ?)", -1, &st, nullptr);
        sqlite3_bind_text(st, 1, z.name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, z.programm.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, z.datum.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(st, 4, z.punkte);
        sqlite3_step(st);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
}

}  // namespace wx::test
