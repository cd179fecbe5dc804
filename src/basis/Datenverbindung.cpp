// The spelling database is an SQLite file. A connection reads its record
// source once into memory; moving and searching then never touch the file.
// Only appending and deleting write back, straight into the source's table.
#include "basis/Datenverbindung.h"

#include "basis/SqliteBibliothek.h"

#include <atomic>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

#include "basis/Text.h"

namespace wx {

namespace {

// Every record set ever read gets its own number, across all connections, so
// that a cache built for one set is never mistaken for another's.
std::atomic<uint64_t> naechsterSatzStand{0};

// A prepared statement that finalizes itself.
class Anweisung {
public:
    Anweisung(sqlite3* db, const std::string& sql) {
        if (sql::f().prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &st_, nullptr) != SQLITE_OK) {
            sql::f().finalize(st_);
            st_ = nullptr;
        }
    }
    ~Anweisung() { sql::f().finalize(st_); }
    Anweisung(const Anweisung&) = delete;
    Anweisung& operator=(const Anweisung&) = delete;

    bool ok() const { return st_ != nullptr; }
    sqlite3_stmt* operator*() const { return st_; }

    int binde(int nr, const Wert& w) {
        return std::visit(
            [&](const auto& v) -> int {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, std::monostate>)
                    return sql::f().bind_null(st_, nr);
                else if constexpr (std::is_same_v<T, int64_t>)
                    return sql::f().bind_int64(st_, nr, v);
                else if constexpr (std::is_same_v<T, double>)
                    return sql::f().bind_double(st_, nr, v);
                else
                    return sql::f().bind_text(st_, nr, v.data(), static_cast<int>(v.size()),
                                              SQLITE_TRANSIENT);
            },
            w.roh());
    }

private:
    sqlite3_stmt* st_ = nullptr;
};

// Field i of the statement's current row into a cell of the set.
void leseFeld(sqlite3_stmt* st, int i, Datensaetze& daten, size_t zeile, size_t spalte) {
    switch (sql::f().column_type(st, i)) {
        case SQLITE_INTEGER:
            daten.setzeZahl(zeile, spalte, static_cast<int64_t>(sql::f().column_int64(st, i)));
            break;
        case SQLITE_FLOAT:
            daten.setzeReal(zeile, spalte, sql::f().column_double(st, i));
            break;
        case SQLITE_NULL:
            daten.setzeNull(zeile, spalte);
            break;
        default: {
            // Text, and blobs taken as their bytes.
            const auto* p = static_cast<const char*>(sql::f().column_blob(st, i));
            const int n = sql::f().column_bytes(st, i);
            daten.setzeText(zeile, spalte, p ? std::string_view(p, static_cast<size_t>(n)) : std::string_view());
        }
    }
}

// A name as an SQL identifier: in double quotes, inner quotes doubled.
std::string bezeichner(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"') out += '"';
    }
    return out + "\"";
}

// A record source starting with the word SELECT is a query, anything else
// names a table.
bool istAbfrage(const std::string& quelle) {
    const std::string q = trimme(quelle);
    if (q.size() < 6 || gross(q.substr(0, 6)) != "SELECT") return false;
    return q.size() == 6 || !(std::isalnum(static_cast<unsigned char>(q[6])) || q[6] == '_');
}

bool gleichOhneGross(const std::string& a, const std::string& b) { return gross(a) == gross(b); }

// A file name as an SQLite URI that opens it read-only and immutable. Every
// byte outside the plain path characters is escaped, so that "?", "#" or "%"
// in a folder name stay part of the path.
std::string nurLesenUri(const std::string& datei) {
    static const char* const hex = "0123456789ABCDEF";
    std::string pfad;
    for (unsigned char c : datei) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            pfad += static_cast<char>(c);
        } else {
            pfad += '%';
            pfad += hex[c >> 4];
            pfad += hex[c & 15];
        }
    }
    // An absolute path goes after an empty authority ("file:///..."), so that
    // one starting with "//" is not taken for a host name.
    return (datei.starts_with('/') ? "file://" : "file:") + pfad + "?mode=ro&immutable=1";
}

