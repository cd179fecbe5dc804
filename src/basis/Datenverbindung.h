// A data connection: one database file, one record source (a table or a
// query), and the record set it yields with a current position.
//
// The game walks and searches its record sets the way a classic record-set
// API does (move first/last/next, absolute position, find first by
// "Field=number", end test). The rows are read once into memory when the
// connection is opened or filtered; searches by a whole-number field use a
// hash index built on first use, so they cost the same for any list size.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "basis/Datensaetze.h"
#include "basis/SqliteBibliothek.h"
#include "basis/Wert.h"

namespace wx {

class Datenverbindung {
public:
    Datenverbindung();
    ~Datenverbindung();
    Datenverbindung(const Datenverbindung&) = delete;
    Datenverbindung& operator=(const Datenverbindung&) = delete;

    std::string DatabaseName;  // full path of the database file
    std::string RecordSource;  // table name or SELECT query
    std::string Connect = "Access 2000;";
    // Opened for reading only and taken as a file nobody changes meanwhile:
    // no lock is taken, nothing is written, and a database in WAL mode leaves
    // no -wal or -shm file beside it. For the spelling database, which the
    // game reads once at start-up.
    bool ReadOnly = false;

    // Opens the file and reads the record source; positioned on the first
    // record. False (and fehler() tells why) when file or source cannot be read.
    bool refresh();
    // Restricts the current source by a filter expression such as
    // "GWS=TRUE AND LIP_=TRUE" and replaces the record set by the result.
    bool filtern(const std::string& filter);
    const std::string& fehler() const { return fehler_; }

    bool istLeer() const { return daten_.leer(); }  // at beginning and end at once
    bool eof() const { return pos_ >= recordCount(); }
    void moveFirst() { pos_ = 0; }
    void moveLast() { pos_ = daten_.leer() ? 0 : recordCount() - 1; }
    void moveNext() {
        if (!eof()) ++pos_;
    }
    void gehePosition(int position1);  // 1-based
    int recordCount() const { return static_cast<int>(daten_.zeilen()); }
    int position() const { return pos_; }  // 0-based; recordCount() when past the end
    // A number that changes whenever the record set is read anew or a row is
    // added or removed; no two record sets share one.
    uint64_t satzStand() const { return satzStand_; }

    // Criterion "Field=number": the first matching record becomes current.
    // Returns false (NoMatch) when none matches; the position is then undefined
    // as with the classic API, here it stays where it was.
    bool findFirst(const std::string& kriterium);
    bool noMatch() const { return noMatch_; }

    Wert feld(const std::string& name) const;  // of the current record
    Wert feldBei(int zeile, int spalte) const {
        return daten_.wert(static_cast<size_t>(zeile), static_cast<size_t>(spalte));
    }
    int spalte(const std::string& name) const;  // -1 if unknown

    // Appends a row to the record source's table and writes it to the file.
    bool anhaengen(const std::vector<std::pair<std::string, Wert>>& felder);
    // Removes the current record from the table and from the set.
    bool loeschen();
    void schliessen();
    // Closes the file but keeps the records: searching and walking them goes
    // on, and the next refresh or filter opens the file again.
    void schliesseDatei();

private:
    bool oeffneDatei();
    bool lese(const std::string& sql);
    std::string tabellenName() const;

    std::optional<sql::Halter> bibliothek_;  // SQLite, held while the file is open
    sqlite3* db_ = nullptr;
    std::string offeneDatei_;
    std::string fehler_;
    std::string aktuelleAbfrage_;
    std::vector<std::string> spalten_;
    Datensaetze daten_;
    std::vector<int64_t> rowids_;
    int pos_ = 0;
    uint64_t satzStand_ = 0;
    bool noMatch_ = false;
    // Field index -> (value -> first row) for find-first on whole numbers.
    mutable std::unordered_map<int, std::unordered_map<int64_t, int>> indizes_;
};

}  // namespace wx
