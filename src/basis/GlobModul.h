// The shared state of one run of the game and the small routines around it.
//
// One object of GlobModul is owned by the program and passed by reference to
// every window; every window reads and writes its fields directly. Widths are
// those of the game: int16_t for whole numbers, int32_t for scores and times,
// flag16 (int16_t, -1 = true, 0 = false) for its truth values.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Plattform.h"

namespace wx {

using flag16 = int16_t;
inline constexpr flag16 WAHR = -1;
inline constexpr flag16 FALSCH = 0;
inline flag16 alsFlag(bool b) { return b ? WAHR : FALSCH; }

// A growing list of word reference numbers with an index beside it, so that
// "is this number in the list" costs the same for ten or ten thousand entries.
class NummernListe {
public:
    int16_t max() const { return static_cast<int16_t>(static_cast<int>(eintraege_.size()) - 1); }
    int anzahl() const { return static_cast<int>(eintraege_.size()); }
    int16_t operator[](int i) const { return eintraege_[static_cast<size_t>(i)]; }
    bool enthaelt(int16_t n) const { return index_.test(static_cast<uint16_t>(n)); }
    void anhaengen(int16_t n) {
        eintraege_.push_back(n);
        index_.set(static_cast<uint16_t>(n));
    }
    void leeren() {
        eintraege_.clear();
        index_.reset();
    }
    const std::vector<int16_t>& eintraege() const { return eintraege_; }

private:
    std::vector<int16_t> eintraege_;
    std::bitset<65536> index_;
};

using FarbTabelle = std::array<std::array<int16_t, 3>, 10>;

class GlobModul {
public:
    explicit GlobModul(Plattform& p) : plattform(p) {}

    Plattform& plattform;

    // Installation paths (no trailing separator).
    std::string AppPfad;
    std::string UserPfad;
    std::string HilfeDatei;

    // Launch parameters and exercise unit.
    std::string KlassenFeld;
    flag16 GwsFlag = FALSCH;
    int16_t BausteinNr = 0;
    std::string BausteinTitel;
    int16_t SpielzeitFaktor = 0;
    int32_t HilfeKontextID = 0;

    // Players.
    int16_t nSpieler = 0;
    int16_t aktSpieler = 0;
    std::array<std::string, 5> SpielerName{};
    std::array<int32_t, 5> SpielerPunkte{};
    std::array<std::string, 5> SpielerDatei{};

    // The word on the board.
    std::string aktWort;
    std::string aktKontext;
    std::string aktParaphrase;
    std::string aktSatz;
    int16_t aktBstPos = 0;

    // Word bookkeeping; the "...Max" of the game is FehlerWoerter.max() and
    // BenutzteWoerter.max() (-1 when empty).
    int16_t nWoerter = 0;
    NummernListe FehlerWoerter;
    NummernListe BenutzteWoerter;

    // The nine user settings.
    int16_t GegenComputer = 0;
    int16_t ComputerSpielStaerke = 0;
    int16_t TastaturEingabeSperren = 0;
    int16_t TonEinschalten = 0;
    int16_t BuchstabenRahmen = 0;
    flag16 LoesungswortFarbig = FALSCH;
    int16_t RatezeitBegrenzen = 0;
    int16_t FehlversucheMaximum = 0;
    int16_t EinstellungenSpeichern = 0;
    std::array<std::string, 9> EinstellSchluessel{};
    int16_t nEinstellungen = 0;

    FarbTabelle HintergrundFarben{};
    FarbTabelle SchriftFarben{};

    std::string MeldungsText;

    // A random whole number from lo to hi; the generator is re-seeded from the
    // clock on every call. hi < lo gives lo.
    int16_t zufallsZahl(int16_t lo, int16_t hi);

    flag16 istFehlerWort(int16_t n) const { return alsFlag(FehlerWoerter.enthaelt(n)); }
    flag16 istBenutztesWort(int16_t n) const { return alsFlag(BenutzteWoerter.enthaelt(n)); }
    void merkeBenutztesWort(int16_t n) { BenutzteWoerter.anhaengen(n); }

    // Time of day in whole seconds (rounded, halves to even).
    int32_t sekundenJetzt();
    // Whole seconds since a time of day taken with sekundenJetzt less than a
    // day ago; at midnight the clock starts again at 0, and a day is added.
    int32_t sekundenSeit(int32_t start) {
        constexpr int32_t kTag = 86400;
        const int32_t d = sekundenJetzt() - start;
        return d < 0 ? d + kTag : d;
    }
};

// The first word of a name: the text before its first blank.
std::string Vorname(const std::string& name);

}  // namespace wx