int64_t sicherRunden(double d) {
    if (!std::isfinite(d)) return 0;
    if (d >= 9.2e18) return std::numeric_limits<int64_t>::max();
    if (d <= -9.2e18) return std::numeric_limits<int64_t>::min();
    return runde(d);
}

}  // namespace

// ---- Wert ----

std::string Wert::text() const {
    if (const auto* i = std::get_if<int64_t>(&v_)) return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&v_)) {
        char puffer[64];
        const auto r = std::to_chars(puffer, puffer + sizeof puffer, *d);
        return std::string(puffer, r.ptr);
    }
    if (const auto* s = std::get_if<std::string>(&v_)) return *s;
    return {};
}

int64_t Wert::zahl() const {
    if (const auto* i = std::get_if<int64_t>(&v_)) return *i;
    if (const auto* d = std::get_if<double>(&v_)) return sicherRunden(*d);
    if (const auto* s = std::get_if<std::string>(&v_)) return sicherRunden(zahlAmAnfang(*s));
    return 0;
}

// ---- Datenverbindung ----

Datenverbindung::Datenverbindung() = default;

Datenverbindung::~Datenverbindung() { schliesseDatei(); }

void Datenverbindung::schliesseDatei() {
    if (db_) sql::f().close_v2(db_);
    db_ = nullptr;
    offeneDatei_.clear();
    bibliothek_.reset();
}

