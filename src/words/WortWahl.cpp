// The word source of the main window: opening the spelling database,
// restricting it to the exercise unit, and choosing the next word.
//
// How a word is chosen: now and then (one time in four) the game tries one of
// the player's error words from earlier rounds, as long as it has not been
// played in this game. Otherwise it draws a random word of the unit; if that
// one has been played already, it takes the next unplayed word after it in
// list order, wrapping round at the end. Only when every word has been played
// may a word come again.
//
// The played words are a list of reference numbers. Walking forward record by
// record and asking the list about each one gets slow when almost every word
// has been played, so beside the list we keep the positions of the unit's
// words that are still unplayed, in a 64-way bit tree: "the next unplayed
// position from here" is a handful of word operations for any list size.
#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "basis/Text.h"
#include "fenster/DateiInfoFrm.h"

namespace wx {

namespace {

// A set of the whole numbers 0..n-1. Level 0 holds one bit per number; every
// bit of a higher level tells whether the 64-bit word below it has a bit set.
class BitBaum {
public:
    void neu(int n) {
        n_ = n;
        ebenen_.clear();
        size_t worte = (static_cast<size_t>(n) + 63) / 64;
        do {
            ebenen_.emplace_back(std::max<size_t>(worte, 1), 0);
            worte = (worte + 63) / 64;
        } while (ebenen_.back().size() > 1);
    }

    // After the bits of level 0 have been written directly.
    void baueOben() {
        for (size_t e = 1; e < ebenen_.size(); ++e) {
            auto& oben = ebenen_[e];
            std::fill(oben.begin(), oben.end(), 0);
            const auto& unten = ebenen_[e - 1];
            for (size_t i = 0; i < unten.size(); ++i)
                if (unten[i]) oben[i / 64] |= uint64_t{1} << (i % 64);
        }
    }
    std::vector<uint64_t>& unten() { return ebenen_[0]; }

    void setze(int p) {
        auto i = static_cast<size_t>(p);
        for (auto& ebene : ebenen_) {
            const bool warLeer = ebene[i / 64] == 0;
            ebene[i / 64] |= uint64_t{1} << (i % 64);
            if (!warLeer) return;
            i /= 64;
        }
    }

    void loesche(int p) {
        auto i = static_cast<size_t>(p);
        for (auto& ebene : ebenen_) {
            ebene[i / 64] &= ~(uint64_t{1} << (i % 64));
            if (ebene[i / 64] != 0) return;
            i /= 64;
        }
    }

    // The smallest member >= p, or -1.
    int naechste(int p) const {
        if (p < 0) p = 0;
        if (p >= n_) return -1;
        auto i = static_cast<size_t>(p);
        size_t e = 0;
        // Climb until a word has a bit at or after the place we come from...
        for (;; ++e) {
            if (e == ebenen_.size()) return -1;
            const auto& ebene = ebenen_[e];
            if (i / 64 >= ebene.size()) return -1;
            const uint64_t w = ebene[i / 64] & (~uint64_t{0} << (i % 64));
            if (w) {
                i = (i / 64) * 64 + static_cast<size_t>(std::countr_zero(w));
                break;
            }
            i = i / 64 + 1;
        }
        // ...then descend along the lowest set bits.
        while (e > 0) {
            --e;
            i = i * 64 + static_cast<size_t>(std::countr_zero(ebenen_[e][i]));
        }
        return static_cast<int>(i);
    }

private:
    int n_ = 0;
    std::vector<std::vector<uint64_t>> ebenen_;
};

// The reference number of a record as the game holds it: 16 bits.
int16_t refNr(const Wert& w) { return static_cast<int16_t>(w.zahl()); }

}  // namespace

// The unplayed positions of one record set of rdb, in step with the played
// list as far as it has been seen.
struct MainFrm::WortIndex {
    uint64_t satzStand = 0;                 // the record set it belongs to
    std::vector<int16_t> ids;               // RefNr of every position
    std::vector<int32_t> erstePosition;     // RefNr (as 0..65535) -> first position, -1
    std::vector<int32_t> naechstePosition;  // position -> next position with that RefNr, -1
    BitBaum offen;                          // positions whose RefNr is not played
    std::vector<int16_t> gesehen;           // played-list entries taken into account

