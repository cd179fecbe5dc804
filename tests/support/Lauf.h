// A started game on a throw-away installation with a chosen play time; its
// platform notes the end's port calls with the high-score rows at that moment.
#pragma once

#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "TestInstallation.h"
#include "WortDatenbank.h"
#include "basis/Text.h"
#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace wx::test {

struct MeisterZeile {
    std::string name, programm;
    int64_t punkte;
    std::string datum = "01.02.2026";
    friend bool operator==(const MeisterZeile&, const MeisterZeile&) = default;
};

inline std::vector<MeisterZeile> meisterZeilen(const std::string& datei) {
    std::vector<MeisterZeile> zeilen;
    sqlite3* db = nullptr;
    sqlite3_open_v2(datei.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_exec(
        db, "SELECT Name, Programm, Punkte, Datum FROM Punkte ORDER BY rowid",
        [](void* z, int, char** w, char**) {
            static_cast<std::vector<MeisterZeile>*>(z)->push_back({w[0], w[1], std::stoll(w[2]), w[3]});
            return 0;
        },
        &zeilen, nullptr);
    sqlite3_close(db);
    return zeilen;
}

inline void schreibeMeister(const std::string& datei, const std::vector<MeisterZeile>& zeilen) {
    std::string sql = "CREATE TABLE Punkte (Name TEXT, Programm TEXT, Datum TEXT, Punkte INTEGER);";
    for (const auto& z : zeilen)
        sql += "INSERT INTO Punkte VALUES (" + sqlText(z.name) + ", " + sqlText(z.programm) + ", " +
               sqlText(z.datum) + ", " + std::to_string(z.punkte) + ");";
    fuehreAus(datei, sql);
}

struct ProtokollPlattform : VirtuellePlattform {
    std::string meister, ini;
    std::vector<std::string> protokoll;
    int64_t pauseAb = 0;
    // Each entry with the number of high-score rows, and "+ini" once the
    // settings have been written back.
    void notiere(const std::string& was) {
        const auto zeilen = leseAnsiZeilen(ini);
        const bool gespeichert =
            zeilen && std::find(zeilen->begin(), zeilen->end(), "EinstellungenSpeichern=1") != zeilen->end();
        protokoll.push_back(was + " [" + std::to_string(meisterZeilen(meister).size()) + "]" +
                            (gespeichert ? "+ini" : ""));
    }
    void spieleWav(const std::string& p, bool) override { notiere(p.substr(p.rfind('/') + 1)); }
    void beginnePause() override { notiere("pause"), pauseAb = runde(tageszeit()); }
    void beendePause() override { notiere(std::to_string(runde(tageszeit()) - pauseAb) + " s"); }
    void hilfe(const std::string& d, int b, int32_t) override {
        notiere(d.substr(d.rfind('\\') + 1) + " " + std::to_string(b));
    }
    void schliesseAudio() override { notiere("audio closed"); }
    void beenden() override { notiere("end"), beendet = true; }
};

struct Lauf {
    ProtokollPlattform plattform;
    TestInstallation installation;
    std::unique_ptr<Spiel> spiel;
    bool gestartet = false;

    // spielDauer: "MaximaleSpielDauer", "" for none.
    explicit Lauf(const std::string& spielDauer = "30",
                  const std::string& spieler = "nSpieler=2;Anna;Ben;a;b;") {
        installation.standard(beispielWoerter());
        installation.schreibeAnsi(
            "Kelmo.ini", {"[Spiele]", spielDauer.empty() ? "" : "MaximaleSpielDauer=" + spielDauer, "[Sound]",
                          "ProgrammEnde=ENDE", "[Wirbelix]"});
        plattform.meister = meisterDatei();
        plattform.ini = installation.pfad() + "/Kelmo.ini";
        spiel = std::make_unique<Spiel>(plattform);
        gestartet = spiel->starte("|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;" + spieler + "|",
                                  installation.pfad());
        plattform.beobachte(spiel->mainFrm());
    }
    MainFrm& main() { return spiel->mainFrm(); }
    GlobModul& g() { return spiel->glob; }
    std::string meisterDatei() const { return installation.pfad() + "/User/Meister.mdb"; }
};

}  // namespace wx::test
