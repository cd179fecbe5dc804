// The rows of a record set, packed for a long word list: one 16-byte cell
// per field, row after row, and all texts one after another in one block.
// Reading thousands of words then costs a handful of allocations instead of
// one per row and one per longer text, and about half the memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "basis/Wert.h"

namespace wx {

class Datensaetze {
public:
    explicit Datensaetze(std::size_t spalten = 0) : spalten_(spalten) {}

    std::size_t spalten() const { return spalten_; }
    std::size_t zeilen() const { return zeilen_; }
    bool leer() const { return zeilen_ == 0; }

    // Appends a row whose fields are all empty (null).
    void neueZeile();
    // The fields of a row, usually of the one just appended.
    void setzeNull(std::size_t zeile, std::size_t spalte) { zelle(zeile, spalte) = Zelle{}; }
    void setzeZahl(std::size_t zeile, std::size_t spalte, int64_t z);
    void setzeReal(std::size_t zeile, std::size_t spalte, double d);
    void setzeText(std::size_t zeile, std::size_t spalte, std::string_view t);
    void setze(std::size_t zeile, std::size_t spalte, const Wert& w);

    bool istNull(std::size_t zeile, std::size_t spalte) const;
    Wert wert(std::size_t zeile, std::size_t spalte) const;
    // True with the value when the field holds a whole number: an integer,
    // or a real without a fraction in the range of one.
    bool ganzzahl(std::size_t zeile, std::size_t spalte, int64_t& z) const;

    // The following rows move up. The removed row's texts stay in the block
    // until the set is read anew; rows are removed one by one, by hand.
    void entferneZeile(std::size_t zeile);

private:
    enum class Art : uint8_t { Null, Zahl, Real, Text };
    struct Zelle {
        Art art = Art::Null;
        uint32_t laenge = 0;  // of a text
        union {
            int64_t zahl = 0;
            double real;
            uint64_t anfang;  // of a text in texte_
        };
    };
    static_assert(sizeof(Zelle) == 16);

    Zelle& zelle(std::size_t zeile, std::size_t spalte) { return zellen_[zeile * spalten_ + spalte]; }
    const Zelle& zelle(std::size_t zeile, std::size_t spalte) const {
        return zellen_[zeile * spalten_ + spalte];
    }

    std::size_t spalten_;
    std::size_t zeilen_ = 0;
    std::vector<Zelle> zellen_;
    std::string texte_;
};

}  // namespace wx
