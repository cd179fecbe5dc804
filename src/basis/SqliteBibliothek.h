// SQLite is loaded while a database is open and let go when the last one is
// closed. The game reads its word list once at start-up and writes its
// high-score list only at the end of a game; in between, the library's
// code need not stay in memory.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>

namespace wx::sql {

#define WX_SQLITE_FUNKTIONEN(X)                                                                        \
    X(bind_double)                                                                                     \
    X(bind_int64)                                                                                      \
    X(bind_null) X(bind_text) X(busy_timeout) X(changes) X(close_v2) X(column_blob) X(config)          \
        X(column_bytes) X(column_count) X(column_double) X(column_int64) X(column_name) X(column_text) \
            X(column_type) X(errcode) X(errmsg) X(errstr) X(exec) X(finalize) X(last_insert_rowid)     \
                X(open_v2) X(prepare_v2) X(step)

// The library's functions, under their names without "sqlite3_".
struct Funktionen {
#define WX_SQLITE_ZEIGER(name) decltype(&::sqlite3_##name) name = nullptr;
    WX_SQLITE_FUNKTIONEN(WX_SQLITE_ZEIGER)
#undef WX_SQLITE_ZEIGER
};

// Keeps the library loaded as long as it lives. Copies share the hold.
class Halter {
public:
    // Loads the library unless it is loaded already; geladen() tells whether that worked.
    Halter();
    bool geladen() const { return f_ != nullptr; }
    // Why it could not be loaded, in German.
    const std::string& fehler() const { return fehler_; }
    const Funktionen& operator*() const { return *f_; }
    const Funktionen* operator->() const { return f_.get(); }

private:
    std::shared_ptr<const Funktionen> f_;
    std::string fehler_;
};

// The functions of the loaded library; only while a Halter lives.
const Funktionen& f();

// Whether the library is in memory now.
bool istGeladen();

}  // namespace wx::sql
