// The high-score database: an SQLite file "Meister.mdb" in the user folder
// with the table "Punkte" (Name, Programm, Datum, Punkte). The file and the
// table are made when they are missing.
//
// trageMeisterEin opens the file, takes the write lock at once and keeps it
// until schliesseMeisterDb commits: counting, adding and removing are one
// transaction, and a program killed in the middle leaves the old list.
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>

#include "basis/GlobModul.h"
#include "basis/Text.h"
#include "fenster/MeisterFrm.h"
#include "fenster/Spiel.h"
#include "highscores/MeisterDb.h"

namespace wx {

namespace {

constexpr const char* kProgramm = "Wirbelix";
// How long a lock held by another program is waited for.
constexpr int kWarteMs = 1000;

// A prepared statement that finalizes itself.
class Befehl {
public:
    Befehl(sqlite3* db, const char* sql) { sql::f().prepare_v2(db, sql, -1, &st_, nullptr); }
    ~Befehl() { sql::f().finalize(st_); }
    Befehl(const Befehl&) = delete;
    Befehl& operator=(const Befehl&) = delete;
    sqlite3_stmt* operator*() const { return st_; }
    explicit operator bool() const { return st_ != nullptr; }
    void text(int nr, const std::string& s) {
        sql::f().bind_text(st_, nr, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    }

private:
    sqlite3_stmt* st_ = nullptr;
};

}  // namespace

std::string meisterFehlerText(int code, bool schreiben) {
    switch (code & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "\"Meister.mdb\" wird gerade von einem anderen Programm benutzt.";
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return "\"Meister.mdb\" ist beschädigt.";
        case SQLITE_FULL:
            return "Auf dem Datenträger ist kein Platz mehr frei.";
        default:
            return schreiben ? "\"Meister.mdb\" kann nicht geschrieben werden."
                             : "\"Meister.mdb\" kann nicht gelesen werden.";
    }
}

MeisterFrm::MeisterDb::~MeisterDb() {
    if (db) sql::f().close_v2(db);
}

bool MeisterFrm::MeisterDb::bereit() {
    if (bibliothek.geladen()) return true;
    code = SQLITE_CANTOPEN;
    fehler = bibliothek.fehler();
    return false;
}

bool MeisterFrm::MeisterDb::pruefe(int rc, bool schreiben) {
    if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW) return true;
    if (code == SQLITE_OK) {
        code = rc;
        fehler = meisterFehlerText(rc, schreiben);
    }
    return false;
}

bool MeisterFrm::MeisterDb::ausfuehren(const char* sql) {
    return ok() && pruefe(sql::f().exec(db, sql, nullptr, nullptr, nullptr), true);
}

std::string MeisterFrm::dateiName() const {
    const std::string gefunden = findeDatei(spiel_.glob.UserPfad + "\\Meister.mdb");
    std::error_code ec;
    if (std::filesystem::exists(gefunden, ec)) return gefunden;
    // A new file goes into the user folder as it is spelt on the disk.
    return findeDatei(spiel_.glob.UserPfad) + "/Meister.mdb";
}

std::string MeisterFrm::heuteAlsText() {
    const Datum d = plattform().heute();
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, "%02d.%02d.%04d", d.tag, d.monat, d.jahr);
    return puffer;
}

