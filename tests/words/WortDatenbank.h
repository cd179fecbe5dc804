// Small spelling databases for the word tests, written into a folder of
// their own that disappears with the test.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace wx::test {

struct Wortzeile {
    int64_t refNr = 0;
    std::string wort;
    std::optional<std::string> kontext;             // nullopt is stored as NULL
    bool gws = true;
    bool lip = true;                                // unit LIP_; the unit LT12 is the opposite
    std::optional<std::string> paraphrase = "Eine Umschreibung.";  // nullopt: NULL
    bool mitSemSynt = true;                         // false: no SemSynt row at all
};

class TempOrdner {
public:
    TempOrdner();
    ~TempOrdner();
    TempOrdner(const TempOrdner&) = delete;
    TempOrdner& operator=(const TempOrdner&) = delete;
    const std::string& pfad() const { return pfad_; }
    std::string datei(const std::string& name) const { return pfad_ + "/" + name; }

private:
    std::string pfad_;
};

// Writes WortListe and SemSynt, rows in the order given.
void schreibeWortDatenbank(const std::string& datei, const std::vector<Wortzeile>& zeilen);
// Runs SQL on a database file (for test set-up and for looking at the result).
void fuehreAus(const std::string& datei, const std::string& sql);
// The whole numbers of the first column of a query, in order.
std::vector<int64_t> zahlenAus(const std::string& datei, const std::string& sql);

// Words named "W<n>" with RefNr n, for n = 1..anzahl, all in LIP_.
std::vector<Wortzeile> nummerierteWoerter(int anzahl);

// The random number that makes GlobModul::zufallsZahl(lo, hi) give wert.
double zufallFuer(int wert, int lo, int hi);

}  // namespace wx::test