    void baue(const Datenverbindung& rdb, const NummernListe& benutzt) {
        satzStand = rdb.satzStand();
        const int n = rdb.recordCount();
        const int spalte = rdb.spalte("RefNr");
        ids.assign(static_cast<size_t>(n), 0);
        erstePosition.assign(65536, -1);
        naechstePosition.assign(static_cast<size_t>(n), -1);
        offen.neu(n);
        auto& bits = offen.unten();
        for (int p = n - 1; p >= 0; --p) {
            const int16_t id = spalte < 0 ? int16_t{0} : refNr(rdb.feldBei(p, spalte));
            ids[static_cast<size_t>(p)] = id;
            auto& erste = erstePosition[static_cast<uint16_t>(id)];
            naechstePosition[static_cast<size_t>(p)] = erste;
            erste = p;
            if (!benutzt.enthaelt(id)) bits[static_cast<size_t>(p) / 64] |= uint64_t{1} << (p % 64);
        }
        offen.baueOben();
        gesehen = benutzt.eintraege();
    }

    // Takes a newly played number out of the set.
    void nimmHeraus(int16_t id) {
        for (int p = erstePosition[static_cast<uint16_t>(id)]; p >= 0;
             p = naechstePosition[static_cast<size_t>(p)])
            offen.loesche(p);
        gesehen.push_back(id);
    }

    // Brings the set up to date with changes to the played list made outside
    // the word choice (the word choice itself reports each word it plays).
    // The game empties the list for a new game; the list may also be set back
    // to an earlier state of itself. Then the entries seen so far still begin
    // the list: entries that have gone are put back (unless the number is
    // still played through another entry), new ones taken out. When the list
    // does not begin with what was seen, it is another list: rebuild.
    void gleicheAb(const Datenverbindung& rdb, const NummernListe& benutzt) {
        const auto& liste = benutzt.eintraege();
        const size_t n = liste.size();
        const size_t m = gesehen.size();
        const size_t gemeinsam = std::min(n, m);
        if (gemeinsam > 0) {
            for (size_t i : {size_t{0}, gemeinsam / 2, gemeinsam - 1}) {
                if (liste[i] != gesehen[i]) {
                    baue(rdb, benutzt);
                    return;
                }
            }
        }
        for (size_t i = n; i < m; ++i) {
            const int16_t id = gesehen[i];
            if (benutzt.enthaelt(id)) continue;
            for (int p = erstePosition[static_cast<uint16_t>(id)]; p >= 0;
                 p = naechstePosition[static_cast<size_t>(p)])
                offen.setze(p);
        }
        if (n < m) gesehen.resize(n);
        for (size_t i = m; i < n; ++i) nimmHeraus(liste[i]);
    }

