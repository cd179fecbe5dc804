// The open high-score database of MeisterFrm, for the database helpers.
#pragma once

#include "basis/SqliteBibliothek.h"

#include <string>
#include <vector>

#include "fenster/MeisterFrm.h"

namespace wx {

struct MeisterFrm::MeisterDb {
    sql::Halter bibliothek;  // SQLite, loaded while the list is open
    sqlite3* db = nullptr;
    bool transaktion = false;
    int code = SQLITE_OK;                // first failure, SQLITE_OK while none
    std::string fehler;                  // its German reason
    std::vector<MeisterEintrag> zeilen;  // the list opened for the window, best first

    ~MeisterDb();
    bool ok() const { return code == SQLITE_OK; }
    // False, with the reason noted, when SQLite could not be loaded.
    bool bereit();
    // Notes a failure once (the first one counts); true when rc is no failure.
    bool pruefe(int rc, bool schreiben);
    bool ausfuehren(const char* sql);
};

// A German reason for an SQLite result code.
std::string meisterFehlerText(int code, bool schreiben);

}  // namespace wx