bool Datenverbindung::oeffneDatei() {
    if (DatabaseName.empty()) {
        fehler_ = "Kein Datenbankname angegeben";
        return false;
    }
    const std::string datei = findeDatei(DatabaseName);
    if (db_ && datei == offeneDatei_) return true;
    schliesseDatei();
    sql::Halter bibliothek;
    if (!bibliothek.geladen()) {
        fehler_ = bibliothek.fehler();
        return false;
    }
    // Never create: a missing word database is an error, not a new empty one.
    // A connection belongs to one thread, so SQLite need not lock around
    // every field it hands out.
    std::vector<std::pair<std::string, int>> versuche;
    if (ReadOnly)
        versuche.emplace_back(nurLesenUri(datei), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
    else
        versuche = {{datei, SQLITE_OPEN_READWRITE}, {datei, SQLITE_OPEN_READONLY}};
    for (const auto& [name, flags] : versuche) {
        sqlite3* db = nullptr;
        const int rc = sql::f().open_v2(name.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc == SQLITE_OK) {
            // The file is read with plain reads: the game reads a few dozen
            // pages once, and a memory map would cost more to set up and
            // to take down than copying them.
            db_ = db;
            offeneDatei_ = datei;
            bibliothek_ = std::move(bibliothek);
            return true;
        }
        fehler_ = db ? sql::f().errmsg(db) : sql::f().errstr(rc);
        sql::f().close_v2(db);
    }
    fehler_ += " (" + datei + ")";
    return false;
}

bool Datenverbindung::lese(const std::string& sql) {
    Anweisung st(db_, sql);
    if (!st.ok()) {
        fehler_ = sql::f().errmsg(db_);
        return false;
    }
    const int n = sql::f().column_count(*st);
    // Table sources select the row id first, to find the row again when it
    // is deleted; it is not a field of the record.
    const bool mitRowid = n > 0 && std::string(sql::f().column_name(*st, 0)) == "wx_rowid";
    const int erste = mitRowid ? 1 : 0;

    std::vector<std::string> spalten;
    for (int i = erste; i < n; ++i) spalten.emplace_back(sql::f().column_name(*st, i));
    Datensaetze daten(spalten.size());
    std::vector<int64_t> rowids;
    int rc;
    while ((rc = sql::f().step(*st)) == SQLITE_ROW) {
        daten.neueZeile();
        const size_t z = daten.zeilen() - 1;
        for (int i = erste; i < n; ++i) leseFeld(*st, i, daten, z, static_cast<size_t>(i - erste));
        rowids.push_back(mitRowid ? sql::f().column_int64(*st, 0) : -1);
    }
    if (rc != SQLITE_DONE) {
        fehler_ = sql::f().errmsg(db_);
        return false;
    }
    spalten_ = std::move(spalten);
    daten_ = std::move(daten);
    rowids_ = std::move(rowids);
    indizes_.clear();
    pos_ = 0;
    noMatch_ = false;
    satzStand_ = ++naechsterSatzStand;
    fehler_.clear();
    return true;
}

bool Datenverbindung::refresh() {
    // Always from the file as it is now, even if it was replaced meanwhile.
    schliesseDatei();
    if (!oeffneDatei()) return false;
    if (trimme(RecordSource).empty()) {
        fehler_ = "Keine Datenquelle angegeben";
        return false;
    }
    if (istAbfrage(RecordSource)) {
        if (!lese(RecordSource)) return false;
        aktuelleAbfrage_ = RecordSource;
        return true;
    }
    if (!lese("SELECT rowid AS wx_rowid, * FROM " + bezeichner(RecordSource) + " ORDER BY rowid"))
        return false;
    aktuelleAbfrage_ = "SELECT * FROM " + bezeichner(RecordSource) + " ORDER BY rowid";
    return true;
}

bool Datenverbindung::filtern(const std::string& filter) {
    if (!oeffneDatei()) return false;
    if (trimme(RecordSource).empty()) {
        fehler_ = "Keine Datenquelle angegeben";
        return false;
    }
    // A failed filter leaves the record set as it was.
    if (istAbfrage(RecordSource)) {
        const std::string sql = "SELECT * FROM (" + RecordSource + ") WHERE (" + filter + ")";
        if (!lese(sql)) return false;
        aktuelleAbfrage_ = sql;
        return true;
    }
    // Same rows as "SELECT * FROM (<table in row order>) WHERE <filter>", but
    // asked of the table directly so that the order is guaranteed and the row
    // ids come along.
    if (!lese("SELECT rowid AS wx_rowid, * FROM " + bezeichner(RecordSource) + " WHERE (" + filter +
              ") ORDER BY rowid"))
        return false;
    aktuelleAbfrage_ = "SELECT * FROM " + bezeichner(RecordSource) + " WHERE (" + filter + ") ORDER BY rowid";
    return true;
}

void Datenverbindung::gehePosition(int position1) {
    const int n = recordCount();
    pos_ = position1 < 1 ? 0 : (position1 > n ? n : position1 - 1);
}

int Datenverbindung::spalte(const std::string& name) const {
    for (size_t i = 0; i < spalten_.size(); ++i)
        if (spalten_[i] == name) return static_cast<int>(i);
    for (size_t i = 0; i < spalten_.size(); ++i)
        if (gleichOhneGross(spalten_[i], name)) return static_cast<int>(i);
    return -1;
}

Wert Datenverbindung::feld(const std::string& name) const {
    const int s = spalte(name);
    if (s < 0 || eof()) return Wert();
    return daten_.wert(static_cast<size_t>(pos_), static_cast<size_t>(s));
}

bool Datenverbindung::findFirst(const std::string& kriterium) {
    noMatch_ = true;
    const auto gleich = kriterium.find('=');
    if (gleich == std::string::npos) {
        fehler_ = "Suchkriterium ohne '=': " + kriterium;
        return false;
    }
    const std::string feldName = trimme(kriterium.substr(0, gleich));
    const std::string zahlText = trimme(kriterium.substr(gleich + 1));
    int64_t gesucht = 0;
    const char* anfang = zahlText.data();
    const char* ende = anfang + zahlText.size();
    if (anfang != ende && *anfang == '+') ++anfang;
    const auto r = std::from_chars(anfang, ende, gesucht);
    if (zahlText.empty() || r.ec != std::errc() || r.ptr != ende) {
        fehler_ = "Suchkriterium ohne ganze Zahl: " + kriterium;
        return false;
    }
    const int s = spalte(feldName);
    if (s < 0) {
        fehler_ = "Unbekanntes Feld: " + feldName;
        return false;
    }

    auto [it, neu] = indizes_.try_emplace(s);
    auto& index = it->second;
    if (neu) {
        index.reserve(daten_.zeilen());
        for (size_t z = 0; z < daten_.zeilen(); ++z) {
            int64_t wert;
            if (daten_.ganzzahl(z, static_cast<size_t>(s), wert))
                index.try_emplace(wert, static_cast<int>(z));  // keeps the first row
        }
    }
    const auto treffer = index.find(gesucht);
    if (treffer == index.end()) return false;
    pos_ = treffer->second;
    noMatch_ = false;
    return true;
}

std::string Datenverbindung::tabellenName() const {
    const std::string quelle = trimme(RecordSource);
    if (!istAbfrage(quelle)) return quelle;
    // The table after the first FROM of a query: plain, "quoted", [bracketed]
    // or `backticked`.
    const std::string g = gross(quelle);
    size_t p = 0;
    while ((p = g.find("FROM", p)) != std::string::npos) {
        const bool vorneFrei = p == 0 || g[p - 1] == ' ' || g[p - 1] == '\t' || g[p - 1] == '\n' ||
                               g[p - 1] == '\r' || g[p - 1] == ')';
        const bool hintenFrei =
            p + 4 < g.size() && (g[p + 4] == ' ' || g[p + 4] == '\t' || g[p + 4] == '\n' || g[p + 4] == '\r');
        if (vorneFrei && hintenFrei) break;
        p += 4;
    }
    if (p == std::string::npos) return {};
    size_t i = p + 4;
    while (i < quelle.size() &&
           (quelle[i] == ' ' || quelle[i] == '\t' || quelle[i] == '\n' || quelle[i] == '\r'))
        ++i;
    if (i >= quelle.size()) return {};
    const char auf = quelle[i];
    if (auf == '"' || auf == '[' || auf == '`') {
        const char zu = auf == '[' ? ']' : auf;
        std::string name;
        for (size_t k = i + 1; k < quelle.size(); ++k) {
            if (quelle[k] == zu) {
                if (zu == '"' && k + 1 < quelle.size() && quelle[k + 1] == '"') {
                    name += '"';
                    ++k;
                    continue;
                }
                return name;
            }
            name += quelle[k];
        }
        return {};
    }
    size_t e = i;
    while (e < quelle.size() && (std::isalnum(static_cast<unsigned char>(quelle[e])) || quelle[e] == '_' ||
                                 static_cast<unsigned char>(quelle[e]) >= 0x80))
        ++e;
    return quelle.substr(i, e - i);
}

bool Datenverbindung::anhaengen(const std::vector<std::pair<std::string, Wert>>& felder) {
    if (ReadOnly) {
        fehler_ = "Die Datenbank ist nur zum Lesen geöffnet";
        return false;
    }
    if (!oeffneDatei()) return false;
    const std::string tabelle = tabellenName();
    if (tabelle.empty()) {
        fehler_ = "Keine Tabelle zum Anhängen";
        return false;
    }
    std::string sql = "INSERT INTO " + bezeichner(tabelle);
    if (felder.empty()) {
        sql += " DEFAULT VALUES";
    } else {
        std::string namen, platzhalter;
        for (const auto& [name, wert] : felder) {
            if (!namen.empty()) {
                namen += ", ";
                platzhalter += ", ";
            }
            namen += bezeichner(name);
            platzhalter += "?";
        }
        sql += " (" + namen + ") VALUES (" + platzhalter + ")";
    }
    {
        Anweisung st(db_, sql);
        if (!st.ok()) {
            fehler_ = sql::f().errmsg(db_);
            return false;
        }
        int nr = 1;
        for (const auto& f : felder) st.binde(nr++, f.second);
        if (sql::f().step(*st) != SQLITE_DONE) {
            fehler_ = sql::f().errmsg(db_);
            return false;
        }
    }
    const int64_t rowid = sql::f().last_insert_rowid(db_);

    // Read the row back as the file holds it (defaults, type affinity) and put
    // its fields into the columns of the set; fields the set does not have are
    // dropped, columns the table does not have stay empty.
    const bool warEof = eof();
    daten_.neueZeile();
    const size_t z = daten_.zeilen() - 1;
    Anweisung st(db_, "SELECT * FROM " + bezeichner(tabelle) + " WHERE rowid = ?");
    if (st.ok()) {
        sql::f().bind_int64(*st, 1, rowid);
        if (sql::f().step(*st) == SQLITE_ROW) {
            for (int i = 0; i < sql::f().column_count(*st); ++i) {
                const int s = spalte(sql::f().column_name(*st, i));
                if (s >= 0 && daten_.istNull(z, static_cast<size_t>(s)))
                    leseFeld(*st, i, daten_, z, static_cast<size_t>(s));
            }
        }
    }
    rowids_.push_back(rowid);
    if (warEof) pos_ = recordCount();
    indizes_.clear();
    satzStand_ = ++naechsterSatzStand;
    fehler_.clear();
    return true;
}

bool Datenverbindung::loeschen() {
    if (ReadOnly) {
        fehler_ = "Die Datenbank ist nur zum Lesen geöffnet";
        return false;
    }
    if (eof()) {
        fehler_ = "Kein aktueller Datensatz";
        return false;
    }
    if (!oeffneDatei()) return false;
    const std::string tabelle = tabellenName();
    if (tabelle.empty()) {
        fehler_ = "Keine Tabelle zum Löschen";
        return false;
    }
    const auto z = static_cast<size_t>(pos_);
    int geaendert = 0;
    if (rowids_[z] >= 0) {
        Anweisung st(db_, "DELETE FROM " + bezeichner(tabelle) + " WHERE rowid = ?");
        if (!st.ok()) {
            fehler_ = sql::f().errmsg(db_);
            return false;
        }
        sql::f().bind_int64(*st, 1, rowids_[z]);
        if (sql::f().step(*st) != SQLITE_DONE) {
            fehler_ = sql::f().errmsg(db_);
            return false;
        }
        geaendert = sql::f().changes(db_);
    } else {
        // A query source does not carry row ids: delete one row of the table
        // whose fields equal those of the record ("IS" also matches empty ones).
        std::string bedingung;
        for (const auto& name : spalten_) {
            if (!bedingung.empty()) bedingung += " AND ";
            bedingung += bezeichner(name) + " IS ?";
        }
        if (bedingung.empty()) bedingung = "0";
        Anweisung st(db_, "DELETE FROM " + bezeichner(tabelle) + " WHERE rowid = (SELECT rowid FROM " +
                              bezeichner(tabelle) + " WHERE " + bedingung + " LIMIT 1)");
        if (!st.ok()) {
            fehler_ = sql::f().errmsg(db_);
            return false;
        }
        int nr = 1;
        for (size_t s = 0; s < daten_.spalten(); ++s) st.binde(nr++, daten_.wert(z, s));
        if (sql::f().step(*st) != SQLITE_DONE) {
            fehler_ = sql::f().errmsg(db_);
            return false;
        }
        geaendert = sql::f().changes(db_);
    }
    if (geaendert == 0) {
        fehler_ = "Der Datensatz steht nicht mehr in der Tabelle";
        return false;
    }
    // The following row moves up into the position: it becomes current.
    daten_.entferneZeile(z);
    rowids_.erase(rowids_.begin() + pos_);
    indizes_.clear();
    satzStand_ = ++naechsterSatzStand;
    fehler_.clear();
    return true;
}

void Datenverbindung::schliessen() {
    schliesseDatei();
    DatabaseName.clear();
    RecordSource.clear();
    aktuelleAbfrage_.clear();
    spalten_.clear();
    daten_ = Datensaetze();
    rowids_.clear();
    indizes_.clear();
    pos_ = 0;
    noMatch_ = false;
    satzStand_ = ++naechsterSatzStand;
}

}  // namespace wx