bool MeisterFrm::oeffneMeisterTabelle() {
    MstDb = std::make_unique<MeisterDb>();
    auto& m = *MstDb;
    if (!m.bereit()) return false;
    const int rc =
        sql::f().open_v2(dateiName().c_str(), &m.db,
                         SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (!m.pruefe(rc, true)) return false;
    sql::f().busy_timeout(m.db, kWarteMs);
    // The write lock first: nobody may change the list between counting and
    // writing.
    if (!m.ausfuehren("BEGIN IMMEDIATE")) return false;
    m.transaktion = true;
    return m.ausfuehren(
        "CREATE TABLE IF NOT EXISTS Punkte (Name TEXT, Programm TEXT, Datum TEXT, Punkte INTEGER)");
}

bool MeisterFrm::oeffneMeisterListe() {
    MstDb = std::make_unique<MeisterDb>();
    auto& m = *MstDb;
    const std::string datei = dateiName();
    std::error_code ec;
    // No file yet: nobody has entered the list, it is empty.
    if (!std::filesystem::exists(datei, ec)) return true;
    if (!m.bereit()) return false;
    const int rc =
        sql::f().open_v2(datei.c_str(), &m.db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    if (!m.pruefe(rc, false)) return false;
    sql::f().busy_timeout(m.db, kWarteMs);
    Befehl gibt(m.db, "SELECT 1 FROM sqlite_master WHERE type='table' AND name='Punkte'");
    if (!gibt) return m.pruefe(sql::f().errcode(m.db), false);
    const int schritt = sql::f().step(*gibt);
    if (schritt == SQLITE_DONE) return true;  // no table yet: an empty list
    if (!m.pruefe(schritt, false)) return false;

    // Among equal scores the older row first.
    Befehl liste(m.db, (std::string("SELECT Name, Datum, Punkte FROM Punkte WHERE Programm='") + kProgramm +
                        "' ORDER BY [Punkte] DESC, rowid")
                           .c_str());
    if (!liste) return m.pruefe(sql::f().errcode(m.db), false);
    int r;
    while ((r = sql::f().step(*liste)) == SQLITE_ROW) {
        auto text = [&](int i) {
            const auto* p = reinterpret_cast<const char*>(sql::f().column_text(*liste, i));
            return p ? std::string(p) : std::string();
        };
        const int64_t punkte = sql::f().column_int64(*liste, 2);
        m.zeilen.push_back(
            {text(0), kProgramm, text(1),
             static_cast<int32_t>(std::clamp<int64_t>(punkte, std::numeric_limits<int32_t>::min(),
                                                      std::numeric_limits<int32_t>::max()))});
    }
    return m.pruefe(r, false);
}

void MeisterFrm::schliesseMeisterDb() {
    if (!MstDb) return;
    auto& m = *MstDb;
    if (m.db && m.transaktion) {
        if (m.ok()) {
            if (!m.pruefe(sql::f().exec(m.db, "COMMIT", nullptr, nullptr, nullptr), true))
                sql::f().exec(m.db, "ROLLBACK", nullptr, nullptr, nullptr);
        } else {
            sql::f().exec(m.db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    Fehler = m.fehler;
    MstDb.reset();  // closes the file
}

int16_t MeisterFrm::zaehleEintraege(const MeisterEintrag& eintrag) {
    auto& m = *MstDb;
    if (!m.ok()) return 0;
    Befehl b(m.db, "SELECT COUNT(*) FROM Punkte WHERE Programm = ?");
    if (!b) return m.pruefe(sql::f().errcode(m.db), true), 0;
    b.text(1, eintrag.Programm);
    const int rc = sql::f().step(*b);
    if (!m.pruefe(rc, true)) return 0;
    return static_cast<int16_t>(std::min<int64_t>(sql::f().column_int64(*b, 0), 32767));
}

int32_t MeisterFrm::kleinstePunkte(const MeisterEintrag& eintrag) {
    auto& m = *MstDb;
    if (!m.ok()) return 0;
    Befehl b(m.db, "SELECT MIN(Punkte) FROM Punkte WHERE Programm = ?");
    if (!b) return m.pruefe(sql::f().errcode(m.db), true), 0;
    b.text(1, eintrag.Programm);
    if (!m.pruefe(sql::f().step(*b), true)) return 0;
    return static_cast<int32_t>(sql::f().column_int64(*b, 0));
}

void MeisterFrm::fuegeEintragHinzu(const MeisterEintrag& eintrag) {
    auto& m = *MstDb;
    if (!m.ok()) return;
    Befehl b(m.db, "INSERT INTO Punkte (Name, Programm, Datum, Punkte) VALUES (?, ?, ?, ?)");
    if (!b) {
        m.pruefe(sql::f().errcode(m.db), true);
        return;
    }
    b.text(1, eintrag.Name);
    b.text(2, eintrag.Programm);
    b.text(3, eintrag.Datum);
    sql::f().bind_int64(*b, 4, eintrag.Punkte);
    m.pruefe(sql::f().step(*b), true);
}

void MeisterFrm::loescheEintrag(const MeisterEintrag& eintrag, int32_t p) {
    auto& m = *MstDb;
    if (!m.ok()) return;
    // The first such row in the table's order.
    Befehl b(m.db,
             "DELETE FROM Punkte WHERE rowid = (SELECT rowid FROM Punkte WHERE Programm = ? AND Punkte = ? "
             "ORDER BY rowid LIMIT 1)");
    if (!b) {
        m.pruefe(sql::f().errcode(m.db), true);
        return;
    }
    b.text(1, eintrag.Programm);
    sql::f().bind_int64(*b, 2, p);
    m.pruefe(sql::f().step(*b), true);
}

bool MeisterFrm::trageMeisterEin(const MeisterEintrag& eintrag) {
    if (oeffneMeisterTabelle()) {
        const int16_t n = zaehleEintraege(eintrag);
        if (n < 10) {
            fuegeEintragHinzu(eintrag);
        } else if (MstDb->ok()) {
            // A score equal to the lowest does not enter a full list; a
            // higher one enters and pushes out one row with the lowest.
            const int32_t kleinste = kleinstePunkte(eintrag);
            if (MstDb->ok() && kleinste < eintrag.Punkte) {
                fuegeEintragHinzu(eintrag);
                if (MstDb->ok() && nachHinzufuegen) nachHinzufuegen();
                loescheEintrag(eintrag, kleinste);
            }
        }
    }
    schliesseMeisterDb();
    return Fehler.empty();
}

bool MeisterFrm::updateMeister() {
    auto& g = spiel_.glob;
    Fehler.clear();
    for (int i = 0; i < g.nSpieler && i < 5; ++i) {
        const auto k = static_cast<size_t>(i);
        if (g.SpielerPunkte[k] <= 0) continue;
        MeisterEintrag e{g.SpielerName[k], kProgramm, trimme(heuteAlsText()), g.SpielerPunkte[k]};
        // A database that failed for one player fails for the next as well.
        if (!trageMeisterEin(e)) return false;
    }
    return true;
}

}  // namespace wx