    // The first unplayed position after p, going round; -1 when there is none.
    // A position is checked against the played list before it is handed out,
    // so a change to the list that went unseen can never yield a played word.
    int naechsteOffeneNach(int p, const NummernListe& benutzt) {
        for (size_t schritt = 0; schritt <= ids.size(); ++schritt) {
            int q = offen.naechste(p + 1);
            if (q < 0) q = offen.naechste(0);
            if (q < 0 || !benutzt.enthaelt(ids[static_cast<size_t>(q)])) return q;
            offen.loesche(q);
        }
        return -1;
    }
};

void MainFrm::richteWortQuellenEin(const std::string& pfad) {
    g.nWoerter = 0;
    wortIndex_.reset();
    // The game only reads the spelling database; it belongs to the framework.
    rdb.ReadOnly = phr.ReadOnly = true;
    rdb.DatabaseName = phr.DatabaseName = pfad;
    rdb.RecordSource = "WortListe";
    phr.RecordSource = "SemSynt";
}

bool MainFrm::oeffneWortDatenbank(const std::string& pfad) {
    richteWortQuellenEin(pfad);
    return rdb.refresh() && phr.refresh();
}

bool MainFrm::ladeWortDatenbank(const std::string& pfad, bool& gefiltert) {
    richteWortQuellenEin(pfad);
    // Only the unit's words are read. The whole list is read only when
    // that fails, to tell a database without a word list (the "missing"
    // message) from one without the unit (the "no words" message).
    bool gelesen = phr.refresh();
    if (gelesen) {
        gefiltert = setzeWortFilter();
        if (!gefiltert) gelesen = rdb.refresh();
    }
    // The game reads the database only here: the records stay in memory,
    // the file and SQLite can go.
    rdb.schliesseDatei();
    phr.schliesseDatei();
    return gelesen;
}

bool MainFrm::setzeWortFilter() {
    auto& info = spiel.dateiInfoFrm();
    std::string filter = g.KlassenFeld + "=TRUE";
    if (g.GwsFlag != 0) {
        // Only the words of the basic vocabulary ("Grundwortschatz").
        filter = "GWS=TRUE AND " + filter;
        info.setzeCaption(info.DatInfLbl[1], "ja");
    } else {
        info.setzeCaption(info.DatInfLbl[1], "nein");
    }
    g.nWoerter = 0;
    wortIndex_.reset();
    if (!rdb.filtern(filter)) return false;
    if (!rdb.istLeer()) {
        rdb.moveLast();
        g.nWoerter = static_cast<int16_t>(rdb.recordCount());
        rdb.moveFirst();
    }
    info.setzeCaption(info.DatInfLbl[0], std::to_string(g.nWoerter));
    return true;
}

bool MainFrm::waehleWort() {
    if (g.nWoerter <= 0 || rdb.istLeer()) return false;

    // The index is made on the first search that needs it and from then on
    // kept in step: with the list at the start of every call, and with every
    // word played here as it is played.
    if (wortIndex_ && wortIndex_->satzStand != rdb.satzStand()) wortIndex_.reset();
    if (wortIndex_) wortIndex_->gleicheAb(rdb, g.BenutzteWoerter);
    const auto merke = [this](int16_t id) {
        g.merkeBenutztesWort(id);
        if (wortIndex_) wortIndex_->nimmHeraus(id);
    };

    // A word too long for the board, or a row without a word, is put aside
    // as played and another one drawn; after as many tries as the unit has words there is none to play.
    for (int versuch = 0; versuch < g.nWoerter; ++versuch) {
        if (rdb.eof()) rdb.moveFirst();

        // One time in four: an error word of the player not yet played. If
        // the drawn one has been played there is no second try this time (the
        // threshold of 100 lets the next draw always leave).
        bool gefunden = false;
        int schwelle = 75;
        while (g.FehlerWoerter.max() >= 0) {
            if (g.zufallsZahl(1, 100) <= schwelle) break;
            const int16_t n = g.FehlerWoerter[g.zufallsZahl(0, g.FehlerWoerter.max())];
            if (g.istBenutztesWort(n)) {
                schwelle = 100;
                continue;
            }
            // An error word of another unit is not in this list.
            gefunden = rdb.findFirst("RefNr=" + std::to_string(n));
            break;
        }

        if (!gefunden) {
            const int k = std::min<int>(g.zufallsZahl(1, g.nWoerter), rdb.recordCount());
            rdb.gehePosition(k);
            if (g.istBenutztesWort(refNr(rdb.feld("RefNr"))) && g.BenutzteWoerter.max() + 1 < g.nWoerter) {
                if (!wortIndex_) {
                    wortIndex_ = std::make_shared<WortIndex>();
                    wortIndex_->baue(rdb, g.BenutzteWoerter);
                }
                // None left can only happen when two records share a number;
                // then the drawn record stays, as when all have been played.
                const int p = wortIndex_->naechsteOffeneNach(k - 1, g.BenutzteWoerter);
                if (p >= 0) rdb.gehePosition(p + 1);
            }
        }

        const std::string wort = rdb.feld("Wort").text();
        const int16_t id = refNr(rdb.feld("RefNr"));
        // A row without a word (empty, blanks only or NULL) would give a board
        // that can never be solved: put aside like a word that is too long.
        if (laenge(wort) > kBrettZellen || trimme(wort).empty()) {
            merke(id);
            continue;
        }
        g.aktWort = wort;
        g.aktKontext.clear();
        const Wert kontext = rdb.feld("Kontext");
        if (!kontext.istNull()) g.aktKontext = kontext.text();

        g.aktParaphrase = phr.findFirst("RefNr=" + std::to_string(id)) ? phr.feld("Paraphr").text() : "";
        merke(id);
        return true;
    }
    return false;
}

}  // namespace wx
